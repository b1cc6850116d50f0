#include "core/App.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "platform/fake/FakePlatform.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct CsvBenchApp
{
    CsvBenchApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// A full sheet as a user's export brings it: integers, decimals, ASCII and Japanese texts,
/// a quoted field now and then; 5.6 MB of UTF-8.
QByteArray bigCsv()
{
    static const char* const japanese[] = {"東京都",     "大阪",   "りんご",
                                           "商品コード", "ｶﾅ入力", "表計算"};
    QByteArray csv;
    csv.reserve(6 * 1024 * 1024);
    for (int r = 1; r <= 32000; ++r) {
        for (int c = 1; c <= 26; ++c) {
            if (c > 1)
                csv += ',';
            const int n = r * 31 + c * 7;
            switch ((r + c) % 5) {
            case 0:
                csv += QByteArray::number(n % 10000);
                break;
            case 1:
                csv += QByteArray::number(n % 100) + '.' + QByteArray::number(n % 10);
                break;
            case 2:
                csv += "item" + QByteArray::number(n % 1000);
                break;
            case 3:
                csv += japanese[n % 6];
                break;
            default:
                csv += (n % 7 == 0) ? QByteArray("\"a,b\"") : QByteArray::number(-(n % 1000));
            }
        }
        csv += "\r\n";
    }
    return csv;
}

/// The big file, written once per run.
const QString& bigCsvPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("big.csv"));
        QFile file(p);
        if (file.open(QIODevice::WriteOnly))
            file.write(bigCsv());
        return p;
    }();
    return path;
}

void BM_OpenCsv_32000x26(benchmark::State& state)
{
    const QString& path = bigCsvPath();
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<CsvBenchApp>();
        state.ResumeTiming();
        files::OpenCsv(b->app, path);
        benchmark::DoNotOptimize(b->app.sheet.GridText[26][32000]);
        state.PauseTiming();
        if (b->app.sheet.LastRow != 32000)
            state.SkipWithError("the file did not load");
        b.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_OpenCsv_32000x26)->Unit(benchmark::kMillisecond);

void BM_WriteCsv_Values_32000x26(benchmark::State& state)
{
    CsvBenchApp b;
    files::OpenCsv(b.app, bigCsvPath());
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("values.csv"));
    for (auto _ : state) {
        const auto written = files::WriteCsv(b.app, out, 1, 26, 3, 1, 32000);
        if (!written.ok())
            state.SkipWithError("the file was not written");
    }
    state.SetBytesProcessed(state.iterations() * QFile(out).size());
}
BENCHMARK(BM_WriteCsv_Values_32000x26)->Unit(benchmark::kMillisecond);

} // namespace
