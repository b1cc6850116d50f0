// libFuzzer target: any bytes as a worksheet file, opened and appended as the commands do.
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"
#include "files/WorksheetReader.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

/// The name the opened bytes go by; nothing is read from or written to it.
const QString FuzzPath = QStringLiteral("/fuzz/input.mvx");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = files::DecodeTextLines(bytes);

    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    auto opened = files::ParseWorksheet(app, lines, false);
    if (opened) {
        core::ClearCells(app, false);
        files::ApplyWorksheet(app, opened.value());
        files::FinishWorksheetOpen(app, FuzzPath, opened.value());
        // What was read, written and read again must write the same lines.
        const QStringList written =
            files::WorksheetLines(app, 1, app.sheet.LastCol, 1, app.sheet.LastRow);
        platform::FakePlatform otherFakes;
        App other{otherFakes.services()};
        core::ResetSheetState(other);
        auto again = files::ParseWorksheet(other, written, false);
        if (!again)
            __builtin_trap();
        core::ClearCells(other, false);
        files::ApplyWorksheet(other, again.value());
        files::FinishWorksheetOpen(other, FuzzPath, again.value());
        if (files::WorksheetLines(other, 1, other.sheet.LastCol, 1, other.sheet.LastRow)
            != written)
            __builtin_trap();
    }
    const int offset = app.sheet.SheetRows;
    auto appended = files::ParseWorksheet(app, lines, true);
    if (appended) {
        const bool wasModified = app.sheet.Modified;
        files::ApplyWorksheetAppend(app, appended.value());
        files::FinishWorksheetAppend(app, offset + 1, wasModified);
    }
    return 0;
}
