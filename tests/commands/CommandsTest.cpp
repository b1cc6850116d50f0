// Every command runs headless through the command table; the table says which may run now.
#include "CommandFixture.h"

#include "core/Busy.h"
#include "edit/InsertDialogState.h"
#include "tools/ColumnDialogState.h"
#include "tools/FileSearch.h"
#include "tools/Replace.h"
#include "tools/ReplaceDialogState.h"
#include "tools/SearchDialogState.h"
#include "tools/SortDialogState.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using commands::CommandEnabled;
using commands::CommandId;
using platform::Answer;

using CommandsTest = CommandFixture;

TEST_F(CommandsTest, EveryBuiltCommandRunsHeadlessAndSaysWhatItDid)
{
    struct Case {
        CommandId id;
        std::function<void(CommandSession&)> prepare;
        QString effect;
        QString message; // the first message box's text, empty: none
    };
    const auto answerOpen = [](const char* name) {
        return [name](CommandSession& t) {
            t.fakes.fileDialogs.openAnswers.push_back(t.worksheet(name, {u"\t5"_s}));
        };
    };
    const auto answerSave = [](const char* name) {
        return [name](CommandSession& t) {
            t.put(1, 1, u"\bx"_s);
            t.fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{t.path(name), 1, true});
        };
    };
    const auto insertDialogOk = [](CommandSession& t) {
        t.put(1, 3, u"\bx"_s);
        t.fakes.ui.insertDialog = [](edit::InsertDialogState&) { return true; };
    };
    const Case cases[] = {
        {CommandId::New, nullptr, u"初期化完了."_s, u"全データを消去してもよろしいですか"_s},
        {CommandId::Open, answerOpen("a.mvx"), u"データ読み込み終了."_s, {}},
        {CommandId::Append, answerOpen("b.mvx"), u"データ追加読み込み終了."_s, {}},
        {CommandId::Save, answerSave("c"), u"ファイルへの書き込み完了."_s, {}},
        {CommandId::SaveAs, answerSave("d"), u"ファイルへの書き込み完了."_s, {}},
        {CommandId::Recent0,
         [](CommandSession& t) { t.app.sheet.RecentFiles = {t.worksheet("e.mvx", {u"\bq"_s})}; },
         u"データ読み込み終了."_s, {}},
        {CommandId::Exit, nullptr, u"close"_s, {}},
        {CommandId::Undo, nullptr, u"beep"_s, {}},
        {CommandId::Insert, insertDialogOk, u"挿入処理終了."_s, {}},
        {CommandId::Delete, insertDialogOk, u"削除処理終了."_s, {}},
        {CommandId::Font,
         [](CommandSession& t) {
             t.fakes.ui.fontDialog = [](const platform::FontSpec& current) {
                 platform::FontSpec chosen = current;
                 chosen.size = 20;
                 return std::optional(chosen);
             };
         },
         u"フォントを ＭＳ ゴシック 20ポイントに変更しました."_s, {}},
        {CommandId::Copy, nullptr, u"コピー元を A1～A1 に設定しました"_s, {}},
        {CommandId::Paste,
         [](CommandSession& t) { t.fakes.clipboard.setText(u"7"_s); },
         u"貼り付け処理終了."_s, {}},
        {CommandId::Search,
         [](CommandSession& t) {
             t.put(2, 2, u"\bneedle"_s);
             t.fakes.ui.searchDialog = [](tools::SearchDialogState& d) {
                 d.cbStr = u"needle"_s;
                 return true;
             };
         },
         u"これ以降には検索対象データはありません."_s,
         u"B2 に検索対象データを発見しました.次を検索しますか?"_s},
        {CommandId::SearchForward,
         [](CommandSession& t) { t.app.searchDialog.cbStr = u"x"_s; },
         u"これ以降には検索対象データはありません."_s, {}},
        {CommandId::SearchBackward,
         [](CommandSession& t) { t.app.searchDialog.cbStr = u"x"_s; },
         u"これ以前には検索対象データはありません."_s, {}},
        {CommandId::Replace,
         [](CommandSession& t) {
             t.put(1, 1, u"\bab"_s);
             t.fakes.ui.replaceDialog = [&t](tools::ReplaceDialogState& d) {
                 d.cbBefore = u"a"_s;
                 d.cbAfter = u"c"_s;
                 tools::ReplaceAll(t.app);
             };
         },
         u"置換終了."_s, {}},
        {CommandId::Sort,
         [](CommandSession& t) {
             t.fakes.ui.sortDialog = [](tools::SortDialogState&) { return true; };
         },
         u"並べ替え終了."_s, {}},
        {CommandId::ColumnFormat,
         [](CommandSession& t) {
             t.fakes.ui.columnFormatDialog = [](tools::ColumnFormatDialogState&) { return true; };
         },
         u"列の設定 終了."_s, {}},
        {CommandId::ColumnHeadings,
         [](CommandSession& t) {
             t.fakes.ui.headingDialog = [](tools::HeadingDialogState&) { return true; };
         },
         u"列名表示の設定 終了."_s, {}},
        {CommandId::Graph, nullptr, u"dialog TfGset"_s, {}},
        {CommandId::PrintArea, nullptr, u"印刷範囲を A1～A1 に設定しました"_s, {}},
        {CommandId::Print,
         [](CommandSession& t) {
             t.put(1, 1, u"\bx"_s);
             t.fakes.ui.printDialog = [](bool) { return std::optional(false); };
         },
         u"印刷終了."_s, {}},
        {CommandId::Preview, nullptr, u"印字データがありません"_s, {}},
        {CommandId::Clear, nullptr, u"A1～A1 を消去しました."_s, {}},
        {CommandId::RowCount,
         [](CommandSession& t) {
             t.fakes.ui.rowCountDialog = [](int& rows) {
                 rows = 30;
                 return true;
             };
         },
         u"行数を30に変更しました."_s, {}},
        {CommandId::Link, [](CommandSession& t) { t.put(1, 1, u"\bdoc.txt"_s); },
         u"A1:doc.txt リンク."_s, {}},
        {CommandId::FileSearch,
         [](CommandSession& t) {
             const QString file = t.worksheet("f.mvx", {u"\bneedle"_s});
             t.fakes.ui.fileSearchDialog = [file](tools::FileSearchDialogState& d) {
                 d.lbFiles = {file};
                 d.cbStr = u"needle"_s;
                 return true;
             };
         },
         u"ファイル検索完了．1件見つかりました．"_s, {}},
        {CommandId::ToolbarEditor,
         [](CommandSession& t) {
             t.fakes.ui.toolbarEditor = [](settings::ToolbarEditorState& d) {
                 d.checked.fill(false);
                 return true;
             };
         },
         u"dialog TfTip"_s, {}},
        {CommandId::SystemSettings,
         [](CommandSession& t) {
             t.fakes.desktop.userFolder = t.path("Mavix");
             t.fakes.ui.systemSettingsDialog = [](settings::SystemSettingsState&) {
                 return settings::SysSetClose::StartMenuOk;
             };
         },
         u"スタートメニューに登録しました．"_s, {}},
        {CommandId::About, nullptr, u"dialog TfAbout"_s, {}},
        {CommandId::Help, nullptr, u"help contents"_s, {}},
        {CommandId::OperationHelp, nullptr, u"help keyword:マウスとキーの操作"_s, {}},
    };
    for (const Case& c : cases) {
        const commands::CommandEntry& entry = commands::CommandEntryOf(c.id);
        SCOPED_TRACE(entry.name ? entry.name : entry.popupName);
        CommandSession t;
        if (c.prepare)
            c.prepare(t);
        ASSERT_TRUE(CommandEnabled(t.app, c.id));
        t.run(c.id);
        EXPECT_EQ(t.lastEffect(), c.effect);
        EXPECT_EQ(t.fakes.ui.messages.empty() ? QString() : t.fakes.ui.messages[0].text,
                  c.message);
        EXPECT_EQ(t.app.BusyDepth, 0);
        EXPECT_FALSE(t.fakes.ui.busy);
    }
}

TEST_F(CommandsTest, CommandsNotBuiltYetAreGreyedAndDoNothing)
{
    int unbuilt = 0;
    for (const commands::CommandEntry& entry : commands::CommandTable()) {
        if (entry.built)
            continue;
        ++unbuilt;
        SCOPED_TRACE(entry.name ? entry.name : "btP15");
        EXPECT_FALSE(CommandEnabled(app, entry.id));
        run(entry.id);
    }
    EXPECT_GT(unbuilt, 0);
    EXPECT_TRUE(fakes.ui.statuses.isEmpty());
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());
}

TEST_F(CommandsTest, TypingAndThePickListLeaveOnlyTheHelpMenu)
{
    for (std::uint8_t mode : {1, 2}) {
        SCOPED_TRACE(mode);
        app.InputMode = mode;
        EXPECT_TRUE(CommandEnabled(app, CommandId::Help));
        for (CommandId id : {CommandId::New, CommandId::Open, CommandId::Save, CommandId::Undo,
                             CommandId::Insert, CommandId::Font, CommandId::OperationHelp})
            EXPECT_FALSE(CommandEnabled(app, id)) << commands::CommandEntryOf(id).caption;
        run(CommandId::New);
        EXPECT_TRUE(fakes.ui.messages.empty());
    }
    app.InputMode = 0;
    EXPECT_TRUE(CommandEnabled(app, CommandId::New));
}

TEST_F(CommandsTest, ALongLoopRefusesWhatChangesTheSheetFileOrWindow)
{
    put(1, 1, u"\bkept"_s);
    core::BusyGuard busy(app);
    for (const commands::CommandEntry& entry : commands::CommandTable()) {
        SCOPED_TRACE(entry.name ? entry.name : entry.popupName);
        EXPECT_EQ(CommandEnabled(app, entry.id), entry.built && entry.whileBusy);
    }
    EXPECT_TRUE(CommandEnabled(app, CommandId::Help));
    run(CommandId::New);
    run(CommandId::Exit);
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(fakes.ui.closeRequests, 0);
    EXPECT_EQ(fakes.ui.lastStatus(), u"処理中のため実行できません.");
    EXPECT_EQ(app.sheet.CellText[1][1], u"\bkept");
    busy.end();
    EXPECT_TRUE(CommandEnabled(app, CommandId::New));
}

TEST_F(CommandsTest, RecentItemsRunOnlyForFilledEntries)
{
    app.sheet.RecentFiles = {u"/nowhere/a.mvx"_s};
    EXPECT_TRUE(CommandEnabled(app, CommandId::Recent0));
    EXPECT_FALSE(CommandEnabled(app, CommandId::Recent1));
    EXPECT_FALSE(CommandEnabled(app, CommandId::Recent9));
}

TEST_F(CommandsTest, CloseQueryAsksSavesTheSettingsAndClosesHelp)
{
    EXPECT_TRUE(commands::CloseQuery(app)); // unchanged: no question
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(fakes.help.calls, QStringList{u"close"_s});
    EXPECT_FALSE(fakes.settings.values.isEmpty());

    put(1, 1, u"\bx"_s);
    app.sheet.Modified = true;
    fakes.settings.values.clear();
    fakes.help.calls.clear();
    fakes.ui.answers = {Answer::Yes}; // save, but the save dialog is cancelled
    EXPECT_FALSE(commands::CloseQuery(app));
    EXPECT_EQ(fakes.ui.messages[0].caption, u"Mavixの終了");
    EXPECT_EQ(fakes.ui.messages[0].text, u"データが変更されていますが\r\n保存して終了しますか？");
    EXPECT_EQ(fakes.ui.messages[0].buttonTexts,
              (QStringList{u"保存(&S)"_s, u"破棄(&D)"_s, u"キャンセル"_s}));
    fakes.ui.answers = {Answer::Cancel};
    EXPECT_FALSE(commands::CloseQuery(app));
    // Staying open writes no settings and keeps the help window.
    EXPECT_TRUE(fakes.settings.values.isEmpty());
    EXPECT_TRUE(fakes.help.calls.isEmpty());

    fakes.ui.answers = {Answer::Yes};
    fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{path("closing"), 1, true});
    EXPECT_TRUE(commands::CloseQuery(app));
    EXPECT_TRUE(QFile::exists(path("closing.MVX")));
    fakes.ui.answers = {Answer::No};
    app.sheet.Modified = true;
    EXPECT_TRUE(commands::CloseQuery(app));
    EXPECT_EQ(fakes.help.calls, (QStringList{u"close"_s, u"close"_s}));
}

} // namespace
