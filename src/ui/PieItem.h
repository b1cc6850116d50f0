#pragma once

#include "graph/Graph.h"

#include <QGraphicsItem>
#include <vector>

namespace ui {

/// The pie of a chart: its slices counter-clockwise from the model's rotation, each in the
/// next colour of the series palette, their marks, and the legend of the slices in the
/// chart's right margin. Drawn by itself: Qt Charts' pie keeps a text document and a legend
/// entry per slice, which a pie of thousands of rows cannot afford.
class PieItem : public QGraphicsItem {
public:
    PieItem(const graph::ChartSeries& series, const graph::ChartModel& model,
            QGraphicsItem* parent);

    /// The width the legend takes beside the plot; 0 without a legend.
    int legendWidth() const { return m_legendWidth; }
    /// The chart's plot area and whole rectangle, in the chart's coordinates.
    void setPlot(const QRectF& plot, const QRectF& chart);
    /// Where the pie is drawn: three quarters of the plot's shorter side (its width less the
    /// marks' room), centred.
    QRectF pieRect() const;

    QRectF boundingRect() const override { return m_chart; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    struct Slice {
        double start = 0; // degrees, counter-clockwise from 3 o'clock
        double span = 0;
        QColor color;
        QString mark;   // empty: no mark
        QString legend; // the label, or the value when there is none
    };
    void paintMarks(QPainter* painter, const QRectF& pie) const;
    void paintLegend(QPainter* painter) const;

    std::vector<Slice> m_slices;
    bool m_view3D = false;
    bool m_legend = false;
    int m_legendWidth = 0;
    int m_markRoom = 0; // beside the pie on either side, for the marks
    QRectF m_plot;
    QRectF m_chart;
};

} // namespace ui
