#pragma once

#include <QColor>
#include <QStyledItemDelegate>

struct App;

namespace ui {

/// Paints a data cell of G: background, display text, the cell separator lines, and then
/// (GDrawCell) its ruled lines and page-break mark.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(App& app, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    /// Colour of the grid's own separator lines (from the drawing style).
    void setGridLineColor(const QColor& color) { m_gridLineColor = color; }

    /// The grid's owner-draw step after the standard drawing of cell (c, r).
    void GDrawCell(QPainter& painter, int c, int r, const QRect& rect) const;

private:
    App& m_app;
    QColor m_gridLineColor{0xc0, 0xc0, 0xc0};
    QColor m_frameColor{Qt::black};
};

} // namespace ui
