// Commands fired while a long loop lets window messages run are refused; the loop finishes
// with the result it would have had alone.
#include "CommandFixture.h"

#include "edit/EditorKeys.h"
#include "edit/Entry.h"
#include "edit/InsertDelete.h"
#include "edit/InsertDialogState.h"
#include "files/Csv.h"

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

constexpr CommandId SheetCommands[] = {
    CommandId::New,    CommandId::Open,   CommandId::Append, CommandId::Save,
    CommandId::SaveAs, CommandId::Insert, CommandId::Delete, CommandId::Undo,
    CommandId::Font,   CommandId::Exit,   CommandId::Recent0};

class BusyTest : public CommandFixture {
protected:
    /// Once, in the middle of the next long loop, a user clicks every command that changes
    /// something and types; every dialog would say OK.
    void interruptOnce(int atCall = 20)
    {
        fakes.fileDialogs.openAnswers.push_back(worksheet("other.mvx", {u"\bother"_s}));
        fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{path("other"), 1, true});
        fakes.ui.insertDialog = [](edit::InsertDialogState&) { return true; };
        fakes.ui.fontDialog = [](const platform::FontSpec&) {
            return std::optional(platform::FontSpec{u"Other"_s, 30, true, false});
        };
        app.sheet.RecentFiles = {path("other.mvx")};
        m_atCall = atCall;
        fakes.ui.duringProcessEvents = [this, atCall] {
            if (++m_calls != atCall)
                return;
            for (CommandId id : SheetCommands)
                run(id);
            m_typingBegan = edit::BeginTyping(app);
            edit::EdKeyDown(app, edit::Key::Down, Qt::NoModifier);
        };
    }
    /// Nothing of the interruption got through; the interrupted command itself showed
    /// `ownSaveDialogs` save dialogs and `ownDialogs` other dialogs.
    void expectRefused(std::size_t ownSaveDialogs = 0, qsizetype ownDialogs = 0)
    {
        EXPECT_GE(m_calls, m_atCall);
        EXPECT_TRUE(fakes.ui.statuses.contains(u"処理中のため実行できません."_s));
        EXPECT_EQ(fakes.ui.dialogs.size(), ownDialogs);
        EXPECT_TRUE(fakes.fileDialogs.openTitles.isEmpty());
        EXPECT_EQ(fakes.fileDialogs.saveRequests.size(), ownSaveDialogs);
        EXPECT_EQ(fakes.ui.closeRequests, 0);
        EXPECT_EQ(fakes.ui.beeps, 0);
        EXPECT_FALSE(m_typingBegan);
        EXPECT_EQ(app.InputMode, 0);
        EXPECT_EQ(app.BusyDepth, 0);
        // The busy state began once and ended once, however deep the loops nested.
        EXPECT_EQ(fakes.ui.busyChanges, (QList<bool>{true, false}));
    }
    static void expectSameCells(const App& a, const App& b)
    {
        ASSERT_EQ(a.sheet.SheetRows, b.sheet.SheetRows);
        for (int c = 1; c <= core::MaxCols; ++c)
            for (int r = 1; r <= a.sheet.SheetRows; ++r) {
                ASSERT_EQ(a.sheet.CellText[c][r], b.sheet.CellText[c][r]) << c << "," << r;
                ASSERT_EQ(a.sheet.GridText[c][r], b.sheet.GridText[c][r]) << c << "," << r;
            }
    }
    static void fill(App& target, int rows)
    {
        target.sheet.SheetRows = std::max(target.sheet.SheetRows, rows);
        core::ResizeSheet(target);
        for (int r = 1; r <= rows; ++r) {
            target.sheet.CellText[1][r] = u"\t"_s + QString::number(r);
            target.sheet.CellText[2][r] = u"=A"_s + QString::number(r) + u"*2"_s;
            target.sheet.CellText[3][r] = u"\b行"_s + QString::number(r);
        }
        core::RescanExtent(target);
    }

private:
    int m_calls = 0;
    int m_atCall = 0;
    bool m_typingBegan = false;
};

TEST_F(BusyTest, CsvImportFinishesAsItWouldAlone)
{
    QByteArray csv;
    for (int r = 1; r <= 300; ++r)
        csv += QByteArray::number(r) + ",=A" + QByteArray::number(r) + "+1,項目\r\n";
    const QString file = writeFile("in.csv", csv);
    interruptOnce();
    files::OpenCsv(app, file);
    expectRefused();
    EXPECT_EQ(fakes.ui.lastStatus(), u"ＣＳＶファイル読み込み終了.");
    EXPECT_EQ(app.sheet.FileName, file);
    EXPECT_FALSE(app.sheet.Modified);

    CommandSession alone;
    files::OpenCsv(alone.app, file);
    expectSameCells(app, alone.app);
    EXPECT_EQ(app.sheet.GridText[2][300].trimmed(), u"301");
}

TEST_F(BusyTest, WorksheetSaveWritesTheSheetItStartedWith)
{
    fill(app, 200);
    fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{path("quiet"), 1, true});
    run(CommandId::SaveAs);
    const QByteArray quiet = readFile(path("quiet.MVX"));
    ASSERT_FALSE(quiet.isEmpty());
    fakes.ui = platform::FakeUi{};
    fakes.fileDialogs.saveRequests.clear();

    // The same save again, with New, Open and the rest clicked while it writes.
    interruptOnce();
    fakes.fileDialogs.saveAnswers.push_front(platform::SaveChoice{path("busy"), 1, true});
    run(CommandId::SaveAs);
    expectRefused(1);
    EXPECT_EQ(fakes.ui.lastStatus(), u"ファイルへの書き込み完了.");
    EXPECT_EQ(readFile(path("busy.MVX")), quiet);
    EXPECT_EQ(app.sheet.CellText[3][200], u"\b行200");
    EXPECT_EQ(app.sheet.FileName, path("busy.MVX"));
}

TEST_F(BusyTest, InsertShiftsOnceAndKeepsTheSheetWhole)
{
    fill(app, 150);
    edit::MoveCurrentCell(app, 1, 10);
    app.insertDialog.optAdd = edit::InsertDialogState::Rows;
    fakes.ui.insertDialog = [](edit::InsertDialogState& d) {
        d.txtNum = 3;
        return true;
    };
    CommandSession alone;
    fill(alone.app, 150);
    edit::MoveCurrentCell(alone.app, 1, 10);
    alone.app.insertDialog = app.insertDialog;
    alone.fakes.ui.insertDialog = fakes.ui.insertDialog;
    alone.run(CommandId::Insert);
    ASSERT_EQ(alone.fakes.ui.lastStatus(), u"挿入処理終了.");

    const auto insertThree = fakes.ui.insertDialog;
    fakes.ui = platform::FakeUi{};
    interruptOnce(2);
    fakes.ui.insertDialog = insertThree;
    run(CommandId::Insert);
    expectRefused(0, 1);
    EXPECT_EQ(fakes.ui.lastStatus(), u"挿入処理終了.");
    expectSameCells(app, alone.app);
    EXPECT_EQ(app.sheet.SheetRows, 153);
    EXPECT_EQ(app.sheet.CellText[2][13], u"=A13*2"); // the formula followed its row
}

} // namespace
