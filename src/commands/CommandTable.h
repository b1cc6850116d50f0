#pragma once

#include <span>

namespace commands {

/// One command per menu item, toolbar button or popup item of the main window.
enum class CommandId {
    New,
    Open,
    Append,
    Save,
    SaveAs,
    PageLayout,
    PrintArea,
    Preview,
    Print,
    Recent0,
    Recent1,
    Recent2,
    Recent3,
    Recent4,
    Recent5,
    Recent6,
    Recent7,
    Recent8,
    Recent9,
    Exit,
    Undo,
    Insert,
    Delete,
    Copy,
    Paste,
    PasteClipboard, // btP15: hidden, tied to nothing
    Clear,
    Search,
    SearchBackward,
    SearchForward,
    FileSearch,
    Replace,
    Link,
    Sort,
    Graph,
    RowCount,
    Font,
    ColumnFormat,
    ColumnHeadings,
    RuledLines,
    PageBreak,
    ToolbarEditor,
    SystemSettings,
    Help,
    About,
    OperationHelp, // popup only: the mouse and key topic
};

enum class MenuId { None, File, Edit, Data, Set, Help };

/// Separators placed before an entry, per place.
enum SeparatorBefore : unsigned {
    NoSeparator = 0,
    MenuSeparator = 1,
    PopupSeparator = 2,
    ToolSeparator = 4,
};

/// One row of the command table. Texts are UTF-8; the rows are in menu order, and the popup
/// and the toolbar take the same order.
struct CommandEntry {
    CommandId id;
    MenuId menu;
    const char* name;       // menu item component (mnuXxx); nullptr: no menu item
    const char* caption;    // menu item caption
    const char* shortcut;   // portable key text ("Ctrl+O"); nullptr: none
    int button;             // toolbar button btPn; 0: none
    const char* toolTip;    // the button's tool tip
    const char* popupName;  // popup item component; nullptr: none
    const char* popupCaption; // nullptr: the menu caption
    unsigned separators;    // SeparatorBefore flags
    /// The command exists; false: its items are shown greyed.
    bool built;
    /// The command may run while a long loop holds the busy state: it changes neither the
    /// sheet, nor the file, nor the main window.
    bool whileBusy;
};

constexpr int CommandCount = int(CommandId::OperationHelp) + 1;

/// Every command of the main window, in menu order.
std::span<const CommandEntry> CommandTable();
const CommandEntry& CommandEntryOf(CommandId id);

/// Captions of the main menu's top-level menus.
const char* MenuCaption(MenuId menu);
/// Component names of the top-level menus (FileMenu, ...).
const char* MenuName(MenuId menu);

} // namespace commands
