#include "files/OpenSteps.h"

#include "core/App.h"
#include "files/Access.h"

namespace files::detail {

void ShowFileMessage(App& app, platform::Icon icon, const QString& text)
{
    platform::Message message;
    message.icon = icon;
    message.text = text;
    app.ui().message(message);
}

void RestoreCurrentFile(App& app, bool readOnly)
{
    app.sheet.ReadOnly = readOnly;
    if (!app.sheet.FileName.isEmpty())
        HoldFile(app, app.sheet.FileName);
}


} // namespace files::detail
