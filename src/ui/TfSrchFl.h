#pragma once

#include "tools/FileSearch.h"

#include <QDialog>

struct App;
class QLabel;
class QListWidget;
class QPushButton;

namespace ui {

class HistoryCombo;
class RadioGroup;

/// The file search dialog over its state: the files to search, the text, the letter case.
class TfSrchFl : public QDialog {
public:
    explicit TfSrchFl(App& app, QWidget* parent = nullptr);
    /// Shows the dialog over the state and the search history; true when closed with OK.
    bool ask(tools::FileSearchDialogState& state, QStringList& history);
    /// The browse button: a file dialog for several files at once.
    void btRefClick();

    QLabel* txDir = nullptr;
    QListWidget* lbFiles = nullptr;
    QPushButton* btRef = nullptr;
    HistoryCombo* cbStr = nullptr;
    RadioGroup* optCase = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

private:
    void load(const tools::FileSearchDialogState& state);

    App& m_app;
    tools::FileSearchDialogState m_state;
};

} // namespace ui
