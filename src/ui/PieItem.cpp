#include "ui/PieItem.h"

#include "ui/ChartBuilder.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ui {

namespace {

constexpr int LegendSquare = 10;
constexpr int LegendGap = 6;
constexpr int LegendIndent = 16;
/// From the pie's edge to a mark's text: the bent line out and across.
constexpr int MarkReach = 22;
/// Entries measured for the legend's width: more never have room beside a chart.
constexpr std::size_t MeasuredEntries = 200;

/// The chart font in pixels of the screen: drawn into a printer, the chart is scaled as a
/// whole, and a size in points would be taken at the printer's resolution once more.
QFont itemFont()
{
    QFont font = ChartFont();
    font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

} // namespace

PieItem::PieItem(const graph::ChartSeries& series, const graph::ChartModel& model,
                 QGraphicsItem* parent)
    : QGraphicsItem(parent)
    , m_view3D(model.view3D)
    , m_legend(model.legend)
{
    double total = 0;
    for (const graph::ChartPoint& p : series.points)
        total += std::abs(p.value);
    double angle = model.rotation;
    m_slices.reserve(series.points.size());
    for (std::size_t i = 0; i < series.points.size(); ++i) {
        const graph::ChartPoint& p = series.points[i];
        Slice slice;
        slice.start = angle;
        slice.span = total > 0 ? std::abs(p.value) / total * 360 : 0;
        slice.color = SeriesColor(i);
        if (model.marks) {
            const QString share =
                graph::PercentMarkText(total > 0 ? std::abs(p.value) / total * 100 : 0);
            slice.mark = p.label.isEmpty() ? share : p.label + u' ' + share;
        }
        slice.legend = p.label.isEmpty() ? graph::ValueMarkText(p.value) : p.label;
        angle += slice.span;
        m_slices.push_back(std::move(slice));
    }
    const QFontMetrics metrics(itemFont());
    int widestEntry = 0;
    int widestMark = 0;
    for (std::size_t i = 0; i < m_slices.size() && i < MeasuredEntries; ++i) {
        widestEntry = std::max(widestEntry, metrics.horizontalAdvance(m_slices[i].legend));
        widestMark = std::max(widestMark, metrics.horizontalAdvance(m_slices[i].mark));
    }
    if (m_legend)
        m_legendWidth = LegendIndent + LegendSquare + LegendGap + widestEntry;
    if (model.marks)
        m_markRoom = MarkReach + widestMark;
}

void PieItem::setPlot(const QRectF& plot, const QRectF& chart)
{
    prepareGeometryChange();
    m_plot = plot;
    m_chart = chart;
    update();
}

QRectF PieItem::pieRect() const
{
    // The marks beside the pie keep their room, as long as the pie stays of some size.
    const qreal across = std::max(m_plot.width() - 2 * m_markRoom, m_plot.width() * 0.4);
    const qreal side = std::min(across, m_plot.height()) * 0.75;
    QRectF pie(0, 0, side, side);
    pie.moveCenter(m_plot.center());
    return pie;
}

void PieItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF pie = pieRect();
    if (pie.isEmpty())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const qreal radius = pie.width() / 2;
    for (const Slice& slice : m_slices) {
        if (slice.span <= 0)
            continue;
        QPainterPath path(pie.center());
        path.arcTo(pie, slice.start, slice.span);
        path.closeSubpath();
        // A slice too thin for a border would be all border.
        const bool bordered = slice.span * std::numbers::pi / 180 * radius >= 4;
        painter->setPen(bordered ? QPen(Qt::white, 1) : QPen(Qt::NoPen));
        painter->setBrush(m_view3D ? ShadedBrush(slice.color, Qt::Vertical) : QBrush(slice.color));
        painter->drawPath(path);
    }
    paintMarks(painter, pie);
    paintLegend(painter);
    painter->restore();
}

void PieItem::paintMarks(QPainter* painter, const QRectF& pie) const
{
    const QFontMetrics metrics(itemFont());
    painter->setFont(itemFont());
    const qreal radius = pie.width() / 2;
    for (const Slice& slice : m_slices) {
        if (slice.mark.isEmpty())
            continue;
        const double middle = (slice.start + slice.span / 2) * std::numbers::pi / 180;
        const QPointF towards(std::cos(middle), -std::sin(middle));
        const QPointF edge = pie.center() + towards * radius;
        const QPointF bend = pie.center() + towards * (radius + 10);
        const bool right = towards.x() >= 0;
        const QPointF end = bend + QPointF(right ? MarkReach - 12 : 12 - MarkReach, 0);
        painter->setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        painter->drawPolyline(QPolygonF{edge, bend, end});
        const int width = metrics.horizontalAdvance(slice.mark);
        const QRectF box(right ? end.x() + 2 : end.x() - 2 - width,
                         end.y() - metrics.height() / 2.0, width, metrics.height());
        painter->setPen(Qt::black);
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, slice.mark);
    }
}

void PieItem::paintLegend(QPainter* painter) const
{
    if (!m_legend || m_slices.empty())
        return;
    const QFontMetrics metrics(itemFont());
    painter->setFont(itemFont());
    const int line = metrics.height() + 3;
    // As many entries as the plot's height has room for, from the first.
    const auto shown = std::min<std::size_t>(m_slices.size(),
                                             std::size_t(std::max(1, int(m_plot.height()) / line)));
    const qreal x = m_plot.right() + LegendIndent;
    qreal y = m_plot.center().y() - qreal(shown) * line / 2;
    for (std::size_t i = 0; i < shown; ++i, y += line) {
        const Slice& slice = m_slices[i];
        painter->setPen(slice.color.darker(125));
        painter->setBrush(slice.color);
        painter->drawRect(QRectF(x, y + (line - LegendSquare) / 2.0, LegendSquare, LegendSquare));
        painter->setPen(Qt::black);
        painter->drawText(QRectF(x + LegendSquare + LegendGap, y, m_chart.right() - x, line),
                          Qt::AlignLeft | Qt::AlignVCenter, slice.legend);
    }
}

} // namespace ui
