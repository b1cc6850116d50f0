// Clipping long texts in right-aligned and centred columns.
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

namespace {

/// A text of n characters, every third one full-width, cut to the last ten units: almost
/// the whole text has to be dropped, as a right-aligned column does with a long entry.
void BM_CharsThatFit(benchmark::State& state)
{
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    const int n = int(state.range(0));
    QString text;
    for (int i = 0; i < n; ++i)
        text += i % 3 == 0 ? QChar(u'東') : QChar(u'a');
    const int px = core::TextPixels(app, text) - core::CharUnit(app, 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(core::CharsThatFit(app, text, px));
    state.SetComplexityN(n);
}
BENCHMARK(BM_CharsThatFit)->RangeMultiplier(10)->Range(10, 10000)->Complexity();

} // namespace
