#include "edit/Undo.h"

#include "core/App.h"
#include "core/Cells.h"
#include "edit/Entry.h"
#include "platform/Ui.h"

namespace edit {

void SaveUndo(App& app, int c, int r)
{
    core::undodata& undo = app.sheet.UndoData;
    undo.col = c;
    if (c <= 0) {
        app.ui().setUndoCaption(QStringLiteral("元に戻す(&U)"));
        return;
    }
    undo.row = r;
    undo.str = app.sheet.CellText[c][r];
    if (!undo.str.isEmpty() && undo.str[0].unicode() < 32)
        undo.str.remove(0, 1);
    app.ui().setUndoCaption(QStringLiteral("元に戻す(&U) ") + core::CellName(c, r));
}

void UndoCommand(App& app)
{
    const core::undodata& undo = app.sheet.UndoData;
    // A record outside the sheet cannot be entered again; treat it as nothing remembered.
    if (undo.col <= 0 || undo.col > core::MaxCols || undo.row < 1
        || undo.row > app.sheet.SheetRows) {
        app.ui().beep();
        return;
    }
    const QString text = undo.str;
    MoveCurrentCell(app, undo.col, undo.row);
    CommitEntry(app, text);
}

} // namespace edit
