#include "edit/ClearRows.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Undo.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"

namespace edit {

void ClearRange(App& app)
{
    core::Sheet& sheet = app.sheet;
    const core::CellBlock s = app.grid.selection;
    const QString range = print::PrintAreaText(s);
    bool hasData = false;
    bool hasLines = false;
    for (int r = s.top; r <= s.bottom && !(hasData && hasLines); ++r) {
        for (int c = s.left; c <= s.right && !(hasData && hasLines); ++c) {
            hasData = hasData || !sheet.CellText[c][r].isEmpty();
            hasLines = hasLines || sheet.hasLines(c, r);
        }
        app.ui().processEvents();
    }
    if (!hasData && !hasLines) {
        core::ShowStatus(app, range + QStringLiteral(" を消去しました."));
        return;
    }
    bool clearData = hasData;
    bool clearLines = hasLines;
    if (hasData && hasLines) {
        if (!app.ui().askClearDialog(app.clearDialog))
            return;
        clearData = app.clearDialog.chkData;
        clearLines = app.clearDialog.chkLine;
        if (!clearData && !clearLines)
            return;
    }
    {
        core::BusyGuard busy(app);
        core::ShowStatus(app, range + QStringLiteral(" を消去中..."));
        if (hasData && s.left == s.right && s.top == s.bottom)
            SaveUndo(app, s.left, s.top);
        for (int r = s.top; r <= s.bottom; ++r) {
            for (int c = s.left; c <= s.right; ++c) {
                if (clearData) {
                    sheet.GridText[c][r].clear();
                    sheet.CellText[c][r].clear();
                    sheet.CellValue[c][r] = 0;
                }
                if (clearLines)
                    for (int plane = 1; plane <= 4; ++plane)
                        sheet.CellLines[plane][c][r] = 0;
            }
            app.ui().processEvents();
        }
        core::RescanExtent(app);
        core::RefreshColumnHeadings(app);
        if (clearData) {
            sheet.Modified = true;
            calc::RecalcAll(app);
            core::ShowCellName(app);
        }
        app.ui().gridChanged(platform::GridChange::Cells);
    }
    core::ShowStatus(app, range + QStringLiteral(" を消去しました."));
}

void SetRowCount(App& app)
{
    int n = app.sheet.SheetRows;
    if (!app.ui().askRowCount(n))
        return;
    n = std::clamp(n, 1, core::MaxRows);
    if (n == app.sheet.SheetRows)
        return;
    SetSheetRows(app, n);
}

void SetSheetRows(App& app, int n)
{
    core::Sheet& sheet = app.sheet;
    sheet.SheetRows = n;
    const QString count = QString::number(n);
    core::ShowStatus(app, QStringLiteral("行数を") + count + QStringLiteral("に変更中..."));
    {
        core::BusyGuard busy(app);
        if (n < sheet.UndoData.row)
            SaveUndo(app, 0, 0);
        if (n < sheet.LastRow) {
            for (int r = n + 1; r <= sheet.LastRow; ++r) {
                for (int c = 1; c <= sheet.LastCol; ++c) {
                    sheet.GridText[c][r].clear();
                    sheet.CellText[c][r].clear();
                    sheet.CellValue[c][r] = 0;
                    for (int plane = 1; plane <= core::LinePlanes; ++plane)
                        sheet.CellLines[plane][c][r] = 0;
                }
                app.ui().processEvents();
            }
            sheet.LastRow = n;
        }
        for (qsizetype i = sheet.PageBreaks.size() - 1; i >= 0; --i)
            if (sheet.PageBreaks[i].toInt() > n)
                sheet.PageBreaks.removeAt(i);
        core::ResizeSheet(app);
        core::CellBlock& area = sheet.PrintArea;
        if (area.left > 0 && area.bottom > n) {
            area.bottom = n;
            if (area.bottom < area.top)
                print::ShowPrintArea(app, false);
            else
                print::ShowPrintArea(app, true);
        }
        core::ShowStatus(app, QStringLiteral("行数を") + count + QStringLiteral("に変更しました."));
        core::RefreshHeaders(app);
        core::ShowCellName(app);
    }
}

} // namespace edit
