// libFuzzer target: any bytes as a worksheet file, opened and appended as the commands do.
#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "files/TextFile.h"
#include "files/WorksheetReader.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void finish(App& app, int firstRow)
{
    for (int c = 1; c <= core::MaxCols; ++c)
        core::BuildColumnFormat(app, c);
    core::RescanExtent(app);
    core::RefreshHeaders(app);
    files::ConvertOldCells(app, firstRow);
    calc::RecalcAll(app);
    core::ShowAllCells(app);
    core::RefreshColumnHeadings(app);
    files::CheckMixedOperators(app);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = files::DecodeTextLines(bytes);

    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    const auto opened = files::ParseWorksheet(app, lines, false);
    if (opened) {
        core::ClearCells(app, false);
        files::ApplyWorksheet(app, opened.value());
        finish(app, 1);
        // What was read, written and read again must write the same lines.
        const QStringList written =
            files::WorksheetLines(app, 1, app.sheet.LastCol, 1, app.sheet.LastRow);
        platform::FakePlatform otherFakes;
        App other{otherFakes.services()};
        core::ResetSheetState(other);
        const auto again = files::ParseWorksheet(other, written, false);
        if (!again)
            __builtin_trap();
        files::ApplyWorksheet(other, again.value());
        finish(other, 1);
        if (files::WorksheetLines(other, 1, other.sheet.LastCol, 1, other.sheet.LastRow)
            != written)
            __builtin_trap();
    }
    const int offset = app.sheet.SheetRows;
    const auto appended = files::ParseWorksheet(app, lines, true);
    if (appended) {
        files::ApplyWorksheetAppend(app, appended.value());
        finish(app, offset + 1);
    }
    return 0;
}
