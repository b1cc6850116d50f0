#pragma once

#include <QTableView>

namespace ui {

class TF;

/// The grid G: a table view whose mouse, wheel and scroll events go to the main window's
/// grid handlers.
class GridView : public QTableView {
public:
    GridView(TF& window, QWidget* parent);

    /// First fully or partly visible data row and column (1-based).
    int topRow() const;
    int leftCol() const;
    /// Data rows and columns that are visible entirely.
    int fullyVisibleRows() const;
    int fullyVisibleCols() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TF& m_window;
    /// The cell a left-button drag started on: it stays the current cell.
    QPersistentModelIndex m_dragStart;
};

} // namespace ui
