#pragma once

struct App;

namespace edit {

/// Remembers the text of cell (c, r) for undo; c <= 0 remembers nothing.
void SaveUndo(App& app, int c, int r);

} // namespace edit
