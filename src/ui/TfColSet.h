#pragma once

#include "tools/ColumnDialogState.h"

#include <QDialog>

struct App;
class QCheckBox;
class QPushButton;

namespace ui {

class RadioGroup;
class SpinEdit;

/// The column format dialog over its state: the width, the decimals, the number style and
/// the alignment of texts, for the columns its caption names.
class TfColSet : public QDialog {
public:
    explicit TfColSet(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state; the state takes the controls' values
    /// however it closes. True when closed with OK.
    bool ask(tools::ColumnFormatDialogState& state);

    /// The Yen check box clicked: the state's rule may check chkComma and has a word to say.
    void chkYenClick();

    // Components, named as the dialog's state names them.
    SpinEdit* txtWidth = nullptr;
    SpinEdit* txtPoint = nullptr;
    QCheckBox* chkComma = nullptr;
    QCheckBox* chkYen = nullptr;
    RadioGroup* optAlign = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void store();
    /// Where Enter goes from an input control.
    QWidget* nextControl(QObject* from) const;

    App& m_app;
    /// The state being edited while the dialog is shown.
    tools::ColumnFormatDialogState m_state;
};

} // namespace ui
