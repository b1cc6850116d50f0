#pragma once

#include <QString>

namespace graph {

/// The graph settings dialog's controls, which are the storage of the graph settings.
struct GraphSettings {
    int rbGkind = 0;
    int rbBar = 0;
    bool ckMax = false;
    QString edMax;
    QString edMin;
    QString edRow1;
    QString edRow2;
    QString edClms;
    int cbXclm = 0;
    bool ck3D = false;
    bool ckLegend = true;
    bool ckMarker = true;
};

} // namespace graph
