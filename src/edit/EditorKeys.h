#pragma once

#include <QChar>
#include <QtCore/qnamespace.h>

struct App;

namespace edit {

/// The keys the editor's key table tells apart; everything else is Other.
enum class Key { Other, Shift, Enter, Escape, Left, Up, Right, Down, Home, End, PageUp,
                 PageDown, F2, C, V, Y };

/// Maps a Qt::Key value (Return and the keypad's Enter are both Enter).
Key KeyFromQt(int qtKey);

/// The copy and paste commands that the key table starts; the window runs them.
enum class EditorCommand { None, Copy, Paste };

/// Which pick-list item gets the focus (see ListFocusIndex).
enum class ListFocus { None, First, PageDown, Last };

/// What the window must do after EdKeyDown; the sheet, the grid state and the modes have
/// already been changed through App and platform::Ui.
struct KeyResult {
    /// The editor must not see the key (no caret move, no character).
    bool consumed = false;
    /// Lay the editor over the (possibly new) current cell: PlaceEditor.
    bool placeEditor = false;
    /// Alt+Down: when the current cell's rectangle is not empty, OpenPickList and show it.
    bool openPickList = false;
    /// Pick-list mode: when the list has items, it takes the focus and ListFocusIndex is
    /// selected.
    ListFocus listFocus = ListFocus::None;
    EditorCommand command = EditorCommand::None;
};

/// The editor's key-down handler over the current cell, selection, top row, Shift anchor
/// and InputMode; commits and discards go through CommitEntry and SetTypingMode.
KeyResult EdKeyDown(App& app, Key key, Qt::KeyboardModifiers mods);
/// The editor's key-press handler, before the character is inserted: while idle a
/// character of code 32 or above empties the editor and starts typing (BeginTyping), and
/// the editor then inserts it. Returns whether the editor must be widened (WidenEditor).
bool EdKeyPress(App& app, QChar ch);

/// Item index that a ListFocus selects in a list of count items; -1 when none.
int ListFocusIndex(ListFocus focus, int count);

/// A rectangle in the window's client coordinates.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

/// The editor over a cell whose rectangle is given inside the grid, the grid at
/// (gridLeft, gridTop): 4 pixels larger than the cell.
Rect PlaceEditor(int gridLeft, int gridTop, const Rect& cell);
/// The editor's rectangle once its text no longer fits: textPixels is the width of the text
/// plus "+", digitsPixels the width of "1234567890".
Rect WidenEditor(const Rect& editor, int textPixels, int digitsPixels, int clientWidth);

} // namespace edit
