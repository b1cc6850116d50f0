#pragma once

#include "edit/InsertDialogState.h"
#include "ui/SpinEdit.h"

#include <QDialog>

#include <array>

struct App;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace ui {

/// The insert/delete dialog over its state: the direction (columns or rows) of the use its
/// tag names, and the count. The radio choices persist between uses.
class TfAdd : public QDialog {
public:
    explicit TfAdd(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state, for the use its tag names; the state takes
    /// the controls' values. True when closed with OK.
    bool ask(edit::InsertDialogState& state);

    /// OK: checks the count against the sheet; a refused count keeps the dialog open.
    void OKBtnClick();

    // Components, named as the dialog's state names them.
    QGroupBox* optAdd = nullptr;
    QGroupBox* optDel = nullptr;
    std::array<QRadioButton*, 2> addChoices{}; // columns, rows
    std::array<QRadioButton*, 2> delChoices{};
    SpinEdit* txtNum = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void store();
    QWidget* nextControl(QObject* from) const;

    App& m_app;
    /// The state being edited while the dialog is shown.
    edit::InsertDialogState m_state;
};

} // namespace ui
