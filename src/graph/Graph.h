#pragma once

#include "core/Sheet.h"
#include "graph/GraphSettings.h"
#include "print/PageLayout.h"

#include <QString>
#include <optional>
#include <vector>

struct App;

namespace graph {

/// The chart kinds in rbGkind's order.
enum class ChartKind { Line, Scatter, Bar, Pie, Area, HorizontalBar };
/// How several bar series stand, in rbBar's order.
enum class BarLayout { Behind, Side, Stacked, Stacked100 };
/// What a point's mark shows: its value, or its label and its share of the pie.
enum class MarkStyle { Value, LabelPercent };

/// The title or the foot: a header/footer box's expanded text in that box's font.
struct ChartText {
    QString text;
    print::HeaderFont font;
};

struct ChartPoint {
    double value = 0;
    QString label;
};

struct ChartSeries {
    QString title;
    std::vector<ChartPoint> points; // in the order added
};

/// The chart of the graph settings as BuildChart makes it, before any drawing.
struct ChartModel {
    ChartKind kind = ChartKind::Line;
    ChartText title;
    ChartText foot;
    bool view3D = true;
    bool legend = true;
    /// Value axis: automatic, or from axisMin to axisMax.
    bool autoAxis = true;
    double axisMax = 0;
    double axisMin = 0;
    BarLayout bars = BarLayout::Behind;
    bool marks = false;
    MarkStyle markStyle = MarkStyle::Value;
    /// Where the pie's first slice starts: degrees counter-clockwise from 3 o'clock; the
    /// slices follow counter-clockwise.
    double rotation = 0;
    std::vector<ChartSeries> series;
};

/// The value of a row spin edit's text (1..32000; 1 when it is no number).
int RowValue(const QString& text);
/// The value of a value-axis spin edit's text (0 when it is no number).
int AxisValue(const QString& text);

/// The settings dialog's filling from the grid's selection when it opens: with more than
/// one cell selected, edClms gets the selected columns' letters, the rows their top and
/// bottom, and an unchosen label column the column left of the selection.
void FillFromSelection(GraphSettings& g, const core::CellBlock& selection);

/// The checks of the グラフ button: edClms is upper-cased (a..z only) and, when its
/// characters are all letters, put back. The first problem's error text, or nothing.
std::optional<QString> CheckGraphSettings(GraphSettings& g, int sheetRows);

/// The chart the settings describe over the sheet: title and foot from the centre header
/// and footer boxes (expanded for page 1, which may show their error box), one series per
/// letter of edClms (the pie: the first letter only), one point per row.
ChartModel BuildChartModel(App& app);

/// The value of a cell as the chart takes it: through its text of 15 significant digits.
double ChartValue(double cellValue);

/// The text of a value mark ("#,##0.###": 1,234.5) and of a pie mark's share ("25 %").
QString ValueMarkText(double value);
QString PercentMarkText(double percent);

/// The name the save dialog proposes for the chart's bitmap: the worksheet's path with the
/// extension ".BMP"; ".BMP" alone for a sheet never saved.
QString BitmapFileName(const QString& fileName);

/// A rectangle in printer pixels, from the printable area's corner; right and bottom are
/// the last pixels inside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};
/// Where the chart is printed: the page inside the page layout's margins, at `dpi` pixels
/// per inch on a page of pageWidth x pageHeight pixels.
PixelRect GraphPrintRect(const print::PageLayout& layout, int dpi, int pageWidth, int pageHeight);

/// The graph command: the settings dialog over App::graph, filled from the selection.
void GraphCommand(App& app);

} // namespace graph
