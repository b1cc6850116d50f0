#include "core/SheetOps.h"

#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "edit/Undo.h"
#include "files/Access.h"
#include "platform/Clipboard.h"
#include "platform/FileHold.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"

namespace core {

void ResizeSheet(App& app)
{
    Sheet& sheet = app.sheet;
    const std::size_t rows = std::size_t(sheet.SheetRows) + 1;
    for (int c = 0; c <= MaxCols; ++c) {
        sheet.GridText[c].resize(rows);
        if (c == 0)
            continue;
        sheet.CellText[c].resize(rows);
        sheet.CellValue[c].resize(rows, 0.0);
        sheet.CellKind[c].resize(rows, 0);
        for (int p = 1; p <= LinePlanes; ++p)
            sheet.CellLines[p][c].resize(rows, 0);
    }
    app.grid.rowCount = sheet.SheetRows + 1;
    app.ui().gridChanged(platform::GridChange::Layout);
}

void ClearCells(App& app, bool full)
{
    Sheet& sheet = app.sheet;
    const int cols = full ? MaxCols : sheet.LastCol;
    const int rows = full ? sheet.SheetRows : sheet.LastRow;
    for (int c = 1; c <= cols; ++c) {
        for (int r = 1; r <= rows; ++r) {
            sheet.GridText[c][r].clear();
            sheet.CellText[c][r].clear();
            sheet.CellValue[c][r] = 0;
            for (int p = 1; p <= LinePlanes; ++p)
                sheet.CellLines[p][c][r] = 0;
        }
        if (rows > 500)
            ShowStatus(app, QStringLiteral("初期化中 .. ") + QString::number(c) + QStringLiteral("/26"));
        app.ui().processEvents();
    }
    for (const QString& entry : sheet.PageBreaks) {
        bool ok = false;
        int row = entry.toInt(&ok);
        if (!ok)
            row = 1;
        if (row < 1 || row > sheet.SheetRows)
            continue;
        for (int c = cols + 1; c <= MaxCols; ++c)
            sheet.CellLines[5][c][row] = 0;
    }
    sheet.PageBreaks.clear();
    // Rewriting the clipboard as plain text drops the private copy-source marker, so the
    // next paste is a text paste. A clipboard without the marker is left to its owner.
    platform::Clipboard& clipboard = app.clipboard();
    if (!clipboard.marker().isEmpty())
        clipboard.setText(clipboard.text());
    if (full) {
        app.grid.col = 1;
        app.grid.row = 1;
        app.grid.selection = CellBlock{1, 1, 1, 1};
        app.ui().gridChanged(platform::GridChange::CurrentCell);
    }
    app.ui().gridChanged(platform::GridChange::Cells);
}

void NewSheet(App& app)
{
    ShowStatus(app, QStringLiteral("初期化中 .. "));
    BusyGuard busy(app);
    ClearCells(app, true);
    ResetSheetState(app);
    print::ShowPrintArea(app, false);
    app.pageLayout.txtTop = QStringLiteral("1");
    busy.end();
    ShowStatus(app, QStringLiteral("初期化完了."));
    app.ui().setWindowTitle(QStringLiteral("Mavix - [新規]"));
    ShowCellName(app);
    app.sheet.ReadOnly = false;
    app.SaveUnicode = true;
    files::ReleaseFile(app);
}

void NewCommand(App& app)
{
    platform::Message question;
    question.icon = platform::Icon::Warning;
    question.text = QStringLiteral("全データを消去してもよろしいですか");
    question.buttons = platform::Buttons::OkCancel;
    if (app.ui().message(question) != platform::Answer::Cancel)
        NewSheet(app);
}

void ResetSheetState(App& app)
{
    Sheet& sheet = app.sheet;
    sheet.FileName.clear();
    sheet.SheetRows = app.grid.rowCount - 1;
    sheet.SheetCols = MaxCols;
    sheet.LastCol = 0;
    sheet.LastRow = 0;
    sheet.Modified = false;
    sheet.HeadingRow = 0;
    app.ui().resetStatusBarHeight();
    column_type first;
    first.wid = 10;
    first.shosu = 0;
    first.comma = -1;
    first.align = 0;
    first.fmt = QStringLiteral("%10.0n");
    first.yen = sheet.ColFormat[1].yen;
    first.uleft = sheet.ColFormat[1].uleft;
    first.uright = sheet.ColFormat[1].uright;
    for (int c = 1; c <= MaxCols; ++c)
        sheet.ColFormat[c] = first;
    ApplyFont(app);
    print::ResetHeaderBoxes(app);
    app.pageLayout.printAreaLabel.clear();
    app.graph.cbXclm = 0;
    edit::SaveUndo(app, 0, 0);
    RefreshHeaders(app);
}

void RescanExtent(App& app)
{
    Sheet& sheet = app.sheet;
    const auto used = [&sheet](int c, int r) {
        return !sheet.CellText[c][r].isEmpty() || sheet.hasLines(c, r);
    };
    sheet.LastCol = 0;
    for (int c = MaxCols; c >= 1 && sheet.LastCol == 0; --c)
        for (int r = 1; r <= sheet.SheetRows; ++r)
            if (used(c, r)) {
                sheet.LastCol = c;
                break;
            }
    sheet.LastRow = 0;
    for (int r = sheet.SheetRows; r >= 1 && sheet.LastRow == 0; --r)
        for (int c = 1; c <= sheet.LastCol; ++c)
            if (used(c, r)) {
                sheet.LastRow = r;
                break;
            }
}

} // namespace core
