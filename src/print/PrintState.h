#pragma once

#include <array>

namespace print {

/// The page in printer pixels, from the printable area's top-left corner; made anew for
/// every print job and preview.
struct PageGeometry {
    int PhysWidth = 0;
    int PhysHeight = 0;
    int MarginLeft = 0; // the area inside the margins; MarginTop is also the header's y
    int MarginTop = 0;
    int AreaWidth = 0;
    int AreaHeight = 0;
    int RowHeight = 0; // pitch of the printed rows
    int GridTop = 0;   // y of the first printed row
    int FooterTop = 0; // y of the footer line
    std::array<int, 28> ColumnEdge{}; // [c] left edge of printed column c, [c + 1] its right
};

/// The cells to print: columns and rows, first and last.
struct PrintRange {
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
};

/// The layout of a print job or a preview: geometry, range and rows per page.
struct PrintLayout {
    PageGeometry g;
    PrintRange range;
    int RowsPerPage = 0;
};

/// The print preview between its preparations; the scale stays from one opening to the next.
struct PreviewState {
    PrintRange requested; // the range asked for; the layout may print fewer columns
    PrintLayout layout;
    int pageCount = 1;
    int page = 1;          // current page, from 1
    float PreviewScale = 0; // printer pixels per preview pixel; 1 is 1:1, others fit the window
};

/// Printing and its preview.
struct PrintState {
    bool CancelRequested = false; // the abort button of the progress dialog
    PreviewState preview;
};

} // namespace print
