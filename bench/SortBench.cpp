// Sorting the largest sheet, and the selection sort it is held to.
#include "calc/Recalc.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "tools/Sort.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

struct SortBenchApp {
    SortBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// rows x 26 cells; the key column B holds random keys from 500 values, Japanese texts and
/// numbers among them, so that most keys repeat.
std::unique_ptr<SortBenchApp> sheetOf(int rows)
{
    auto b = std::make_unique<SortBenchApp>();
    core::Sheet& sheet = b->app.sheet;
    sheet.SheetRows = rows;
    core::ResizeSheet(b->app);
    static const QString words[] = {QStringLiteral("東京"), QStringLiteral("大阪"),
                                    QStringLiteral("さくら"), QStringLiteral("サクラ"),
                                    QStringLiteral("apple"), QStringLiteral("Apple")};
    std::mt19937 random(42);
    for (int r = 1; r <= rows; ++r) {
        const int k = int(random() % 500);
        if (k % 3 == 0) {
            sheet.CellText[2][r] = QChar(core::NumberMark) + QString::number(k);
            sheet.CellValue[2][r] = k;
        } else {
            sheet.CellText[2][r] =
                QChar(core::TextMark) + words[k % 6] + QString::number(k / 6);
        }
        for (int c = 1; c <= core::MaxCols; ++c)
            if (c != 2)
                sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(r);
    }
    sheet.LastCol = core::MaxCols;
    sheet.LastRow = rows;
    return b;
}

template <void (*Sort)(App&, int, int, int, int, int)>
void timeSort(benchmark::State& state, int rows, int method)
{
    auto b = sheetOf(rows);
    for (auto _ : state) {
        Sort(b->app, 2, 1, rows, 0, method);
        benchmark::DoNotOptimize(b->app.sheet.CellText[2][1]);
        state.PauseTiming();
        b = sheetOf(rows);
        state.ResumeTiming();
    }
}

void BM_SortRows_Text_32000(benchmark::State& state)
{
    timeSort<tools::SortRows>(state, core::MaxRows, 0);
}
BENCHMARK(BM_SortRows_Text_32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortRows_Number_32000(benchmark::State& state)
{
    timeSort<tools::SortRows>(state, core::MaxRows, 1);
}
BENCHMARK(BM_SortRows_Number_32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortRows_Text_4000(benchmark::State& state)
{
    timeSort<tools::SortRows>(state, 4000, 0);
}
BENCHMARK(BM_SortRows_Text_4000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortRowsPlain_Text_4000(benchmark::State& state)
{
    timeSort<tools::SortRowsPlain>(state, 4000, 0);
}
BENCHMARK(BM_SortRowsPlain_Text_4000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SortRowsPlain_Number_4000(benchmark::State& state)
{
    timeSort<tools::SortRowsPlain>(state, 4000, 1);
}
BENCHMARK(BM_SortRowsPlain_Number_4000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
