#include "print/PageSetup.h"

#include "commands/Commands.h"
#include "core/App.h"
#include "platform/Ui.h"

namespace print {

void PageLayoutCommand(App& app)
{
    const bool canPrint = commands::CommandEnabled(app, commands::CommandId::Print);
    if (app.ui().askPageLayout(app.pageLayout, canPrint) == platform::LayoutAnswer::Print)
        commands::RunCommand(app, commands::CommandId::Print);
}

} // namespace print
