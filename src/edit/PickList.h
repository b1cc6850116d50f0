#pragma once

#include "edit/EditorKeys.h"

#include <QString>
#include <QStringList>

struct App;

namespace core {
struct Sheet;
}

namespace edit {

/// Rows the pick list looks at around the current row.
constexpr int PickListSpan = 1000;
/// Items the pick list shows without scrolling.
constexpr int PickListVisibleItems = 8;

/// The texts entered in column c around row r (from r - 1000 when r > 1000, else from 1,
/// to at most 1000 rows further): text entries without their mark, the first of each
/// spelling that differs only in letter case, sorted.
QStringList PickListItems(const core::Sheet& sheet, int c, int r);
/// Enters pick-list mode and returns the items of the current cell, for the window to show.
QStringList OpenPickList(App& app);

/// The pick list's own keys while it has the focus; selected is the chosen item or null.
/// Enter commits the item (when one is selected), Enter and Esc end pick-list mode. Returns
/// whether the key was handled; other keys move inside the list as usual.
bool lsWordKeyDown(App& app, Key key, const QString* selected);
/// The list lost the focus: pick-list mode ends.
void lsWordExit(App& app);

/// Where the list goes, in the window's client coordinates.
struct PickListPlace {
    Rect rect;
    bool scrollBar = false;
};
struct PickListFrame {
    int gridLeft = 0;
    int gridTop = 0;
    int gridBottom = 0; // the grid's bottom edge, same coordinates
    Rect cell;          // the current cell inside the grid
    int itemHeight = 0;
};
/// Below the cell, its column's width + 2 wide (more than 8 items: 12 pixels further left,
/// 24 wider for the scroll bar), 8 items high at most; above the cell when it would pass
/// the grid's bottom, unless that passes the top.
PickListPlace PickListGeometry(const PickListFrame& frame, int count);

} // namespace edit
