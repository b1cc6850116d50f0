#include "edit/EditorKeys.h"

#include "core/App.h"
#include "core/Busy.h"
#include "core/Display.h"
#include "core/Cells.h"
#include "edit/Entry.h"
#include "edit/InsertDelete.h"
#include "platform/Ui.h"

#include <algorithm>

namespace edit {

namespace {

constexpr Qt::KeyboardModifiers KeyMods = Qt::ShiftModifier | Qt::ControlModifier
    | Qt::AltModifier | Qt::MetaModifier;

KeyResult pickListKey(App& app, Key key)
{
    KeyResult res;
    switch (key) {
    case Key::Enter:
    case Key::Escape:
        SetPickListMode(app, false);
        res.consumed = true;
        break;
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down:
    case Key::Home:
    case Key::PageUp: res.listFocus = ListFocus::First; break;
    case Key::PageDown: res.listFocus = ListFocus::PageDown; break;
    case Key::End: res.listFocus = ListFocus::Last; break;
    default: break;
    }
    if (res.listFocus != ListFocus::None)
        res.consumed = true;
    return res;
}

KeyResult typingKey(App& app, Key key, Qt::KeyboardModifiers mods)
{
    KeyResult res;
    core::GridState& g = app.grid;
    switch (key) {
    case Key::Enter:
    case Key::PageDown:
    case Key::Up:
    case Key::Down: CommitEntry(app, app.ui().editorText()); break;
    case Key::Escape: SetTypingMode(app, false); break;
    default: return res; // the editor moves its caret or takes the character
    }
    res.consumed = true;
    res.placeEditor = true;
    if ((key == Key::Enter && mods == Qt::ShiftModifier) || key == Key::PageDown) {
        if (g.col < core::MaxCols)
            MoveCurrentCell(app, g.col + 1, g.row);
    } else if (key == Key::Up) {
        if (g.row > 1)
            MoveCurrentCell(app, g.col, g.row - 1);
    } else if (key == Key::Down) {
        if (g.row < app.sheet.SheetRows)
            MoveCurrentCell(app, g.col, g.row + 1);
    }
    return res;
}

/// Shift+arrow: the current cell moves, the selection's edge at the anchor stays and the
/// far edge moves by one.
void extendSelection(App& app, Key key)
{
    core::GridState& g = app.grid;
    core::CellBlock s = g.selection;
    const int rows = app.sheet.SheetRows;
    switch (key) {
    case Key::Left:
        if (g.col <= 1)
            return;
        MoveCurrentCell(app, g.col - 1, g.row);
        if (s.right == g.anchorCol)
            s.left = std::max(1, s.left - 1);
        else
            --s.right;
        break;
    case Key::Right:
        if (g.col >= core::MaxCols)
            return;
        MoveCurrentCell(app, g.col + 1, g.row);
        if (s.left == g.anchorCol)
            s.right = std::min(core::MaxCols, s.right + 1);
        else
            ++s.left;
        break;
    case Key::Up:
        if (g.row <= 1)
            return;
        MoveCurrentCell(app, g.col, g.row - 1);
        if (s.bottom == g.anchorRow)
            s.top = std::max(1, s.top - 1);
        else
            --s.bottom;
        break;
    case Key::Down:
        if (g.row >= rows)
            return;
        MoveCurrentCell(app, g.col, g.row + 1);
        if (s.top == g.anchorRow)
            s.bottom = std::min(rows, s.bottom + 1);
        else
            ++s.top;
        break;
    default: return;
    }
    // An anchor outside the selection can turn an edge over; keep the block well formed.
    if (s.left > s.right)
        std::swap(s.left, s.right);
    if (s.top > s.bottom)
        std::swap(s.top, s.bottom);
    g.selection = s;
    app.ui().gridChanged(platform::GridChange::CurrentCell);
}

void ctrlKey(App& app, Key key, KeyResult& res)
{
    core::GridState& g = app.grid;
    switch (key) {
    case Key::Left: MoveCurrentCell(app, 1, g.row); break;
    case Key::Up: MoveCurrentCell(app, g.col, 1); break;
    case Key::Right: MoveCurrentCell(app, core::MaxCols, g.row); break;
    case Key::Down: MoveCurrentCell(app, g.col, app.sheet.SheetRows); break;
    case Key::C: res.command = EditorCommand::Copy; break;
    case Key::V: res.command = EditorCommand::Paste; break;
    case Key::Y: DeleteCurrentRow(app); break;
    default: return;
    }
    res.consumed = true;
}

void pageKey(App& app, Key key)
{
    core::GridState& g = app.grid;
    const int rows = app.sheet.SheetRows;
    const int v = std::max(1, g.visibleRows);
    if (key == Key::PageUp) {
        g.topRow = g.topRow - v >= 2 ? g.topRow - v : 1;
    } else {
        if (g.topRow + v >= rows)
            return;
        // The grid cannot scroll past the point where the last row is the bottom one.
        g.topRow = std::min(g.topRow + v, std::max(1, rows - v + 1));
    }
    MoveCurrentCell(app, g.col, g.topRow);
}

/// Idle keys without Ctrl or Shift.
bool plainKey(App& app, Key key)
{
    core::GridState& g = app.grid;
    switch (key) {
    case Key::Up:
        if (g.row > 1)
            MoveCurrentCell(app, g.col, g.row - 1);
        return true;
    case Key::Down:
        if (g.row < app.sheet.SheetRows)
            MoveCurrentCell(app, g.col, g.row + 1);
        return true;
    case Key::Left:
        if (g.col > 1)
            MoveCurrentCell(app, g.col - 1, g.row);
        return true;
    case Key::Right:
        if (g.col < core::MaxCols)
            MoveCurrentCell(app, g.col + 1, g.row);
        return true;
    case Key::Home: MoveCurrentCell(app, 1, 1); return true;
    case Key::PageUp:
    case Key::PageDown: pageKey(app, key); return true;
    default: return false;
    }
}

KeyResult idleKey(App& app, Key key, Qt::KeyboardModifiers mods)
{
    KeyResult res;
    core::GridState& g = app.grid;
    if (key == Key::Shift) {
        g.anchorCol = g.col;
        g.anchorRow = g.row;
        return res;
    }
    if (mods & Qt::ControlModifier) {
        ctrlKey(app, key, res);
    } else if (mods & Qt::ShiftModifier) {
        if (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down) {
            extendSelection(app, key);
            res.consumed = true;
        }
    } else if (key == Key::F2) {
        app.ui().setEditorText(core::StripMark(app.sheet.CellText[g.col][g.row]));
        SetTypingMode(app, true);
        res.consumed = true;
        return res;
    } else {
        res.consumed = plainKey(app, key);
    }
    res.placeEditor = res.command == EditorCommand::None;
    return res;
}

} // namespace

Key KeyFromQt(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift: return Key::Shift;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_F2: return Key::F2;
    case Qt::Key_C: return Key::C;
    case Qt::Key_V: return Key::V;
    case Qt::Key_Y: return Key::Y;
    default: return Key::Other;
    }
}

KeyResult EdKeyDown(App& app, Key key, Qt::KeyboardModifiers mods)
{
    mods &= KeyMods;
    if (core::IsBusy(app)) {
        KeyResult res;
        res.consumed = true;
        if (key != Key::Shift && key != Key::Other)
            core::ShowStatus(app, core::BusyRefusal());
        return res;
    }
    if (app.InputMode == 2)
        return pickListKey(app, key);
    if (app.InputMode == 0 && mods == Qt::AltModifier && key == Key::Down) {
        KeyResult res;
        res.consumed = true;
        res.openPickList = true;
        return res;
    }
    if (app.InputMode == 1)
        return typingKey(app, key, mods);
    return idleKey(app, key, mods);
}

bool EdKeyPress(App& app, QChar ch)
{
    if (app.InputMode != 0)
        return true;
    if (ch.unicode() >= 32)
        BeginTyping(app);
    return false;
}

int ListFocusIndex(ListFocus focus, int count)
{
    if (count <= 0)
        return -1;
    switch (focus) {
    case ListFocus::None: return -1;
    case ListFocus::First: return 0;
    case ListFocus::PageDown: return std::min(7, count - 1);
    case ListFocus::Last: return count - 1;
    }
    return -1;
}

Rect PlaceEditor(int gridLeft, int gridTop, const Rect& cell)
{
    return Rect{gridLeft + cell.left, gridTop + cell.top, cell.width + 4, cell.height + 4};
}

Rect WidenEditor(const Rect& editor, int textPixels, int digitsPixels, int clientWidth)
{
    if (textPixels < editor.width)
        return editor;
    Rect r = editor;
    const int wanted = textPixels + digitsPixels;
    if (clientWidth < wanted) {
        r.left = 0;
        r.width = clientWidth;
    } else {
        r.width = wanted;
        if (r.left + r.width > clientWidth)
            r.left = clientWidth - r.width;
    }
    return r;
}

} // namespace edit
