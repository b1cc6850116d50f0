#pragma once

#include "core/Sheet.h"

#include <QString>
#include <optional>

namespace edit {

/// The insert/delete dialog TfAdd: the radio choices persist between uses, the count is
/// reset by each command.
struct InsertDialogState {
    static constexpr int Columns = 0;
    static constexpr int Rows = 1;
    static constexpr int TagInsert = 1;
    static constexpr int TagDelete = 2;

    int optAdd = Rows; // insert direction
    int optDel = Rows; // delete direction
    int txtNum = 1;    // count, 0..32000
    int tag = TagInsert;

    int direction() const { return tag == TagDelete ? optDel : optAdd; }
    void setDirection(int d) { (tag == TagDelete ? optDel : optAdd) = d; }
    bool rowsChosen() const { return direction() == Rows; }
    QString caption() const
    {
        return tag == TagDelete ? QStringLiteral("行／列の削除") : QStringLiteral("行／列の挿入");
    }
    QString helpTopic() const
    {
        return tag == TagDelete ? QStringLiteral("列／行の削除") : QStringLiteral("列／行の挿入");
    }
};

/// What a selection proposes for the dialog.
struct InsertProposal {
    int count = 1;
    int direction = -1; // -1: keep the last choice
    int col = 0;        // 0: the current column stays
    int row = 0;        // 0: the current row stays
};

/// A selection of several columns in one row proposes its width in columns from its left
/// column; several rows in one column its height in rows from its top row; anything else 1.
inline InsertProposal ProposeFromSelection(const core::CellBlock& s)
{
    InsertProposal p;
    if (s.top == s.bottom && s.right > s.left) {
        p.count = s.right - s.left + 1;
        p.direction = InsertDialogState::Columns;
        p.col = s.left;
    } else if (s.left == s.right && s.bottom > s.top) {
        p.count = s.bottom - s.top + 1;
        p.direction = InsertDialogState::Rows;
        p.row = s.top;
    }
    return p;
}

/// The OK button's checks: the warning to show (the dialog stays open, focus on the count),
/// or nothing when the dialog may close.
inline std::optional<QString> CheckInsertDialog(const InsertDialogState& d, int sheetRows,
                                                int currentRow)
{
    const int n = d.txtNum;
    const int m = currentRow == 1 ? sheetRows - 1 : sheetRows - currentRow + 1;
    if (!d.rowsChosen() && n > 25)
        return QStringLiteral("列で指定可能な最大値は 25 です.");
    if (d.tag == InsertDialogState::TagDelete && d.rowsChosen() && n > m)
        return QStringLiteral("指定可能な最大値は") + QString::number(m) + QStringLiteral(" です.");
    return std::nullopt;
}

} // namespace edit
