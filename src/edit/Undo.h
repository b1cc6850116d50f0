#pragma once

struct App;

namespace edit {

/// Remembers the text of cell (c, r) for undo; c <= 0 remembers nothing.
void SaveUndo(App& app, int c, int r);
/// Moves to the remembered cell and enters its old text again (which remembers the text it
/// replaces, so a second undo redoes); beeps when nothing is remembered.
void UndoCommand(App& app);

} // namespace edit
