#pragma once

#include "core/App.h"
#include "platform/Ui.h"
#include "commands/CommandTable.h"
#include "ui/Startup.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <memory>

class QLabel;
class QListWidget;
class QMenu;
class QModelIndex;
class QStyle;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;
class QKeyEvent;
class QInputMethodEvent;
class QWheelEvent;

namespace ui {

class EditorLine;
class GridDelegate;
class TfAbout;
class TfAdd;
class TfCName;
class TfColSet;
class TfClr;
class TfGset;
class TfLay;
class TfRows;
class TfSrchFl;
class TfPrint;
class TfLine;
class TfRep;
class TfSort;
class TfSrch;
class TfSysSet;
class TfTip;
class GridModel;
class GridView;

using commands::CommandEntry;
using commands::CommandId;
using commands::MenuId;

/// The main window: the grid G over the sheet's display strings, the in-place editor Ed
/// behind it, the pick list, the toolbar, the menus, the popup menu and the status bar Info.
/// It shows the App that the program owns and is that App's platform::Ui.
class TF : public QMainWindow, public platform::Ui {
public:
    explicit TF(App& app, StartupOptions options = {}, QWidget* parent = nullptr);
    ~TF() override;

    App& app() { return m_app; }
    QTableView* grid() const;
    EditorLine* editor() const { return Ed; }
    QListWidget* pickList() const { return lsWord; }
    QLabel* modeLabel() const { return lblMode; }
    /// The menu item of a command (nullptr: none).
    QAction* menuAction(CommandId id) const { return m_menuActions[std::size_t(id)]; }
    QAction* popupAction(CommandId id) const { return m_popupActions[std::size_t(id)]; }
    /// Toolbar button btPn's action, n 1..31.
    QAction* buttonAction(int n) const;
    QToolButton* toolButton(int n) const;
    QMenu* popupMenu() const { return PopupMenu1; }
    QToolBar* toolBar() const { return ToolBar; }
    bool startMinimized() const { return StartMinimized; }
    bool hideOnMinimize() const { return HideOnMinimize; }

    /// Runs the command of a menu item, toolbar button or popup item through the core.
    void runCommand(CommandId id);
    /// Enables each menu item, popup item and toolbar button as the core allows now.
    void refreshCommands();
    /// Runs after every modal box or dialog: the window counts as activated again.
    void modalReturned();

    /// Every activation of the window; the first one also resets the sheet state.
    void FormActivate();
    /// The save question; false refuses closing.
    bool FormCloseQuery();
    void tmrWakeupTimer();
    void tmrHideTimer();
    /// Shows the chosen toolbar buttons (ButtonVisible).
    void ApplyToolbarButtons() override;
    /// The grid's drawing style: 0 classic, 1 gradient, any other the desktop's own.
    void ApplyGridDesign(int style) override;
    /// The grid's drawing style applied last (0, 1 or 2).
    int appliedGridDesign() const { return m_appliedGridStyle; }
    /// Lays Ed over the current cell.
    void PlaceEditor();
    /// Widens Ed once its text no longer fits.
    void WidenEditor();
    /// The insert/delete dialog, made on first use and kept for the whole run.
    TfAdd* tfAdd();
    /// The search dialog, made on first use and kept for the whole run.
    TfSrch* tfSrch();
    /// The replace dialog, made on first use and kept for the whole run.
    TfRep* tfRep();
    /// The sort, column heading and column format dialogs, made on first use and kept for
    /// the whole run.
    TfSort* tfSort();
    TfCName* tfCName();
    TfColSet* tfColSet();
    /// The ruled-line and page layout dialogs, made on first use and kept for the whole run.
    TfLine* tfLine();
    TfLay* tfLay();
    /// The toolbar editor, the system settings and the about box, made on first use and
    /// kept for the whole run.
    TfTip* tfTip();
    TfSysSet* tfSysSet();
    TfAbout* tfAbout();
    /// The graph settings dialog, made on first use and kept for the whole run; it keeps
    /// the graph window.
    TfGset* tfGset();
    /// The grid font as painted; the measured font when measurement is the Qt one.
    QFont gridFont() const;

    // Grid events
    void GSelectCell(int c, int r);
    void GTopLeftChanged();
    void GClick();
    void GMouseUp();
    /// Wheel over the form or the grid: one row per notch when Wheel is on.
    void scrollByWheel(QWheelEvent* event);

    // Editor and pick-list events; true when the key is consumed.
    bool EdKeyDown(QKeyEvent* event);
    bool EdKeyPress(QKeyEvent* event);
    /// Input-method text arriving in the editor, before it is inserted; false: the editor
    /// must not take it.
    bool EdInputMethod(QInputMethodEvent* event);
    bool lsWordKeyDown(QKeyEvent* event);
    void lsWordExit();

    // platform::Ui
    platform::Answer message(const platform::Message& message) override;
    bool askInsertDialog(edit::InsertDialogState& state) override;
    std::optional<platform::FontSpec> askGridFont(const platform::FontSpec& current) override;
    bool askSearchDialog(tools::SearchDialogState& state, QStringList& history) override;
    void showReplaceDialog(tools::ReplaceDialogState& state) override;
    bool askSortDialog(tools::SortDialogState& state) override;
    bool askHeadingDialog(tools::HeadingDialogState& state) override;
    bool askColumnFormatDialog(tools::ColumnFormatDialogState& state) override;
    bool askLineDialog(print::LineDialogState& state) override;
    platform::LayoutAnswer askPageLayout(print::PageLayout& layout, bool canPrint) override;
    bool askClearDialog(edit::ClearDialogState& state) override;
    bool askRowCount(int& rows) override;
    bool askFileSearch(tools::FileSearchDialogState& state, QStringList& history) override;
    std::optional<bool> askPrint(bool selection) override;
    bool askToolbarEditor(settings::ToolbarEditorState& state) override;
    settings::SysSetClose showSystemSettings(settings::SystemSettingsState& state) override;
    void showAbout() override;
    void showGraphSettings(graph::GraphSettings& settings) override;
    void showPrintProgress(bool shown) override;
    void setPrintProgress(const QString& text) override;
    void showPreview() override;
    void closeWindow() override;
    void showStatus(const QString& text) override;
    void showCellNamePanel(const QString& text) override;
    void setBusy(bool on) override;
    void processEvents() override;
    void beep() override;
    void gridChanged(platform::GridChange change) override;
    void setUndoCaption(const QString& caption) override;
    void setWindowTitle(const QString& title) override;
    void setPrintAreaIndicator(bool on) override;
    void resetStatusBarHeight() override;
    void setRecentFiles(const QStringList& paths) override;
    void setTypingMode(bool on) override;
    void setPickListMode(bool on) override;
    QString editorText() const override;
    void setEditorText(const QString& text) override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void createComponents();
    void createCommands();
    void addCommand(const CommandEntry& entry, QMenu* menu);
    void addButton(const CommandEntry& entry);
    void connectGrid();
    void applyLayout();
    void applyCurrentCell();
    void viewSelectionChanged();
    void viewCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void updateVisibleCounts();
    /// The current cell's rectangle in the grid's coordinates, without its separator line.
    QRect currentCellRect() const;
    void widenEditorFor(const QString& text);
    void setEditorMenusEnabled(bool on);
    void showModeLabel(const QString& text, const QColor& color);
    void openPickList();
    void focusPickList(int index);
    void setPanelWidth();
    /// Where the window stands before the settings place it: a second running program
    /// starts a little below and to the right of the first.
    QPoint cascadedPosition(QPoint position) const;
    void setBusyCursor(bool on);

    App& m_app;
    StartupOptions m_options;

    // Components, named as the commands refer to them.
    GridView* G = nullptr;
    EditorLine* Ed = nullptr;
    QListWidget* lsWord = nullptr;
    QLabel* lblMode = nullptr;
    QLabel* m_panel0 = nullptr;
    QLabel* m_panel1 = nullptr;
    QToolBar* ToolBar = nullptr;
    QMenu* PopupMenu1 = nullptr;
    std::array<QMenu*, 6> m_menus{}; // by MenuId
    QAction* mnuFilesSep = nullptr;
    TfAdd* m_tfAdd = nullptr;
    TfSrch* m_tfSrch = nullptr;
    TfRep* m_tfRep = nullptr;
    TfSort* m_tfSort = nullptr;
    TfCName* m_tfCName = nullptr;
    TfColSet* m_tfColSet = nullptr;
    TfLine* m_tfLine = nullptr;
    TfLay* m_tfLay = nullptr;
    TfGset* m_tfGset = nullptr;
    TfPrint* m_tfPrint = nullptr;
    TfClr* m_tfClr = nullptr;
    TfRows* m_tfRows = nullptr;
    TfSrchFl* m_tfSrchFl = nullptr;
    TfTip* m_tfTip = nullptr;
    TfSysSet* m_tfSysSet = nullptr;
    TfAbout* m_tfAbout = nullptr;
    QTimer* tmrWakeup = nullptr;
    QTimer* tmrHide = nullptr;
    std::array<QAction*, commands::CommandCount> m_menuActions{};
    std::array<QAction*, commands::CommandCount> m_popupActions{};
    std::array<QAction*, commands::CommandCount> m_buttonActions{};

    GridModel* m_model = nullptr;
    GridDelegate* m_delegate = nullptr;
    QStyle* m_classicStyle = nullptr;
    QStyle* m_gradientStyle = nullptr;
    int m_appliedGridStyle = -1;

    bool StartMinimized = false;
    bool HideOnMinimize = false;
    bool m_hiddenByMinimize = false;
    bool m_syncing = false;
    bool m_closing = false;
    /// Closing was asked while a long loop ran; it happens when the loop ends.
    bool m_closeDeferred = false;
    bool m_busyCursor = false;
    int m_viewTopRow = 1;
    int m_viewLeftCol = 1;
    int m_wheelDelta = 0;
    /// Started when a modal box returns; the window system's own activation that follows
    /// is the same return and is not counted twice.
    QElapsedTimer m_modalReturn;
};

} // namespace ui
