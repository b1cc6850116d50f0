// Replace: one replacement per cell and pass, the marks decided anew, the histories.
#include "ToolsFixture.h"

#include "tools/Replace.h"
#include "tools/ReplaceDialogState.h"

using namespace Qt::StringLiterals;

namespace {

using tools::ReplaceDialogState;

class ReplaceTest : public ToolsFixture {
protected:
    /// Opens the dialog over the selection and presses すべて置換 with the two texts.
    void replaceAll(const QString& before, const QString& after, bool matchCase = false)
    {
        fakes.ui.replaceDialog = [=, this](ReplaceDialogState& d) {
            d.cbBefore = before;
            d.cbAfter = after;
            d.chkCase = matchCase;
            tools::ReplaceAll(app);
        };
        tools::ReplaceCommand(app);
    }
    const QString& stored(int c, int r) const { return sheet.CellText[c][r]; }
};

TEST_F(ReplaceTest, OneReplacementPerCellWithTheMarksDecidedAnew)
{
    struct Case {
        const char16_t* typed;
        const char16_t* before;
        const char16_t* after;
        bool matchCase;
        QString stored;
    };
    const QString T(QChar(core::TextMark));
    const QString N(QChar(core::NumberMark));
    const Case cases[] = {
        {u"abcabc", u"abc", u"X", false, T + u"Xabc"_s},
        {u"xABCy", u"abc", u"-", false, T + u"x-y"_s},
        {u"xABCy", u"abc", u"-", true, T + u"xABCy"_s},
        {u"12", u"1", u"A", false, T + u"A2"_s},
        {u"A2", u"A", u"1", false, N + u"12"_s},
        {u"'abc", u"b", u"1", false, u"'a1c"_s},
        {u"'abc", u"abc", u"12", false, u"'12"_s}, // still forced text
        {u"=A1*2", u"A1", u"B1", false, u"=B1*2"_s},
        {u"aXa", u"x", u"xx", false, T + u"axxa"_s}, // no second visit of the same cell
        {u"hello", u"ell", u"", false, T + u"ho"_s},
        {u"ａｂｃ", u"ＡＢＣ", u"k", false, T + u"k"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.typed).toStdString() + " "
                     + QString::fromUtf16(c.before).toStdString());
        put(1, 1, QString::fromUtf16(c.typed));
        put(2, 1, u"8"_s);
        recalc();
        moveTo(1, 1);
        replaceAll(QString::fromUtf16(c.before), QString::fromUtf16(c.after), c.matchCase);
        EXPECT_EQ(stored(1, 1), c.stored);
        if (!c.stored.startsWith(u'=')) {
            EXPECT_EQ(sheet.CellValue[1][1], core::NumericValue(c.stored));
        }
        EXPECT_EQ(fakes.ui.lastStatus(), u"置換終了.");
    }
    // The formula was recalculated: =B1*2 over B1 = 8.
    put(1, 1, u"=A1*2"_s);
    recalc();
    replaceAll(u"A1"_s, u"B1"_s);
    EXPECT_EQ(sheet.GridText[1][1].trimmed(), u"16");
}

TEST_F(ReplaceTest, TheSelectionLimitsTheRangeAndOneCellMeansTheUsedExtent)
{
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            put(c, r, u"o"_s);
    select(2, 2, 3, 3);
    replaceAll(u"o"_s, u"x"_s);
    EXPECT_EQ(cell(1, 1) + cell(2, 1) + cell(2, 2) + cell(3, 3) + cell(1, 3), u"ooxxo");
    EXPECT_EQ(app.replaceDialog.lblArea, u"B2 ～ C3");
    moveTo(1, 1);
    replaceAll(u"o"_s, u"y"_s);
    EXPECT_EQ(cell(1, 1) + cell(3, 1) + cell(1, 3), u"yyy");
    EXPECT_EQ(app.replaceDialog.lblArea, u"全範囲 (A1 ～ C3)");
}

TEST_F(ReplaceTest, SkipThenReplaceOneAtATimeUntilTheEndClosesTheDialog)
{
    put(1, 1, u"a1"_s);
    put(2, 1, u"b"_s);
    put(1, 2, u"a2"_s);
    put(2, 2, u"=SUM(B1:B1)"_s); // no "a" in any letter case
    recalc();
    moveTo(2, 1);
    std::vector<bool> closed;
    fakes.ui.replaceDialog = [&](ReplaceDialogState& d) {
        EXPECT_EQ(d.cbBefore, u"b"); // the current cell's entry in both boxes
        EXPECT_EQ(d.cbAfter, u"b");
        EXPECT_FALSE(d.btnRep1Enabled);
        EXPECT_FALSE(tools::ReplaceAndNext(app)); // nothing found yet: nothing happens
        d.cbBefore = u"a"_s;
        d.cbAfter = u"z"_s;
        closed.push_back(tools::ReplaceSkip(app));
        EXPECT_TRUE(d.btnRep1Enabled);
        EXPECT_EQ(d.lblCell, u"A1");
        EXPECT_EQ(at(), u"A1");
        closed.push_back(tools::ReplaceAndNext(app)); // A1, then on to A2
        EXPECT_EQ(d.lblCell, u"A2");
        closed.push_back(tools::ReplaceAndNext(app)); // A2, then past the end
    };
    tools::ReplaceCommand(app);
    EXPECT_EQ(closed, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(cell(1, 1) + u'|' + cell(1, 2), u"z1|z2");
    EXPECT_EQ(sheet.SearchHistory, QStringList{u"a"_s});
    EXPECT_EQ(app.replaceDialog.afterItems, QStringList{u"z"_s});
    EXPECT_EQ(fakes.ui.lastStatus(), u"置換終了.");
}

TEST_F(ReplaceTest, OnlyReplaceAndNextWarnsAboutParentheses)
{
    put(1, 1, u"=SUM(A2:A3)"_s);
    put(1, 2, u"=SUM(A3:A4)"_s);
    recalc();
    moveTo(1, 1);
    fakes.ui.replaceDialog = [&](ReplaceDialogState& d) {
        d.cbBefore = u")"_s;
        d.cbAfter = u""_s;
        tools::ReplaceSkip(app);
        tools::ReplaceAndNext(app);
        EXPECT_EQ(fakes.ui.messageTexts(),
                  QStringList{u"計算式エラー.左右の括弧が対応していません."_s});
        tools::ReplaceAll(app);
    };
    tools::ReplaceCommand(app);
    EXPECT_EQ(fakes.ui.messageTexts().size(), 1);
    EXPECT_EQ(cell(1, 1) + u'|' + cell(1, 2), u"=SUM(A2:A3|=SUM(A3:A4");
    // An empty replacement enters the history too.
    EXPECT_EQ(app.replaceDialog.afterItems, QStringList{QString()});
}

TEST_F(ReplaceTest, NothingToReplaceInAnEmptySheet)
{
    tools::ReplaceCommand(app);
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"何もデータが無いので置換できません."_s});
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());
}

TEST_F(ReplaceTest, TheReplacementHistoryIsTakenOverOnce)
{
    put(1, 1, u"x"_s);
    sheet.ReplaceHistory = {u"old1"_s, u"old2"_s};
    fakes.ui.replaceDialog = [](ReplaceDialogState& d) {
        EXPECT_EQ(d.afterItems, (QStringList{u"old1"_s, u"old2"_s}));
    };
    tools::ReplaceCommand(app);
    EXPECT_TRUE(sheet.ReplaceHistory.isEmpty());
    replaceAll(u"x"_s, u"new"_s);
    EXPECT_EQ(app.replaceDialog.afterItems, (QStringList{u"new"_s, u"old1"_s, u"old2"_s}));
}

} // namespace
