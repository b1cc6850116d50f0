#include "ui/GridModel.h"

#include "core/App.h"

namespace ui {

GridModel::GridModel(App& app, QObject* parent)
    : QAbstractTableModel(parent)
    , m_app(app)
    , m_rows(app.sheet.SheetRows)
{
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : core::MaxCols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const std::size_t r = std::size_t(index.row()) + 1;
    const auto& column = m_app.sheet.GridText[std::size_t(index.column()) + 1];
    return r < column.size() ? QVariant(column[r]) : QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto& sheet = m_app.sheet;
    if (orientation == Qt::Horizontal)
        return section < core::MaxCols ? sheet.GridText[std::size_t(section) + 1][0] : QString();
    const std::size_t r = std::size_t(section) + 1;
    return r < sheet.GridText[0].size() ? sheet.GridText[0][r] : QString();
}

void GridModel::resetLayout()
{
    beginResetModel();
    m_rows = m_app.sheet.SheetRows;
    endResetModel();
}

void GridModel::refreshCells()
{
    if (m_rows != m_app.sheet.SheetRows) {
        resetLayout();
        return;
    }
    emit dataChanged(index(0, 0), index(m_rows - 1, core::MaxCols - 1));
    emit headerDataChanged(Qt::Horizontal, 0, core::MaxCols - 1);
    emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

} // namespace ui
