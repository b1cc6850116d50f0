#pragma once

#include "tools/ColumnDialogState.h"

#include <QDialog>

struct App;
class QPushButton;

namespace ui {

class SpinEdit;

/// The column heading dialog over its state: the number of the heading row, 0 for none.
class TfCName : public QDialog {
public:
    explicit TfCName(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state; the state takes the row typed. True when
    /// closed with OK.
    bool ask(tools::HeadingDialogState& state);

    // Components, named as the dialog's state names them.
    SpinEdit* txtCname = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    App& m_app;
};

} // namespace ui
