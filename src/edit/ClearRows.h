#pragma once

struct App;

namespace edit {

/// The clear dialog's check boxes; they keep the last choice for the whole run.
struct ClearDialogState {
    bool chkData = true;
    bool chkLine = true;
};

/// The clear command: texts and values, ruled lines, or both, of the selection; asks which
/// only when the selection holds both.
void ClearRange(App& app);

/// The row-count command: the dialog, then SetSheetRows.
void SetRowCount(App& app);
/// Gives the sheet n rows (1..32000): rows beyond are emptied with their lines, page breaks
/// beyond go, the print area is cut or switched off, an undo beyond is forgotten.
void SetSheetRows(App& app, int n);

} // namespace edit
