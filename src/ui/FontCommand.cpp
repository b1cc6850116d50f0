#include "ui/FontCommand.h"

#include "core/App.h"
#include "core/Display.h"
#include "ui/GridFontDialog.h"
#include "ui/TF.h"

#include <QFontInfo>

namespace ui {

bool ChangeGridFont(App& app, const platform::FontSpec& before, const platform::FontSpec& chosen)
{
    platform::FontSpec& font = app.settings.gridFont;
    font.bold = chosen.bold;
    font.italic = chosen.italic;
    core::ShowStatus(app, QString());
    if (chosen == before)
        return false;
    font.name = chosen.name;
    app.sheet.FontSize = chosen.size;
    core::ApplyFont(app);
    core::ShowStatus(app, QStringLiteral("フォントを ") + chosen.name + u' '
                              + QString::number(chosen.size)
                              + QStringLiteral("ポイントに変更しました."));
    return true;
}

void TF::FontCommand()
{
    App& app = *m_app;
    const QFont initial = gridFont();
    const QFontInfo shown(initial);
    platform::FontSpec before = app.settings.gridFont;
    before.size = shown.pointSize();
    GridFontDialog dialog(initial, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    modalReturned();
    if (!ok)
        return;
    const QFont picked = dialog.selectedFont();
    platform::FontSpec chosen;
    // The dialog shows the family the stored name resolves to; that family keeps the name.
    chosen.name = picked.family() == shown.family() ? before.name : picked.family();
    chosen.size = picked.pointSize();
    chosen.bold = picked.bold();
    chosen.italic = picked.italic();
    ChangeGridFont(app, before, chosen);
}

} // namespace ui
