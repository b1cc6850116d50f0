#include "core/App.h"
#include "core/SheetOps.h"
#include "files/WorksheetReader.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct FilesBenchApp {
    FilesBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// 26 x 32000 cells: texts (some with commas), numbers and formulas, and ruled lines on
/// every third row.
void fillMixed(App& app)
{
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = core::MaxRows;
    core::ResizeSheet(app);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= core::MaxRows; ++r) {
            QString& t = sheet.CellText[c][r];
            switch ((c + r) % 4) {
            case 0:
                t = QStringLiteral("\b品名 ") + QString::number(r);
                break;
            case 1:
                t = u'\t' + QString::number(r * 1.25 + c);
                break;
            case 2:
                t = QStringLiteral("=A") + QString::number(r) + QStringLiteral("*2+B1");
                break;
            default:
                t = QStringLiteral("\btext, with \"quotes\"");
            }
            if (r % 3 == 0)
                sheet.CellLines[4][c][r] = 0x19;
        }
    core::RescanExtent(app);
}

void BM_WriteWorksheet_26x32000(benchmark::State& state)
{
    FilesBenchApp b;
    fillMixed(b.app);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mvx"));
    for (auto _ : state) {
        const auto result = files::WriteWorksheet(b.app, path, 1, 26, 1, core::MaxRows);
        if (!result)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteWorksheet_26x32000)->Unit(benchmark::kMillisecond);

void BM_ReadWorksheet_26x32000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mvx"));
    {
        FilesBenchApp source;
        fillMixed(source.app);
        if (!files::WriteWorksheet(source.app, path, 1, 26, 1, core::MaxRows)) {
            state.SkipWithError("write failed");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<FilesBenchApp>();
        state.ResumeTiming();
        if (!files::ReadWorksheet(b->app, path))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(b->app.sheet.CellText[26][32000]);
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadWorksheet_26x32000)->Unit(benchmark::kMillisecond);

} // namespace
