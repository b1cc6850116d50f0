#pragma once

#include <QWidget>

namespace platform {

/// A dialog's frame: a title and a close button, no minimize or maximize button.
inline void SetDialogFlags(QWidget& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint);
}

} // namespace platform
