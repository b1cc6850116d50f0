#pragma once

#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/FileHold.h"
#include "platform/Help.h"
#include "platform/Printer.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/TextMeasure.h"
#include "platform/Ui.h"

#include <QMap>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <functional>
#include <vector>

namespace platform {

/// Records what commands show; answers message boxes from a script (default: the first
/// button, OK or Yes) and dialogs through their functions (default: cancelled).
class FakeUi : public Ui {
public:
    Answer message(const Message& message) override;
    bool askInsertDialog(edit::InsertDialogState& state) override;
    std::optional<FontSpec> askGridFont(const FontSpec& current) override;
    bool askSearchDialog(tools::SearchDialogState& state, QStringList& history) override;
    void showReplaceDialog(tools::ReplaceDialogState& state) override;
    bool askSortDialog(tools::SortDialogState& state) override;
    bool askHeadingDialog(tools::HeadingDialogState& state) override;
    bool askColumnFormatDialog(tools::ColumnFormatDialogState& state) override;
    bool askLineDialog(print::LineDialogState& state) override;
    LayoutAnswer askPageLayout(print::PageLayout& layout, bool canPrint) override;
    bool askClearDialog(edit::ClearDialogState& state) override;
    bool askRowCount(int& rows) override;
    bool askFileSearch(tools::FileSearchDialogState& state, QStringList& history) override;
    std::optional<bool> askPrint(bool selection) override;
    bool askToolbarEditor(settings::ToolbarEditorState& state) override;
    settings::SysSetClose showSystemSettings(settings::SystemSettingsState& state) override;
    void showAbout() override { dialogs.append(QStringLiteral("TfAbout")); }
    void ApplyToolbarButtons() override { ++toolbarApplied; }
    void ApplyGridDesign(int style) override { gridDesigns.append(style); }
    void showGraphSettings(graph::GraphSettings& settings) override;
    void showPrintProgress(bool shown) override { printProgressShown = shown; }
    void setPrintProgress(const QString& text) override { printProgress.append(text); }
    void showPreview() override;
    void closeWindow() override { ++closeRequests; }
    void showStatus(const QString& text) override { statuses.append(text); }
    void showCellNamePanel(const QString& text) override { cellNamePanel = text; }
    void setBusy(bool on) override
    {
        busy = on;
        busyChanges.append(on);
    }
    /// Runs duringProcessEvents, as a user's click would run while a loop lets messages in.
    void processEvents() override;
    void beep() override { ++beeps; }
    void gridChanged(GridChange) override {}
    void setUndoCaption(const QString& caption) override { undoCaption = caption; }
    void setWindowTitle(const QString& title) override { windowTitle = title; }
    void setPrintAreaIndicator(bool on) override { printAreaIndicator = on; }
    void resetStatusBarHeight() override {}
    void setRecentFiles(const QStringList& paths) override { recentFiles = paths; }
    void setTypingMode(bool on) override
    {
        typingMode = on;
        if (!on)
            editor.clear();
    }
    void setPickListMode(bool on) override { pickListMode = on; }
    QString editorText() const override { return editor; }
    void setEditorText(const QString& text) override { editor = text; }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last(); }
    QStringList messageTexts() const;

    std::deque<Answer> answers; // consumed front first
    std::vector<Message> messages;
    /// The insert/delete dialog: edits the state and says OK (true) or Cancel.
    std::function<bool(edit::InsertDialogState&)> insertDialog;
    /// The font dialog: the chosen font, or nullopt for Cancel.
    std::function<std::optional<FontSpec>(const FontSpec&)> fontDialog;
    /// The search dialog: sets the controls; OK then runs the dialog's own check, whose
    /// warning is recorded as a message and counts as Cancel.
    std::function<bool(tools::SearchDialogState&)> searchDialog;
    /// The replace dialog: presses its buttons (the tools:: functions) on the state.
    std::function<void(tools::ReplaceDialogState&)> replaceDialog;
    std::function<bool(tools::SortDialogState&)> sortDialog;
    std::function<bool(print::LineDialogState&)> lineDialog;
    std::function<LayoutAnswer(print::PageLayout&, bool canPrint)> layoutDialog;
    std::function<bool(tools::HeadingDialogState&)> headingDialog;
    std::function<bool(tools::ColumnFormatDialogState&)> columnFormatDialog;
    std::function<bool(edit::ClearDialogState&)> clearDialog;
    /// The row-count dialog: sets the count and says OK (true) or Cancel.
    std::function<bool(int&)> rowCountDialog;
    /// The file search dialog: sets the controls and says OK (which adds the text to the
    /// history) or Cancel.
    std::function<bool(tools::FileSearchDialogState&)> fileSearchDialog;
    /// The graph settings dialog: edits the settings as its controls would.
    std::function<void(graph::GraphSettings&)> graphDialog;
    /// The print dialog: gets the preset (selection or not), answers nullopt for Cancel or
    /// whether the selection was chosen. Default: Cancel.
    std::function<std::optional<bool>(bool selection)> printDialog;
    /// The preview window, shown over the prepared preview.
    std::function<void()> previewWindow;
    std::function<void()> duringProcessEvents;
    /// The toolbar editor: edits the check list and says OK (true) or Cancel.
    std::function<bool(settings::ToolbarEditorState&)> toolbarEditor;
    /// The system settings dialog: works its controls through the settings::SysSet
    /// functions and says which button closed it. Default: closed at once with Cancel.
    std::function<settings::SysSetClose(settings::SystemSettingsState&)> systemSettingsDialog;
    /// ApplyToolbarButtons calls, and every style ApplyGridDesign was given, in order.
    int toolbarApplied = 0;
    QList<int> gridDesigns;
    QStringList printProgress;
    bool printProgressShown = false;
    /// Dialogs shown, by name ("TfAdd", "Font"), in order.
    QStringList dialogs;
    int closeRequests = 0;
    QList<bool> busyChanges;
    QStringList statuses;
    QString cellNamePanel;
    QString undoCaption;
    QString windowTitle;
    QStringList recentFiles;
    bool busy = false;
    bool typingMode = false;
    bool pickListMode = false;
    QString editor; // the editor's text
    bool printAreaIndicator = false;
    int processEventsCalls = 0;
    int beeps = 0;
};

/// Fixed-pitch measurement: half-width characters one unit, wide characters two.
class FakeTextMeasure : public TextMeasure {
public:
    static constexpr int Unit = 8;
    static constexpr int Height = 14;
    void setFont(const FontSpec& f) override { font = f; }
    int textPixels(const QString& text) const override;
    int textHeight(const QString&) const override { return Height; }
    FontSpec font;
};

class FakeClipboard : public Clipboard {
public:
    bool hasText() const override { return m_hasText; }
    QString text() const override { return m_text; }
    void setText(const QString& text) override;
    void setTextWithMarker(const QString& text, const QByteArray& marker) override;
    QByteArray marker() const override { return m_marker; }

private:
    bool m_hasText = false;
    QString m_text;
    QByteArray m_marker;
};

class FakeFileHold : public FileHold {
public:
    bool tryAccess(const QString& path, bool forWrite) override;
    HoldResult hold(const QString& path) override
    {
        held = path;
        return HoldResult::Held;
    }
    void release() override { held.clear(); }
    bool isHolding() const override { return !held.isEmpty(); }
    QString held;
    QStringList denied; // paths whose trial open fails
};

class FakeSettingsStore : public SettingsStore {
public:
    bool exists() const override { return present || !values.isEmpty(); }
    std::optional<QString> readString(const QString& name) const override;
    std::optional<qint32> readInt(const QString& name) const override;
    std::optional<QByteArray> readBinary(const QString& name) const override;
    bool writeString(const QString& name, const QString& value) override;
    bool writeInt(const QString& name, qint32 value) override;
    bool writeBinary(const QString& name, const QByteArray& value) override;
    bool removeKey() override;
    void removeMakerIfEmpty() override { makerPresent = makerPresent && !otherProducts.isEmpty(); }
    bool sync() override { return !failWrites; }
    QMap<QString, QVariant> values;
    bool failWrites = false;
    bool present = false;
    /// The maker's level above the key, and the other products' keys under it.
    bool makerPresent = true;
    QStringList otherProducts;
};

class FakeHelp : public Help {
public:
    void showContents() override { calls.append(QStringLiteral("contents")); }
    void showKeyword(const QString& k) override { calls.append(QStringLiteral("keyword:") + k); }
    void showContext(int n) override { calls.append(QStringLiteral("context:") + QString::number(n)); }
    void close() override { calls.append(QStringLiteral("close")); }
    QStringList calls;
};

/// Records what it is asked to start: "run program [arg]..." with every argument in
/// brackets, "open path". Names in `targets` have their kind (and program); others are
/// None. Names in `failing` fail with `error`.
class FakeShell : public Shell {
public:
    bool run(const QString& program, const QStringList& arguments) override;
    bool openDocument(const QString& path) override;
    void noteRecentDocument(const QString&) override {}
    LinkTarget linkTarget(const QString& name, QString& program) override;
    QString lastError() const override { return error; }
    QStringList calls;
    QMap<QString, std::pair<LinkTarget, QString>> targets;
    QStringList failing;
    QString error = QStringLiteral("指定されたファイルが見つかりません。");
};

/// Associations and menu entries as calls, one line each: "associate .mvx .csv program
/// description", "removeAssociation", "open path folder", "entry folder name program
/// arguments folder", "removeMenu". The menu folders are real folders a test chooses.
class FakeDesktop : public Desktop {
public:
    QString programPath() const override { return program; }
    bool newShellMode() const override { return shellMode; }
    bool associate(const Association& association) override;
    void removeAssociation() override { calls.append(QStringLiteral("removeAssociation")); }
    std::optional<QString> openWithDefault(const QString& path,
                                           const QString& workingFolder) override;
    QString menuFolder(bool allUsers) const override
    {
        return allUsers ? allUsersFolder : userFolder;
    }
    bool createMenuEntry(const QString& folder, const QString& name, const QString& program,
                         const QStringList& arguments, const QString& workingFolder) override;
    void removeMenu() override { calls.append(QStringLiteral("removeMenu")); }

    QString program = QStringLiteral("/opt/Mavix/mavix");
    bool shellMode = false;
    bool failAssociate = false;
    std::optional<QString> openFailure; // what openWithDefault answers
    QString failEntry;                  // the entry name whose creation fails
    QString userFolder;
    QString allUsersFolder;
    QStringList calls;
};

/// Answers file dialogs from a script; an empty script cancels.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(const QString& title) override;
    std::optional<SaveChoice> saveFile(const SaveRequest& request) override;
    QStringList openFiles(const QString& title, const QString& folder) override;
    std::optional<QString> savePicture(const QString& fileName) override;
    std::deque<std::optional<QString>> openAnswers;
    /// Answers of the several-files dialog, front first; none: cancelled.
    std::deque<QStringList> openFilesAnswers;
    QStringList openFilesFolders; // where each several-files dialog started
    std::deque<std::optional<QString>> pictureAnswers;
    QStringList pictureNames; // the names the save-picture dialog was opened with
    std::deque<std::optional<SaveChoice>> saveAnswers;
    QStringList openTitles;
    std::vector<SaveRequest> saveRequests;
};

/// A printer that records the job and everything drawn, one line per call:
/// "begin title", "page", "end", "abort", "font name size [b][i][u] #rrggbb",
/// "pen style width #rrggbb", "text x y string", "line x1 y1 x2 y2".
/// Text is measured from the font size: a half-width character is size * 4 pixels wide,
/// a wide one twice that, and every text is size * 8 pixels high (about 600 dpi).
class FakePrinter : public Printer, public OutputTarget {
public:
    bool available() const override { return present; }
    PageMetrics metrics() override { return page; }
    int textWidth(const PrintFont& font, const QString& text) override;
    int textHeight(const PrintFont& font, const QString&) override { return font.size * 8; }
    bool begin(const QString& title) override;
    bool newPage() override;
    bool end() override;
    void abort() override { log.append(QStringLiteral("abort")); }
    OutputTarget& target() override { return *this; }

    void setFont(const PrintFont& font) override;
    void setPen(PrintPen style, int width, std::uint32_t rgb) override;
    void drawText(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;

    /// The lines of the log that start with a word ("text", "page", ...).
    QStringList calls(const QString& word) const;

    /// A4 at 600 dpi with a printable area 100 pixels in from every edge.
    PageMetrics page{4760, 6816, true, 4960, 7016, 100, 100, 600};
    bool present = true;
    int failAtPage = 0; // newPage to this page number (2..) fails
    QStringList log;
    int pages = 0;
};

/// Every fake service, ready to hand to App.
struct FakePlatform {
    FakeUi ui;
    FakeTextMeasure measure;
    FakeClipboard clipboard;
    FakeFileHold fileHold;
    FakeSettingsStore settings;
    FakeHelp help;
    FakeShell shell;
    FakeFileDialogs fileDialogs;
    FakePrinter printer;
    FakeDesktop desktop;
    Services services()
    {
        return Services{&ui,   &measure, &clipboard,   &fileHold, &settings,
                        &help, &shell,   &fileDialogs, &printer, &desktop};
    }
};

} // namespace platform
