#include "core/App.h"
#include "core/SheetOps.h"
#include "edit/AdjustFormula.h"
#include "edit/Entry.h"
#include "edit/InsertDelete.h"
#include "edit/Paste.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct EditBenchApp {
    EditBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// 26 x 32000 cells with lines: numbers in row 1, below them formulas over the row above.
void fillFormulasAndLines(App& app)
{
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(app);
    for (int c = 1; c <= core::MaxCols; ++c) {
        const QChar left(u'A' + (c > 1 ? c - 2 : 0));
        const QChar self(u'A' + c - 1);
        sheet.CellText[c][1] = QChar(core::NumberMark) + QString::number(c);
        sheet.CellValue[c][1] = c;
        for (int r = 2; r <= core::MaxRows; ++r) {
            const QString up = QString::number(r - 1);
            sheet.CellText[c][r] = QStringLiteral("=") + left + up + u'+' + self + up
                + QStringLiteral("*2");
            sheet.GridText[c][r] = QStringLiteral("         0");
        }
        for (int r = 1; r <= core::MaxRows; ++r) {
            sheet.CellLines[1][c][r] = 0x11;
            sheet.CellLines[4][c][r] = 0x21;
        }
    }
    sheet.LastCol = core::MaxCols;
    sheet.LastRow = core::MaxRows;
}

void BM_CommitEntry_FullSheet(benchmark::State& state)
{
    EditBenchApp b;
    fillFormulasAndLines(b.app);
    b.app.grid.col = 3;
    b.app.grid.row = 16000;
    int k = 0;
    for (auto _ : state) {
        edit::CommitEntry(b.app, QString::number(++k));
        benchmark::DoNotOptimize(b.app.sheet.CellText[3][16000]);
    }
}
BENCHMARK(BM_CommitEntry_FullSheet)->Unit(benchmark::kMillisecond);

/// The block A2:Z1001 of formulas and lines as the copy source, pasted at A2001 of the full
/// sheet: re-referencing, values, displays and lines of 26000 cells.
void BM_PasteSourceBlock_26x1000(benchmark::State& state)
{
    EditBenchApp b;
    fillFormulasAndLines(b.app);
    b.app.sheet.CopySource = core::CellBlock{1, core::MaxCols, 2, 1001};
    b.app.grid.col = 1;
    b.app.grid.row = 2001;
    for (auto _ : state) {
        edit::PasteSourceBlock(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellText[26][3000]);
    }
}
BENCHMARK(BM_PasteSourceBlock_26x1000)->Unit(benchmark::kMillisecond);

/// The whole paste command of that block, with the recalculation of the full sheet.
void BM_PasteCommand_26x1000_FullSheet(benchmark::State& state)
{
    EditBenchApp b;
    fillFormulasAndLines(b.app);
    b.app.grid.selection = core::CellBlock{1, core::MaxCols, 2, 1001};
    edit::SetCopySource(b.app);
    b.app.grid.col = 1;
    b.app.grid.row = 2001;
    b.app.grid.selection = core::CellBlock{1, 1, 2001, 2001};
    for (auto _ : state) {
        edit::Paste(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellText[26][3000]);
    }
}
BENCHMARK(BM_PasteCommand_26x1000_FullSheet)->Unit(benchmark::kMillisecond);

/// Times one shift on a freshly filled sheet; filling is not timed.
template <typename Shift> void timeShift(benchmark::State& state, Shift shift)
{
    auto b = std::make_unique<EditBenchApp>();
    fillFormulasAndLines(b->app);
    for (auto _ : state) {
        shift(b->app);
        benchmark::DoNotOptimize(b->app.sheet.CellText[1][2]);
        state.PauseTiming();
        b = std::make_unique<EditBenchApp>();
        fillFormulasAndLines(b->app);
        state.ResumeTiming();
    }
}

void BM_InsertRows_1_at_1_Full_26x32000(benchmark::State& state)
{
    timeShift(state, [](App& app) { edit::InsertRows(app, 1, 1); });
}
BENCHMARK(BM_InsertRows_1_at_1_Full_26x32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeleteRows_1_at_1_Full_26x32000(benchmark::State& state)
{
    timeShift(state, [](App& app) { edit::DeleteRows(app, 1, 1); });
}
BENCHMARK(BM_DeleteRows_1_at_1_Full_26x32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_InsertColumns_1_at_1_Full_26x32000(benchmark::State& state)
{
    timeShift(state, [](App& app) { edit::InsertColumns(app, 1, 1); });
}
BENCHMARK(BM_InsertColumns_1_at_1_Full_26x32000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AdjustFormula(benchmark::State& state)
{
    const QString formula = QStringLiteral("=SUM(B12:$C$40)+COUNTIF(A1:A9,\"B2\")*D17-$E9");
    for (auto _ : state) {
        QString out = edit::AdjustFormula(formula, 1, 3, 32000);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_AdjustFormula);

} // namespace
