#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct CalcBenchApp
{
    explicit CalcBenchApp(int rows)
    {
        core::ResetSheetState(app);
        app.sheet.SheetRows = rows;
        core::ResizeSheet(app);
    }
    void number(int c, int r, double v)
    {
        app.sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(v);
    }
    void formula(int c, int r, const QString& text) { app.sheet.CellText[c][r] = text; }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

QString rowFormula(int c, int r)
{
    const QString n = QString::number(r);
    switch (c % 6) {
    case 0:
        return QStringLiteral("=A%1+B%1*C%1").arg(n);
    case 1:
        return QStringLiteral("=SUM(A%1:C%1)").arg(n);
    case 2:
        return QStringLiteral("=ROUND(D%1/3,2)").arg(n);
    case 3:
        return QStringLiteral("=MOD(A%1,7)-E%1").arg(n);
    case 4:
        return QStringLiteral("=(B%1-A%1)^2/2").arg(n);
    default:
        return QStringLiteral("=ABS(C%1-100)+INT(B%1/7)").arg(n);
    }
}

void BM_RecalcAll_Formulas_26x32000(benchmark::State& state)
{
    CalcBenchApp b(core::MaxRows);
    for (int r = 1; r <= core::MaxRows; ++r) {
        for (int c = 1; c <= 3; ++c)
            b.number(c, r, (r * 37 + c * 101) % 1000 + 0.25 * c);
        for (int c = 4; c <= core::MaxCols; ++c)
            b.formula(c, r, rowFormula(c, r));
    }
    b.app.sheet.LastCol = core::MaxCols;
    b.app.sheet.LastRow = core::MaxRows;
    for (auto _ : state) {
        calc::RecalcAll(b.app);
        benchmark::DoNotOptimize(b.app.sheet.GridText[26][32000]);
    }
}
BENCHMARK(BM_RecalcAll_Formulas_26x32000)->Unit(benchmark::kMillisecond);

/// A1 = =A2+1 ... A(n-1) = =An+1, An = 1: one formula settles per pass.
void chainDown(benchmark::State& state, int n, void (*recalc)(App&))
{
    CalcBenchApp b(std::max(n, core::NewSheetRows));
    for (int r = 1; r < n; ++r)
        b.formula(1, r, QStringLiteral("=A%1+1").arg(r + 1));
    b.number(1, n, 1);
    b.app.sheet.LastCol = 1;
    b.app.sheet.LastRow = n;
    for (auto _ : state) {
        recalc(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellValue[1][1]);
    }
    if (b.app.sheet.CellValue[1][1] != n)
        state.SkipWithError("wrong chain result");
}

void BM_RecalcAll_ChainDown_8000(benchmark::State& state)
{
    chainDown(state, 8000, &calc::RecalcAll);
}
void BM_RecalcAll_ChainDown_16000(benchmark::State& state)
{
    chainDown(state, 16000, &calc::RecalcAll);
}
void BM_RecalcAll_ChainDown_32000(benchmark::State& state)
{
    chainDown(state, 32000, &calc::RecalcAll);
}
BENCHMARK(BM_RecalcAll_ChainDown_8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcAll_ChainDown_16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcAll_ChainDown_32000)->Unit(benchmark::kMillisecond);

// The pass algorithm as defined, for comparison: quadratic in the chain length.
void BM_RecalcAllPlain_ChainDown_2000(benchmark::State& state)
{
    chainDown(state, 2000, &calc::RecalcAllPlain);
}
void BM_RecalcAllPlain_ChainDown_4000(benchmark::State& state)
{
    chainDown(state, 4000, &calc::RecalcAllPlain);
}
BENCHMARK(BM_RecalcAllPlain_ChainDown_2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcAllPlain_ChainDown_4000)->Unit(benchmark::kMillisecond);

/// A: numbers; B1 = =A1, Bn = =B(n-1)+An: every formula refers upwards.
void BM_RecalcAll_RunningTotal_32000(benchmark::State& state)
{
    CalcBenchApp b(core::MaxRows);
    for (int r = 1; r <= core::MaxRows; ++r) {
        b.number(1, r, r % 100);
        b.formula(2, r,
                  r == 1 ? QStringLiteral("=A1") : QStringLiteral("=B%1+A%2").arg(r - 1).arg(r));
    }
    b.app.sheet.LastCol = 2;
    b.app.sheet.LastRow = core::MaxRows;
    for (auto _ : state) {
        calc::RecalcAll(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellValue[2][32000]);
    }
}
BENCHMARK(BM_RecalcAll_RunningTotal_32000)->Unit(benchmark::kMillisecond);

/// A(i) = =COUNTIF(B:B,">0")+A(i+1) (the last without A(n+1)), B(i) = =A(i): one link
/// settles per pass, and every waiting link counts over a column that the passes fill.
void criteriaChain(benchmark::State& state, int n, const char* count = "COUNTIF(B:B,\">0\")")
{
    CalcBenchApp b(std::max(n, core::NewSheetRows));
    for (int r = 1; r <= n; ++r) {
        b.formula(1, r,
                  r < n ? QStringLiteral("=%1+A%2").arg(QLatin1String(count)).arg(r + 1)
                        : QStringLiteral("=%1").arg(QLatin1String(count)));
        b.formula(2, r, QStringLiteral("=A%1").arg(r));
    }
    b.app.sheet.LastCol = 2;
    b.app.sheet.LastRow = n;
    for (auto _ : state) {
        calc::RecalcAll(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellValue[1][1]);
    }
    if (b.app.sheet.CellKind[1][1] != core::kindDone)
        state.SkipWithError("the chain did not settle");
}

void BM_RecalcAll_CriteriaChain_3000(benchmark::State& state)
{
    criteriaChain(state, 3000);
}
void BM_RecalcAll_CriteriaChain_32000(benchmark::State& state)
{
    criteriaChain(state, 32000);
}
void BM_RecalcAll_SumIfChain_1000(benchmark::State& state)
{
    criteriaChain(state, 1000, "SUMIF(B:B,\">0\",B:B)");
}
BENCHMARK(BM_RecalcAll_SumIfChain_1000)->Unit(benchmark::kMillisecond);
/// The count goes into arithmetic before the chain waits: (COUNTIF(...)-1)*2.
void BM_RecalcAll_CriteriaChainArithmetic_32000(benchmark::State& state)
{
    criteriaChain(state, 32000, "(COUNTIF(B:B,\">0\")-1)*2");
}
BENCHMARK(BM_RecalcAll_CriteriaChainArithmetic_32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcAll_CriteriaChain_3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcAll_CriteriaChain_32000)->Unit(benchmark::kMillisecond);

/// Every cell a number or a text: only the classification runs.
void BM_RecalcAll_NoFormulas_26x32000(benchmark::State& state)
{
    CalcBenchApp b(core::MaxRows);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= core::MaxRows; ++r) {
            if ((r + c) % 7 == 0)
                b.app.sheet.CellText[c][r] = QChar(core::TextMark) + QStringLiteral("item");
            else
                b.number(c, r, (c * 7919.0 + r * 31.0) / ((r % 3) + 1));
        }
    b.app.sheet.LastCol = core::MaxCols;
    b.app.sheet.LastRow = core::MaxRows;
    for (auto _ : state) {
        calc::RecalcAll(b.app);
        benchmark::DoNotOptimize(b.app.sheet.CellValue[26][32000]);
    }
}
BENCHMARK(BM_RecalcAll_NoFormulas_26x32000)->Unit(benchmark::kMillisecond);

} // namespace
