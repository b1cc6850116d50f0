#include "print/PrintEngine.h"

#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/TextMeasure.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"
#include "print/HeaderFooter.h"
#include "print/Lines.h"

#include <QFileInfo>
#include <cmath>

namespace print {

namespace {

const QString MarginsTooLarge = QStringLiteral("余白の設定値が大きすぎます.");

/// 0x00BBGGRR as the worksheet keeps colours, to 0xRRGGBB.
std::uint32_t rgbOf(qint32 bgr)
{
    const auto v = std::uint32_t(bgr);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

platform::PrintPen penOf(PenStyle style)
{
    switch (style) {
    case PenStyle::Solid: return platform::PrintPen::Solid;
    case PenStyle::Dash: return platform::PrintPen::Dash;
    case PenStyle::Dot: return platform::PrintPen::Dot;
    case PenStyle::DashDot: return platform::PrintPen::DashDot;
    case PenStyle::DashDotDot: return platform::PrintPen::DashDotDot;
    }
    return platform::PrintPen::Solid;
}

/// The non-empty box of the largest font among boxes first..first+2; -1 when all are empty.
int bandBox(const App& app, int first)
{
    int best = -1;
    for (int k = first; k < first + 3; ++k) {
        if (app.pageLayout.txtHdr[std::size_t(k)].isEmpty())
            continue;
        if (best < 0
            || app.pageLayout.hdrFont[std::size_t(k)].font.size
                   > app.pageLayout.hdrFont[std::size_t(best)].font.size)
            best = k;
    }
    return best;
}

void printCellLines(const App& app, platform::OutputTarget& target, const PageGeometry& g, int x,
                    int y, int c, int r)
{
    const int right = g.ColumnEdge[std::size_t(c + 1)] - 1;
    const int bottom = y + g.RowHeight - 1;
    for (int plane = 1; plane <= 4; ++plane) {
        const std::uint8_t code = app.sheet.CellLines[plane][c][r];
        if (!LineCodeDraws(code))
            continue;
        const LineStyle& style = LineStyles[std::size_t(LineCodeStyle(code))];
        target.setPen(penOf(style.pen), style.width, LinePalette[std::size_t(LineCodeColor(code))]);
        switch (plane) {
        case 1: target.drawLine(x, y, x, bottom); break;
        case 2: target.drawLine(right, y, right, bottom); break;
        case 3: target.drawLine(x, y, right, y); break;
        default: target.drawLine(x, bottom, right, bottom); break;
        }
    }
}

/// False when a cancel stopped the drawing.
bool printGridLines(App& app, platform::OutputTarget& target, const PrintLayout& layout, int top,
                    int bottom, bool printing)
{
    if (!app.pageLayout.chkGrid)
        return true;
    const PageGeometry& g = layout.g;
    const PrintRange& range = layout.range;
    const auto step = [&] {
        if (!printing)
            return true;
        app.ui().processEvents();
        return !app.printing.CancelRequested;
    };
    target.setPen(platform::PrintPen::Solid, 1, 0);
    const int yb = g.GridTop + g.RowHeight * (bottom - top + 1);
    target.drawLine(g.MarginLeft, g.GridTop, g.MarginLeft, yb);
    if (!step())
        return false;
    for (int c = range.firstCol; c <= range.lastCol; ++c) {
        const int x = g.ColumnEdge[std::size_t(c + 1)];
        target.drawLine(x, g.GridTop, x, yb);
        if (!step())
            return false;
    }
    const int right = g.ColumnEdge[std::size_t(range.lastCol + 1)];
    for (int k = 0; k <= bottom - top + 1; ++k) {
        const int y = g.GridTop + k * g.RowHeight;
        target.drawLine(g.MarginLeft, y, right, y);
        if (!step())
            return false;
    }
    return true;
}

void printHeaderFooter(App& app, platform::Printer& printer, platform::OutputTarget& target,
                       const PageGeometry& g, int k, int pageNumber)
{
    const QString& box = app.pageLayout.txtHdr[std::size_t(k)];
    if (box.isEmpty())
        return;
    const int y = k < 3 ? g.MarginTop : g.FooterTop;
    const QString text = ExpandHeaderFooter(app, box, pageNumber);
    const platform::PrintFont font = BoxFont(app, k);
    target.setFont(font);
    const int tw = printer.textWidth(font, text);
    int x = g.MarginLeft;
    if (k == 1 || k == 4)
        x = g.AreaWidth / 2 + g.MarginLeft - tw / 2;
    else if (k == 2 || k == 5)
        x = g.MarginLeft + g.AreaWidth - tw;
    target.drawText(x, y, text);
}

} // namespace

void WarnMargins(App& app)
{
    platform::Message message;
    message.icon = platform::Icon::Warning;
    message.text = MarginsTooLarge;
    app.ui().message(message);
}

int MarginPixels(const QString& mm, double pixelsPerMm)
{
    // Halves go to the even neighbour, as the default rounding mode does.
    return int(std::nearbyint(std::clamp(mm.toInt(), 0, 1000) * pixelsPerMm));
}

platform::PrintFont CellFont(const App& app)
{
    platform::PrintFont font;
    font.name = app.settings.gridFont.name;
    font.size = app.sheet.FontSize > 0 ? app.sheet.FontSize : platform::DefaultFontPoints;
    font.bold = app.settings.gridFont.bold;
    font.italic = app.settings.gridFont.italic;
    return font;
}

platform::PrintFont BoxFont(const App& app, int k)
{
    return PrintFontOf(app.pageLayout.hdrFont[std::size_t(k)]);
}

platform::PrintFont PrintFontOf(const HeaderFont& hf)
{
    platform::PrintFont font;
    font.name = hf.font.name;
    font.size = hf.font.size > 0 ? hf.font.size : platform::DefaultFontPoints;
    font.bold = hf.font.bold;
    font.italic = hf.font.italic;
    font.underline = hf.underline;
    font.rgb = rgbOf(hf.color);
    return font;
}

bool SetupPage(App& app, platform::Printer& printer, PageGeometry& g)
{
    g = PageGeometry{};
    const platform::PageMetrics m = printer.metrics();
    const int w = m.width;
    const int h = m.height;
    int x0 = 40;
    int y0 = 100;
    g.PhysWidth = w + 80;
    g.PhysHeight = h + 200;
    if (m.device) {
        x0 = m.offsetX;
        y0 = m.offsetY;
        g.PhysWidth = m.physWidth;
        g.PhysHeight = m.physHeight;
    }
    const int xr = g.PhysWidth - x0 - w;
    const int yb = g.PhysHeight - y0 - h;
    const double perMm = m.dpiY / 25.4;
    const PageLayout& layout = app.pageLayout;
    const int top = MarginPixels(layout.txtOfs1, perMm);
    const int bottom = MarginPixels(layout.txtOfs2, perMm);
    const int left = MarginPixels(layout.txtOfs3, perMm);
    const int right = MarginPixels(layout.txtOfs4, perMm);
    if (left > w + x0 || right > w + xr || top > h + y0 || bottom > h + yb) {
        WarnMargins(app);
        return false;
    }
    g.MarginTop = std::max(0, top - y0);
    const int bottomInset = std::max(0, bottom - yb);
    g.MarginLeft = std::max(0, left - x0);
    const int rightInset = std::max(0, right - xr);
    g.AreaWidth = w - g.MarginLeft - rightInset;
    g.AreaHeight = h - g.MarginTop - bottomInset;
    g.RowHeight = printer.textHeight(CellFont(app), QStringLiteral("W")) + 2;
    if (g.AreaWidth < 1 || g.AreaHeight < 1 || g.RowHeight < 1) {
        WarnMargins(app);
        return false;
    }
    return true;
}

int MeasureBands(const App& app, platform::Printer& printer, PageGeometry& g)
{
    const int header = bandBox(app, 0);
    const int footer = bandBox(app, 3);
    g.GridTop = g.MarginTop;
    if (header >= 0)
        g.GridTop = g.MarginTop + printer.textHeight(BoxFont(app, header), QStringLiteral("W"))
                    + g.RowHeight;
    int body = g.MarginTop + g.AreaHeight - g.GridTop;
    g.FooterTop = g.MarginTop + g.AreaHeight;
    if (footer >= 0) {
        const int f = printer.textHeight(BoxFont(app, footer), QStringLiteral("W"));
        g.FooterTop = g.MarginTop + g.AreaHeight - f;
        body -= f + g.RowHeight;
    }
    return body / g.RowHeight;
}

void LayoutColumns(const App& app, platform::Printer& printer, PageGeometry& g, PrintRange& range)
{
    const int cw = printer.textWidth(CellFont(app), QStringLiteral("W"));
    g.ColumnEdge[std::size_t(range.firstCol)] = g.MarginLeft;
    for (int c = range.firstCol; c <= range.lastCol; ++c) {
        const int next = g.ColumnEdge[std::size_t(c)] + app.sheet.ColFormat[c].wid * cw + 1;
        g.ColumnEdge[std::size_t(c + 1)] = next;
        if (next > g.MarginLeft + g.AreaWidth) {
            range.lastCol = c - 1;
            break;
        }
    }
}

bool PrepareLayout(App& app, platform::Printer& printer, PrintLayout& layout)
{
    if (!SetupPage(app, printer, layout.g))
        return false;
    layout.RowsPerPage = MeasureBands(app, printer, layout.g);
    if (layout.RowsPerPage < 1) {
        // No room for a single row: pages could never advance.
        WarnMargins(app);
        return false;
    }
    LayoutColumns(app, printer, layout.g, layout.range);
    return true;
}

int PageBottom(const App& app, const PrintLayout& layout, int top)
{
    int bottom = std::min(top + layout.RowsPerPage - 1, layout.range.lastRow);
    for (const QString& entry : app.sheet.PageBreaks) {
        const int e = entry.toInt();
        if (top < e && e <= bottom)
            bottom = e - 1;
    }
    return bottom;
}

int CountPages(const App& app, const PrintLayout& layout)
{
    int pages = 0;
    int top = layout.range.firstRow;
    for (;;) {
        const int bottom = PageBottom(app, layout, top);
        ++pages;
        if (bottom >= layout.range.lastRow)
            return pages;
        top = bottom + 1;
    }
}

int PageTop(const App& app, const PrintLayout& layout, int n)
{
    int top = layout.range.firstRow;
    for (int page = 1; page < n; ++page) {
        const int bottom = PageBottom(app, layout, top);
        if (bottom >= layout.range.lastRow)
            break;
        top = bottom + 1;
    }
    return top;
}

QString PageCells(const PrintLayout& layout, int top, int bottom)
{
    return core::CellName(layout.range.firstCol, top) + u'～'
           + core::CellName(layout.range.lastCol, bottom);
}

QString PrintedCellText(const App& app, int c, const QString& text)
{
    const int limit = core::CharUnit(app, app.sheet.ColFormat[c].wid);
    if (core::TextPixels(app, text) < limit)
        return text;
    // Widths grow with the length: the shortest beginning that reaches the limit.
    qsizetype lo = 1;
    qsizetype hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi) / 2;
        if (core::TextPixels(app, text.left(mid)) >= limit)
            hi = mid;
        else
            lo = mid + 1;
    }
    return text.left(lo);
}

void PrintPage(App& app, platform::Printer& printer, platform::OutputTarget& target,
               const PrintLayout& layout, int top, int pageNumber, int bottom, bool printing)
{
    const PageGeometry& g = layout.g;
    const PrintRange& range = layout.range;
    target.setFont(CellFont(app));
    for (int r = top; r <= bottom; ++r) {
        const int y = (r - top) * g.RowHeight + g.GridTop;
        for (int c = range.firstCol; c <= range.lastCol; ++c) {
            const int x = g.ColumnEdge[std::size_t(c)];
            const QString& shown = app.sheet.GridText[c][r];
            if (!shown.isEmpty())
                target.drawText(x, y, PrintedCellText(app, c, shown));
            if (app.sheet.hasLines(c, r))
                printCellLines(app, target, g, x, y, c, r);
        }
        if (printing) {
            app.ui().processEvents();
            if (app.printing.CancelRequested)
                return;
        }
    }
    if (!printGridLines(app, target, layout, top, bottom, printing))
        return;
    for (int k = 0; k < 6; ++k) {
        printHeaderFooter(app, printer, target, g, k, pageNumber);
        if (printing) {
            app.ui().processEvents();
            if (app.printing.CancelRequested)
                return;
        }
    }
}

bool RunPrintJob(App& app, platform::Printer& printer, PrintRange range)
{
    const QString title = QFileInfo(app.sheet.FileName).fileName();
    if (!printer.begin(title))
        return false;
    PrintLayout layout;
    layout.range = range;
    if (!PrepareLayout(app, printer, layout)) {
        printer.abort();
        return false;
    }
    int n = app.pageLayout.txtTop.toInt();
    int top = layout.range.firstRow;
    for (;;) {
        const int bottom = PageBottom(app, layout, top);
        app.ui().setPrintProgress(QStringLiteral("ページ ") + QString::number(n)
                                  + QStringLiteral(" : ") + PageCells(layout, top, bottom)
                                  + QStringLiteral(" を印刷中"));
        PrintPage(app, printer, printer.target(), layout, top, n, bottom, true);
        if (app.printing.CancelRequested) {
            printer.abort();
            app.ui().showPrintProgress(false);
            platform::Message message;
            message.icon = platform::Icon::Information;
            message.text = QStringLiteral("印刷を中断しました.");
            app.ui().message(message);
            return false;
        }
        if (bottom >= layout.range.lastRow)
            break;
        if (!printer.newPage()) {
            printer.abort();
            return false;
        }
        ++n;
        top = bottom + 1;
    }
    if (printer.end())
        return true;
    printer.abort();
    return false;
}

bool PrintRangeOf(App& app, bool useArea, PrintRange& range)
{
    const core::CellBlock& area = app.sheet.PrintArea;
    if (useArea && area.left > 0) {
        range = {area.left, area.right, area.top, area.bottom};
        return true;
    }
    core::RescanExtent(app);
    if (app.sheet.LastCol == 0) {
        core::ShowStatus(app, QStringLiteral("印字データがありません"));
        return false;
    }
    range = {1, app.sheet.LastCol, 1, app.sheet.LastRow};
    return true;
}

void PrintCommand(App& app)
{
    const core::CellBlock& area = app.sheet.PrintArea;
    const bool hasArea = area.left > 0;
    if (hasArea)
        core::ShowStatus(app, PrintAreaText(area) + QStringLiteral(" を印刷"));
    const std::optional<bool> selection = app.ui().askPrint(hasArea);
    if (!selection)
        return;
    PrintRange range;
    if (!PrintRangeOf(app, *selection, range))
        return;
    {
        core::BusyGuard busy(app);
        app.ui().showPrintProgress(true);
        app.printing.CancelRequested = false;
        RunPrintJob(app, app.printer(), range);
        app.ui().showPrintProgress(false);
        core::ShowCellName(app);
        core::ShowStatus(app, QStringLiteral("印刷終了."));
    }
}

} // namespace print
