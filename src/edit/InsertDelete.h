#pragma once

#include <cstdint>

struct App;

namespace edit {

/// Plane 5 of all 26 columns of every page-break row at or below row a := v.
void MarkPageBreaks(App& app, int a, std::uint8_t v);
/// n blank columns at column a; what is pushed past Z is lost.
void InsertColumns(App& app, int a, int n);
/// n blank rows at row a; the sheet grows up to 32000 rows, what is pushed past is lost.
void InsertRows(App& app, int a, int n);
/// Removes columns a..a+n-1; the columns at the right end become blank.
void DeleteColumns(App& app, int a, int n);
/// Removes rows a..a+n-1 and shrinks the sheet; at least one row always remains.
void DeleteRows(App& app, int a, int n);

/// Readies app.insertDialog for a use (tag 1 insert, 2 delete): count 1, or the proposal of
/// the selection, which also moves the current cell to the selection's first column or row.
void PrepareInsertDialog(App& app, int tag);
/// The insert command: dialog, then the insertion at the current cell with the common tail.
void InsertCommand(App& app);
/// The delete command: dialog, then the deletion at the current cell with the common tail.
void DeleteCommand(App& app);
/// What the insert command does once the dialog closed with OK.
void RunInsert(App& app);
/// What the delete command does once the dialog closed with OK.
void RunDelete(App& app);
/// Deletes the current row without asking (Ctrl+Y).
void DeleteCurrentRow(App& app);

} // namespace edit
