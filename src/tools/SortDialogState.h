#pragma once

#include <QString>

namespace tools {

/// The sort dialog TfSort: its choices stay from one use to the next.
struct SortDialogState {
    QString lblArea;
    int optWay = 0; // 0 text, 1 number
    int optSeq = 0; // 0 ascending, 1 descending
};

} // namespace tools
