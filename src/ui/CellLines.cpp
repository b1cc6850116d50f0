#include "ui/CellLines.h"

#include "core/Sheet.h"
#include "print/Lines.h"

#include <QPainter>
#include <QRect>

namespace ui {

namespace {

Qt::PenStyle qtPenStyle(print::PenStyle style)
{
    switch (style) {
    case print::PenStyle::Solid: return Qt::SolidLine;
    case print::PenStyle::Dash: return Qt::DashLine;
    case print::PenStyle::Dot: return Qt::DotLine;
    case print::PenStyle::DashDot: return Qt::DashDotLine;
    case print::PenStyle::DashDotDot: return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

} // namespace

QPen LinePen(int style, int color)
{
    const print::LineStyle& lineStyle = print::LineStyles[std::size_t(style)];
    QPen pen(QColor::fromRgb(print::LinePalette[std::size_t(color & 15)]));
    pen.setStyle(qtPenStyle(lineStyle.pen));
    pen.setWidth(lineStyle.width);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void DrawLineSide(QPainter& painter, const QRect& rect, int plane, int style, int color)
{
    if (plane < 1 || plane > core::LinePlanes || style < 1 || style > print::LineStyleCount)
        return;
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.setPen(LinePen(style, color));
    switch (plane) {
    case 1: painter.drawLine(left, top, left, bottom); break;
    case 2: painter.drawLine(right, top, right, bottom); break;
    case 4: painter.drawLine(left, bottom, right, bottom); break;
    default: painter.drawLine(left, top, right, top); break; // 3, and 5 the page break
    }
}

void DrawCellLines(QPainter& painter, const core::Sheet& sheet, int c, int r, const QRect& rect,
                   const QColor& frameColor)
{
    for (int plane = 1; plane <= core::LinePlanes; ++plane) {
        const std::uint8_t code = sheet.CellLines[plane][c][r];
        if (print::LineCodeDraws(code))
            DrawLineSide(painter, rect, plane, print::LineCodeStyle(code),
                         print::LineCodeColor(code));
    }
    painter.setPen(QPen(frameColor, 1, Qt::SolidLine));
}

} // namespace ui
