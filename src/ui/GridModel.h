#pragma once

#include <QAbstractTableModel>

struct App;

namespace ui {

/// The grid's strings as a table: data rows 1..SheetRows, columns A..Z; headings and row
/// numbers come from row 0 and column 0 of the same strings. Reads, never computes.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(App& app, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// The row count or layout changed.
    void resetLayout();
    /// Display strings changed.
    void refreshCells();

private:
    App& m_app;
    int m_rows = 0;
};

} // namespace ui
