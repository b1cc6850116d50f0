#include "edit/EditFixture.h"

#include "edit/Undo.h"

namespace {

using edittest::EditFixture;
using Key = edit::Key;

const QString ParenWarning = QStringLiteral("計算式エラー.左右の括弧が対応していません.");

struct ClassifyCase
{
    const char16_t* typed;
    const char16_t* stored; // ~ stands for TextMark, # for NumberMark
    bool warns;
};

class ClassifyEntryTest : public EditFixture, public ::testing::WithParamInterface<ClassifyCase>
{
};

TEST_P(ClassifyEntryTest, StoresTheTypedFormAndWarnsOnUnbalancedParentheses)
{
    const ClassifyCase& k = GetParam();
    QString expected = QString::fromUtf16(k.stored);
    if (expected.startsWith(u'~'))
        expected[0] = core::TextMark;
    else if (expected.startsWith(u'#'))
        expected[0] = core::NumberMark;
    EXPECT_EQ(edit::ClassifyEntry(app, QString::fromUtf16(k.typed), true), expected);
    EXPECT_EQ(fakes.ui.messageTexts(), k.warns ? QStringList{ParenWarning} : QStringList{});
    fakes.ui.messages.clear();
    edit::ClassifyEntry(app, QString::fromUtf16(k.typed), false);
    EXPECT_TRUE(fakes.ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyEntryTest,
    ::testing::Values(
        ClassifyCase{u"", u"", false}, ClassifyCase{u"abc", u"~abc", false},
        ClassifyCase{u"'abc", u"'abc", false}, ClassifyCase{u"'=1+2", u"'=1+2", false},
        ClassifyCase{u"=sum(a1:a3)", u"=SUM(A1:A3)", false},
        ClassifyCase{u"=countif(a1:a5,\"abc\")", u"=COUNTIF(A1:A5,\"abc\")", false},
        ClassifyCase{u"=(1+2", u"=(1+2", true}, ClassifyCase{u"=)1+2(", u"=)1+2(", false},
        ClassifyCase{u"=len(\"(\")", u"=LEN(\"(\")", true}, ClassifyCase{u"12 ", u"#12 ", false},
        ClassifyCase{u"-1.5e3", u"#-1.5e3", false}, ClassifyCase{u"12a", u"~12a", false},
        ClassifyCase{u"東京", u"~東京", false}));

TEST(NormalizeFormulaTest, UpperCasesOutsideStringsOnly)
{
    const struct
    {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {
        {u"=a1&\"abc\"&b2", u"=A1&\"abc\"&B2"},
        {u"=\"say \"\"hi\"\" now\"&x", u"=\"say \"\"hi\"\" now\"&X"},
        {u"=\"\"&a", u"=\"\"&A"},
        {u"=countif(a1:a3,\"abc", u"=COUNTIF(A1:A3,\"abc"},
        {u"=ä+ｂ+z", u"=ä+ｂ+Z"},
        {u"=\"a\"\"", u"=\"a\"\""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(QString::fromUtf16(k.in).toStdString());
        EXPECT_EQ(edit::NormalizeFormula(QString::fromUtf16(k.in)), QString::fromUtf16(k.out));
    }
}

class CommitEntryTest : public EditFixture
{
};

TEST_F(CommitEntryTest, TextIsStoredShownAndEchoedWithoutMovingTheCell)
{
    type(2, 3, QStringLiteral("abc"));
    EXPECT_EQ(cell(2, 3), text(u"abc"));
    EXPECT_EQ(shown(2, 3), u"abc");
    EXPECT_EQ(fakes.ui.lastStatus(), u"abc");
    EXPECT_EQ(grid.col, 2);
    EXPECT_EQ(grid.row, 3);
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(fakes.ui.typingMode);
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(CommitEntryTest, ForcedTextKeepsItsApostropheAndF2OffersIt)
{
    type(1, 1, QStringLiteral("'abc"));
    EXPECT_EQ(cell(1, 1), u"'abc");
    EXPECT_EQ(shown(1, 1), u"abc");
    EXPECT_EQ(fakes.ui.lastStatus(), u"'abc");
    EXPECT_TRUE(press(Key::F2).consumed);
    EXPECT_EQ(app.InputMode, 1);
    EXPECT_TRUE(fakes.ui.typingMode);
    EXPECT_EQ(fakes.ui.editor, u"'abc");
}

TEST_F(CommitEntryTest, FormulaIsUpperCasedAndUnbalancedOneStillStored)
{
    type(1, 5, QStringLiteral("=sum(a1:a3)"));
    EXPECT_EQ(cell(1, 5), u"=SUM(A1:A3)");
    EXPECT_TRUE(fakes.ui.messages.empty());
    type(1, 6, QStringLiteral("=(1+2"));
    EXPECT_EQ(cell(1, 6), u"=(1+2");
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text, ParenWarning);
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Warning);
    EXPECT_EQ(fakes.ui.lastStatus(), u"=(1+2");
}

TEST_F(CommitEntryTest, NumberWithTrailingBlankIsShownFormatted)
{
    type(1, 1, QStringLiteral("12 "));
    EXPECT_EQ(cell(1, 1), number(u"12 "));
    EXPECT_EQ(sheet.CellValue[1][1], 12);
    EXPECT_EQ(shown(1, 1), u"        12");
    type(1, 2, QStringLiteral("1234567"));
    EXPECT_EQ(shown(1, 2), u" 1,234,567");
}

TEST_F(CommitEntryTest, NumberBeyondTheDoubleRangeShowsAsTyped)
{
    const QString huge(5'000'000, u'9');
    const QString typed[] = {QStringLiteral("1e400"), QStringLiteral("-1E400 "), huge};
    int row = 1;
    for (const QString& t : typed) {
        SCOPED_TRACE(t.left(10).toStdString());
        type(1, row, t);
        EXPECT_EQ(cell(1, row), QChar(core::NumberMark) + t);
        EXPECT_EQ(shown(1, row), t);
        EXPECT_EQ(fakes.ui.lastStatus(), t);
        ++row;
    }
    // Still a number entry: counted as one, and too big for arithmetic.
    type(2, 1, QStringLiteral("=count(a1:a3)"));
    EXPECT_EQ(shown(2, 1), u"         3");
    type(2, 2, QStringLiteral("=a1"));
    EXPECT_EQ(shown(2, 2), u"#数値?");
}

TEST_F(CommitEntryTest, EmptyEntryEmptiesTheCellAndStillRaisesTheExtent)
{
    setRows(50);
    sheet.LastCol = 3;
    sheet.LastRow = 12;
    type(2, 40, QString());
    EXPECT_EQ(sheet.LastRow, 40);
    EXPECT_EQ(sheet.LastCol, 3);
    type(5, 7, QStringLiteral("x"));
    EXPECT_EQ(sheet.LastCol, 5);
    EXPECT_EQ(sheet.LastRow, 40);
    type(5, 7, QString());
    EXPECT_TRUE(cell(5, 7).isEmpty());
    EXPECT_TRUE(shown(5, 7).isEmpty());
}

TEST_F(CommitEntryTest, HeadingRowEntryRefreshesTheColumnHeading)
{
    sheet.HeadingRow = 1;
    type(2, 1, QStringLiteral("Price"));
    EXPECT_EQ(shown(2, 0), u"B.Price");
    type(2, 2, QStringLiteral("Other"));
    EXPECT_EQ(shown(2, 0), u"B.Price");
}

TEST_F(CommitEntryTest, JapaneseTextFromAnInputMethodArrives)
{
    // A composition starts typing like a printable key; the editor then holds the result.
    edit::MoveCurrentCell(app, 3, 2);
    EXPECT_TRUE(edit::BeginTyping(app));
    EXPECT_FALSE(edit::BeginTyping(app));
    fakes.ui.editor = QStringLiteral("東京");
    press(Key::Enter);
    EXPECT_EQ(cell(3, 2), text(u"東京"));
    EXPECT_EQ(shown(3, 2), u"東京");
}

TEST_F(CommitEntryTest, FormulaValueIsEvaluated)
{
    type(1, 1, QStringLiteral("5"));
    type(1, 2, QStringLiteral("7"));
    type(2, 5, QStringLiteral("=sum(a1:a3)"));
    EXPECT_EQ(sheet.CellValue[2][5], 12);
    EXPECT_EQ(shown(2, 5), u"        12");
}

TEST_F(CommitEntryTest, MovingWhileTypingCommitsToTheCellBeingLeft)
{
    edit::MoveCurrentCell(app, 2, 2);
    startTyping(QStringLiteral("left"));
    edit::MoveCurrentCell(app, 4, 9);
    EXPECT_EQ(cell(2, 2), text(u"left"));
    EXPECT_TRUE(cell(4, 9).isEmpty());
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_EQ(fakes.ui.cellNamePanel, u"D9");
    EXPECT_EQ(sheet.UndoData.col, 2);
}

TEST_F(CommitEntryTest, MovingShowsTheNewCellsEntryAndCollapsesTheSelection)
{
    type(3, 4, QStringLiteral("=b1*2"));
    grid.selection = core::CellBlock{1, 5, 1, 5};
    edit::MoveCurrentCell(app, 1, 1);
    EXPECT_TRUE(fakes.ui.lastStatus().isEmpty());
    edit::MoveCurrentCell(app, 3, 4);
    EXPECT_EQ(fakes.ui.lastStatus(), u"=B1*2");
    EXPECT_EQ(fakes.ui.cellNamePanel, u"C4");
    EXPECT_EQ(grid.selection, (core::CellBlock{3, 3, 4, 4}));
}

TEST_F(CommitEntryTest, MovingKeepsTheCellInViewAndStaysOnTheSheet)
{
    setRows(100);
    grid.visibleRows = 10;
    grid.visibleCols = 5;
    edit::MoveCurrentCell(app, 7, 30);
    EXPECT_EQ(grid.topRow, 21);
    EXPECT_EQ(grid.leftCol, 3);
    edit::MoveCurrentCell(app, 1, 25);
    EXPECT_EQ(grid.topRow, 21);
    EXPECT_EQ(grid.leftCol, 1);
    edit::MoveCurrentCell(app, 40, 500);
    EXPECT_EQ(grid.col, 26);
    EXPECT_EQ(grid.row, 100);
}

} // namespace
