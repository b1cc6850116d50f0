#pragma once

#include "edit/ClearRows.h"

#include <QDialog>

struct App;
class QCheckBox;
class QPushButton;

namespace ui {

/// The clear dialog: data, ruled lines, or both.
class TfClr : public QDialog {
public:
    explicit TfClr(App& app, QWidget* parent = nullptr);
    /// Shows the dialog over the check boxes; true when closed with OK.
    bool ask(edit::ClearDialogState& state);

    QCheckBox* chkData = nullptr;
    QCheckBox* chkLine = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

private:
    App& m_app;
};

} // namespace ui
