#include "edit/InsertDelete.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "edit/InsertDialogState.h"
#include "platform/Ui.h"

namespace edit {

namespace {

/// Keeps other commands from changing the sheet while a shift lets window messages run.
class BusyGuard {
public:
    explicit BusyGuard(App& app)
        : m_app(app)
    {
        m_app.ExtractBusy = true;
    }
    ~BusyGuard() { m_app.ExtractBusy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    App& m_app;
};

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
    core::SetBusy(app, false);
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

void InsertCommand(App& app, const AskInsertDialog& ask)
{
    if (app.ExtractBusy)
        return;
    PrepareInsertDialog(app, InsertDialogState::TagInsert);
    if (ask(app))
        RunInsert(app);
}

void DeleteCommand(App& app, const AskInsertDialog& ask)
{
    if (app.ExtractBusy)
        return;
    PrepareInsertDialog(app, InsertDialogState::TagDelete);
    if (ask(app))
        RunDelete(app);
}

void RunInsert(App& app)
{
    if (app.ExtractBusy)
        return;
    BusyGuard guard(app);
    const int n = app.insertDialog.txtNum;
    core::ShowStatus(app, QStringLiteral("挿入処理中..."));
    app.ui().processEvents();
    core::SetBusy(app, true);
    if (app.insertDialog.rowsChosen())
        InsertRows(app, app.grid.row, n);
    else
        InsertColumns(app, app.grid.col, n);
    finishShift(app, QStringLiteral("挿入処理終了."));
}

void RunDelete(App& app)
{
    if (app.ExtractBusy)
        return;
    BusyGuard guard(app);
    const int n = app.insertDialog.txtNum;
    core::ShowStatus(app, QStringLiteral("削除処理中..."));
    core::SetBusy(app, true);
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
    if (app.ExtractBusy)
        return;
    if (app.sheet.SheetRows <= 1) {
        core::ShowStatus(app, QStringLiteral("これ以上行削除できません."));
        return;
    }
    BusyGuard guard(app);
    core::SetBusy(app, true);
    DeleteRows(app, app.grid.row, 1);
    core::RefreshHeaders(app);
    finishShift(app, QStringLiteral("一行削除処理終了."));
}

} // namespace edit
