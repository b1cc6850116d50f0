// Clearing a block, the row count, and links run through a recording shell.
#include "EditFixture.h"
#include "commands/Commands.h"
#include "edit/ClearRows.h"
#include "edit/Links.h"

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

class ClearRowsLinksTest : public edittest::EditFixture {
protected:
    ClearRowsLinksTest() { setRows(100); }
    void select(int left, int top, int right, int bottom)
    {
        edit::MoveCurrentCell(app, left, top);
        grid.selection = core::CellBlock{left, right, top, bottom};
    }
    void run(CommandId id) { commands::RunCommand(app, id); }
};

TEST_F(ClearRowsLinksTest, ClearAsksOnlyWhenTheBlockHoldsDataAndLines)
{
    // Empty: only the message.
    select(1, 1, 3, 3);
    run(CommandId::Clear);
    EXPECT_EQ(fakes.ui.lastStatus(), u"A1～C3 を消去しました.");
    EXPECT_FALSE(sheet.Modified);
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());

    // Texts only, then lines only: cleared without the dialog.
    type(1, 1, u"5"_s);
    type(2, 1, u"=A1*2"_s);
    type(1, 2, u"x"_s);
    sheet.Modified = false;
    select(1, 2, 1, 3);
    run(CommandId::Clear);
    EXPECT_EQ(cell(1, 2), QString());
    EXPECT_TRUE(sheet.Modified);
    sheet.CellLines[3][2][5] = 0x10;
    sheet.CellLines[5][2][5] = core::PageBreakMark;
    select(2, 5, 2, 5);
    run(CommandId::Clear);
    EXPECT_EQ(sheet.CellLines[3][2][5], 0);
    EXPECT_EQ(sheet.CellLines[5][2][5], core::PageBreakMark); // page breaks stay
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());

    // Both: the dialog decides; both boxes cleared changes nothing.
    sheet.CellLines[4][1][1] = 0x10;
    select(1, 1, 2, 1);
    fakes.ui.clearDialog = [](edit::ClearDialogState& d) {
        d.chkData = false;
        d.chkLine = false;
        return true;
    };
    run(CommandId::Clear);
    EXPECT_EQ(cell(1, 1), number(u"5"));
    EXPECT_EQ(sheet.CellLines[4][1][1], 0x10);
    EXPECT_EQ(fakes.ui.dialogs, QStringList{u"TfClr"_s});

    // Lines only chosen: the numbers stay.
    fakes.ui.clearDialog = [](edit::ClearDialogState& d) {
        d.chkData = false;
        d.chkLine = true;
        return true;
    };
    run(CommandId::Clear);
    EXPECT_EQ(cell(1, 1), number(u"5"));
    EXPECT_EQ(sheet.CellLines[4][1][1], 0);
    EXPECT_EQ(fakes.ui.lastStatus(), u"A1～B1 を消去しました.");
}

TEST_F(ClearRowsLinksTest, ClearingOneCellCanBeUndoneAndFormulasFollow)
{
    type(1, 1, u"5"_s);
    type(2, 1, u"=A1*2"_s);
    EXPECT_EQ(shown(2, 1).trimmed(), u"10");
    select(1, 1, 1, 1);
    run(CommandId::Clear);
    EXPECT_EQ(shown(2, 1).trimmed(), u"0");
    EXPECT_EQ(app.BusyDepth, 0);
    run(CommandId::Undo);
    EXPECT_EQ(cell(1, 1), number(u"5"));
    EXPECT_EQ(shown(2, 1).trimmed(), u"10");

    // A block is cleared for good: the undo record stays as it was.
    const core::undodata before = sheet.UndoData;
    select(1, 1, 2, 1);
    run(CommandId::Clear);
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(sheet.UndoData.col, before.col);
    EXPECT_EQ(sheet.UndoData.str, before.str);
}

TEST_F(ClearRowsLinksTest, TheRowCountCutsCellsLinesBreaksAndThePrintArea)
{
    type(1, 5, u"kept"_s);
    type(1, 50, u"gone"_s);
    sheet.CellLines[5][3][60] = core::PageBreakMark;
    sheet.PageBreaks = {u"60"_s, u"8"_s};
    sheet.PrintArea = core::CellBlock{1, 2, 5, 70};
    sheet.Modified = false;
    const auto count = [&](int n) {
        fakes.ui.rowCountDialog = [n](int& rows) {
            rows = n;
            return true;
        };
        run(CommandId::RowCount);
    };
    fakes.ui.statuses.clear();
    count(100); // unchanged: nothing, not even a message
    EXPECT_TRUE(fakes.ui.statuses.isEmpty());

    count(10);
    EXPECT_EQ(sheet.SheetRows, 10);
    EXPECT_EQ(fakes.ui.lastStatus(), u"行数を10に変更しました.");
    EXPECT_EQ(sheet.PageBreaks, QStringList{u"8"_s});
    EXPECT_EQ(sheet.PrintArea.bottom, 10);
    EXPECT_EQ(app.pageLayout.printAreaLabel, u"印刷範囲: A5～B10");
    EXPECT_EQ(sheet.UndoData.col, 0); // the undo of row 50 is forgotten
    EXPECT_FALSE(sheet.Modified);
    count(100);
    EXPECT_EQ(cell(1, 50), QString());
    EXPECT_EQ(sheet.CellLines[5][3][60], 0);
    EXPECT_EQ(cell(1, 5), text(u"kept"));

    // Below the print area's top the area is switched off.
    count(4);
    EXPECT_TRUE(sheet.PrintArea.isEmpty());
    EXPECT_FALSE(fakes.ui.printAreaIndicator);
    EXPECT_EQ(app.pageLayout.printAreaLabel, QString());

    // Out of range counts come to the nearest bound.
    count(40000);
    EXPECT_EQ(sheet.SheetRows, core::MaxRows);
}

TEST_F(ClearRowsLinksTest, LinksStartProgramsAndDocumentsWithoutAShell)
{
    fakes.shell.targets.insert(u"/usr/bin/my tool"_s,
                               {platform::LinkTarget::Program, u"/usr/bin/my tool"_s});
    fakes.shell.targets.insert(u"report.txt"_s, {platform::LinkTarget::Document, QString()});
    fakes.shell.targets.insert(u"/data/a.mvx"_s, {platform::LinkTarget::Worksheet, u"/opt/mavix"_s});
    struct Case {
        QString cell;
        QString call;
    };
    const Case cases[] = {
        {u"report.txt"_s, u"open report.txt"_s},
        {u"notepad.exe readme.txt"_s, u"run notepad.exe [readme.txt]"_s},
        {u"\"/usr/bin/my tool\" -x \"a b\""_s, u"run /usr/bin/my tool [-x] [a b]"_s},
        {u"\"/data/a.mvx\" B12"_s, u"run /opt/mavix [/data/a.mvx] [B12]"_s},
        {u"a.txt; touch pwned"_s, u"open a.txt; touch pwned"_s},
        {u"https://example.org/"_s, u"open https://example.org/"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.toStdString());
        fakes.shell.calls.clear();
        type(1, 1, c.cell);
        select(1, 1, 1, 1);
        run(CommandId::Link);
        EXPECT_EQ(fakes.shell.calls, QStringList{c.call});
    }
    EXPECT_EQ(fakes.ui.lastStatus(), u"A1:https://example.org/ リンク.");

    // Empty cells and blanks are skipped without a word.
    fakes.shell.calls.clear();
    type(2, 1, u"   "_s);
    select(2, 1, 2, 2);
    fakes.ui.statuses.clear();
    run(CommandId::Link);
    EXPECT_TRUE(fakes.shell.calls.isEmpty());
    EXPECT_TRUE(fakes.ui.statuses.isEmpty());
}

TEST_F(ClearRowsLinksTest, ManyCellsAskFirstAndFailuresAskToGoOn)
{
    for (int r = 1; r <= 11; ++r)
        type(1, r, u"f"_s + QString::number(r) + u".txt"_s);
    fakes.shell.failing = {u"f1.txt"_s, u"f2.txt"_s};
    // Ten cells: no question; the first failure asks, No stops.
    select(1, 1, 1, 10);
    fakes.ui.answers = {platform::Answer::No};
    run(CommandId::Link);
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{u"Mavix:\r\n指定されたファイルが見つかりません。\r\nf1.txt リンク失敗.\r\n次のリンクを実行しますか？"_s});
    EXPECT_EQ(fakes.shell.calls, QStringList{u"open f1.txt"_s});

    // Eleven cells: the memory question first; Yes to going on runs the rest.
    fakes.ui.messages.clear();
    fakes.shell.calls.clear();
    select(1, 1, 1, 11);
    fakes.ui.answers = {platform::Answer::Yes, platform::Answer::Yes, platform::Answer::Yes};
    run(CommandId::Link);
    ASSERT_EQ(fakes.ui.messages.size(), 3u);
    EXPECT_TRUE(fakes.ui.messages[0].text.startsWith(u"Mavix:\r\n選択したセルが10個以上あり"));
    EXPECT_EQ(fakes.shell.calls.size(), 11);

    // A single failing cell only writes to the status bar.
    fakes.ui.messages.clear();
    select(1, 2, 1, 2);
    run(CommandId::Link);
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(fakes.ui.lastStatus(), u"指定されたファイルが見つかりません。\r\nf2.txt リンク失敗.");
}

TEST(SplitCommandLineTest, QuotesGroupBlanks)
{
    EXPECT_EQ(edit::SplitCommandLine(u"a  \"b c\" d\"e f\" \"\""_s),
              (QStringList{u"a"_s, u"b c"_s, u"de f"_s, QString()}));
    EXPECT_TRUE(edit::SplitCommandLine(u"   "_s).isEmpty());
}

} // namespace
