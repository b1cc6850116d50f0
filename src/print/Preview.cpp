#include "print/Preview.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"
#include "print/PrintEngine.h"

namespace print {

void PreviewCommand(App& app)
{
    PreviewState& p = app.printing.preview;
    const core::CellBlock& area = app.sheet.PrintArea;
    if (area.left > 0)
        core::ShowStatus(app, PrintAreaText(area) + QStringLiteral(" を印刷"));
    PrintRange range;
    if (!PrintRangeOf(app, true, range))
        return;
    p.requested = range;
    p.page = 1;
    if (PreparePreview(app))
        app.ui().showPreview();
}

bool PreparePreview(App& app)
{
    PreviewState& p = app.printing.preview;
    if (!app.printer().available()) {
        platform::Message message;
        message.icon = platform::Icon::Error;
        message.text = QStringLiteral("デフォルト プリンタが存在しません.");
        app.ui().message(message);
        return false;
    }
    PrintLayout layout;
    layout.range = p.requested;
    if (!PrepareLayout(app, app.printer(), layout))
        return false;
    p.layout = layout;
    p.pageCount = CountPages(app, layout);
    p.page = std::clamp(p.page, 1, p.pageCount);
    return true;
}

QString PreviewStatus(const App& app)
{
    const PreviewState& p = app.printing.preview;
    const int top = PageTop(app, p.layout, p.page);
    const int bottom = PageBottom(app, p.layout, top);
    return QString::number(p.page) + u'/' + QString::number(p.pageCount)
           + QStringLiteral(" ページ: ") + PageCells(p.layout, top, bottom);
}

void PaintPreview(App& app, platform::OutputTarget& target)
{
    const PreviewState& p = app.printing.preview;
    const PageGeometry& g = p.layout.g;
    target.setPen(platform::PrintPen::Dot, 1, 0);
    for (const int y : {g.MarginTop - 1, g.MarginTop + g.AreaHeight + 1})
        target.drawLine(0, y, g.PhysWidth, y);
    for (const int x : {g.MarginLeft - 1, g.MarginLeft + g.AreaWidth + 1})
        target.drawLine(x, 0, x, g.PhysHeight);
    const int top = PageTop(app, p.layout, p.page);
    const int bottom = PageBottom(app, p.layout, top);
    PrintPage(app, app.printer(), target, p.layout, top,
              app.pageLayout.txtTop.toInt() + p.page - 1, bottom, false);
}

float FitScale(int physWidth, int physHeight, int panelWidth, int panelHeight)
{
    const float h = float(physHeight) / float(std::max(panelHeight, 1));
    const float w = float(physWidth) / float(std::max(panelWidth, 1));
    return std::max(h, w);
}

ZoomBars ZoomBarsFor(int physWidth, int physHeight, int panelWidth, int panelHeight)
{
    ZoomBars z;
    z.vMax = physHeight - (panelHeight / 4) * 3;
    z.hMax = physWidth - (panelWidth / 4) * 3;
    z.vPage = physHeight / 4;
    z.hPage = physWidth / 4;
    z.vStep = physHeight / 10;
    z.hStep = physWidth / 10;
    return z;
}

bool PreviewGo(App& app, int page)
{
    PreviewState& p = app.printing.preview;
    page = std::clamp(page, 1, p.pageCount);
    if (page == p.page)
        return false;
    p.page = page;
    return true;
}

} // namespace print
