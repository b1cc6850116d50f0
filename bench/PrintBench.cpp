// Pagination of the largest sheet and one page drawn into a recording printer.
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "print/PrintEngine.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct PrintBenchApp {
    PrintBenchApp()
    {
        core::ResetSheetState(app);
        app.sheet.FontSize = 10;
    }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// 26 x 32000 cells of numbers and texts, a ruled line under every tenth row, a page break
/// every 500 rows, a header and a footer.
std::unique_ptr<PrintBenchApp> fullSheet()
{
    auto b = std::make_unique<PrintBenchApp>();
    App& app = b->app;
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(app);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= sheet.SheetRows; ++r) {
            if (c % 2 == 0) {
                sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(r * c);
                sheet.CellValue[c][r] = r * c;
            } else {
                sheet.CellText[c][r] = QChar(core::TextMark) + QStringLiteral("東京%1").arg(r);
            }
            core::ShowCell(app, c, r);
            if (r % 10 == 0)
                sheet.CellLines[4][c][r] = 0x10;
        }
    for (int r = 500; r <= sheet.SheetRows; r += 500)
        sheet.PageBreaks.append(QString::number(r));
    app.pageLayout.txtHdr[1] = QStringLiteral("売上 &P");
    app.pageLayout.txtHdr[4] = QStringLiteral("&F");
    core::RescanExtent(app);
    return b;
}

PrintBenchApp& shared()
{
    static const std::unique_ptr<PrintBenchApp> b = fullSheet();
    return *b;
}

print::PrintLayout layoutOf(App& app, platform::FakePrinter& printer)
{
    print::PrintLayout layout;
    layout.range = {1, app.sheet.LastCol, 1, app.sheet.LastRow};
    print::PrepareLayout(app, printer, layout);
    return layout;
}

void BM_CountPages_26x32000(benchmark::State& state)
{
    PrintBenchApp& b = shared();
    const print::PrintLayout layout = layoutOf(b.app, b.fakes.printer);
    int pages = 0;
    for (auto _ : state) {
        pages = print::CountPages(b.app, layout);
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CountPages_26x32000)->Unit(benchmark::kMillisecond);

void BM_PrintPage_Recording(benchmark::State& state)
{
    PrintBenchApp& b = shared();
    const print::PrintLayout layout = layoutOf(b.app, b.fakes.printer);
    const int top = 1001;
    const int bottom = print::PageBottom(b.app, layout, top);
    for (auto _ : state) {
        b.fakes.printer.log.clear();
        print::PrintPage(b.app, b.fakes.printer, b.fakes.printer, layout, top, 3, bottom, false);
    }
    state.counters["rows"] = bottom - top + 1;
    state.counters["columns"] = layout.range.lastCol;
}
BENCHMARK(BM_PrintPage_Recording)->Unit(benchmark::kMicrosecond);

} // namespace
