#pragma once

#include "core/App.h"
#include "platform/Ui.h"

#include <QMainWindow>

class QTableView;
class QLabel;

namespace ui {

class GridModel;

/// The main window: grid G over the sheet's display strings, status bar Info.
class TF : public QMainWindow, public platform::Ui {
public:
    explicit TF(platform::Services services, QWidget* parent = nullptr);
    ~TF() override;

    App& app() { return *m_app; }
    QTableView* grid() const { return G; }

    // platform::Ui
    platform::Answer message(const platform::Message& message) override;
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

private:
    void applyLayout();

    std::unique_ptr<App> m_app;
    GridModel* m_model = nullptr;
    QTableView* G = nullptr;
    QLabel* m_cellPanel = nullptr;
    QLabel* m_messagePanel = nullptr;
};

} // namespace ui
