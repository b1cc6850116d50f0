#pragma once

#include "platform/TextMeasure.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace edit {
struct InsertDialogState;
struct ClearDialogState;
}
namespace graph {
struct GraphSettings;
}
namespace print {
struct LineDialogState;
struct PageLayout;
}
namespace settings {
enum class SysSetClose;
struct SystemSettingsState;
struct ToolbarEditorState;
}
namespace tools {
struct SearchDialogState;
struct ReplaceDialogState;
struct SortDialogState;
struct HeadingDialogState;
struct ColumnFormatDialogState;
struct FileSearchDialogState;
}

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };

/// Button sets of the program's message boxes.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesCancel };

enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    Icon icon = Icon::Information;
    QString text;
    Buttons buttons = Buttons::Ok;
    QString caption;     // empty: the application title
    int helpContext = 0; // non-zero: the box offers Help for that context number
    /// Own captions for the buttons, in the order of `buttons` (e.g. "保存(&S)", "破棄(&D)",
    /// "キャンセル"); empty: the standard captions. The first button is the default.
    QStringList buttonTexts;
};

/// How the page layout dialog closed.
enum class LayoutAnswer { Cancel, Ok, Print };

/// What of the grid a command changed, so the view knows what to re-read.
enum class GridChange {
    Cells,       // display strings (and headings / row numbers)
    Layout,      // row count, column widths, row height, font
    CurrentCell, // current cell, selection or top row
};

/// What a command may ask of the window: message boxes, the dialogs over their state, the
/// status bar, the busy cursor.
class Ui {
public:
    virtual ~Ui() = default;
    virtual Answer message(const Message& message) = 0;
    /// The insert/delete dialog over its state (the use its tag names); true when closed
    /// with OK. Its OK button refuses counts that edit::CheckInsertDialog warns about.
    virtual bool askInsertDialog(edit::InsertDialogState& state) = 0;
    /// The font dialog, starting with the grid font `current` (size 0: the platform's
    /// default size). The chosen font, `current` itself when the choice was left as it
    /// started, nullopt when cancelled.
    virtual std::optional<FontSpec> askGridFont(const FontSpec& current) = 0;
    /// The search dialog over its state; its OK checks with tools::AcceptSearchDialog,
    /// which also puts the text into the history. True when closed with OK.
    virtual bool askSearchDialog(tools::SearchDialogState& state, QStringList& history) = 0;
    /// The replace dialog, opened over its state (tools::OpenReplaceDialog has readied it);
    /// its buttons run tools::ReplaceSkip, ReplaceAndNext and ReplaceAll until one of them
    /// or Cancel closes it.
    virtual void showReplaceDialog(tools::ReplaceDialogState& state) = 0;
    /// The sort, column heading and column format dialogs over their states; true when
    /// closed with OK. The column format dialog's 円 check box runs the state's yenClicked
    /// and shows its information.
    virtual bool askSortDialog(tools::SortDialogState& state) = 0;
    virtual bool askHeadingDialog(tools::HeadingDialogState& state) = 0;
    virtual bool askColumnFormatDialog(tools::ColumnFormatDialogState& state) = 0;
    /// The ruled-line dialog over its state; true when closed with OK.
    virtual bool askLineDialog(print::LineDialogState& state) = 0;
    /// The page layout dialog over the page settings: its edits stay however it closes;
    /// its 印刷 button is offered when canPrint.
    virtual LayoutAnswer askPageLayout(print::PageLayout& layout, bool canPrint) = 0;
    /// The clear dialog over its check boxes; true when closed with OK.
    virtual bool askClearDialog(edit::ClearDialogState& state) = 0;
    /// The row-count dialog showing `rows` (1..32000); true when closed with OK, `rows`
    /// then holding the count chosen.
    virtual bool askRowCount(int& rows) = 0;
    /// The file search dialog over its state; its OK runs tools::AcceptFileSearch. True when
    /// closed with OK.
    virtual bool askFileSearch(tools::FileSearchDialogState& state, QStringList& history) = 0;
    /// The toolbar editor over its check list; true when closed with OK.
    virtual bool askToolbarEditor(settings::ToolbarEditorState& state) = 0;
    /// The system settings dialog over its state: its controls run the settings::SysSet
    /// functions; it says which button closed it.
    virtual settings::SysSetClose showSystemSettings(settings::SystemSettingsState& state) = 0;
    /// The about box.
    virtual void showAbout() = 0;
    /// The toolbar shows the buttons of ButtonVisible (button 15 never).
    virtual void ApplyToolbarButtons() = 0;
    /// The grid's drawing style: 0 classic, 1 gradient, any other the desktop's own.
    virtual void ApplyGridDesign(int style) = 0;
    /// The graph settings dialog over the graph settings, kept however it closes. Its グラフ
    /// button checks them with graph::CheckGraphSettings and shows the graph window, which
    /// returns to the dialog through its retry button and closes both otherwise.
    virtual void showGraphSettings(graph::GraphSettings& settings) = 0;
    /// The system print dialog with the ranges all and selection (preset to selection when
    /// `selection`), and the printer choice. nullopt when cancelled, otherwise whether the
    /// selection was chosen.
    virtual std::optional<bool> askPrint(bool selection) = 0;
    /// The progress dialog of a print job, shown without being modal; its abort button
    /// sets App::printing.CancelRequested.
    virtual void showPrintProgress(bool shown) = 0;
    virtual void setPrintProgress(const QString& text) = 0;
    /// The print preview window over App::printing.preview, prepared; modal.
    virtual void showPreview() = 0;
    /// Closes the main window, which asks the close question first.
    virtual void closeWindow() = 0;
    /// The message panel (panel 1) of the status bar.
    virtual void showStatus(const QString& text) = 0;
    /// The cell-name panel (panel 0) of the status bar.
    virtual void showCellNamePanel(const QString& text) = 0;
    /// The busy state begins or ends (the outermost core::BusyGuard): the busy cursor, and
    /// commands refused meanwhile.
    virtual void setBusy(bool on) = 0;
    /// Lets pending window messages run (repaint, input) during a long loop.
    virtual void processEvents() = 0;
    virtual void beep() = 0;
    virtual void gridChanged(GridChange change) = 0;
    /// The undo menu item's caption (the popup item keeps its own).
    virtual void setUndoCaption(const QString& caption) = 0;
    virtual void setWindowTitle(const QString& title) = 0;
    /// The print-area toolbar button and menu check: on, or off (indeterminate look).
    virtual void setPrintAreaIndicator(bool on) = 0;
    /// Status bar height from its font (new sheet state).
    virtual void resetStatusBarHeight() = 0;
    /// The recent-file items of the file menu ("&n path"), hidden when the list is empty.
    virtual void setRecentFiles(const QStringList& paths) = 0;
    /// Enters or leaves the editor's typing mode (the core has set App::InputMode).
    virtual void setTypingMode(bool on) = 0;
    /// Enters or leaves pick-list mode (the core has set App::InputMode); leaving hides the
    /// list and gives the focus back to the editor.
    virtual void setPickListMode(bool on) = 0;
    /// The in-place editor's text, as typed so far.
    virtual QString editorText() const = 0;
    virtual void setEditorText(const QString& text) = 0;
};

} // namespace platform
