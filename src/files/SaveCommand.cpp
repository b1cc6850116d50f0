#include "core/App.h"
#include "core/Busy.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "files/Access.h"
#include "files/Csv.h"
#include "files/FileCommands.h"
#include "files/FileNames.h"
#include "files/WorksheetWriter.h"
#include "platform/FileDialogs.h"
#include "platform/Ui.h"
#include "settings/RecentFiles.h"

#include <QFileInfo>

namespace files {

namespace {

struct Block {
    int c1 = 1;
    int c2 = 0;
    int r1 = 1;
    int r2 = 0;
};

core::Result<core::Unit> writeBlock(App& app, int filter, const Block& b)
{
    const QString& path = app.sheet.FileName;
    switch (filter) {
    case 1:
        return WriteWorksheet(app, path, b.c1, b.c2, b.r1, b.r2);
    case 2:
    case 3:
        return WriteCsv(app, path, b.c1, b.c2, filter, b.r1, b.r2);
    default:
        return WriteTxt(app, path, b.c1, b.c2, b.r1, b.r2);
    }
}

bool refuseReadOnly(App& app)
{
    platform::Message warning;
    warning.icon = platform::Icon::Warning;
    warning.text = QFileInfo(app.sheet.FileName).fileName()
                   + QStringLiteral(" は読み取り専用です。") + QStringLiteral("\r\n")
                   + QStringLiteral("別の名前で保存してください。");
    app.ui().message(warning);
    return false;
}

/// A refused or failed write: the previous file is current (and held) again.
bool abandonSave(App& app, const QString& previous)
{
    app.sheet.FileName = previous;
    if (!previous.isEmpty())
        HoldFile(app, previous);
    UpdateTitle(app);
    return false;
}

} // namespace

bool SaveCommand(App& app, bool saveAs)
{
    core::Sheet& sheet = app.sheet;
    if (!saveAs && sheet.ReadOnly)
        return refuseReadOnly(app);
    core::RescanExtent(app);
    const core::CellBlock& sel = app.grid.selection;
    Block block{1, sheet.LastCol, 1, sheet.LastRow};
    QString title = QStringLiteral("全範囲の保存");
    if (saveAs && (sel.left != sel.right || sel.top != sel.bottom)) {
        block = Block{sel.left, sel.right, sel.top, sel.bottom};
        title = QStringLiteral("指定範囲の保存");
    }
    int filter = FilterOfPath(sheet.FileName);
    QString name = sheet.FileName;
    if (saveAs || filter != 1 || sheet.FileName.isEmpty()) {
        const std::optional<platform::SaveChoice> choice = app.fileDialogs().saveFile(
            platform::SaveRequest{title, WithoutExtension(sheet.FileName), filter});
        if (!choice)
            return false;
        name = choice->path;
        filter = choice->filterIndex;
        app.SaveUnicode = choice->unicode;
    }
    // Nothing written is reported as such, so that the close and open questions do not
    // discard the sheet.
    if (name.isEmpty() || filter < 1 || filter > 4) {
        UpdateTitle(app);
        return false;
    }
    core::BusyGuard busy(app);
    core::ShowStatus(app, QStringLiteral("ファイルへ書き込み中..."));
    const QString previous = sheet.FileName;
    if (!CheckWriteAccess(app, ExistingSpelling(PathWithExtension(name, SaveExtension(filter))))) {
        busy.end();
        return abandonSave(app, previous);
    }
    const core::Result<core::Unit> written = writeBlock(app, filter, block);
    if (!written) {
        const QString target = sheet.FileName;
        busy.end();
        abandonSave(app, previous);
        platform::Message error;
        error.icon = platform::Icon::Error;
        error.text = target + QStringLiteral("\r\n") + written.error().detail;
        app.ui().message(error);
        return false;
    }
    // The saved file is writable by us now, so it is held like a file opened for writing.
    sheet.ReadOnly = false;
    sheet.Modified = false;
    settings::AddRecentFile(app, sheet.FileName);
    core::ShowStatus(app, QStringLiteral("ファイルへの書き込み完了."));
    busy.end();
    UpdateTitle(app);
    // Last, so that a note about the hold stays in the status bar.
    HoldFile(app, sheet.FileName);
    return true;
}

} // namespace files
