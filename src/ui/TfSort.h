#pragma once

#include "tools/SortDialogState.h"

#include <QDialog>

struct App;
class QLabel;
class QPushButton;

namespace ui {

class RadioGroup;

/// The sort dialog over its state: the key column and rows, the method and the order. The
/// choices stay between uses.
class TfSort : public QDialog {
public:
    explicit TfSort(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state; the state takes the controls' values however
    /// it closes. True when closed with OK.
    bool ask(tools::SortDialogState& state);

    // Components, named as the dialog's state names them.
    QLabel* lblArea = nullptr;
    RadioGroup* optWay = nullptr;
    RadioGroup* optSeq = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

private:
    void load();
    void store();

    App& m_app;
    /// The state being edited while the dialog is shown.
    tools::SortDialogState m_state;
};

} // namespace ui
