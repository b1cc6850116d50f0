#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct BenchApp {
    BenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

void BM_ResizeSheet_20_to_32000(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<BenchApp>();
        state.ResumeTiming();
        b->app.sheet.SheetRows = core::MaxRows;
        core::ResizeSheet(b->app);
        benchmark::DoNotOptimize(b->app.sheet.CellText[26][32000]);
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResizeSheet_20_to_32000)->Unit(benchmark::kMillisecond);

void fillNumbers(App& app)
{
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(app);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= core::MaxRows; ++r) {
            const double v = (c * 7919.0 + r * 31.0) / ((r % 3) + 1);
            sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(v);
            sheet.CellValue[c][r] = v;
        }
    sheet.LastCol = core::MaxCols;
    sheet.LastRow = core::MaxRows;
}

void BM_ClearCells_Full_32000(benchmark::State& state)
{
    BenchApp b;
    fillNumbers(b.app);
    for (auto _ : state) {
        core::ClearCells(b.app, true);
        state.PauseTiming();
        fillNumbers(b.app);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClearCells_Full_32000)->Unit(benchmark::kMillisecond);

void BM_ShowAllCells_Numbers_26x32000(benchmark::State& state)
{
    BenchApp b;
    fillNumbers(b.app);
    for (auto _ : state) {
        core::ShowAllCells(b.app);
        benchmark::DoNotOptimize(b.app.sheet.GridText[26][32000]);
    }
}
BENCHMARK(BM_ShowAllCells_Numbers_26x32000)->Unit(benchmark::kMillisecond);

} // namespace
