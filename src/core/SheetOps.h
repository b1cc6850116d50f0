#pragma once

struct App;

namespace core {

/// Sets every cell array and the grid strings to SheetRows rows (the caller set SheetRows),
/// keeping the surviving rows; new rows are empty.
void ResizeSheet(App& app);
/// Empties cells, page-break marks and PageBreaks: all 26 x SheetRows when full, else
/// LastCol x LastRow.
void ClearCells(App& app, bool full);
/// Turns the sheet into an empty new sheet, keeping SheetRows and FontSize.
void NewSheet(App& app);
/// The New command: asks first; every answer but Cancel clears the sheet.
void NewCommand(App& app);
/// Sets the sheet-wide state to its new-sheet values.
void ResetSheetState(App& app);
/// Recomputes LastCol, then LastRow, from texts and ruled lines (page breaks do not count).
void RescanExtent(App& app);

} // namespace core
