#pragma once

#include <QString>

struct App;

namespace edit {

/// Stores a typed text into the current cell: undo record, classification, display, used
/// extent, recalculation, heading refresh and the message panel. Never moves the cell.
void CommitEntry(App& app, const QString& text);
/// CommitEntry's part up to the recalculation: undo record, classification, stored text,
/// display and used extent. For loops that enter many cells and recalculate once after
/// the last (the sheet then is what an entry by entry recalculation leaves). Returns the
/// stored text.
QString StoreEntry(App& app, const QString& text);
/// The stored form of a typed text; warns about unbalanced parentheses when warn is set.
QString ClassifyEntry(App& app, const QString& text, bool warn);
/// Upper-cases the ASCII letters of a formula outside double-quoted strings.
QString NormalizeFormula(const QString& text);

/// InputMode 1 or 0, and the window follows (editor in front or behind, menus, label).
void SetTypingMode(App& app, bool on);
/// InputMode 2 or 0, and the window follows (label, menus; leaving hides the list).
void SetPickListMode(App& app, bool on);
/// Idle: empties the editor and enters typing mode, as the first printable character or
/// input-method composition does. Returns whether typing mode was entered.
bool BeginTyping(App& app);
/// Moves the current cell to (c, r), clamped to the sheet: commits the editor's text to the
/// cell being left while typing, ends pick-list mode, collapses the selection, keeps the cell
/// in view and shows its name and its entry in the status bar.
void MoveCurrentCell(App& app, int c, int r);

} // namespace edit
