// Column headings and column display formats.
#include "ToolsFixture.h"

#include "core/Display.h"
#include "tools/ColumnDialogState.h"
#include "tools/Columns.h"

using namespace Qt::StringLiterals;

namespace {

using tools::ColumnFormatDialogState;

class ColumnsTest : public ToolsFixture {
protected:
    void headingRow(int row)
    {
        fakes.ui.headingDialog = [row](tools::HeadingDialogState& d) {
            d.txtCname = row;
            return true;
        };
        tools::RunColumnHeadings(app);
    }
    QString label(int c) const { return sheet.GridText[c][0]; }
    /// Runs the format command over columns left..right with the dialog's values.
    ColumnFormatDialogState format(int left, int right, int width, int point, bool comma,
                                   bool yen, int alignItem)
    {
        select(left, 1, right, 1);
        ColumnFormatDialogState shown;
        fakes.ui.columnFormatDialog = [&](ColumnFormatDialogState& d) {
            shown = d;
            d.txtWidth = width;
            d.txtPoint = point;
            d.chkComma = comma;
            d.chkYen = yen;
            d.optAlign = alignItem;
            return true;
        };
        tools::RunColumnFormat(app);
        return shown;
    }
};

TEST_F(ColumnsTest, HeadingLabelsFollowTheHeadingRow)
{
    put(1, 1, u"Name"_s);
    put(3, 1, u"=A2"_s);
    put(4, 1, u"12"_s);
    recalc();
    EXPECT_EQ(label(1), u"A");
    headingRow(1);
    EXPECT_EQ(label(1) + u' ' + label(2) + u' ' + label(3) + u' ' + label(4), u"A.Name B. C.=A2 D.12");
    EXPECT_EQ(fakes.ui.lastStatus(), u"列名表示の設定 終了.");
    EXPECT_TRUE(sheet.Modified);
    // Editing a heading cell changes its label at once.
    app.grid.col = 2;
    app.grid.row = 1;
    edit::CommitEntry(app, u"Price"_s);
    EXPECT_EQ(label(2), u"B.Price");
    // A heading row beyond the sheet shows letters and keeps its value.
    headingRow(25);
    EXPECT_EQ(label(1), u"A");
    EXPECT_EQ(sheet.HeadingRow, 25);
    // Cancel changes nothing.
    fakes.ui.headingDialog = [](tools::HeadingDialogState& d) {
        d.txtCname = 1;
        return false;
    };
    tools::RunColumnHeadings(app);
    EXPECT_EQ(sheet.HeadingRow, 25);
}

TEST_F(ColumnsTest, TheDialogIsFilledFromTheLeftColumnAndSetsThemAll)
{
    sheet.ColFormat[2].wid = 7;
    sheet.ColFormat[2].shosu = -1; // as read from a file: not set
    sheet.ColFormat[2].comma = -2;
    sheet.ColFormat[2].align = 1;
    sheet.ColFormat[3].wid = 30;
    const ColumnFormatDialogState shown = format(2, 4, 12, 1, true, false, 1);
    EXPECT_EQ(shown.caption, u"B列～D列の設定");
    EXPECT_EQ(shown.txtWidth, 7);
    EXPECT_EQ(shown.txtPoint, 0);
    EXPECT_TRUE(shown.chkComma);
    EXPECT_TRUE(shown.chkYen);
    EXPECT_EQ(shown.optAlign, 2); // 右詰
    for (int c = 2; c <= 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(sheet.ColFormat[c].wid, 12);
        EXPECT_EQ(sheet.ColFormat[c].shosu, 1);
        EXPECT_EQ(sheet.ColFormat[c].comma, -1);
        EXPECT_EQ(sheet.ColFormat[c].align, 2); // 中央
        EXPECT_EQ(sheet.ColFormat[c].fmt, u"%12.1n");
    }
    EXPECT_EQ(fakes.ui.lastStatus(), u"列の設定 終了.");
    EXPECT_EQ(format(2, 2, 10, 0, true, false, 0).caption, u"B列の設定");
}

TEST_F(ColumnsTest, NumbersAndTextsShowByTheColumnsFormat)
{
    put(1, 1, u"1234567.891"_s);
    put(1, 2, u"-0.5"_s);
    put(1, 3, u"abc"_s);
    recalc();
    struct Case {
        int width, point;
        bool comma, yen;
        int alignItem;
        const char16_t *big, *half, *text;
    };
    const Case cases[] = {
        {10, 0, true, false, 0, u" 1,234,568", u"        -1", u"abc"},
        {10, 2, false, false, 2, u"1234567.89", u"     -0.50", u"       abc"},
        {6, 2, false, false, 1, u"1234567.89", u" -0.50", u" abc"},
        {5, 0, true, false, 0, u"1,234,568", u"   -1", u"abc"},
        {14, 0, true, true, 0, u"    ¥1,234,568", u"           -¥1", u"abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "." + std::to_string(c.point));
        format(1, 1, c.width, c.point, c.comma, c.yen, c.alignItem);
        EXPECT_EQ(sheet.GridText[1][1], QString::fromUtf16(c.big));
        EXPECT_EQ(sheet.GridText[1][2], QString::fromUtf16(c.half));
        EXPECT_EQ(sheet.GridText[1][3], QString::fromUtf16(c.text));
    }
    EXPECT_TRUE(sheet.ColFormat[1].fmt.endsWith(u'm'));
}

TEST_F(ColumnsTest, TheYenSignBringsTheThousandsSeparator)
{
    ColumnFormatDialogState d;
    d.chkComma = false;
    d.chkYen = true;
    EXPECT_EQ(d.yenClicked(), u"\\を付ける時は必ず3桁毎に','が入ります."_s);
    EXPECT_TRUE(d.chkComma);
    EXPECT_FALSE(d.yenClicked()); // separators already on
    d.chkYen = false;
    d.chkComma = false;
    EXPECT_FALSE(d.yenClicked()); // unchecking says nothing
    EXPECT_FALSE(d.chkComma);
}

} // namespace
