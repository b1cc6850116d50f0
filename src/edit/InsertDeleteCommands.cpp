#include "edit/InsertDelete.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "edit/InsertDialogState.h"
#include "platform/Ui.h"

namespace edit {

namespace {

/// The tail shared by the insert, delete and delete-row commands.
void finishShift(App& app, const QString& done)
{
    app.ui().gridChanged(platform::GridChange::Cells);
    core::RescanExtent(app);
    calc::RecalcAll(app);
    core::RefreshColumnHeadings(app);
    app.sheet.Modified = true;
    core::ShowCellName(app);
    core::ShowStatus(app, done);
}

} // namespace

void PrepareInsertDialog(App& app, int tag)
{
    InsertDialogState& d = app.insertDialog;
    d.tag = tag;
    d.txtNum = 1;
    const InsertProposal p = ProposeFromSelection(app.grid.selection);
    d.txtNum = p.count;
    if (p.direction >= 0)
        d.setDirection(p.direction);
    if (p.col > 0)
        MoveCurrentCell(app, p.col, app.grid.row);
    if (p.row > 0)
        MoveCurrentCell(app, app.grid.col, p.row);
}

void InsertCommand(App& app)
{
    PrepareInsertDialog(app, InsertDialogState::TagInsert);
    if (app.ui().askInsertDialog(app.insertDialog))
        RunInsert(app);
}

void DeleteCommand(App& app)
{
    PrepareInsertDialog(app, InsertDialogState::TagDelete);
    if (app.ui().askInsertDialog(app.insertDialog))
        RunDelete(app);
}

void RunInsert(App& app)
{
    core::BusyGuard busy(app);
    const int n = app.insertDialog.txtNum;
    core::ShowStatus(app, QStringLiteral("挿入処理中..."));
    app.ui().processEvents();
    if (app.insertDialog.rowsChosen())
        InsertRows(app, app.grid.row, n);
    else
        InsertColumns(app, app.grid.col, n);
    finishShift(app, QStringLiteral("挿入処理終了."));
}

void RunDelete(App& app)
{
    core::BusyGuard busy(app);
    const int n = app.insertDialog.txtNum;
    core::ShowStatus(app, QStringLiteral("削除処理中..."));
    if (app.insertDialog.rowsChosen()) {
        DeleteRows(app, app.grid.row, n);
        core::RefreshHeaders(app);
    } else {
        DeleteColumns(app, app.grid.col, n);
    }
    finishShift(app, QStringLiteral("削除処理終了."));
}

void DeleteCurrentRow(App& app)
{
    if (app.sheet.SheetRows <= 1) {
        core::ShowStatus(app, QStringLiteral("これ以上行削除できません."));
        return;
    }
    core::BusyGuard busy(app);
    DeleteRows(app, app.grid.row, 1);
    core::RefreshHeaders(app);
    finishShift(app, QStringLiteral("一行削除処理終了."));
}

} // namespace edit
