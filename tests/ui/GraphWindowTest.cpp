// The graph settings dialog and the graph window as the user meets them through the graph
// command: what the dialog is filled with and refuses, the chart shown, the retry loop,
// saving the bitmap and printing.
#include "DialogWindowFixture.h"
#include "PrintFile.h"
#include "calc/Recalc.h"
#include "platform/qt/QtPrinter.h"
#include "ui/ChartBuilder.h"
#include "ui/PieItem.h"
#include "ui/SpinEdit.h"
#include "ui/TfGp.h"
#include "ui/TfGset.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGraphicsScene>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QValueAxis>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

/// A step that clicks a button whose click opens a modal box or window: the click runs
/// once the step has returned, so the next step can answer what it opens.
void clickLater(QAbstractButton* button)
{
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

/// Records whether a widget was shown at some moment.
class ShowSpy : public QObject {
public:
    bool shown = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shown = true;
        return QObject::eventFilter(watched, event);
    }
};

QStringList seriesNames(QChart* chart)
{
    QStringList names;
    for (QAbstractSeries* s : chart->series())
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(s))
            for (QBarSet* set : bars->barSets())
                names << set->label();
        else
            names << s->name();
    return names;
}

QValueAxis* valueAxis(QChart* chart, Qt::Orientation orientation)
{
    for (QAbstractAxis* axis : chart->axes(orientation))
        if (axis->isVisible() && axis->type() == QAbstractAxis::AxisTypeValue)
            return static_cast<QValueAxis*>(axis);
    return nullptr;
}

class GraphWindowTest : public DialogWindowTest {
protected:
    /// Months in A, sales of three shops in B..D, their names in row 1.
    void fillSales()
    {
        const QStringList rows[] = {
            {u"月"_s, u"東京"_s, u"大阪"_s, u"名古屋"_s},
            {u"1月"_s, u"120"_s, u"80"_s, u"45"_s},
            {u"2月"_s, u"135"_s, u"95"_s, u"60"_s},
            {u"3月"_s, u"150"_s, u"70"_s, u"75"_s},
        };
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c)
                put(c, r,
                    (c == 1 || r == 1 ? QChar(core::TextMark) : QChar(core::NumberMark))
                        + rows[r - 1][c - 1]);
        calc::RecalcAll(app());
        window->gridChanged(platform::GridChange::Cells);
        sheet().HeadingRow = 1;
    }
};

TEST_F(GraphWindowTest, TheDialogIsFilledFromTheSelectionAndRefusesWhatCannotBeDrawn)
{
    go(2, 2);
    extendSelection(2, 8); // B2:D10
    QString caption;
    QStringList filled;
    bool barsEnabled = true;
    bool barsEnabledForBars = false;
    bool axisEnabled = true;
    bool axisEnabledByClick = false;
    QStringList errors;
    QStringList columnsAfterError;
    const auto answerError = in<QMessageBox>([&](QMessageBox* box) {
        errors << box->text();
        box->accept();
    });
    const auto tryGraph = [&](const QString& columns, int row1, int row2) {
        return in<ui::TfGset>([&, columns, row1, row2](ui::TfGset* d) {
            columnsAfterError << d->edClms->text();
            d->edClms->setText(columns);
            d->edRow1->setValue(row1);
            d->edRow2->setValue(row2);
            clickLater(d->btGraph);
        });
    };
    run(CommandId::Graph,
        {in<ui::TfGset>([&](ui::TfGset* d) {
             caption = d->windowTitle();
             filled << d->edClms->text() << d->edRow1->text() << d->edRow2->text()
                    << d->cbXclm->currentText();
             barsEnabled = d->rbBar->isEnabled();
             axisEnabled = d->edMax->isEnabled();
             d->rbGkind->button(2)->click(); // 縦棒
             barsEnabledForBars = d->rbBar->isEnabled();
             d->ckMax->click();
             axisEnabledByClick = d->edMax->isEnabled() && d->edMin->isEnabled();
             d->ckMax->click();
             d->edClms->clear();
             clickLater(d->btGraph);
         }),
         answerError, tryGraph(u"b1"_s, 2, 10), answerError, tryGraph(u"ｂ"_s, 2, 10), answerError,
         tryGraph(u"bc"_s, 21, 21), answerError, tryGraph(u"bc"_s, 5, 4), answerError,
         in<ui::TfGset>([&](ui::TfGset* d) {
             columnsAfterError << d->edClms->text();
             d->btCan->click();
         })});
    EXPECT_EQ(caption, u"グラフ設定");
    EXPECT_EQ(filled, (QStringList{u"BCD"_s, u"2"_s, u"10"_s, u"A"_s}));
    EXPECT_FALSE(barsEnabled);
    EXPECT_TRUE(barsEnabledForBars);
    EXPECT_FALSE(axisEnabled);
    EXPECT_TRUE(axisEnabledByClick);
    EXPECT_EQ(errors,
              (QStringList{u"\"列\"を指定してください."_s,
                           u"\"列\"の指定に使えない文字\"1\"が使われています."_s,
                           u"\"列\"の指定に使えない文字\"ｂ\"が使われています."_s,
                           u"行範囲の値が大きすぎます."_s, u"行範囲の値が逆転しています."_s}));
    // A refused text keeps its letters as typed; letters alone come back upper-cased.
    EXPECT_EQ(columnsAfterError, (QStringList{u""_s, u"b1"_s, u"ｂ"_s, u"BC"_s, u"BC"_s}));
    // Cancel keeps what the controls hold.
    EXPECT_EQ(app().graph.rbGkind, 2);
    EXPECT_EQ(app().graph.edClms, u"BC");
    EXPECT_EQ(app().graph.edRow1, u"5");
    EXPECT_EQ(app().graph.edRow2, u"4");
}

TEST_F(GraphWindowTest, TheWindowShowsTheChartAndGoesBackToTheSettingsUntilClosed)
{
    fillSales();
    go(2, 2);
    extendSelection(2, 2); // B2:D4, labels from A
    QString title;
    QRect placed;
    bool lineChartShown = false;
    QStringList lineSeries;
    QStringList axisLabels;
    bool settingsOpenAgain = false;
    bool pieShown = false;
    QStringList slices;
    QPoint movedTo;
    run(CommandId::Graph,
        {in<ui::TfGset>([&](ui::TfGset* d) { clickLater(d->btGraph); }),
         in<ui::TfGp>([&](ui::TfGp* w) {
             title = w->windowTitle();
             placed = QRect(w->pos(), w->size());
             lineChartShown = w->G1->isVisible() && !w->G2->isVisible();
             lineSeries = seriesNames(w->G1->chart());
             for (QAbstractAxis* axis : w->G1->chart()->axes(Qt::Horizontal))
                 if (auto* labels = qobject_cast<QCategoryAxis*>(axis))
                     axisLabels = labels->categoriesLabels();
             w->btnGset->click();
         }),
         in<ui::TfGset>([&](ui::TfGset* d) {
             settingsOpenAgain = d->isVisible();
             d->rbGkind->button(3)->click(); // 円
             clickLater(d->btGraph);
         }),
         in<ui::TfGp>([&](ui::TfGp* w) {
             auto* chart = dynamic_cast<ui::GraphChart*>(w->G2->chart());
             pieShown = w->G2->isVisible() && !w->G1->isVisible() && chart && chart->pie();
             for (const graph::ChartPoint& p : w->model().series.front().points)
                 slices << p.label + u'=' + QString::number(p.value);
             w->move(w->pos() + QPoint(40, 30));
             movedTo = w->pos();
             w->btnClose->click();
         })});
    EXPECT_EQ(title, u"グラフ");
    EXPECT_EQ(placed.topLeft(), window->pos() + QPoint(10, 10));
    EXPECT_EQ(placed.size(), window->size());
    EXPECT_TRUE(lineChartShown);
    EXPECT_EQ(lineSeries, (QStringList{u"東京"_s, u"大阪"_s, u"名古屋"_s}));
    EXPECT_EQ(axisLabels, (QStringList{u"1月"_s, u"2月"_s, u"3月"_s}));
    EXPECT_TRUE(settingsOpenAgain);
    EXPECT_TRUE(pieShown);
    EXPECT_EQ(slices, (QStringList{u"3月=150"_s, u"2月=135"_s, u"1月=120"_s}));
    EXPECT_EQ(app().graph.rbGkind, 3);

    // The window keeps the place the user gave it; Escape closes it and the settings too.
    QPoint shownAt;
    go(1, 1);
    run(CommandId::Graph,
        {in<ui::TfGset>([&](ui::TfGset* d) { clickLater(d->btGraph); }),
         in<ui::TfGp>([&](ui::TfGp* w) {
             shownAt = w->pos();
             QTest::keyClick(w, Qt::Key_Escape);
         })});
    EXPECT_EQ(shownAt, movedTo);
}

TEST_F(GraphWindowTest, AFixedValueAxisAndHorizontalBarsFromTheFirstRowDown)
{
    fillSales();
    graph::GraphSettings& g = app().graph;
    g.rbGkind = 5;
    g.rbBar = 1;
    g.edClms = u"BC"_s;
    g.edRow1 = u"2"_s;
    g.edRow2 = u"4"_s;
    g.cbXclm = 1;
    double low = 0;
    double high = 0;
    QStringList labelsUpwards;
    QList<qreal> tokyo;
    bool legendShown = true;
    run(CommandId::Graph,
        {in<ui::TfGset>([&](ui::TfGset* d) {
             d->ckMax->click();
             d->edMax->setValue(100);
             d->edMin->setValue(-50);
             d->ckLegend->click();
             clickLater(d->btGraph);
         }),
         in<ui::TfGp>([&](ui::TfGp* w) {
             QChart* chart = w->G1->chart();
             if (QValueAxis* axis = valueAxis(chart, Qt::Horizontal)) {
                 low = axis->min();
                 high = axis->max();
             }
             for (QAbstractAxis* axis : chart->axes(Qt::Vertical))
                 if (auto* labels = qobject_cast<QCategoryAxis*>(axis))
                     labelsUpwards = labels->categoriesLabels();
             for (QAbstractSeries* s : chart->series())
                 if (auto* bars = qobject_cast<QAbstractBarSeries*>(s))
                     for (int i = 0; i < bars->barSets().front()->count(); ++i)
                         tokyo << bars->barSets().front()->at(i);
             legendShown = chart->legend()->isVisible();
             w->btnClose->click();
         })});
    EXPECT_EQ(low, -50);
    EXPECT_EQ(high, 100);
    // The axis counts upwards: the first row is at the top.
    EXPECT_EQ(labelsUpwards, (QStringList{u"3月"_s, u"2月"_s, u"1月"_s}));
    EXPECT_EQ(tokyo, (QList<qreal>{150, 135, 120}));
    EXPECT_FALSE(legendShown);
    EXPECT_FALSE(g.ckMax);
    EXPECT_EQ(g.edMin, u"-50");
}

TEST_F(GraphWindowTest, EveryKindAndBarArrangementDrawsWithAndWithoutLegendAndMarks)
{
    fillSales();
    graph::GraphSettings& g = app().graph;
    g.edClms = u"BCD"_s;
    g.edRow1 = u"2"_s;
    g.edRow2 = u"4"_s;
    g.cbXclm = 1;
    for (int kind = 0; kind <= 5; ++kind)
        for (int bars = 0; bars <= (kind == 2 || kind == 5 ? 3 : 0); ++bars)
            for (const bool on : {true, false}) {
                SCOPED_TRACE(kind * 100 + bars * 10 + on);
                g.rbGkind = kind;
                g.rbBar = bars;
                g.ckLegend = on;
                g.ckMarker = on;
                g.ck3D = on;
                const graph::ChartModel model = graph::BuildChartModel(app());
                ui::GraphChart chart(model);
                if (kind == 3) {
                    ASSERT_NE(chart.pie(), nullptr);
                    EXPECT_EQ(chart.pie()->legendWidth() > 0, on);
                } else {
                    EXPECT_EQ(chart.legend()->isVisible(), on);
                    EXPECT_EQ(seriesNames(&chart).size(), 3);
                }
                int coloured = 0;
                const QImage image = ui::ChartImage(model, QSize(300, 200));
                for (int y = 0; y < image.height(); y += 2)
                    for (int x = 0; x < image.width(); x += 2)
                        coloured += image.pixelColor(x, y).saturation() > 120;
                EXPECT_GT(coloured, 40);
            }
}

TEST_F(GraphWindowTest, ThePieStartsAtTwelveOClockWithTheFirstRow)
{
    fillSales();
    graph::GraphSettings& g = app().graph;
    g.rbGkind = 3;
    g.edClms = u"B"_s;
    g.edRow1 = u"2"_s;
    g.edRow2 = u"4"_s;
    g.ck3D = false;
    g.ckLegend = false;
    const graph::ChartModel model = graph::BuildChartModel(app());
    const QImage image = ui::ChartImage(model, QSize(400, 400));
    // Slices are coloured in the order added: 3月, 2月, 1月. Just right of the top of the
    // pie is the first row's, just left of it the last row's.
    QGraphicsScene scene;
    auto* probe = new ui::GraphChart(model);
    scene.addItem(probe);
    probe->resize(400, 400);
    QCoreApplication::sendPostedEvents();
    ASSERT_NE(probe->pie(), nullptr);
    const QRectF pie = probe->pie()->pieRect();
    const QPointF centre = pie.center();
    const qreal radius = pie.width() / 2;
    const QColor right =
        image.pixelColor((centre + QPointF(radius * 0.15, -radius * 0.7)).toPoint());
    const QColor left =
        image.pixelColor((centre + QPointF(-radius * 0.15, -radius * 0.7)).toPoint());
    const QColor first = ui::SeriesColor(2); // 1月
    const QColor last = ui::SeriesColor(0);  // 3月
    EXPECT_EQ(right, first);
    EXPECT_EQ(left, last);
}

TEST_F(GraphWindowTest, SavingWritesTheChartAsShownIntoABitmap)
{
    fillSales();
    go(2, 2);
    extendSelection(1, 2);
    QTemporaryDir dir;
    const QString bmp = dir.filePath(u"chart.bmp"_s);
    fakes.fileDialogs.pictureAnswers = {bmp, std::nullopt};
    QSize shownSize;
    run(CommandId::Graph,
        {in<ui::TfGset>([&](ui::TfGset* d) { clickLater(d->btGraph); }),
         in<ui::TfGp>([&](ui::TfGp* w) {
             shownSize = w->G1->size();
             w->btSave->click();
             sheet().FileName = dir.filePath(u"売上.mvx"_s);
             w->btSave->click(); // cancelled
             w->btnClose->click();
         })});
    EXPECT_EQ(fakes.fileDialogs.pictureNames,
              (QStringList{u".BMP"_s, dir.filePath(u"売上.BMP"_s)}));
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "BM");
    const QImage image(bmp);
    EXPECT_EQ(image.size(), shownSize);
    // The chart is on it: the first series' colour somewhere, not a blank picture.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            coloured += image.pixelColor(x, y).saturation() > 120;
    EXPECT_GT(coloured, 100);
    EXPECT_TRUE(fakes.ui.messages.empty());
}

class GraphPrintTest : public GraphWindowTest {
protected:
    GraphPrintTest()
    {
        printer.setPdfOutput(pdf);
        app().services.printer = &printer;
    }
    ~GraphPrintTest() override { app().services.printer = &fakes.printer; }

    /// Runs the print button through the print dialog into the PDF file.
    void printChart(std::deque<ModalScript::Step> after = {})
    {
        std::deque<ModalScript::Step> steps{
            in<ui::TfGset>([&](ui::TfGset* d) { clickLater(d->btGraph); }),
            in<ui::TfGp>([&](ui::TfGp* w) {
                w->plPrt->installEventFilter(&spy);
                clickLater(w->btPrt);
            }),
            in<QPrintDialog>([&](QPrintDialog* d) {
                ChoosePrintFile(d, pdf);
                d->accept();
            })};
        for (auto& step : after)
            steps.push_back(std::move(step));
        steps.push_back(in<ui::TfGp>([&](ui::TfGp* w) {
            panelAfter = w->plPrt->isVisible();
            w->btnClose->click();
        }));
        run(CommandId::Graph, std::move(steps));
    }
    QString pdfText()
    {
        QProcess process;
        process.start(u"pdftotext"_s, {pdf, u"-"_s});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(u"graph.pdf"_s);
    platform::QtPrinter printer;
    ShowSpy spy;
    bool panelAfter = true;
};

TEST_F(GraphPrintTest, PrintsTheChartWithItsTitleWhileThePanelSaysSo)
{
    fillSales();
    app().pageLayout.txtHdr[1] = u"売上 &P"_s;
    app().pageLayout.txtHdr[4] = u"foot"_s;
    go(2, 2);
    extendSelection(2, 2);
    printChart();
    EXPECT_TRUE(spy.shown);
    EXPECT_FALSE(panelAfter);
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(u"売上 1")) << text.toStdString();
    EXPECT_TRUE(text.contains(u"foot"));
    EXPECT_TRUE(text.contains(u"名古屋"));
    EXPECT_TRUE(text.contains(u"2月"));
}

TEST_F(GraphPrintTest, MarginsLeavingNoRoomAreRefused)
{
    fillSales();
    app().pageLayout.txtOfs3 = u"150"_s; // left
    app().pageLayout.txtOfs4 = u"100"_s; // right: wider than A4 together
    go(2, 2);
    extendSelection(2, 2);
    QString warning;
    printChart({in<QMessageBox>([&](QMessageBox* box) {
        warning = box->text();
        box->accept();
    })});
    EXPECT_EQ(warning, u"余白の設定値が大きすぎます.");
    EXPECT_FALSE(spy.shown);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
