#pragma once

#include <QString>

namespace print {

/// The ruled-line dialog's controls; they keep their values for the whole run.
struct LineDialogState {
    QString caption; // "A1 ～ C5の罫線", set at each use
    bool chkSide[5] = {false, false, false, false, false}; // 0 outer frame, 1..4 sides
    bool chkGrid = true;                                   // show the grid's own lines
    int style = 0;                                         // item index 0..6
    int color = 0;                                         // 0..15
};

} // namespace print
