#pragma once

#include "platform/Ui.h"
#include "settings/SystemSettingsState.h"

#include <QTextStream>

namespace cli {

/// The window as a batch run sees it: message boxes are printed on standard error and
/// answered with their first button (OK or Yes), dialogs are cancelled; everything else is
/// dropped.
class CliUi : public platform::Ui
{
public:
    explicit CliUi(QTextStream& err) : m_err(err) {}

    platform::Answer message(const platform::Message& message) override;
    bool askInsertDialog(edit::InsertDialogState&) override { return false; }
    std::optional<platform::FontSpec> askGridFont(const platform::FontSpec&) override
    {
        return std::nullopt;
    }
    bool askSearchDialog(tools::SearchDialogState&, QStringList&) override { return false; }
    void showReplaceDialog(tools::ReplaceDialogState&) override {}
    bool askSortDialog(tools::SortDialogState&) override { return false; }
    bool askHeadingDialog(tools::HeadingDialogState&) override { return false; }
    bool askColumnFormatDialog(tools::ColumnFormatDialogState&) override { return false; }
    bool askLineDialog(print::LineDialogState&) override { return false; }
    platform::LayoutAnswer askPageLayout(print::PageLayout&, bool) override
    {
        return platform::LayoutAnswer::Cancel;
    }
    bool askClearDialog(edit::ClearDialogState&) override { return false; }
    bool askRowCount(int&) override { return false; }
    bool askFileSearch(tools::FileSearchDialogState&, QStringList&) override { return false; }
    bool askToolbarEditor(settings::ToolbarEditorState&) override { return false; }
    settings::SysSetClose showSystemSettings(settings::SystemSettingsState&) override
    {
        return settings::SysSetClose::Cancel;
    }
    void showAbout() override {}
    void ApplyToolbarButtons() override {}
    void ApplyGridDesign(int) override {}
    std::optional<bool> askPrint(bool) override { return std::nullopt; }
    void showGraphSettings(graph::GraphSettings&) override {}
    void showPrintProgress(bool) override {}
    void setPrintProgress(const QString&) override {}
    void showPreview() override {}
    void closeWindow() override {}
    void showStatus(const QString& text) override { m_lastStatus = text; }
    /// The last text the window would show in its status bar.
    QString lastStatus() const { return m_lastStatus; }
    void showCellNamePanel(const QString&) override {}
    void setBusy(bool) override {}
    void processEvents() override {}
    void beep() override {}
    void gridChanged(platform::GridChange) override {}
    void setUndoCaption(const QString&) override {}
    void setWindowTitle(const QString&) override {}
    void setPrintAreaIndicator(bool) override {}
    void resetStatusBarHeight() override {}
    void setRecentFiles(const QStringList&) override {}
    void setTypingMode(bool) override {}
    void setPickListMode(bool) override {}
    QString editorText() const override { return QString(); }
    void setEditorText(const QString&) override {}

private:
    QTextStream& m_err;
    QString m_lastStatus;
};

} // namespace cli
