// The menus, the popup menu and the toolbar hold every item in its order, with its caption,
// shortcut and tool tip.
#include "ModalBoxes.h"
#include "platform/fake/FakePlatform.h"
#include "commands/CommandTable.h"
#include "ui/TF.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <set>

namespace {

struct Item {
    const char* name; // "-" a separator
    const char* caption;
    const char* shortcut;
};

void expectItems(const QList<QAction*>& actions, const std::vector<Item>& expected)
{
    ASSERT_EQ(actions.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(std::string("item ") + std::to_string(i) + " " + expected[i].name);
        QAction* action = actions[qsizetype(i)];
        if (std::string(expected[i].name) == "-") {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_FALSE(action->isSeparator());
        EXPECT_EQ(action->objectName(), QString::fromUtf8(expected[i].name));
        EXPECT_EQ(action->text(), QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(expected[i].shortcut)));
    }
}

class CommandTableTest : public ::testing::Test {
protected:
    CommandTableTest() { window.FormActivate(); }
    QMenu* menu(const char* name) { return window.findChild<QMenu*>(QString::fromLatin1(name)); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
    ui::TF window{app};
};

TEST_F(CommandTableTest, MainMenuHoldsEveryItemInOrder)
{
    const QList<QAction*> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    const char* captions[] = {"ファイル(&F)", "編集(&E)", "データ(&D)", "設定(&S)", "ヘルプ(&H)"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(top[i]->text(), QString::fromUtf8(captions[i]));

    expectItems(menu("FileMenu")->actions(),
                {{"mnuNew", "新規作成(&N)", ""},
                 {"mnuOpen", "開く(&O)...", "Ctrl+O"},
                 {"mnuApnd", "追加読み込み(&M)...", "Ctrl+M"},
                 {"mnuQsave", "上書き保存(&S)", "Ctrl+S"},
                 {"mnuNsave", "名前を付けて保存(&A)...", "Ctrl+F5"},
                 {"-", "", ""},
                 {"mnuLayout", "ページ設定(&T)...", "Ctrl+T"},
                 {"mnuPrArea", "印刷範囲(&A)", "Ctrl+A"},
                 {"mnuPrev", "印刷プレビュー(&V)...", "Ctrl+U"},
                 {"mnuPrint", "印刷(&P)...", "Ctrl+P"},
                 {"-", "", ""},
                 {"mnuFile0", "&0", ""}, {"mnuFile1", "&1", ""}, {"mnuFile2", "&2", ""},
                 {"mnuFile3", "&3", ""}, {"mnuFile4", "&4", ""}, {"mnuFile5", "&5", ""},
                 {"mnuFile6", "&6", ""}, {"mnuFile7", "&7", ""}, {"mnuFile8", "&8", ""},
                 {"mnuFile9", "&9", ""},
                 {"-", "", ""},
                 {"mnuExit", "終了(&X)", "Alt+F4"}});
    expectItems(menu("EditMenu")->actions(),
                {{"mnuUndo", "元に戻す(&U)", "Ctrl+Z"},
                 {"mnuIns", "挿入(&I)...", "Shift+Ins"},
                 {"mnuDel", "削除(&D)...", "Shift+Del"},
                 {"-", "", ""},
                 {"mnuCopy", "コピー(&C)      Crrl+C", ""},
                 {"mnuPaste", "貼り付け(&P)   Ctrl+V", ""},
                 {"mnuClear", "消去(&E)", "Ctrl+E"}});
    expectItems(menu("DataMenu")->actions(),
                {{"mnuSrch", "検索(&F)...", "Ctrl+F"},
                 {"mnuSrchBef", "前検索[↑] (&B)", "Shift+F3"},
                 {"mnuSrchNxt", "次検索[↓] (&N)", "F3"},
                 {"mnuSrchFile", "ファイル検索(&M)...", "Ctrl+B"},
                 {"mnuRep", "置換(&R)...", "Ctrl+R"},
                 {"-", "", ""},
                 {"mnuLink", "リンク(&X)", "F10"},
                 {"mnuSort", "並べ替え(&S)...", "Ctrl+J"},
                 {"mnuGraph", "グラフ(&G)...", "Ctrl+G"}});
    expectItems(menu("SetMenu")->actions(),
                {{"mnuRowCount", "全体行数(&H)...", "Ctrl+H"},
                 {"mnuFontSet", "フォント(&F)...", "Ctrl+F6"},
                 {"-", "", ""},
                 {"mnuColType", "列の表示形式(&W)...", "Ctrl+W"},
                 {"mnuCname", "列見出し(&C)...", ""},
                 {"mnuLineSet", "罫線(&L)...", "Ctrl+L"},
                 {"mnuPage", "改ページ(&N)", "Ctrl+N"},
                 {"-", "", ""},
                 {"mnuToolBar", "ツールボタンの編集(&T)...", ""},
                 {"mnuSysSet", "システム設定(&S)...", ""}});
    expectItems(menu("HelpMenu")->actions(),
                {{"mnuHelp", "Mavixのヘルプ(&H)", "F1"},
                 {"mnuAbout", "バージョン情報(&A)...", ""}});
}

TEST_F(CommandTableTest, PopupMenuHoldsEveryItemInOrderWithoutShortcuts)
{
    expectItems(window.popupMenu()->actions(),
                {{"pmnuHelp", "操作のヘルプ", ""},
                 {"-", "", ""},
                 {"pmnuUndoU1", "元に戻す(&U)", ""},
                 {"pmnuIns", "挿入(&I)...", ""},
                 {"pmnuDel", "削除(&D)...", ""},
                 {"-", "", ""},
                 {"pmnuCopy", "コピー(&C)", ""},
                 {"pmnuPaste", "貼り付け(&P)", ""},
                 {"pnmuClear", "消去(&E)", ""},
                 {"-", "", ""},
                 {"pmnuFind", "検索(&F)...", ""},
                 {"pmnuSrchBfr", "前検索[↑] (&B)", ""},
                 {"pmnuSrchNxt", "次検索[↓] (&N)", ""},
                 {"pnmuSrchFl", "ファイル検索(M)...", ""},
                 {"pmnuRep", "置換(&R)...", ""},
                 {"-", "", ""},
                 {"pmnuLink", "リンク(&X)", ""},
                 {"pmnuSort", "並べ替え(&S)...", ""},
                 {"pmnuGraph", "グラフ(&G)...", ""},
                 {"-", "", ""},
                 {"KH1", "全体行数(&H)...", ""},
                 {"F1", "フォント(&F)...", ""},
                 {"KW1", "列の表示形式(&W)...", ""},
                 {"pmnuCname1", "列見出し(&C)...", ""},
                 {"KL1", "罫線(&L)...", ""},
                 {"KN1", "改ページ(&N)", ""}});
}

TEST_F(CommandTableTest, ToolbarHoldsThirtyOneButtonsWithToolTipsAndGroups)
{
    const char* tips[] = {
        "新規作成", "開く", "追加読み込み", "上書き保存", "名前を付けて保存", "ページ設定",
        "印刷範囲", "印刷プレビュー", "印刷", "元に戻す", "挿入", "削除", "コピー", "貼り付け",
        "クリップボードから貼付", "消去", "検索", "前検索", "次検索", "ファイル検索", "置換",
        "リンク", "並べ替え", "グラフ", "行数", "フォント", "列設定", "列見出し", "罫線",
        "改ページ", "ヘルプ"};
    const std::set<int> groupStarts = {6, 10, 13, 17, 22, 25, 31};
    const QList<QAction*> actions = window.toolBar()->actions();
    int n = 0;
    bool separatorSeen = false;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            separatorSeen = true;
            continue;
        }
        ++n;
        SCOPED_TRACE("btP" + std::to_string(n));
        EXPECT_EQ(action->objectName(), QStringLiteral("btP") + QString::number(n));
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(tips[n - 1]));
        EXPECT_EQ(separatorSeen, groupStarts.count(n) == 1);
        separatorSeen = false;
        ASSERT_NE(window.toolButton(n), nullptr);
        EXPECT_EQ(window.toolButton(n)->size(), QSize(31, 30));
    }
    EXPECT_EQ(n, 31);
    EXPECT_FALSE(window.buttonAction(15)->isVisible());
}

TEST_F(CommandTableTest, ToolbarShowsTheChosenButtonsButNeverButton15)
{
    auto& visible = window.app().settings.ButtonVisible;
    visible.fill(1);
    window.FormActivate();
    for (int n = 1; n <= 31; ++n)
        EXPECT_EQ(window.buttonAction(n)->isVisible(), n != 15) << "btP" << n;
    visible[4] = 0;
    window.FormActivate();
    EXPECT_FALSE(window.buttonAction(4)->isVisible());
}

TEST_F(CommandTableTest, EveryCommandHasOneRowAndNoShortcutRepeats)
{
    std::set<int> ids;
    std::set<std::string> shortcuts;
    for (const commands::CommandEntry& entry : commands::CommandTable()) {
        EXPECT_TRUE(ids.insert(int(entry.id)).second) << entry.name;
        if (entry.shortcut) {
            EXPECT_TRUE(shortcuts.insert(entry.shortcut).second) << entry.shortcut;
        }
    }
    EXPECT_EQ(int(ids.size()), commands::CommandCount);
}

TEST_F(CommandTableTest, PrintAreaButtonStartsGreyedAndFollowsTheIndicator)
{
    QAction* item = window.menuAction(ui::CommandId::PrintArea);
    const QImage greyed = window.buttonAction(7)->icon().pixmap(24).toImage();
    EXPECT_FALSE(item->isChecked());
    window.setPrintAreaIndicator(true);
    EXPECT_TRUE(item->isChecked());
    EXPECT_NE(window.buttonAction(7)->icon().pixmap(24).toImage(), greyed);
    window.setPrintAreaIndicator(false);
    EXPECT_EQ(window.buttonAction(7)->icon().pixmap(24).toImage(), greyed);
}

TEST_F(CommandTableTest, RecentFileItemsAppearWhenFilled)
{
    QAction* separator = window.findChild<QAction*>(QStringLiteral("mnuFilesSep"));
    ASSERT_NE(separator, nullptr);
    EXPECT_FALSE(separator->isVisible());
    EXPECT_FALSE(window.menuAction(ui::CommandId::Recent0)->isVisible());
    window.setRecentFiles({QStringLiteral("/tmp/a.mvx"), QStringLiteral("/tmp/R&D.csv")});
    EXPECT_TRUE(separator->isVisible());
    EXPECT_EQ(window.menuAction(ui::CommandId::Recent0)->text(), u"&0 /tmp/a.mvx");
    EXPECT_EQ(window.menuAction(ui::CommandId::Recent1)->text(), u"&1 /tmp/R&&D.csv");
    EXPECT_TRUE(window.menuAction(ui::CommandId::Recent1)->isVisible());
    EXPECT_FALSE(window.menuAction(ui::CommandId::Recent2)->isVisible());
    window.setRecentFiles({});
    EXPECT_FALSE(separator->isVisible());
}

TEST_F(CommandTableTest, ItemsButtonsAndPopupRunTheSameCommand)
{
    window.menuAction(ui::CommandId::Help)->trigger();
    window.buttonAction(31)->trigger();
    window.popupAction(ui::CommandId::OperationHelp)->trigger();
    EXPECT_EQ(fakes.help.calls,
              (QStringList{QStringLiteral("contents"), QStringLiteral("contents"),
                           QStringLiteral("keyword:マウスとキーの操作")}));
}

TEST_F(CommandTableTest, NewAsksAndClearsTheSheet)
{
    window.app().sheet.CellText[2][3] = QStringLiteral("\bx");
    window.app().sheet.GridText[2][3] = QStringLiteral("x");
    window.app().sheet.LastCol = 2;
    window.app().sheet.LastRow = 3;
    const auto box = answerNextBox(QStringLiteral("OK"));
    window.buttonAction(1)->trigger();
    EXPECT_EQ(box->text, u"全データを消去してもよろしいですか");
    EXPECT_TRUE(window.app().sheet.CellText[2][3].isEmpty());
    EXPECT_EQ(window.windowTitle(), u"Mavix - [新規]");
}

} // namespace
