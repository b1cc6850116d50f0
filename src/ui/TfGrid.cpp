// The grid G of the main window: mirroring the core's grid state, its events, its looks.
#include "ui/TF.h"

#include "core/Busy.h"
#include "core/Cells.h"
#include "edit/EditorKeys.h"
#include "edit/Entry.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/EditorLine.h"
#include "ui/GridDelegate.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTimer>
#include <QWheelEvent>

namespace ui {

namespace {

constexpr int WheelNotch = 120;

const QString GradientSheet = QStringLiteral(
    "QHeaderView::section {"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #fdfdff, stop:0.5 #e4ebf5, stop:1 #c5d2e6);"
    " color: #1b2a40; border: none;"
    " border-right: 1px solid #90a4c4; border-bottom: 1px solid #90a4c4;"
    " padding-left: 2px; }"
    "QTableView QTableCornerButton::section {"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdff, stop:1 #c5d2e6);"
    " border: none; border-right: 1px solid #90a4c4; border-bottom: 1px solid #90a4c4; }");

void setStyleRecursive(QWidget* widget, QStyle* style)
{
    widget->setStyle(style);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->setStyle(style);
}

} // namespace

void TF::connectGrid()
{
    QItemSelectionModel* selection = G->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, &TF::viewCurrentChanged);
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this] { viewSelectionChanged(); });
    connect(G, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        // While typing or choosing from the pick list the popup menu stays shut.
        if (m_app.InputMode == 0)
            PopupMenu1->popup(G->viewport()->mapToGlobal(pos));
    });
    applyCurrentCell();
}

QFont TF::gridFont() const
{
    if (auto* measure = dynamic_cast<const platform::QtTextMeasure*>(&m_app.measure()))
        return measure->font();
    platform::FontSpec font = m_app.settings.gridFont;
    font.size = m_app.sheet.FontSize;
    return platform::GridQFont(font);
}

void TF::applyLayout()
{
    const core::GridState& grid = m_app.grid;
    const QFont font = gridFont();
    if (G->font() != font) {
        G->setFont(font);
        G->horizontalHeader()->setFont(font);
        G->verticalHeader()->setFont(font);
        Ed->setFont(font);
        lsWord->setFont(font);
    }
    // Sections carry one separator pixel besides the cell itself.
    const int rowPitch = std::max(grid.rowHeight, 1) + 1;
    QHeaderView* rows = G->verticalHeader();
    if (rows->defaultSectionSize() != rowPitch)
        rows->setDefaultSectionSize(rowPitch);
    rows->setFixedWidth(grid.colWidths[0] + 1);
    G->horizontalHeader()->setFixedHeight(rowPitch);
    QHeaderView* cols = G->horizontalHeader();
    cols->setDefaultSectionSize(grid.defaultColWidth + 1);
    for (int c = 1; c <= core::MaxCols; ++c) {
        const int width = grid.colWidths[std::size_t(c)] + 1;
        if (cols->sectionSize(c - 1) != width)
            cols->resizeSection(c - 1, width);
    }
    G->viewport()->update();
    updateVisibleCounts();
}

void TF::ApplyGridDesign(int style)
{
    const int design = style == 0 || style == 1 ? style : 2;
    if (design == m_appliedGridStyle)
        return;
    m_appliedGridStyle = design;
    if (!m_classicStyle) {
        m_classicStyle = QStyleFactory::create(QStringLiteral("Windows"));
        m_gradientStyle = QStyleFactory::create(QStringLiteral("Fusion"));
        for (QStyle* s : {m_classicStyle, m_gradientStyle})
            if (s)
                s->setParent(this);
    }
    G->setStyleSheet(QString());
    setStyleRecursive(G, design == 0 ? m_classicStyle : design == 1 ? m_gradientStyle : nullptr);
    if (design == 1)
        G->setStyleSheet(GradientSheet);
    QStyleOption option;
    option.initFrom(G);
    m_delegate->setGridLineColor(
        QColor::fromRgba(QRgb(G->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, G))));
    G->viewport()->update();
}

void TF::applyCurrentCell()
{
    const core::GridState& grid = m_app.grid;
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    QScopedValueRollback guard(m_syncing, true);
    const int row = std::clamp(grid.row, 1, rows);
    const int col = std::clamp(grid.col, 1, core::MaxCols);
    // A top row the view did not report was set by a command (page up and down).
    const bool topSet = grid.topRow != m_viewTopRow;
    const int wantedTop = grid.topRow;
    QItemSelectionModel* selection = G->selectionModel();
    const QModelIndex current = m_model->index(row - 1, col - 1);
    if (selection->currentIndex() != current)
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    core::CellBlock block = grid.selection;
    if (block.isEmpty())
        block = core::CellBlock{col, col, row, row};
    const QItemSelection range(
        m_model->index(std::clamp(block.top, 1, rows) - 1, std::clamp(block.left, 1, 26) - 1),
        m_model->index(std::clamp(block.bottom, 1, rows) - 1, std::clamp(block.right, 1, 26) - 1));
    selection->select(range, QItemSelectionModel::ClearAndSelect);
    if (topSet)
        G->verticalScrollBar()->setValue(std::clamp(wantedTop, 1, rows) - 1);
    G->scrollTo(current);
    GTopLeftChanged();
}

void TF::viewCurrentChanged(const QModelIndex& current, const QModelIndex&)
{
    if (current.isValid())
        GSelectCell(current.column() + 1, current.row() + 1);
}

void TF::GSelectCell(int c, int r)
{
    App& app = m_app;
    if (m_syncing) {
        // The core moved the current cell and the view follows: the status bar shows it.
        showCellNamePanel(core::CellName(c, r));
        showStatus(core::StripMark(app.sheet.CellText[std::size_t(c)][std::size_t(r)]));
        return;
    }
    // A long loop is changing the sheet: the view goes back to the core's current cell.
    if (core::IsBusy(app)) {
        QTimer::singleShot(0, this, [this] { applyCurrentCell(); });
        return;
    }
    // A click: the core commits the typed text to the cell being left, ends the pick list
    // and moves; it scrolls by the counts the view reports.
    updateVisibleCounts();
    edit::MoveCurrentCell(app, c, r);
}

void TF::viewSelectionChanged()
{
    if (m_syncing)
        return;
    core::GridState& grid = m_app.grid;
    // The selection's ranges, not its cells: a whole-sheet selection is one range.
    const QItemSelection ranges = G->selectionModel()->selection();
    if (ranges.isEmpty()) {
        grid.selection = core::CellBlock{grid.col, grid.col, grid.row, grid.row};
        return;
    }
    core::CellBlock block{core::MaxCols, 1, core::MaxRows, 1};
    for (const QItemSelectionRange& range : ranges) {
        block.left = std::min(block.left, range.left() + 1);
        block.right = std::max(block.right, range.right() + 1);
        block.top = std::min(block.top, range.top() + 1);
        block.bottom = std::max(block.bottom, range.bottom() + 1);
    }
    grid.selection = block;
}

void TF::updateVisibleCounts()
{
    core::GridState& grid = m_app.grid;
    grid.visibleRows = G->fullyVisibleRows();
    grid.visibleCols = G->fullyVisibleCols();
}

void TF::GTopLeftChanged()
{
    // The grid reports sizes while the window is still being made.
    if (!Ed || !m_model)
        return;
    core::GridState& grid = m_app.grid;
    grid.topRow = m_viewTopRow = G->topRow();
    grid.leftCol = m_viewLeftCol = G->leftCol();
    updateVisibleCounts();
    PlaceEditor();
}

void TF::GClick()
{
    setBusyCursor(false);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TF::GMouseUp()
{
    Ed->setFocus();
}

void TF::scrollByWheel(QWheelEvent* event)
{
    event->accept();
    if (!m_app.settings.Wheel) {
        m_wheelDelta = 0;
        return;
    }
    m_wheelDelta += event->angleDelta().y();
    QScrollBar* bar = G->verticalScrollBar();
    // One row per notch; the current cell stays where it is.
    while (m_wheelDelta >= WheelNotch) {
        bar->setValue(bar->value() - 1);
        m_wheelDelta -= WheelNotch;
    }
    while (m_wheelDelta <= -WheelNotch) {
        bar->setValue(bar->value() + 1);
        m_wheelDelta += WheelNotch;
    }
}

QRect TF::currentCellRect() const
{
    const core::GridState& grid = m_app.grid;
    const QRect cell = G->visualRect(m_model->index(grid.row - 1, grid.col - 1));
    const QPoint origin = G->viewport()->mapTo(G, cell.topLeft());
    // The section's last pixel is the separator line, not part of the cell.
    return QRect(origin, QSize(cell.width() - 1, cell.height() - 1));
}

void TF::PlaceEditor()
{
    const QRect cell = currentCellRect();
    const edit::Rect r = edit::PlaceEditor(
        G->x(), G->y(), edit::Rect{cell.x(), cell.y(), cell.width(), cell.height()});
    Ed->setGeometry(r.left, r.top, r.width, r.height);
}

} // namespace ui
