#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace ui {

/// The OK, キャンセル and ヘルプ buttons that the dialogs end with, named OKBtn, CancelBtn
/// and HelpBtn: OK is the default button, Cancel rejects, Help runs `help`. What OK does is
/// the dialog's own.
struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* help = nullptr;
    /// A column beside the controls (vertical) or a row below them (horizontal).
    QBoxLayout* layout = nullptr;
};
DialogButtons MakeDialogButtons(QDialog& dialog, Qt::Orientation orientation,
                                std::function<void()> help);

} // namespace ui
