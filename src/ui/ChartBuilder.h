#pragma once

#include "graph/Graph.h"

#include <QChart>
#include <QImage>

class QGraphicsSimpleTextItem;
class QPainter;

namespace ui {

class PieItem;

/// A chart of a graph::ChartModel drawn by Qt Charts (the pie by a PieItem of its own): the
/// title at the top, the foot under the plot, the legend on the right. Qt Charts draws flat;
/// the three-dimensional view is shown as shaded fills (bars, areas and slices lit from the
/// left or top) and a shadow under the chart's background.
class GraphChart : public QChart {
public:
    explicit GraphChart(const graph::ChartModel& model);

    const graph::ChartModel& model() const { return m_model; }
    QGraphicsSimpleTextItem* foot() const { return m_foot; }
    /// The pie of a pie chart; nullptr for the other kinds.
    PieItem* pie() const { return m_pie; }

private:
    void addXySeries();
    void addBarSeries();
    void addPieSeries();
    /// The axis along the points: their labels when any point has one, else their indexes;
    /// padded: half a step beyond the first and the last point.
    QAbstractAxis* makePointAxis(int count, bool padded, bool across);
    QAbstractAxis* makeValueAxis();
    void placeFoot();

    graph::ChartModel m_model;
    QGraphicsSimpleTextItem* m_foot = nullptr;
    PieItem* m_pie = nullptr;
    int m_footHeight = 0;
};

/// The font of the legend, the axis labels and the marks ("ＭＳ Ｐ明朝").
QFont ChartFont();
/// The colour of the i-th series (or pie slice), from 0; the palette repeats after 16.
QColor SeriesColor(std::size_t i);
/// The fill of the three-dimensional view: lit on one side, darker on the other, across a
/// shape's width (Horizontal) or height (Vertical).
QBrush ShadedBrush(const QColor& color, Qt::Orientation across);

/// Draws a chart of the model into `target` of the painter, laid out as on a screen of
/// target's size divided by `scale` (printer pixels per screen pixel).
void RenderChart(const graph::ChartModel& model, QPainter& painter, const QRectF& target,
                 qreal scale);
/// A chart of the model as an image of `size` pixels.
QImage ChartImage(const graph::ChartModel& model, QSize size);

} // namespace ui
