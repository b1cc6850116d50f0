// Copy source and paste: the internal paste of the copy source as it is at paste time, and
// the text paste of what other programs put on the clipboard.
#include "edit/EditFixture.h"

#include "calc/Recalc.h"
#include "commands/Commands.h"
#include "core/Display.h"
#include "edit/Paste.h"

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

class PasteTest : public edittest::EditFixture {
protected:
    PasteTest() { setRows(40); }
    void select(int left, int top, int right, int bottom)
    {
        edit::MoveCurrentCell(app, left, top);
        grid.selection = core::CellBlock{left, right, top, bottom};
    }
    void copy(int left, int top, int right, int bottom)
    {
        select(left, top, right, bottom);
        commands::RunCommand(app, CommandId::Copy);
    }
    void pasteAt(int left, int top, int right, int bottom)
    {
        select(left, top, right, bottom);
        commands::RunCommand(app, CommandId::Paste);
    }
    void pasteAt(int c, int r) { pasteAt(c, r, c, r); }
    /// What another program put on the clipboard.
    void otherProgramCopied(const QString& text) { fakes.clipboard.setText(text); }
    QStringList warnings() const { return fakes.ui.messageTexts(); }
};

TEST_F(PasteTest, CopyRecordsTheSourceAndPutsTheShownTextsOnTheClipboard)
{
    type(1, 1, u"1234"_s);
    type(2, 1, u"'007"_s);
    type(1, 2, u"東京"_s);
    type(2, 2, u"=A1*2"_s);
    copy(1, 1, 2, 2);
    EXPECT_EQ(sheet.CopySource, (core::CellBlock{1, 2, 1, 2}));
    EXPECT_EQ(fakes.clipboard.text(), u"     1,234\t007\r\n東京\t     2,468\r\n");
    EXPECT_EQ(fakes.clipboard.marker(), app.InstanceId);
    EXPECT_EQ(fakes.ui.lastStatus(), u"コピー元を A1～B2 に設定しました");
}

TEST_F(PasteTest, ABlockArrivesAtTheCurrentCellWithItsFormulasFollowing)
{
    type(1, 1, u"1"_s);
    type(2, 1, u"x"_s);
    type(1, 2, u"3"_s);
    type(2, 2, u"=A1*2"_s);
    sheet.CellLines[4][2][2] = 0x21;
    copy(1, 1, 2, 2);
    pasteAt(3, 5);
    EXPECT_EQ(column(3, 5, 6), u"#1|#3");
    EXPECT_EQ(column(4, 5, 6), u"~x|=C5*2");
    EXPECT_EQ(shown(4, 6).trimmed(), u"2");
    EXPECT_EQ(sheet.CellLines[4][4][6], 0x21);
    EXPECT_EQ(grid.col, 3); // the current cell stays at the block's corner
    EXPECT_EQ(grid.row, 5);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(sheet.LastRow, 6);
    EXPECT_EQ(fakes.ui.lastStatus(), u"貼り付け処理終了.");
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U) C5");
}

TEST_F(PasteTest, TheSourceIsReadAtPasteTime)
{
    type(1, 1, u"a"_s);
    type(1, 2, u"b"_s);
    type(1, 3, u"c"_s);
    copy(1, 1, 1, 3);
    type(1, 2, u"changed"_s);
    pasteAt(2, 1);
    EXPECT_EQ(column(2, 1, 3), u"~a|~changed|~c");
}

TEST_F(PasteTest, OverlappingBlocksAreCopiedWithoutReadingWhatWasOverwritten)
{
    for (int r = 1; r <= 5; ++r)
        type(1, r, QString::number(r));
    copy(1, 1, 1, 5);
    pasteAt(1, 3);
    EXPECT_EQ(column(1, 1, 7), u"#1|#2|#1|#2|#3|#4|#5");
    // And the other way: up and to the left.
    for (int c = 2; c <= 4; ++c)
        type(c, 10, QString::number(c));
    copy(2, 10, 4, 10);
    pasteAt(1, 10);
    EXPECT_EQ(cell(1, 10), u"\t2");
    EXPECT_EQ(cell(2, 10), u"\t3");
    EXPECT_EQ(cell(3, 10), u"\t4");
}

TEST_F(PasteTest, ABlockIsClippedAtColumnZAndTheLastRow)
{
    type(2, 1, u"b"_s);
    type(3, 1, u"c"_s);
    type(4, 1, u"d"_s);
    copy(2, 1, 4, 1);
    pasteAt(25, 1);
    EXPECT_EQ(cell(25, 1), text(u"b"));
    EXPECT_EQ(cell(26, 1), text(u"c"));
    type(1, 38, u"p"_s);
    type(1, 39, u"q"_s);
    type(1, 40, u"r"_s);
    copy(1, 38, 1, 40);
    pasteAt(2, 39);
    EXPECT_EQ(column(2, 39, 40), u"~p|~q");
}

TEST_F(PasteTest, OneSourceCellFillsTheSelection)
{
    type(1, 1, u"1"_s);
    type(2, 1, u"=A1+1"_s);
    copy(2, 1, 2, 1);
    pasteAt(3, 3, 3, 5);
    EXPECT_EQ(column(3, 3, 5), u"=B3+1|=B4+1|=B5+1");
}

TEST_F(PasteTest, WarningsStopThePasteBeforeAnythingChanges)
{
    // No copy source yet, but the marker is ours.
    fakes.clipboard.setTextWithMarker(u"x"_s, app.InstanceId);
    pasteAt(1, 1);
    type(1, 1, u"1"_s);
    type(1, 2, u"2"_s);
    copy(1, 1, 1, 2);
    pasteAt(3, 1, 3, 2);
    otherProgramCopied(u"1\t2\r\n"_s);
    pasteAt(3, 1, 4, 1);
    EXPECT_EQ(warnings(), (QStringList{
                              u"コピー元が指定されていません"_s,
                              u"コピー元、貼り付け先とも複数セルが\r\n指定されているので貼り付けを行いません。"_s,
                              u"コピー元、貼り付け先とも複数セルが\r\n指定されているので貼り付けを行いません."_s}));
    EXPECT_TRUE(cell(3, 1).isEmpty());
    EXPECT_TRUE(cell(4, 1).isEmpty());

    // Rows that no longer exist: the source rows are forgotten.
    copy(1, 39, 1, 40);
    setRows(20);
    pasteAt(2, 2);
    EXPECT_EQ(warnings().last(), u"コピー元が指定されていません");
    EXPECT_EQ(sheet.CopySource, (core::CellBlock{1, 1, 0, 0}));
}

TEST_F(PasteTest, TextFromAnotherProgramIsEnteredAsTyped)
{
    otherProgramCopied(u"1\t2\r\n3\t4\r\n"_s);
    pasteAt(25, 20);
    EXPECT_EQ(column(25, 20, 21), u"#1|#3");
    EXPECT_EQ(column(26, 20, 21), u"#2|#4");
    EXPECT_EQ(grid.col, 25);
    EXPECT_EQ(grid.row, 20);

    // From column Z the rest of each line is dropped.
    otherProgramCopied(u"5\t6\r\n7\t8\r\n"_s);
    pasteAt(26, 30);
    EXPECT_EQ(column(26, 30, 31), u"#5|#7");
    EXPECT_TRUE(cell(1, 31).isEmpty());

    // Programs here end lines with LF alone; the last row stops the paste.
    otherProgramCopied(u"a\tb\nc\t\t=Y20*10\n\nlost\n"_s);
    pasteAt(1, 38);
    EXPECT_EQ(column(1, 38, 40), u"~a|~c|");
    EXPECT_EQ(column(3, 38, 39), u"|=Y20*10");
    EXPECT_EQ(shown(3, 39).trimmed(), u"10");
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U) A40");
}

TEST_F(PasteTest, ASingleValueFillsTheSelectionWithoutItsLineEnd)
{
    for (const QString& clip : {u"42\r\n"_s, u"42\n"_s}) {
        otherProgramCopied(clip);
        pasteAt(2, 2, 2, 4);
        EXPECT_EQ(column(2, 2, 4), u"#42|#42|#42");
        EXPECT_EQ(grid.col, 2);
        EXPECT_EQ(grid.row, 4); // the current cell ends at the block's bottom-right corner
        EXPECT_TRUE(warnings().isEmpty());
    }
    // A lone CR is no line end.
    otherProgramCopied(u"x\ry"_s);
    pasteAt(3, 2, 3, 3);
    EXPECT_EQ(column(3, 2, 3), u"~x\ry|~x\ry");
}

TEST_F(PasteTest, AfterNewAnEarlierCopyComesBackAsItsShownText)
{
    type(1, 1, u"1234"_s);
    type(1, 2, u"123"_s);
    copy(1, 1, 1, 2);
    fakes.ui.answers = {platform::Answer::Ok};
    commands::RunCommand(app, CommandId::New);
    EXPECT_TRUE(fakes.clipboard.marker().isEmpty());
    pasteAt(2, 1);
    EXPECT_EQ(column(2, 1, 2), u"~     1,234|#       123");
}

TEST_F(PasteTest, ACopyInAnotherRunningProgramIsATextPaste)
{
    platform::FakePlatform otherFakes;
    App other{[&] {
        platform::Services services = otherFakes.services();
        services.clipboard = &fakes.clipboard; // one desktop clipboard for both
        return services;
    }()};
    core::ResetSheetState(other);
    other.sheet.CellText[1][1] = u"=1+1"_s;
    other.sheet.LastCol = other.sheet.LastRow = 1;
    calc::RecalcAll(other);
    edit::SetCopySource(other);
    EXPECT_NE(fakes.clipboard.marker(), app.InstanceId);
    pasteAt(5, 5);
    EXPECT_EQ(cell(5, 5), u"\t         2"); // the shown text, not the formula
}

TEST_F(PasteTest, NothingOnTheClipboardPastesNothing)
{
    pasteAt(1, 1);
    EXPECT_TRUE(warnings().isEmpty());
    EXPECT_TRUE(fakes.ui.statuses.isEmpty() || fakes.ui.lastStatus() != u"貼り付け処理終了.");
    EXPECT_FALSE(sheet.Modified);
}

} // namespace
