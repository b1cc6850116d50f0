#include "ui/ChartBuilder.h"

#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "print/PrintEngine.h"
#include "ui/PieItem.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QHash>
#include <QHorizontalBarSeries>
#include <QHorizontalPercentBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPercentBarSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace ui {

using graph::BarLayout;
using graph::ChartKind;
using graph::ChartModel;

namespace {

/// Labels along the point axis: at most this many, every k-th point's.
constexpr int MaxLabelsAcross = 12;
constexpr int MaxLabelsDown = 25;

/// Qt Charts reads its texts as HTML; the sheet's texts are plain.
QString plain(const QString& text)
{
    return text.toHtmlEscaped();
}

QColor boxColor(qint32 color)
{
    // 0x00BBGGRR
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QFont boxFont(const print::HeaderFont& f)
{
    QFont q = platform::PrintQFont(print::PrintFontOf(f));
    // A header box's font may be proportional.
    q.setFixedPitch(false);
    q.setStyleHint(QFont::AnyStyle);
    return q;
}

/// Colours of the series (and of the pie's slices), in order; then again from the first.
constexpr QRgb Palette[] = {0x209FDF, 0x99CA53, 0xF6A625, 0x6D5FD5, 0xBF593E, 0x2BB3A6,
                            0xE0C02C, 0x8E44AD, 0xD35454, 0x5D9C3B, 0x3B5BA9, 0xF08A4B,
                            0x7F8C8D, 0xC2185B, 0x00838F, 0xA1887F};

/// A bar set's fill: plain, or shaded across its bars.
void paintSet(QBarSet* set, const QColor& color, bool view3D, bool horizontal)
{
    set->setColor(color);
    set->setBorderColor(color.darker(125));
    if (view3D)
        set->setBrush(ShadedBrush(color, horizontal ? Qt::Vertical : Qt::Horizontal));
}

/// A step of 1, 2 or 5 times a power of ten that puts at most `most` labels on `count`.
int labelStep(int count, int most)
{
    const double raw = std::max(1.0, std::ceil(double(count) / most));
    double power = 1;
    while (power * 10 <= raw)
        power *= 10;
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw)
            return int(factor * power);
    return int(raw);
}

bool isBars(ChartKind kind)
{
    return kind == ChartKind::Bar || kind == ChartKind::HorizontalBar;
}

/// The values the automatic value axis must show: every point, or the stacks' ends of
/// stacked bars; bars also stand on 0.
std::pair<double, double> dataRange(const ChartModel& model)
{
    double low = 0;
    double high = 0;
    bool any = false;
    const auto take = [&](double v) {
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    };
    if (isBars(model.kind) && model.bars == BarLayout::Stacked) {
        std::size_t count = 0;
        for (const graph::ChartSeries& s : model.series)
            count = std::max(count, s.points.size());
        for (std::size_t i = 0; i < count; ++i) {
            double up = 0;
            double down = 0;
            for (const graph::ChartSeries& s : model.series)
                if (i < s.points.size())
                    (s.points[i].value >= 0 ? up : down) += s.points[i].value;
            take(up);
            take(down);
        }
    } else {
        for (const graph::ChartSeries& s : model.series)
            for (const graph::ChartPoint& p : s.points)
                take(p.value);
    }
    if (isBars(model.kind))
        take(0);
    return {low, high};
}

} // namespace

QColor SeriesColor(std::size_t i)
{
    return QColor::fromRgb(Palette[i % std::size(Palette)]);
}

QBrush ShadedBrush(const QColor& color, Qt::Orientation across)
{
    QLinearGradient gradient(0, 0, across == Qt::Horizontal ? 1 : 0,
                             across == Qt::Horizontal ? 0 : 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, color.lighter(135));
    gradient.setColorAt(0.45, color);
    gradient.setColorAt(1, color.darker(140));
    return gradient;
}

QFont ChartFont()
{
    platform::InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ Ｐ明朝"));
    font.setPointSize(9);
    return font;
}

GraphChart::GraphChart(const ChartModel& model)
    : m_model(model)
{
    setAnimationOptions(QChart::NoAnimation);
    setBackgroundBrush(Qt::white);
    setBackgroundPen(QPen(QColor(0xA0, 0xA0, 0xA0)));
    setBackgroundRoundness(0);
    setPlotAreaBackgroundVisible(false);
    setDropShadowEnabled(model.view3D);

    if (!model.title.text.isEmpty()) {
        setTitle(plain(model.title.text));
        setTitleFont(boxFont(model.title.font));
        setTitleBrush(boxColor(model.title.font.color));
    }
    m_foot = new QGraphicsSimpleTextItem(this);
    m_foot->setText(model.foot.text);
    m_foot->setFont(boxFont(model.foot.font));
    m_foot->setBrush(boxColor(model.foot.font.color));
    m_foot->setVisible(!model.foot.text.isEmpty());
    if (m_foot->isVisible()) {
        m_footHeight = int(std::ceil(m_foot->boundingRect().height())) + 4;
        QMargins m = margins();
        m.setBottom(m.bottom() + m_footHeight);
        setMargins(m);
    }

    legend()->setVisible(model.legend && model.kind != ChartKind::Pie);
    legend()->setAlignment(Qt::AlignRight);
    legend()->setFont(ChartFont());

    switch (model.kind) {
    case ChartKind::Line:
    case ChartKind::Scatter:
    case ChartKind::Area:
        addXySeries();
        break;
    case ChartKind::Bar:
    case ChartKind::HorizontalBar:
        addBarSeries();
        break;
    case ChartKind::Pie:
        addPieSeries();
        break;
    }
    connect(this, &QGraphicsWidget::geometryChanged, this, &GraphChart::placeFoot);
}

void GraphChart::placeFoot()
{
    if (!m_foot->isVisible())
        return;
    const QRectF text = m_foot->boundingRect();
    m_foot->setPos((size().width() - text.width()) / 2,
                   size().height() - margins().bottom() + (m_footHeight - text.height()) / 2 + 6);
}

QAbstractAxis* GraphChart::makeValueAxis()
{
    auto* axis = new QValueAxis(this);
    axis->setLabelsFont(ChartFont());
    axis->setLabelFormat(QStringLiteral("%.10g"));
    double low = 0;
    double high = 0;
    if (!m_model.autoAxis) {
        // Given the wrong way round they still mean the range between them.
        low = std::min(m_model.axisMin, m_model.axisMax);
        high = std::max(m_model.axisMin, m_model.axisMax);
    } else if (m_model.bars == BarLayout::Stacked100 && isBars(m_model.kind)) {
        low = 0;
        high = 100;
    } else {
        const auto [dataLow, dataHigh] = dataRange(m_model);
        low = dataLow;
        high = dataHigh;
    }
    // A range of one value gets one unit around it.
    if (low == high) {
        low -= 1;
        high += 1;
    }
    axis->setRange(low, high);
    if (m_model.autoAxis)
        axis->applyNiceNumbers();
    return axis;
}

QAbstractAxis* GraphChart::makePointAxis(int count, bool padded, bool across)
{
    const std::vector<graph::ChartPoint>* points =
        m_model.series.empty() ? nullptr : &m_model.series.front().points;
    const bool labelled = points
        && std::any_of(points->begin(), points->end(),
                       [](const graph::ChartPoint& p) { return !p.label.isEmpty(); });
    // Bars stand on their index with half a step on either side.
    double low = padded ? -0.5 : 0;
    double high = padded ? count - 0.5 : count - 1;
    if (high <= low) {
        low = -0.5;
        high = 0.5;
    }
    const int step = labelStep(count, across ? MaxLabelsAcross : MaxLabelsDown);
    if (!labelled) {
        auto* axis = new QValueAxis(this);
        axis->setLabelsFont(ChartFont());
        axis->setLabelFormat(QStringLiteral("%d"));
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setTickInterval(step);
        axis->setRange(low, high);
        return axis;
    }
    auto* axis = new QCategoryAxis(this);
    axis->setLabelsFont(ChartFont());
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(low);
    // The axis keeps one label per text: a repeated text is told apart invisibly.
    QHash<QString, int> seen;
    for (int i = 0; i < count && i < int(points->size()); i += step) {
        const QString label = plain((*points)[std::size_t(i)].label);
        const int repeat = seen[label]++;
        axis->append(label + QString(repeat, QChar(0x200B)), i);
    }
    axis->setRange(low, high);
    return axis;
}

void GraphChart::addXySeries()
{
    int count = 0;
    for (const graph::ChartSeries& s : m_model.series)
        count = std::max(count, int(s.points.size()));
    // Points stand clear of the plot's edges; a line runs from edge to edge.
    QAbstractAxis* pointAxis = makePointAxis(count, m_model.kind == ChartKind::Scatter, true);
    QAbstractAxis* valueAxis = makeValueAxis();
    addAxis(pointAxis, Qt::AlignBottom);
    addAxis(valueAxis, Qt::AlignLeft);
    for (const graph::ChartSeries& s : m_model.series) {
        QList<QPointF> points;
        points.reserve(qsizetype(s.points.size()));
        for (std::size_t i = 0; i < s.points.size(); ++i)
            points.append(QPointF(qreal(i), s.points[i].value));
        QXYSeries* xy = nullptr;
        if (m_model.kind == ChartKind::Scatter) {
            auto* scatter = new QScatterSeries(this);
            scatter->setMarkerSize(8);
            xy = scatter;
        } else {
            xy = new QLineSeries(this);
        }
        xy->replace(points);
        QAbstractSeries* series = xy;
        if (m_model.kind != ChartKind::Area) {
            xy->setPointLabelsFormat(QStringLiteral("@yPoint"));
            xy->setPointLabelsFont(ChartFont());
            xy->setPointLabelsVisible(m_model.marks);
            xy->setPointLabelsClipping(false);
        } else {
            auto* area = new QAreaSeries(static_cast<QLineSeries*>(xy));
            area->setParent(this);
            xy->setParent(area);
            area->setPointLabelsFormat(QStringLiteral("@yPoint"));
            area->setPointLabelsFont(ChartFont());
            area->setPointLabelsVisible(m_model.marks);
            area->setPointLabelsClipping(false);
            series = area;
        }
        series->setName(plain(s.title));
        addSeries(series);
        series->attachAxis(pointAxis);
        series->attachAxis(valueAxis);
        const QColor color = SeriesColor(std::size_t(&s - m_model.series.data()));
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            area->setColor(color);
            area->setBorderColor(color.darker(125));
            if (m_model.view3D)
                area->setBrush(ShadedBrush(color, Qt::Vertical));
        } else {
            xy->setColor(color);
            if (auto* scatter = qobject_cast<QScatterSeries*>(xy))
                scatter->setBorderColor(color.darker(125));
        }
    }
}

void GraphChart::addBarSeries()
{
    const bool horizontal = m_model.kind == ChartKind::HorizontalBar;
    int count = 0;
    for (const graph::ChartSeries& s : m_model.series)
        count = std::max(count, int(s.points.size()));
    QAbstractAxis* pointAxis = makePointAxis(count, true, !horizontal);
    QAbstractAxis* valueAxis = makeValueAxis();
    addAxis(pointAxis, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    addAxis(valueAxis, horizontal ? Qt::AlignBottom : Qt::AlignLeft);

    const auto makeSeries = [this, horizontal]() -> QAbstractBarSeries* {
        switch (m_model.bars) {
        case BarLayout::Behind:
        case BarLayout::Side:
            return horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries(this))
                              : new QBarSeries(this);
        case BarLayout::Stacked:
            return horizontal
                ? static_cast<QAbstractBarSeries*>(new QHorizontalStackedBarSeries(this))
                : new QStackedBarSeries(this);
        case BarLayout::Stacked100:
            return horizontal
                ? static_cast<QAbstractBarSeries*>(new QHorizontalPercentBarSeries(this))
                : new QPercentBarSeries(this);
        }
        return nullptr;
    };
    const auto makeSet = [](const graph::ChartSeries& s) {
        auto* set = new QBarSet(plain(s.title));
        QList<qreal> values;
        values.reserve(qsizetype(s.points.size()));
        for (const graph::ChartPoint& p : s.points)
            values.append(p.value);
        set->append(values);
        set->setLabelFont(ChartFont());
        set->setLabelColor(Qt::black);
        return set;
    };
    const bool stacked =
        m_model.bars == BarLayout::Stacked || m_model.bars == BarLayout::Stacked100;
    const auto addBars = [&](QAbstractBarSeries* bars) {
        bars->setLabelsVisible(m_model.marks);
        bars->setLabelsFormat(QStringLiteral("@value"));
        bars->setLabelsPosition(stacked ? QAbstractBarSeries::LabelsCenter
                                        : QAbstractBarSeries::LabelsOutsideEnd);
        addSeries(bars);
        bars->attachAxis(pointAxis);
        bars->attachAxis(valueAxis);
        const QList<QBarSet*> sets = bars->barSets();
        for (qsizetype i = 0; i < sets.size(); ++i)
            paintSet(sets[i], SeriesColor(std::size_t(i)), m_model.view3D, horizontal);
    };

    const std::size_t n = m_model.series.size();
    if (m_model.bars == BarLayout::Behind && n > 1) {
        // Behind one another: every series on the same place, each following one in front
        // of the one before and narrower, so that all of them stay in sight. Qt moves the
        // i-th of n bar series aside by (i + 1/2) / n - 1/2 and narrows it to 1/n; each
        // series stands on an unseen axis of its own, shifted back by as much.
        const auto* shown = static_cast<QValueAxis*>(pointAxis);
        for (std::size_t i = 0; i < n; ++i) {
            QAbstractBarSeries* bars = makeSeries();
            bars->append(makeSet(m_model.series[i]));
            const double width = 0.85 - 0.5 * double(i) / double(n - 1);
            bars->setBarWidth(width * double(n));
            const double shift = (double(i) + 0.5) / double(n) - 0.5;
            auto* own = new QValueAxis(this);
            own->setRange(shown->min() + shift, shown->max() + shift);
            own->setVisible(false);
            addAxis(own, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
            bars->setLabelsVisible(m_model.marks);
            bars->setLabelsFormat(QStringLiteral("@value"));
            bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
            addSeries(bars);
            bars->attachAxis(own);
            bars->attachAxis(valueAxis);
            paintSet(bars->barSets().front(), SeriesColor(i), m_model.view3D, horizontal);
        }
    } else if (n > 0) {
        QAbstractBarSeries* bars = makeSeries();
        for (const graph::ChartSeries& s : m_model.series)
            bars->append(makeSet(s));
        bars->setBarWidth(0.7);
        addBars(bars);
    }
}

void GraphChart::addPieSeries()
{
    if (m_model.series.empty())
        return;
    m_pie = new PieItem(m_model.series.front(), m_model, this);
    // The pie's legend stands in the chart's right margin.
    if (m_model.legend) {
        QMargins m = margins();
        m.setRight(m.right() + m_pie->legendWidth());
        setMargins(m);
    }
    connect(this, &QChart::plotAreaChanged, this,
            [this](const QRectF& plot) { m_pie->setPlot(plot, rect()); });
}

void RenderChart(const ChartModel& model, QPainter& painter, const QRectF& target, qreal scale)
{
    QGraphicsScene scene;
    auto* chart = new GraphChart(model);
    scene.addItem(chart);
    const QSizeF size = target.size() / scale;
    chart->resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    // The chart lays itself out when asked; a drawing without a window asks now.
    if (QGraphicsLayout* layout = chart->layout())
        layout->activate();
    QCoreApplication::sendPostedEvents();
    scene.render(&painter, target, scene.sceneRect(), Qt::IgnoreAspectRatio);
}

QImage ChartImage(const ChartModel& model, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    RenderChart(model, painter, QRectF(QPointF(0, 0), QSizeF(size)), 1.0);
    painter.end();
    return image;
}

} // namespace ui
