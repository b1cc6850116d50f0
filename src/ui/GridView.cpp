#include "ui/GridView.h"

#include "core/Busy.h"
#include "ui/TF.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace ui {

GridView::GridView(TF& window, QWidget* parent)
    : QTableView(parent)
    , m_window(window)
{
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    // The delegate draws the cell separator lines itself, under the ruled lines.
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setContextMenuPolicy(Qt::CustomContextMenu);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setTracking(true);
}

int GridView::topRow() const
{
    return verticalScrollBar()->value() + 1;
}

int GridView::leftCol() const
{
    return horizontalScrollBar()->value() + 1;
}

int GridView::fullyVisibleRows() const
{
    const int height = viewport()->height();
    int rows = 0;
    int y = 0;
    for (int r = topRow() - 1; r < model()->rowCount(); ++r) {
        y += rowHeight(r);
        if (y > height)
            break;
        ++rows;
    }
    return rows;
}

int GridView::fullyVisibleCols() const
{
    const int width = viewport()->width();
    int cols = 0;
    int x = 0;
    for (int c = leftCol() - 1; c < model()->columnCount(); ++c) {
        x += columnWidth(c);
        if (x > width)
            break;
        ++cols;
    }
    return cols;
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    m_window.GClick();
    // The right button opens the popup menu and leaves the current cell alone; while a long
    // loop changes the sheet no button moves the current cell.
    if (event->button() == Qt::RightButton || core::IsBusy(m_window.app())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    m_dragStart = event->button() == Qt::LeftButton ? currentIndex() : QModelIndex();
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (core::IsBusy(m_window.app())) {
        event->accept();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton) || !m_dragStart.isValid()) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // Dragging spans the range from the pressed cell; the current cell stays there.
    QPoint pos = event->position().toPoint();
    const QRect area = viewport()->rect();
    if (pos.y() >= area.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    else if (pos.y() < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    if (pos.x() >= area.right())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + 1);
    else if (pos.x() < 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - 1);
    pos.setX(std::clamp(pos.x(), 0, area.right() - 1));
    pos.setY(std::clamp(pos.y(), 0, area.bottom() - 1));
    const QModelIndex over = indexAt(pos);
    if (over.isValid())
        selectionModel()->select(QItemSelection(m_dragStart, over),
                                 QItemSelectionModel::ClearAndSelect);
    event->accept();
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragStart = QModelIndex();
    QTableView::mouseReleaseEvent(event);
    m_window.GMouseUp();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        m_window.runCommand(CommandId::Link);
}

void GridView::wheelEvent(QWheelEvent* event)
{
    m_window.scrollByWheel(event);
}

void GridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    m_window.GTopLeftChanged();
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    m_window.GTopLeftChanged();
}

} // namespace ui
