#include "TestFiles.h"
#include "WorksheetFixture.h"

#include "core/Cells.h"
#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

using platform::Answer;
using platform::SaveChoice;

class FileCommandsTest : public WorksheetFixture {
protected:
    /// A worksheet file with the texts in row 1 from column A.
    QString makeFile(const char* name, const QStringList& row1)
    {
        return testfiles::WriteRowWorksheet(path(name), row1);
    }
    void select(int left, int top, int right, int bottom)
    {
        app.grid.selection = core::CellBlock{left, right, top, bottom};
        app.grid.col = left;
        app.grid.row = top;
    }
    void answerSave(const QString& file, int filter = 1)
    {
        fakes.fileDialogs.saveAnswers.push_back(SaveChoice{file, filter, true});
    }
    const platform::Message& lastMessage() const { return fakes.ui.messages.back(); }
};

TEST_F(FileCommandsTest, OpenSetsNameTitleRecentFilesAndHold)
{
    const QString file = makeFile("a.mvx", {u"\t5"_s, u"=A1*2"_s});
    files::OpenFile(app, file);
    EXPECT_EQ(sheet.FileName, file);
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - "_s + file);
    EXPECT_EQ(fakes.ui.recentFiles, QStringList{file});
    EXPECT_EQ(fakes.fileHold.held, file);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(sheet.GridText[2][1].trimmed(), u"10"); // recalculated and shown
    EXPECT_EQ(fakes.ui.statuses.first(), u"Mavix データ読み込み開始...");
    EXPECT_TRUE(fakes.ui.statuses.contains(u"1行読み込み完了．計算中..."_s));
    EXPECT_EQ(fakes.ui.lastStatus(), u"データ読み込み終了.");
    EXPECT_FALSE(fakes.ui.busy);
}

TEST_F(FileCommandsTest, OpenedFormulaInErrorShowsItsMark)
{
    const QString file = makeFile("e.mvx", {u"\t1"_s, u"=1/0"_s, u"=A1+1"_s});
    files::OpenFile(app, file);
    EXPECT_EQ(sheet.GridText[1][1].trimmed(), u"1");
    EXPECT_EQ(sheet.GridText[2][1], u"#０割?");
    EXPECT_EQ(sheet.GridText[3][1].trimmed(), u"2");
    files::AppendCommand(app); // no dialog answer: nothing happens
    const int offset = sheet.SheetRows;
    fakes.fileDialogs.openAnswers = {file};
    files::AppendCommand(app);
    EXPECT_EQ(sheet.GridText[1][offset + 1].trimmed(), u"1");
    EXPECT_EQ(sheet.GridText[2][offset + 1], u"#０割?");
}

TEST_F(FileCommandsTest, OpenMissingFileNamesIt)
{
    files::OpenFile(app, path("none.MVX"));
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{path("none.MVX") + u" が存在しません."_s});
    EXPECT_EQ(lastMessage().icon, platform::Icon::Error);
}

TEST_F(FileCommandsTest, UnsavedChangesQuestionBeforeOpen)
{
    const QString file = makeFile("a.mvx", {u"\bnew"_s});
    put(1, 1, u"\bedited");
    sheet.Modified = true;

    fakes.ui.answers = {Answer::Cancel};
    fakes.fileDialogs.openAnswers = {file};
    files::OpenCommand(app);
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    const platform::Message& question = fakes.ui.messages[0];
    EXPECT_EQ(question.caption, u"開く");
    EXPECT_EQ(question.text, u"データが変更されていますが\r\n保存しますか？");
    EXPECT_EQ(question.buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(question.buttonTexts,
              (QStringList{u"保存(&S)"_s, u"破棄(&D)"_s, u"キャンセル"_s}));
    EXPECT_TRUE(fakes.fileDialogs.openTitles.isEmpty());
    EXPECT_EQ(text(1, 1), u"\bedited");

    // Save, but the save dialog is cancelled: nothing is opened.
    fakes.ui.answers = {Answer::Yes};
    files::OpenCommand(app);
    EXPECT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_TRUE(fakes.fileDialogs.openTitles.isEmpty());

    fakes.ui.answers = {Answer::No};
    files::OpenCommand(app);
    EXPECT_EQ(fakes.fileDialogs.openTitles, QStringList{u"開く"_s});
    EXPECT_EQ(text(1, 1), u"\bnew");
}

TEST_F(FileCommandsTest, OpenRecentAsksThenOpensThatEntry)
{
    const QString a = makeFile("a.mvx", {u"\ba"_s});
    const QString b = makeFile("b.mvx", {u"\bb"_s});
    sheet.RecentFiles = QStringList{a, b};
    sheet.Modified = true;
    fakes.ui.answers = {Answer::No};
    files::OpenRecent(app, 1);
    EXPECT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(text(1, 1), u"\bb");
    EXPECT_EQ(sheet.RecentFiles, (QStringList{b, a}));
}

TEST_F(FileCommandsTest, SaveOfReadOnlyFileIsRefused)
{
    const QString file = makeFile("ro.mvx", {u"\bx"_s});
    const QByteArray before = readBytes(file);
    fakes.fileHold.denied = QStringList{file};
    fakes.ui.answers = {Answer::Yes}; // open read-only
    files::OpenFile(app, file);
    EXPECT_EQ(fakes.ui.messages[0].text,
              file + u" は書き込めません。\r\n（アクセス権、読み取り専用、使用中 など）\r\n"
                     u"読み取り専用で開きますか？"_s);
    EXPECT_EQ(fakes.ui.messages[0].helpContext, 18);
    EXPECT_TRUE(sheet.ReadOnly);
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - "_s + file + u" [読み取り専用]"_s);
    EXPECT_FALSE(fakes.fileHold.isHolding());

    put(1, 1, u"\bchanged");
    sheet.Modified = true;
    EXPECT_FALSE(files::SaveCommand(app, false));
    EXPECT_EQ(lastMessage().text, u"ro.mvx は読み取り専用です。\r\n別の名前で保存してください。");
    EXPECT_EQ(lastMessage().icon, platform::Icon::Warning);
    EXPECT_TRUE(fakes.fileDialogs.saveRequests.empty());
    EXPECT_EQ(readBytes(file), before);
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(FileCommandsTest, SaveAsWithOneCellSavesTheWholeArea)
{
    put(1, 1, u"\ba1");
    put(3, 4, u"\bc4");
    select(2, 2, 2, 2);
    answerSave(path("whole"));
    EXPECT_TRUE(files::SaveCommand(app, true));
    ASSERT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].title, u"全範囲の保存");
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].fileName, u"");
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].filterIndex, 0);
    const QString file = path("whole.MVX");
    EXPECT_EQ(sheet.FileName, file);
    EXPECT_EQ(fileLines(file)[2], u"Area,3,4");
    EXPECT_EQ(fakes.ui.lastStatus(), u"ファイルへの書き込み完了.");
    EXPECT_TRUE(fakes.ui.statuses.contains(u"ファイルへ書き込み中..."_s));
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - "_s + file);
    EXPECT_EQ(fakes.fileHold.held, file);
    EXPECT_EQ(sheet.RecentFiles, QStringList{file});
}

TEST_F(FileCommandsTest, SaveAsWithRangeSavesTheBlockThatOpensAtA1)
{
    put(2, 2, u"\bb2");
    put(3, 3, u"=B2");
    put(5, 5, u"\boutside");
    select(2, 2, 3, 3);
    answerSave(path("part.mvx"));
    EXPECT_TRUE(files::SaveCommand(app, true));
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].title, u"指定範囲の保存");
    const QString file = path("part.mvx"); // the extension is kept in its own letter case
    EXPECT_EQ(sheet.FileName, file);
    files::OpenFile(app, file);
    EXPECT_EQ(sheet.LastCol, 2);
    EXPECT_EQ(sheet.LastRow, 2);
    EXPECT_EQ(text(1, 1), u"\bb2");
    EXPECT_EQ(text(2, 2), u"=B2");
    EXPECT_EQ(text(5, 5), u"");
}

TEST_F(FileCommandsTest, PlainSaveUsesTheCurrentNameWithoutDialog)
{
    const QString file = makeFile("book.mvx", {u"\bold"_s});
    files::OpenFile(app, file);
    put(1, 1, u"\bnew");
    sheet.Modified = true;
    EXPECT_TRUE(files::SaveCommand(app, false));
    EXPECT_TRUE(fakes.fileDialogs.saveRequests.empty());
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(sheet.FileName, file);
    EXPECT_EQ(fileLines(file)[fileLines(file).indexOf(u"Data"_s) + 1], u"\bnew");
    EXPECT_FALSE(QFile::exists(path("book.MVX")));
}

TEST_F(FileCommandsTest, SaveOfCsvSheetShowsTheDialogWithCsvFilter)
{
    put(1, 1, u"\bx");
    sheet.FileName = path("data.csv");
    EXPECT_FALSE(files::SaveCommand(app, false)); // dialog cancelled
    ASSERT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].filterIndex, 2);
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].fileName, path("data"));
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].title, u"全範囲の保存");
}

TEST_F(FileCommandsTest, RefusedWriteKeepsNameModifiedAndHold)
{
    const QString file = makeFile("mine.mvx", {u"\bx"_s});
    files::OpenFile(app, file);
    sheet.Modified = true;
    fakes.fileHold.denied = QStringList{path("locked.MVX")};
    answerSave(path("locked"));
    EXPECT_FALSE(files::SaveCommand(app, true));
    EXPECT_EQ(lastMessage().text, path("locked.MVX") + u" はアクセス権が無いので書き込めません。"_s);
    EXPECT_EQ(lastMessage().helpContext, 18);
    EXPECT_EQ(sheet.FileName, file);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(fakes.fileHold.held, file);
    EXPECT_FALSE(fakes.ui.busy);
    EXPECT_FALSE(QFile::exists(path("locked.MVX")));
}

TEST_F(FileCommandsTest, FailedWriteIsReportedAndNotCountedAsSaved)
{
    put(1, 1, u"\bx");
    sheet.Modified = true;
    answerSave(path("missing/folder/book"));
    EXPECT_FALSE(files::SaveCommand(app, true));
    // The trial open of the fake passes; the write itself fails.
    EXPECT_TRUE(lastMessage().text.startsWith(path("missing/folder/book.MVX") + u"\r\n"_s));
    EXPECT_EQ(lastMessage().icon, platform::Icon::Error);
    EXPECT_EQ(sheet.FileName, u"");
    EXPECT_TRUE(sheet.Modified);
    EXPECT_TRUE(sheet.RecentFiles.isEmpty());
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - [新規]");
}

TEST_F(FileCommandsTest, AppendOfCsvIsRefused)
{
    fakes.fileDialogs.openAnswers = {path("list.CSV")};
    files::AppendCommand(app);
    EXPECT_EQ(fakes.fileDialogs.openTitles, QStringList{u"追加読み込み"_s});
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{path("list.CSV") + u" は\r\nMavixのファイルではありません."_s});
    fakes.ui.messages.clear();
    fakes.fileDialogs.openAnswers = {path("gone.mvx")};
    files::AppendCommand(app);
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{path("gone.mvx") + u" が読み込めません."_s});
}

TEST_F(FileCommandsTest, AppendAddsRowsBelowAndKeepsTheFileName)
{
    const QString mine = makeFile("mine.mvx", {u"\t1"_s, u"\bfirst"_s});
    files::OpenFile(app, mine);
    sheet.PrintArea = core::CellBlock{1, 2, 1, 1};
    const QString more = makeFile("more.mvx", {u"\t2"_s, u"=A1*3"_s});
    fakes.ui.messages.clear();
    fakes.fileDialogs.openAnswers = {more};
    files::AppendCommand(app);
    EXPECT_TRUE(fakes.ui.messages.empty()); // no unsaved-changes question
    EXPECT_EQ(sheet.SheetRows, 40); // 20 rows and the 20 rows of the file
    EXPECT_EQ(text(1, 21), u"\t2");
    EXPECT_EQ(text(2, 21), u"=A21*3");
    EXPECT_EQ(sheet.GridText[2][21].trimmed(), u"6");
    EXPECT_EQ(sheet.LastRow, 21);
    EXPECT_EQ(sheet.FileName, mine);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_TRUE(sheet.PrintArea.isEmpty());
    EXPECT_EQ(sheet.RecentFiles, QStringList{mine});
    EXPECT_TRUE(fakes.ui.statuses.contains(u"21行まで追加完了．計算中..."_s));
    EXPECT_EQ(fakes.ui.lastStatus(), u"データ追加読み込み終了.");
}

TEST_F(FileCommandsTest, AppendKeepsEarlierUnsavedEditsProtected)
{
    put(1, 1, u"\btyped");
    sheet.Modified = true;
    fakes.fileDialogs.openAnswers = {makeFile("more.mvx", {u"\bx"_s})};
    files::AppendCommand(app);
    EXPECT_EQ(text(1, 21), u"\bx");
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(FileCommandsTest, AppendOfOldVersionAsksFirst)
{
    const QString old = writeLines("old.mvx", {u"[Mavix],2.10"_s, u"Size,26,3"_s,
                                               u"Area,1,1"_s, u"Data"_s, u"abc"_s});
    fakes.fileDialogs.openAnswers = {old};
    fakes.ui.answers = {Answer::Cancel};
    files::AppendCommand(app);
    EXPECT_EQ(fakes.ui.messageTexts(),
              (QStringList{u"このファイルはMavixの古いバージョンのデータなので\r\n正常に読み込めない"
                           u"可能性があります.\r\nファイルの追加読み込みを行いますか ?"_s,
                           u"データの読み込みに失敗しました"_s}));
    EXPECT_EQ(sheet.SheetRows, 20);
    fakes.fileDialogs.openAnswers = {old};
    fakes.ui.answers = {Answer::Ok};
    files::AppendCommand(app);
    EXPECT_EQ(sheet.SheetRows, 23);
    EXPECT_EQ(text(1, 21), u"\babc"); // converted like an old file
}

TEST_F(FileCommandsTest, StartupFileMovesToTheNamedCell)
{
    const QString file = makeFile("a.mvx", {u"\bx"_s});
    files::OpenStartupFile(app, file, u"B12"_s);
    EXPECT_EQ(app.grid.col, 2);
    EXPECT_EQ(app.grid.row, 12);
    EXPECT_EQ(fakes.ui.cellNamePanel, u"B12");
    for (const QString& cell : {u"A0"_s, u"B99999"_s}) {
        files::OpenStartupFile(app, file, cell);
        EXPECT_EQ(app.grid.col, 1) << cell.toStdString();
        EXPECT_EQ(app.grid.row, 1) << cell.toStdString();
    }
    // A name relative to the start directory is kept whole.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QFileInfo(file).absolutePath());
    files::OpenStartupFile(app, u"a.mvx"_s, QString());
    QDir::setCurrent(before);
    EXPECT_EQ(sheet.FileName, QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(sheet.RecentFiles.value(0), QFileInfo(file).absoluteFilePath());
}

} // namespace
