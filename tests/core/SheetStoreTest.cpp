#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SheetStoreTest : public ::testing::Test {
protected:
    SheetStoreTest() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::Sheet& sheet = app.sheet;
};

TEST_F(SheetStoreTest, FreshSheetHasNewSheetValues)
{
    EXPECT_EQ(sheet.SheetRows, 20);
    EXPECT_EQ(sheet.SheetCols, 26);
    EXPECT_EQ(sheet.LastCol, 0);
    EXPECT_EQ(sheet.ColFormat[26].fmt, u"%10.0n");
    EXPECT_EQ(sheet.GridText[0][7], u"    7");
    EXPECT_EQ(sheet.GridText[3][0], u"C");
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U)");
}

TEST_F(SheetStoreTest, RescanExtentCountsLinesButNotPageBreaks)
{
    sheet.CellLines[4][3][7] = 0x19;
    core::RescanExtent(app);
    EXPECT_EQ(sheet.LastCol, 3);
    EXPECT_EQ(sheet.LastRow, 7);

    sheet.CellLines[4][3][7] = 0;
    for (int c = 1; c <= 26; ++c)
        sheet.CellLines[5][c][9] = core::PageBreakMark;
    sheet.PageBreaks = QStringList{QStringLiteral("9")};
    core::RescanExtent(app);
    EXPECT_EQ(sheet.LastCol, 0);
    EXPECT_EQ(sheet.LastRow, 0);
}

TEST_F(SheetStoreTest, RescanExtentFindsLowestRowWithinLastCol)
{
    sheet.CellText[2][5] = QStringLiteral("\bx");
    sheet.CellText[4][3] = QStringLiteral("\bx");
    core::RescanExtent(app);
    EXPECT_EQ(sheet.LastCol, 4);
    EXPECT_EQ(sheet.LastRow, 5);
}

TEST_F(SheetStoreTest, ResizeSheetShrinkAndGrowLeavesNewRowsEmpty)
{
    for (int r = 1; r <= 20; ++r) {
        sheet.CellText[1][r] = QStringLiteral("\t1");
        sheet.CellValue[1][r] = 1;
        sheet.CellLines[1][1][r] = 0x10;
    }
    sheet.SheetRows = 10;
    core::ResizeSheet(app);
    EXPECT_EQ(app.grid.rowCount, 11);
    sheet.SheetRows = 20;
    core::ResizeSheet(app);
    EXPECT_EQ(sheet.CellText[1][10], u"\t1");
    for (int r = 11; r <= 20; ++r) {
        EXPECT_TRUE(sheet.CellText[1][r].isEmpty()) << r;
        EXPECT_EQ(sheet.CellValue[1][r], 0);
        EXPECT_EQ(sheet.CellLines[1][1][r], 0);
    }
}

TEST_F(SheetStoreTest, NewKeepsRowCountAndClears)
{
    sheet.SheetRows = 100;
    core::ResizeSheet(app);
    sheet.CellText[5][50] = QStringLiteral("\bdata");
    sheet.GridText[5][50] = QStringLiteral("data");
    sheet.LastCol = 5;
    sheet.LastRow = 50;
    sheet.Modified = true;
    app.grid.col = 5;
    app.grid.row = 50;

    core::NewCommand(app);

    EXPECT_EQ(sheet.SheetRows, 100);
    EXPECT_TRUE(sheet.CellText[5][50].isEmpty());
    EXPECT_TRUE(sheet.GridText[5][50].isEmpty());
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(app.grid.col, 1);
    EXPECT_EQ(app.grid.row, 1);
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - [新規]");
    EXPECT_EQ(fakes.ui.lastStatus(), u"初期化完了.");
    EXPECT_EQ(fakes.ui.cellNamePanel, u"A1");
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text, u"全データを消去してもよろしいですか");
}

TEST_F(SheetStoreTest, NewCancelledLeavesSheetUntouched)
{
    sheet.CellText[1][1] = QStringLiteral("\bkeep");
    sheet.LastCol = sheet.LastRow = 1;
    sheet.Modified = true;
    fakes.ui.answers.push_back(platform::Answer::Cancel);
    core::NewCommand(app);
    EXPECT_EQ(sheet.CellText[1][1], u"\bkeep");
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(SheetStoreTest, ClearingLargeSheetShowsProgressPerColumn)
{
    sheet.SheetRows = 600;
    core::ResizeSheet(app);
    fakes.ui.statuses.clear();
    core::NewSheet(app);
    QStringList expected{QStringLiteral("初期化中 .. ")};
    for (int c = 1; c <= 26; ++c)
        expected.append(QStringLiteral("初期化中 .. ") + QString::number(c) + QStringLiteral("/26"));
    expected.append(QStringLiteral("初期化完了."));
    EXPECT_EQ(fakes.ui.statuses, expected);
}

TEST_F(SheetStoreTest, SmallSheetClearsWithoutProgress)
{
    fakes.ui.statuses.clear();
    core::NewSheet(app);
    EXPECT_EQ(fakes.ui.statuses,
              (QStringList{QStringLiteral("初期化中 .. "), QStringLiteral("初期化完了.")}));
}

TEST_F(SheetStoreTest, ClearingDropsCopyMarkerAndPartialKeepsMarksBelow)
{
    fakes.clipboard.setTextWithMarker(QStringLiteral("1\t2\r\n"), QByteArray("me"));
    for (int c = 1; c <= 26; ++c) {
        sheet.CellLines[5][c][3] = core::PageBreakMark;
        sheet.CellLines[5][c][15] = core::PageBreakMark;
    }
    sheet.PageBreaks = QStringList{QStringLiteral("3"), QStringLiteral("15")};
    sheet.CellText[2][5] = QStringLiteral("\bx");
    sheet.LastCol = 2;
    sheet.LastRow = 5;

    core::ClearCells(app, false);

    EXPECT_TRUE(fakes.clipboard.marker().isEmpty());
    EXPECT_EQ(fakes.clipboard.text(), u"1\t2\r\n");
    EXPECT_TRUE(sheet.PageBreaks.isEmpty());
    EXPECT_EQ(sheet.CellLines[5][1][3], 0);  // inside the rectangle
    EXPECT_EQ(sheet.CellLines[5][3][3], 0);  // right of it
    EXPECT_EQ(sheet.CellLines[5][3][15], 0); // right of it, below LastRow
    EXPECT_EQ(sheet.CellLines[5][1][15], core::PageBreakMark); // below, in its columns
}

struct NumericCase {
    const char16_t* text;
    bool numeric;
    double value;
};

TEST(NumericTextTest, AcceptsAndRejectsAsTyped)
{
    const NumericCase cases[] = {
        {u"12", true, 12},      {u"  12", true, 12},   {u"12  ", true, 12},
        {u"-1.5e3", true, -1500}, {u"+.5", true, 0.5}, {u".", true, 0},
        {u"1E+2", true, 100},   {u"3.", true, 3},      {u"12\t", true, 12},
        {u"1,000", false, 0},   {u"¥100", false, 0},   {u"E5", false, 0},
        {u"e5", false, 0},      {u"-E5", false, 0},    {u"-e5", false, 0},
        {u"1e", false, 0},      {u"-", false, 0},      {u"", false, 0},
        {u"12a", false, 0},     {u"1.2.3", false, 0},  {u"１２", false, 0},
    };
    for (const NumericCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(core::IsNumericText(text), c.numeric);
        EXPECT_DOUBLE_EQ(core::ParseNumber(text), c.value);
    }
}

TEST(NumericTextTest, NumericValueReadsOnlyNumberEntries)
{
    EXPECT_DOUBLE_EQ(core::NumericValue(u"\t1.5 "), 1.5);
    EXPECT_DOUBLE_EQ(core::NumericValue(u"\b12"), 0);
    EXPECT_DOUBLE_EQ(core::NumericValue(u"'12"), 0);
    EXPECT_DOUBLE_EQ(core::NumericValue(u"12"), 0);
    EXPECT_DOUBLE_EQ(core::NumericValue(u""), 0);
}

TEST(NumericTextTest, ScanDecimalReportsFirstMisfit)
{
    EXPECT_EQ(core::ScanDecimal(u"12.5*2").errorPos, 5);
    EXPECT_EQ(core::ScanDecimal(u"1E-3").errorPos, 0);
    EXPECT_DOUBLE_EQ(core::ScanDecimal(u"1E-3").value, 0.001);
    EXPECT_EQ(core::ScanDecimal(u"").errorPos, 1);
    EXPECT_EQ(core::ScanDecimal(u"-").errorPos, 2);
    EXPECT_EQ(core::ScanDecimal(u"2E").errorPos, 3);
    EXPECT_EQ(core::ScanDecimal(u"2E*").errorPos, 3);
    EXPECT_TRUE(std::isinf(core::ScanDecimal(u"1E999").value));
}

TEST(CellNameTest, NamesAndParses)
{
    EXPECT_EQ(core::CellName(1, 1), u"A1");
    EXPECT_EQ(core::CellName(26, 32000), u"Z32000");
    EXPECT_EQ(core::CellName(27, 1), u"");
    EXPECT_EQ(core::CellName(0, 1), u"");

    struct Case {
        const char16_t* text;
        int col, row;
    };
    const Case cases[] = {{u"B12", 2, 12}, {u"b12", 2, 12},     {u"A0", 1, 0},
                          {u"B", 1, 1},    {u"B99999", 2, 99999}, {u"C1234567", 3, 12345},
                          {u"Cx", 3, 0},   {u"#5", 1, 5}};
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const core::CellPos pos = core::ParseCellName(text);
        EXPECT_EQ(pos.col, c.col);
        EXPECT_EQ(pos.row, c.row);
    }
}

TEST(StripMarkTest, RemovesOnlyKindMarks)
{
    EXPECT_EQ(core::StripMark(QStringLiteral("\babc")), u"abc");
    EXPECT_EQ(core::StripMark(QStringLiteral("\t12 ")), u"12 ");
    EXPECT_EQ(core::StripMark(QStringLiteral("'abc")), u"'abc");
    EXPECT_EQ(core::StripMark(QStringLiteral("=A1")), u"=A1");
}

} // namespace
