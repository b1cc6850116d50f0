#pragma once

#include <QString>
#include <optional>

namespace tools {

/// The column heading dialog TfCName.
struct HeadingDialogState {
    int txtCname = 0; // the heading row, 0..32000; 0 none
};

/// The column format dialog TfColSet, filled from the selection's left column.
struct ColumnFormatDialogState {
    QString caption;
    int txtWidth = 10; // 1..255
    int txtPoint = 0;  // 0..16
    bool chkComma = true;
    bool chkYen = false;
    int optAlign = 0; // 0 left, 1 centre, 2 right: the reverse of align's 1 and 2

    /// chkYen's click: the information to show when checking it also checks chkComma.
    std::optional<QString> yenClicked();
};

} // namespace tools
