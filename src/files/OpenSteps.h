#pragma once

// Steps that opening a worksheet and opening a CSV file share.

#include "platform/Ui.h"

#include <QString>

struct App;

namespace files::detail {

void ShowFileMessage(App& app, platform::Icon icon, const QString& text);
/// After a refused or failed open the previous file is current and held again.
void RestoreCurrentFile(App& app, bool readOnly);

} // namespace files::detail
