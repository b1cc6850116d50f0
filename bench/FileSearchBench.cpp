// The file search over twenty CSV files of one megabyte each.
#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "tools/FileSearch.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

/// Twenty files of about 1 MB: rows of ten fields, one field in a thousand a hit.
const QTemporaryDir& files()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir made;
        for (int f = 0; f < 20; ++f) {
            QByteArray bytes;
            int n = 0;
            while (bytes.size() < 1024 * 1024) {
                for (int c = 0; c < 10; ++c) {
                    if (c > 0)
                        bytes += ',';
                    bytes += (++n % 1000 == 0) ? QByteArray("東京タワーNeedle") : "text" + QByteArray::number(n);
                }
                bytes += "\r\n";
            }
            QFile file(made.filePath(QStringLiteral("f%1.csv").arg(f)));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
        return made;
    }();
    return dir;
}

void BM_FileSearch_20_files_1MB(benchmark::State& state)
{
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    tools::FileSearchDialogState& d = app.fileSearchDialog;
    d.txDir = files().path() + u'/';
    for (int f = 0; f < 20; ++f)
        d.lbFiles.append(QStringLiteral("f%1.csv").arg(f));
    d.cbStr = QStringLiteral("needle");
    d.optCase = 1;
    for (auto _ : state) {
        app.sheet.Modified = false;
        tools::PrepareResultSheet(app);
        tools::SearchFiles(app);
    }
    state.counters["hits"] = app.sheet.LastRow;
}
BENCHMARK(BM_FileSearch_20_files_1MB)->Unit(benchmark::kMillisecond);

} // namespace
