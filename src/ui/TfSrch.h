#pragma once

#include "tools/SearchDialogState.h"

#include <QDialog>

struct App;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ui {

class HistoryCombo;
class RadioGroup;

/// The search dialog over its state: the search text with the history, the direction or
/// range, the condition, the method, letter case and what a hit does. The controls keep
/// their values between uses; the search-again commands read them from the state.
class TfSrch : public QDialog {
public:
    explicit TfSrch(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state, cbStr's list loaded from the history; the
    /// state takes the controls' values however it closes. True when closed with OK, the
    /// text then at the top of the history.
    bool ask(tools::SearchDialogState& state, QStringList& history);

    /// OK: the core's check; a warning keeps the dialog open.
    void OKBtnClick();

    // Components, named as the dialog's state names them.
    HistoryCombo* cbStr = nullptr;
    RadioGroup* optArea = nullptr;
    QGroupBox* gbArea = nullptr;
    QLabel* lblArea = nullptr;
    RadioGroup* optCond = nullptr;
    RadioGroup* optWay = nullptr;
    RadioGroup* optCase = nullptr;
    RadioGroup* optOut = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

private:
    void load();
    void store();
    void optWayClick();
    void optOutClick(int out);
    void showAreaItems();

    App& m_app;
    /// The state being edited while the dialog is shown.
    tools::SearchDialogState m_state;
    QStringList* m_history = nullptr;
};

} // namespace ui
