#pragma once

#include <QString>

namespace graph {

/// The graph settings dialog's controls, which are the storage of the graph settings.
/// The spin edits keep their texts, as the worksheet file carries them.
struct GraphSettings {
    int rbGkind = 0;   // 0 line, 1 scatter, 2 vertical bars, 3 pie, 4 area, 5 horizontal bars
    int rbBar = 0;     // 0 behind one another, 1 side by side, 2 stacked, 3 stacked to 100 %
    bool ckMax = true; // automatic value axis
    QString edMax = QStringLiteral("0");
    QString edMin = QStringLiteral("0");
    QString edRow1 = QStringLiteral("1");
    QString edRow2 = QStringLiteral("1");
    QString edClms; // one letter per series
    int cbXclm = 0; // label column 1..26; 0 (" ") or -1: none
    bool ck3D = true;
    bool ckLegend = true;
    bool ckMarker = false;
};

} // namespace graph
