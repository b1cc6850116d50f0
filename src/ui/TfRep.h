#pragma once

#include <QDialog>

#include <functional>

struct App;
class QCheckBox;
class QLabel;
class QPushButton;

namespace tools {
struct ReplaceDialogState;
}

namespace ui {

class HistoryCombo;

/// The replace dialog over the App's replace state: the range, the cell found last, the
/// texts before and after with their lists, letter case, and the steps of the core behind
/// its buttons. It stays open between steps until a step runs past the range or Cancel.
class TfRep : public QDialog {
public:
    explicit TfRep(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state that tools::OpenReplaceDialog readied (the
    /// App's own); the state takes the controls' values however it closes.
    void showModal(tools::ReplaceDialogState& state);

    void btnSkipClick();
    void btnRep1Click();
    void btnAllClick();

    // Components, named as the dialog's state names them.
    QLabel* lblArea = nullptr;
    QLabel* lblCell = nullptr;
    HistoryCombo* cbBefore = nullptr;
    HistoryCombo* cbAfter = nullptr;
    QCheckBox* chkCase = nullptr;
    QPushButton* btnSkip = nullptr;
    QPushButton* btnRep1 = nullptr;
    QPushButton* btnAll = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;

private:
    void load();
    /// What the core's steps change: the labels, the lists, btnRep1.
    void showState();
    void store();
    /// Runs one step of the core over the controls' texts; closes with OK when it says so.
    void step(const std::function<bool()>& run);

    App& m_app;
    /// The state being edited while the dialog is shown.
    tools::ReplaceDialogState* m_state = nullptr;
};

} // namespace ui
