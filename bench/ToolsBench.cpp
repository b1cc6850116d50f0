// Search, extraction and replace over the largest sheet.
#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "tools/Replace.h"
#include "tools/Search.h"
#include "tools/SearchDialogState.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct ToolsBenchApp {
    ToolsBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// 26 x 32000 cells: texts "item<r>-<c>" and numbers; every other row holds "hit" in
/// column M.
std::unique_ptr<ToolsBenchApp> fullSheet()
{
    auto b = std::make_unique<ToolsBenchApp>();
    core::Sheet& sheet = b->app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(b->app);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= core::MaxRows; ++r) {
            if (c == 13 && r % 2 == 0) {
                sheet.CellText[c][r] = QChar(core::TextMark) + QStringLiteral("hit");
            } else if (c % 2 == 0) {
                sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(r * 3 + c);
                sheet.CellValue[c][r] = r * 3 + c;
            } else {
                sheet.CellText[c][r] = QChar(core::TextMark) + QStringLiteral("item")
                    + QString::number(r) + u'-' + QString::number(c);
            }
        }
    sheet.LastCol = core::MaxCols;
    sheet.LastRow = core::MaxRows;
    b->app.grid.col = 1;
    b->app.grid.row = 1;
    b->app.grid.selection = core::CellBlock{1, 1, 1, 1};
    return b;
}

void BM_SearchAgain_NoHit_26x32000(benchmark::State& state)
{
    auto b = fullSheet();
    b->app.searchDialog.cbStr = QStringLiteral("zzz"); // 含む, text, letter case counts
    for (auto _ : state) {
        tools::SearchAgain(b->app, true);
        benchmark::DoNotOptimize(b->app.grid.row);
    }
}
BENCHMARK(BM_SearchAgain_NoHit_26x32000)->Unit(benchmark::kMillisecond);

void BM_ExtractRows_HalfHits_26x32000(benchmark::State& state)
{
    tools::SearchDialogState dialog;
    dialog.cbStr = QStringLiteral("hit");
    dialog.optCond = tools::SearchDialogState::Equal;
    const tools::SearchOptions options = tools::SearchOptionsOf(dialog);
    const core::CellBlock all{1, core::MaxCols, 1, core::MaxRows};
    auto b = fullSheet();
    for (auto _ : state) {
        const int hits = tools::ExtractRows(b->app, all, options, 1, 1);
        benchmark::DoNotOptimize(hits);
        state.PauseTiming();
        b = fullSheet();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExtractRows_HalfHits_26x32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReplaceAll_26x32000(benchmark::State& state)
{
    const core::CellBlock all{1, core::MaxCols, 1, core::MaxRows};
    auto b = fullSheet();
    for (auto _ : state) {
        // Every text cell holds "item": one replacement in half of all cells.
        tools::ReplaceInRange(b->app, all, QStringLiteral("ITEM"), QStringLiteral("x"), false);
        benchmark::DoNotOptimize(b->app.sheet.CellText[1][1]);
        state.PauseTiming();
        b = fullSheet();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAll_26x32000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
