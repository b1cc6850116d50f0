#pragma once

#include "core/Sheet.h"

#include <array>

namespace core {

/// What commands read and write of the grid G; the Qt view mirrors it both ways.
struct GridState {
    int col = 1; // current cell
    int row = 1;
    CellBlock selection{1, 1, 1, 1};
    /// The current cell when the Shift key itself was last pressed while idle.
    int anchorCol = 1;
    int anchorRow = 1;
    int topRow = 1;
    int leftCol = 1;
    /// Fully visible data rows and columns, as the view last reported them.
    int visibleRows = 18;
    int visibleCols = 8;
    /// Rows of G including the fixed row (SheetRows + 1).
    int rowCount = NewSheetRows + 1;
    /// Pixel widths of G's columns 0..26; defaultColWidth is the grid's default column width.
    std::array<int, MaxCols + 1> colWidths{};
    int defaultColWidth = 0;
    int rowHeight = 0;
    /// The grid's own cell separator lines.
    bool gridLines = true;
};

} // namespace core
