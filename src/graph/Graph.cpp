#include "graph/Graph.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/NumberFormat.h"
#include "platform/Ui.h"
#include "print/HeaderFooter.h"
#include "print/PrintEngine.h"

#include <algorithm>
#include <charconv>

namespace graph {

namespace {

/// A spin edit's value: its text as an integer, or `fallback` when it is none.
int spinValue(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

/// Only a..z change: a full-width or other letter stays as typed and is refused.
QString asciiUpper(const QString& text)
{
    QString upper = text;
    for (QChar& ch : upper)
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - (u'a' - u'A'));
    return upper;
}

QString seriesTitle(const App& app, int c)
{
    const core::Sheet& sheet = app.sheet;
    if (sheet.HeadingRow <= 0 || sheet.HeadingRow > sheet.SheetRows)
        return QString(QChar(u'A' + c - 1));
    const QString& text = sheet.CellText[c][sheet.HeadingRow];
    if (text.isEmpty())
        return QStringLiteral(" ");
    return core::WithoutLeadingMark(text).toString();
}

/// Rows first..last (or last..first when `backwards`) of column c, labelled from column x.
ChartSeries columnSeries(const App& app, int c, int x, int first, int last, bool backwards)
{
    const core::Sheet& sheet = app.sheet;
    ChartSeries series;
    series.title = seriesTitle(app, c);
    if (first > last)
        return series;
    series.points.reserve(std::size_t(last - first + 1));
    for (int i = 0; i <= last - first; ++i) {
        const int r = backwards ? last - i : first + i;
        ChartPoint point;
        point.value = ChartValue(sheet.CellValue[c][r]);
        if (x > 0)
            point.label = sheet.GridText[x][r];
        series.points.push_back(std::move(point));
    }
    return series;
}

/// "#,##0.###"-style: grouped, up to `decimals` decimals without trailing zeros.
QString groupedText(double value, int decimals)
{
    QString text = core::FormatNumber(value, core::NumberFormat{0, decimals, u'n'});
    if (text.isNull())
        return QString::number(value);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

} // namespace

int RowValue(const QString& text)
{
    return std::clamp(spinValue(text, 1), 1, core::MaxRows);
}

int AxisValue(const QString& text)
{
    return spinValue(text, 0);
}

void FillFromSelection(GraphSettings& g, const core::CellBlock& selection)
{
    const core::CellBlock& s = selection;
    if (s.left < 1 || (s.left == s.right && s.top == s.bottom))
        return;
    g.edClms.clear();
    for (int c = s.left; c <= s.right; ++c)
        g.edClms += QChar(u'A' + c - 1);
    if (g.cbXclm <= 0)
        g.cbXclm = s.left - 1;
    g.edRow1 = QString::number(s.top);
    g.edRow2 = QString::number(s.bottom);
}

std::optional<QString> CheckGraphSettings(GraphSettings& g, int sheetRows)
{
    const QString columns = asciiUpper(g.edClms);
    if (columns.isEmpty())
        return QStringLiteral("\"列\"を指定してください.");
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QChar ch = columns[i];
        if (ch >= u'A' && ch <= u'Z')
            continue;
        // A character beyond the BMP is named whole, not by half of its pair.
        const qsizetype length =
            ch.isHighSurrogate() && i + 1 < columns.size() && columns[i + 1].isLowSurrogate() ? 2
                                                                                              : 1;
        return QStringLiteral("\"列\"の指定に使えない文字\"") + columns.mid(i, length)
            + QStringLiteral("\"が使われています.");
    }
    g.edClms = columns;
    const int r1 = RowValue(g.edRow1);
    const int r2 = RowValue(g.edRow2);
    if (r1 > sheetRows || r2 > sheetRows)
        return QStringLiteral("行範囲の値が大きすぎます.");
    if (r2 < r1)
        return QStringLiteral("行範囲の値が逆転しています.");
    return std::nullopt;
}

double ChartValue(double cellValue)
{
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, cellValue, std::chars_format::general, 15)
            .ptr;
    char16_t text[32];
    const auto length = end - digits;
    std::copy(digits, end, text);
    return core::ParseNumber(QStringView(text, length));
}

ChartModel BuildChartModel(App& app)
{
    const GraphSettings& g = app.graph;
    const print::PageLayout& layout = app.pageLayout;
    ChartModel m;
    m.kind = ChartKind(std::clamp(g.rbGkind, 0, 5));
    m.title = {print::ExpandHeaderFooter(app, layout.txtHdr[1], 1), layout.hdrFont[1]};
    m.foot = {print::ExpandHeaderFooter(app, layout.txtHdr[4], 1), layout.hdrFont[4]};
    m.view3D = g.ck3D;
    m.legend = g.ckLegend;
    m.autoAxis = g.ckMax;
    m.axisMax = AxisValue(g.edMax);
    m.axisMin = AxisValue(g.edMin);
    m.bars = BarLayout(std::clamp(g.rbBar, 0, 3));
    m.marks = g.ckMarker;

    const int first = RowValue(g.edRow1);
    // The checks keep the rows inside the sheet; a file's settings drawn unchecked too.
    const int last = std::min(RowValue(g.edRow2), app.sheet.SheetRows);
    const int x = g.cbXclm >= 1 && g.cbXclm <= core::MaxCols ? g.cbXclm : 0;
    std::vector<int> columns;
    for (const QChar ch : g.edClms)
        if (ch >= u'A' && ch <= u'Z')
            columns.push_back(ch.unicode() - u'A' + 1);

    switch (m.kind) {
    case ChartKind::Pie:
        m.markStyle = MarkStyle::LabelPercent;
        m.rotation = 90;
        if (!columns.empty())
            m.series.push_back(columnSeries(app, columns.front(), x, first, last, true));
        break;
    case ChartKind::HorizontalBar:
        // Added from the last row: the first row ends up at the top.
        for (int c : columns)
            m.series.push_back(columnSeries(app, c, x, first, last, true));
        break;
    case ChartKind::Line:
    case ChartKind::Scatter:
    case ChartKind::Bar:
    case ChartKind::Area:
        for (int c : columns)
            m.series.push_back(columnSeries(app, c, x, first, last, false));
        break;
    }
    return m;
}

QString ValueMarkText(double value)
{
    return groupedText(value, 3);
}

QString PercentMarkText(double percent)
{
    return groupedText(percent, 2) + QStringLiteral(" %");
}

QString BitmapFileName(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".BMP");
}

PixelRect GraphPrintRect(const print::PageLayout& layout, int dpi, int pageWidth, int pageHeight)
{
    const double perMm = dpi / 25.4;
    PixelRect r;
    r.left = print::MarginPixels(layout.txtOfs3, perMm);
    r.top = print::MarginPixels(layout.txtOfs1, perMm);
    r.right = pageWidth - print::MarginPixels(layout.txtOfs4, perMm) - 1;
    r.bottom = pageHeight - print::MarginPixels(layout.txtOfs2, perMm) - 1;
    return r;
}

void GraphCommand(App& app)
{
    FillFromSelection(app.graph, app.grid.selection);
    app.ui().showGraphSettings(app.graph);
}

} // namespace graph
