#include "commands/CommandTable.h"

#include <QtGlobal>
#include <iterator>

namespace commands {

namespace {

using enum CommandId;
constexpr unsigned M = MenuSeparator;
constexpr unsigned P = PopupSeparator;
constexpr unsigned T = ToolSeparator;

// clang-format off
constexpr CommandEntry Table[] = {
    // id, menu, name, caption, shortcut, button, tool tip, popup name, popup caption,
    // separators, built, while busy
    {OperationHelp, MenuId::None, nullptr, nullptr, nullptr, 0, nullptr,
     "pmnuHelp", "操作のヘルプ", 0, true, true},
    {New, MenuId::File, "mnuNew", "新規作成(&N)", nullptr, 1, "新規作成",
     nullptr, nullptr, 0, true, false},
    {Open, MenuId::File, "mnuOpen", "開く(&O)...", "Ctrl+O", 2, "開く",
     nullptr, nullptr, 0, true, false},
    {Append, MenuId::File, "mnuApnd", "追加読み込み(&M)...", "Ctrl+M", 3, "追加読み込み",
     nullptr, nullptr, 0, true, false},
    {Save, MenuId::File, "mnuQsave", "上書き保存(&S)", "Ctrl+S", 4, "上書き保存",
     nullptr, nullptr, 0, true, false},
    {SaveAs, MenuId::File, "mnuNsave", "名前を付けて保存(&A)...", "Ctrl+F5", 5,
     "名前を付けて保存", nullptr, nullptr, 0, true, false},
    {PageLayout, MenuId::File, "mnuLayout", "ページ設定(&T)...", "Ctrl+T", 6, "ページ設定",
     nullptr, nullptr, M | T, true, false},
    {PrintArea, MenuId::File, "mnuPrArea", "印刷範囲(&A)", "Ctrl+A", 7, "印刷範囲",
     nullptr, nullptr, 0, true, false},
    {Preview, MenuId::File, "mnuPrev", "印刷プレビュー(&V)...", "Ctrl+U", 8, "印刷プレビュー",
     nullptr, nullptr, 0, true, false},
    {Print, MenuId::File, "mnuPrint", "印刷(&P)...", "Ctrl+P", 9, "印刷",
     nullptr, nullptr, 0, true, false},
    {Recent0, MenuId::File, "mnuFile0", "&0", nullptr, 0, nullptr, nullptr, nullptr, M, true, false},
    {Recent1, MenuId::File, "mnuFile1", "&1", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent2, MenuId::File, "mnuFile2", "&2", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent3, MenuId::File, "mnuFile3", "&3", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent4, MenuId::File, "mnuFile4", "&4", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent5, MenuId::File, "mnuFile5", "&5", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent6, MenuId::File, "mnuFile6", "&6", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent7, MenuId::File, "mnuFile7", "&7", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent8, MenuId::File, "mnuFile8", "&8", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    {Recent9, MenuId::File, "mnuFile9", "&9", nullptr, 0, nullptr, nullptr, nullptr, 0, true, false},
    // The separator before Exit is mnuFilesSep, shown only with recent files.
    {Exit, MenuId::File, "mnuExit", "終了(&X)", "Alt+F4", 0, nullptr, nullptr, nullptr, M, true, false},
    {Undo, MenuId::Edit, "mnuUndo", "元に戻す(&U)", "Ctrl+Z", 10, "元に戻す",
     "pmnuUndoU1", nullptr, P | T, true, false},
    {Insert, MenuId::Edit, "mnuIns", "挿入(&I)...", "Shift+Ins", 11, "挿入",
     "pmnuIns", nullptr, 0, true, false},
    {Delete, MenuId::Edit, "mnuDel", "削除(&D)...", "Shift+Del", 12, "削除",
     "pmnuDel", nullptr, 0, true, false},
    {Copy, MenuId::Edit, "mnuCopy", "コピー(&C)      Crrl+C", nullptr, 13, "コピー",
     "pmnuCopy", "コピー(&C)", M | P | T, true, false},
    {Paste, MenuId::Edit, "mnuPaste", "貼り付け(&P)   Ctrl+V", nullptr, 14, "貼り付け",
     "pmnuPaste", "貼り付け(&P)", 0, true, false},
    {PasteClipboard, MenuId::None, nullptr, nullptr, nullptr, 15, "クリップボードから貼付",
     nullptr, nullptr, 0, false, false},
    {Clear, MenuId::Edit, "mnuClear", "消去(&E)", "Ctrl+E", 16, "消去",
     "pnmuClear", nullptr, 0, true, false},
    {Search, MenuId::Data, "mnuSrch", "検索(&F)...", "Ctrl+F", 17, "検索",
     "pmnuFind", nullptr, P | T, true, false},
    {SearchBackward, MenuId::Data, "mnuSrchBef", "前検索[↑] (&B)", "Shift+F3", 18, "前検索",
     "pmnuSrchBfr", nullptr, 0, true, false},
    {SearchForward, MenuId::Data, "mnuSrchNxt", "次検索[↓] (&N)", "F3", 19, "次検索",
     "pmnuSrchNxt", nullptr, 0, true, false},
    {FileSearch, MenuId::Data, "mnuSrchFile", "ファイル検索(&M)...", "Ctrl+B", 20,
     "ファイル検索", "pnmuSrchFl", "ファイル検索(M)...", 0, true, false},
    {Replace, MenuId::Data, "mnuRep", "置換(&R)...", "Ctrl+R", 21, "置換",
     "pmnuRep", nullptr, 0, true, false},
    {Link, MenuId::Data, "mnuLink", "リンク(&X)", "F10", 22, "リンク",
     "pmnuLink", nullptr, M | P | T, true, false},
    {Sort, MenuId::Data, "mnuSort", "並べ替え(&S)...", "Ctrl+J", 23, "並べ替え",
     "pmnuSort", nullptr, 0, true, false},
    {Graph, MenuId::Data, "mnuGraph", "グラフ(&G)...", "Ctrl+G", 24, "グラフ",
     "pmnuGraph", nullptr, 0, true, false},
    {RowCount, MenuId::Set, "mnuRowCount", "全体行数(&H)...", "Ctrl+H", 25, "行数",
     "KH1", nullptr, P | T, true, false},
    {Font, MenuId::Set, "mnuFontSet", "フォント(&F)...", "Ctrl+F6", 26, "フォント",
     "F1", nullptr, 0, true, false},
    {ColumnFormat, MenuId::Set, "mnuColType", "列の表示形式(&W)...", "Ctrl+W", 27, "列設定",
     "KW1", nullptr, M, true, false},
    {ColumnHeadings, MenuId::Set, "mnuCname", "列見出し(&C)...", nullptr, 28, "列見出し",
     "pmnuCname1", nullptr, 0, true, false},
    {RuledLines, MenuId::Set, "mnuLineSet", "罫線(&L)...", "Ctrl+L", 29, "罫線",
     "KL1", nullptr, 0, true, false},
    {PageBreak, MenuId::Set, "mnuPage", "改ページ(&N)", "Ctrl+N", 30, "改ページ",
     "KN1", nullptr, 0, true, false},
    {ToolbarEditor, MenuId::Set, "mnuToolBar", "ツールボタンの編集(&T)...", nullptr, 0, nullptr,
     nullptr, nullptr, M, true, false},
    {SystemSettings, MenuId::Set, "mnuSysSet", "システム設定(&S)...", nullptr, 0, nullptr,
     nullptr, nullptr, 0, true, false},
    {Help, MenuId::Help, "mnuHelp", "Mavixのヘルプ(&H)", "F1", 31, "ヘルプ",
     nullptr, nullptr, T, true, true},
    {About, MenuId::Help, "mnuAbout", "バージョン情報(&A)...", nullptr, 0, nullptr,
     nullptr, nullptr, 0, true, true},
};
// clang-format on

} // namespace

std::span<const CommandEntry> CommandTable()
{
    return Table;
}

const CommandEntry& CommandEntryOf(CommandId id)
{
    for (const CommandEntry& entry : Table)
        if (entry.id == id)
            return entry;
    Q_UNREACHABLE();
}

const char* MenuCaption(MenuId menu)
{
    switch (menu) {
    case MenuId::File: return "ファイル(&F)";
    case MenuId::Edit: return "編集(&E)";
    case MenuId::Data: return "データ(&D)";
    case MenuId::Set: return "設定(&S)";
    case MenuId::Help: return "ヘルプ(&H)";
    case MenuId::None: break;
    }
    return "";
}

const char* MenuName(MenuId menu)
{
    switch (menu) {
    case MenuId::File: return "FileMenu";
    case MenuId::Edit: return "EditMenu";
    case MenuId::Data: return "DataMenu";
    case MenuId::Set: return "SetMenu";
    case MenuId::Help: return "HelpMenu";
    case MenuId::None: break;
    }
    return "";
}

} // namespace commands
