#pragma once

#include <QString>

struct App;

namespace edit {

/// Stores a typed text into the current cell: undo record, classification, display, used
/// extent, recalculation, heading refresh and the message panel. Never moves the cell.
void CommitEntry(App& app, const QString& text);
/// The stored form of a typed text; warns about unbalanced parentheses when warn is set.
QString ClassifyEntry(App& app, const QString& text, bool warn);
/// Upper-cases the ASCII letters of a formula outside double-quoted strings.
QString NormalizeFormula(const QString& text);

} // namespace edit
