// libFuzzer target: any bytes as a CSV file. The import must not crash, must stay inside the
// sheet, and a formula export of what it read must read back to the same cells.

#include "core/App.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "files/TextFile.h"
#include "platform/fake/FakePlatform.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct FuzzApp
{
    FuzzApp() { core::ResetSheetState(app); }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

/// Cells that differ only in form: a cell holding only a kind mark shows nothing and is
/// written as an empty field; a forced text "'x" and the text entry x are the same text.
QString comparable(const QString& text)
{
    if (text.size() == 1 && (text[0] == core::TextMark || text[0] == core::NumberMark))
        return QString();
    if (text.startsWith(u'\''))
        return QChar(core::TextMark) + text.mid(1);
    return text;
}

/// A scratch file on a memory file system where there is one: the writer syncs its files.
QString scratchPath()
{
    const QString shm = QStringLiteral("/dev/shm");
    const QString folder = QDir(shm).exists() ? shm : QDir::tempPath();
    return folder + QStringLiteral("/mavix-csv-fuzz-") + QString::number(qint64(::getpid())) +
           QStringLiteral(".txt");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = files::DecodeTextLines(bytes);

    auto first = std::make_unique<FuzzApp>();
    App& app = first->app;
    files::ImportCsvLines(app, QStringLiteral("fuzz.csv"), lines);
    const core::Sheet& sheet = app.sheet;
    check(sheet.SheetRows >= 1 && sheet.SheetRows <= core::MaxRows);
    check(sheet.LastRow <= sheet.SheetRows && sheet.LastCol <= core::MaxCols);
    for (int c = 1; c <= core::MaxCols; ++c)
        check(sheet.ColFormat[c].wid >= 1 && sheet.ColFormat[c].wid <= 255);

    const QStringList formulas = files::CsvLines(app, 1, sheet.LastCol, 2, 1, sheet.LastRow);
    files::CsvLines(app, 1, sheet.LastCol, 3, 1, sheet.LastRow);
    files::TxtLines(app, 1, sheet.LastCol, 1, sheet.LastRow);
    app.SaveUnicode = false;
    const QString scratch = scratchPath();
    files::WriteTxt(app, scratch, 1, sheet.LastCol, 1, sheet.LastRow);
    QFile::remove(scratch);

    FuzzApp second;
    files::ImportCsvLines(second.app, QStringLiteral("again.csv"), formulas);
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= sheet.LastRow; ++r)
            check(comparable(sheet.CellText[c][r]) == comparable(second.app.sheet.CellText[c][r]));
    return 0;
}
