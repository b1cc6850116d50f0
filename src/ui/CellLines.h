#pragma once

#include <QColor>
#include <QPen>
#include <cstdint>

class QPainter;
class QRect;

namespace core {
struct Sheet;
}

namespace ui {

/// The pen of a ruled line: style 1..7 of LineStyles, colour 0..15 of LinePalette.
QPen LinePen(int style, int color);

/// One ruled line along an edge of a cell rectangle; the rectangle's right and bottom edges
/// are the pixels just outside it (where the grid's separator lines run). Plane 1 left,
/// 2 right, 3 top, 4 bottom, 5 (page break) top; other planes and styles draw nothing.
void DrawLineSide(QPainter& painter, const QRect& rect, int plane, int style, int color);

/// The ruled lines and the page-break mark of cell (c, r), planes 1 to 5 in order; the
/// painter is left with a solid pen of frameColor.
void DrawCellLines(QPainter& painter, const core::Sheet& sheet, int c, int r, const QRect& rect,
                   const QColor& frameColor);

} // namespace ui
