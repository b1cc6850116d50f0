// The graph of the largest sheet: a line chart of three columns over 32000 rows with labels.
#include "BenchApp.h"
#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "graph/Graph.h"
#include "platform/fake/FakePlatform.h"
#include "ui/ChartBuilder.h"
#include "ui/TfGp.h"

#include <QChartView>
#include <QCoreApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct GraphBenchApp {
    GraphBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// 26 x 32000 cells: day labels in A, numbers elsewhere; the graph settings draw B..D of
/// every row as lines, labelled from A, with the legend and a title.
std::unique_ptr<GraphBenchApp> fullSheet()
{
    auto b = std::make_unique<GraphBenchApp>();
    App& app = b->app;
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(app);
    for (int r = 1; r <= sheet.SheetRows; ++r) {
        sheet.CellText[1][r] = QChar(core::TextMark) + QStringLiteral("日%1").arg(r);
        for (int c = 2; c <= core::MaxCols; ++c)
            sheet.CellText[c][r] =
                QChar(core::NumberMark) + QString::number((r * 37 + c * 101) % 1000 + 0.25 * c);
    }
    core::RescanExtent(app);
    calc::RecalcAll(app);
    core::ShowAllCells(app);
    app.pageLayout.txtHdr[1] = QStringLiteral("売上 &P");
    graph::GraphSettings& g = app.graph;
    g.rbGkind = 0;
    g.edClms = QStringLiteral("BCD");
    g.edRow1 = QStringLiteral("1");
    g.edRow2 = QString::number(core::MaxRows);
    g.cbXclm = 1;
    return b;
}

GraphBenchApp& shared()
{
    static const std::unique_ptr<GraphBenchApp> b = fullSheet();
    return *b;
}

/// BuildChart: the chart model of the settings and the Qt chart with its series and axes.
void BM_BuildChart_26x32000(benchmark::State& state)
{
    EnsureBenchApplication();
    GraphBenchApp& b = shared();
    std::size_t points = 0;
    for (auto _ : state) {
        const graph::ChartModel model = graph::BuildChartModel(b.app);
        ui::GraphChart chart(model);
        points = model.series.size() * model.series.front().points.size();
        benchmark::DoNotOptimize(&chart);
    }
    state.counters["points"] = double(points);
}
BENCHMARK(BM_BuildChart_26x32000)->Unit(benchmark::kMillisecond);

/// The model alone: values through 15 digits and the label column's texts.
void BM_BuildChartModel_26x32000(benchmark::State& state)
{
    GraphBenchApp& b = shared();
    for (auto _ : state) {
        const graph::ChartModel model = graph::BuildChartModel(b.app);
        benchmark::DoNotOptimize(model.series.data());
    }
}
BENCHMARK(BM_BuildChartModel_26x32000)->Unit(benchmark::kMillisecond);

/// The graph window showing it: built, shown at the main window's first size and painted
/// once, as its first showing does.
void BM_ShowGraphWindow_26x32000(benchmark::State& state)
{
    EnsureBenchApplication();
    GraphBenchApp& b = shared();
    QWidget main;
    main.resize(600, 360);
    ui::TfGp window(b.app, &main);
    for (auto _ : state) {
        window.FormActivate();
        window.show();
        QCoreApplication::processEvents();
        const QImage shown = window.ActiveChart->grab().toImage();
        benchmark::DoNotOptimize(shown.constBits());
        window.hide();
        window.FormClose();
    }
}
BENCHMARK(BM_ShowGraphWindow_26x32000)->Unit(benchmark::kMillisecond);

/// A pie of every row: 32000 slices with their labels and legend, drawn at the window's
/// first size.
void BM_DrawPie_32000(benchmark::State& state)
{
    EnsureBenchApplication();
    GraphBenchApp& b = shared();
    b.app.graph.rbGkind = 3;
    b.app.graph.ckMarker = true;
    const graph::ChartModel model = graph::BuildChartModel(b.app);
    b.app.graph.rbGkind = 0;
    b.app.graph.ckMarker = false;
    for (auto _ : state) {
        const QImage image = ui::ChartImage(model, QSize(600, 360));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawPie_32000)->Unit(benchmark::kMillisecond);

} // namespace
