#pragma once

#include <QIcon>

namespace ui {

/// The 24x24 image of toolbar button btPn (n 1..31); greyed gives its indeterminate look.
QIcon ToolIcon(int n, bool greyed = false);

/// The program's own icon: a small worksheet with the letter M.
QIcon ProgramIcon();

} // namespace ui
