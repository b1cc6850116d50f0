#pragma once

#include "core/Sheet.h"

#include <QString>

struct App;

namespace print {

/// "A1～C5": the area's top-left and bottom-right cell names.
QString PrintAreaText(const core::CellBlock& area);
/// on: the page layout dialog's label, the toolbar button and the menu item show PrintArea;
/// off: PrintArea becomes empty, the label too, the button greyed, the item unchecked.
void ShowPrintArea(App& app, bool on);
/// The print-area command: the selection becomes the print area, or a single cell clears an
/// area already set.
void PrintAreaCommand(App& app);

/// The six header and footer boxes emptied, their fonts the grid font.
void ResetHeaderBoxes(App& app);

} // namespace print
