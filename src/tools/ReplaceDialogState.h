#pragma once

#include "core/Sheet.h"

#include <QString>
#include <QStringList>

namespace tools {

/// The replace dialog TfRep: its texts and lists kept for the whole run, and the working
/// state of one use (the range and the cell examined last).
struct ReplaceDialogState {
    QString cbBefore;
    QString cbAfter;
    /// cbBefore's list (a copy of the shared search history while the dialog is open).
    QStringList beforeItems;
    /// cbAfter's own list: the replacement history.
    QStringList afterItems;
    /// The dialog has opened once and taken over the replacement history of the settings.
    bool opened = false;
    bool chkCase = false;
    core::CellBlock range;
    /// The replace cursor: the cell examined last; col left of range.left before the first.
    int col = 0;
    int row = 0;
    QString lblArea;
    QString lblCell;
    bool btnRep1Enabled = false;

    bool pastEnd() const { return row > range.bottom; }
};

} // namespace tools
