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

void ResetHeaderBoxes(App& app)
{
    for (std::size_t k = 0; k < 6; ++k) {
        app.pageLayout.txtHdr[k].clear();
        print::HeaderFont& font = app.pageLayout.hdrFont[k];
        font = print::HeaderFont{};
        font.font = app.settings.gridFont;
        font.font.size = app.sheet.FontSize;
    }
}

void ClearPrintArea(App& app)
{
    app.sheet.PrintArea = core::CellBlock{};
    app.pageLayout.printAreaLabel.clear();
    app.ui().setPrintAreaIndicator(false);
}

} // namespace files::detail
