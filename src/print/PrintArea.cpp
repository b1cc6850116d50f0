#include "print/PrintArea.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "platform/Ui.h"

namespace print {

QString PrintAreaText(const core::CellBlock& area)
{
    return core::CellName(area.left, area.top) + u'～' + core::CellName(area.right, area.bottom);
}

void ShowPrintArea(App& app, bool on)
{
    if (on) {
        app.pageLayout.printAreaLabel =
            QStringLiteral("印刷範囲: ") + PrintAreaText(app.sheet.PrintArea);
    } else {
        app.sheet.PrintArea = core::CellBlock{};
        app.pageLayout.printAreaLabel.clear();
    }
    app.ui().setPrintAreaIndicator(on);
}

void PrintAreaCommand(App& app)
{
    const core::CellBlock& s = app.grid.selection;
    const bool wasSet = !app.sheet.PrintArea.isEmpty();
    app.sheet.PrintArea = s;
    if (s.left == s.right && s.top == s.bottom && wasSet) {
        ShowPrintArea(app, false);
        core::ShowStatus(app, QStringLiteral("印刷範囲の設定を解除しました"));
        return;
    }
    ShowPrintArea(app, true);
    core::ShowStatus(app, QStringLiteral("印刷範囲を ") + PrintAreaText(s)
                              + QStringLiteral(" に設定しました"));
}

void ResetHeaderBoxes(App& app)
{
    for (std::size_t k = 0; k < 6; ++k) {
        app.pageLayout.txtHdr[k].clear();
        HeaderFont& font = app.pageLayout.hdrFont[k];
        font = HeaderFont{};
        font.font = app.settings.gridFont;
        font.font.size = app.sheet.FontSize;
    }
}

} // namespace print
