#include "core/FontCommand.h"

#include "core/App.h"
#include "core/Display.h"
#include "platform/Ui.h"

namespace core {

void FontCommand(App& app)
{
    platform::FontSpec before = app.settings.gridFont;
    before.size = app.sheet.FontSize;
    const std::optional<platform::FontSpec> chosen = app.ui().askGridFont(before);
    if (chosen)
        ChangeGridFont(app, before, *chosen);
}

bool ChangeGridFont(App& app, const platform::FontSpec& before, const platform::FontSpec& chosen)
{
    platform::FontSpec& font = app.settings.gridFont;
    font.bold = chosen.bold;
    font.italic = chosen.italic;
    ShowStatus(app, QString());
    if (chosen == before)
        return false;
    font.name = chosen.name;
    app.sheet.FontSize = chosen.size;
    ApplyFont(app);
    ShowStatus(app, QStringLiteral("フォントを ") + chosen.name + u' ' + QString::number(chosen.size)
                        + QStringLiteral("ポイントに変更しました."));
    return true;
}

} // namespace core
