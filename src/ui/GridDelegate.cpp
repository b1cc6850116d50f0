#include "ui/GridDelegate.h"

#include "core/App.h"
#include "ui/CellLines.h"

#include <QPainter>

namespace ui {

GridDelegate::GridDelegate(App& app, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_app(app)
{
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const int c = index.column() + 1;
    const int r = index.row() + 1;
    // The section holds the cell and, on its right and bottom, one separator pixel.
    const QRect& section = option.rect;
    const QRect cell(section.left(), section.top(), section.width() - 1, section.height() - 1);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    // The focus cell is drawn selected; an inactive window keeps the selection colour.
    painter->fillRect(cell, selected ? palette.brush(QPalette::Active, QPalette::Highlight)
                                     : palette.brush(QPalette::Base));
    const QColor separator = m_app.grid.gridLines ? m_gridLineColor
                                                  : palette.color(QPalette::Base);
    painter->setPen(separator);
    painter->drawLine(section.right(), section.top(), section.right(), section.bottom());
    painter->drawLine(section.left(), section.bottom(), section.right(), section.bottom());

    const auto& column = m_app.sheet.GridText[std::size_t(c)];
    if (std::size_t(r) < column.size() && !column[std::size_t(r)].isEmpty()) {
        painter->setPen(selected ? palette.color(QPalette::Active, QPalette::HighlightedText)
                                 : palette.color(QPalette::Text));
        // Alignment lives in the text's leading blanks; a longer text is cut at the edge.
        painter->drawText(cell.adjusted(2, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          column[std::size_t(r)]);
    }
    GDrawCell(*painter, c, r, cell);
}

void GridDelegate::GDrawCell(QPainter& painter, int c, int r, const QRect& rect) const
{
    if (!m_app.FirstActivationDone || c < 1 || r < 1)
        return;
    const core::Sheet& sheet = m_app.sheet;
    bool any = false;
    for (int plane = 1; plane <= core::LinePlanes && !any; ++plane)
        any = sheet.CellLines[plane][c][r] > 0;
    if (any)
        DrawCellLines(painter, sheet, c, r, rect, m_frameColor);
}

} // namespace ui
