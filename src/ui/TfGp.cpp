#include "ui/TfGp.h"

#include "core/App.h"
#include "platform/FileDialogs.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "platform/qt/QtPrinter.h"
#include "print/PrintEngine.h"
#include "ui/ChartBuilder.h"

#include <QChartView>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace ui {

namespace {

QChartView* makeView(const QString& name, QWidget* parent)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setBackgroundBrush(Qt::white);
    return view;
}

/// Gives the view an empty chart and frees the one it showed.
void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

TfGp::TfGp(App& app, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TfGp"));
    setWindowTitle(QStringLiteral("グラフ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    G1 = makeView(QStringLiteral("G1"), this);
    G2 = makeView(QStringLiteral("G2"), this);
    ActiveChart = G1;
    m_charts = new QStackedLayout;
    m_charts->addWidget(G1);
    m_charts->addWidget(G2);

    btPrt = new QPushButton(QStringLiteral("印刷(&P)"), this);
    btPrt->setObjectName(QStringLiteral("btPrt"));
    btSave = new QPushButton(QStringLiteral("保存(&S)"), this);
    btSave->setObjectName(QStringLiteral("btSave"));
    btnGset = new QPushButton(QStringLiteral("再試行(&R)"), this);
    btnGset->setObjectName(QStringLiteral("btnGset"));
    btnClose = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    plPrt = new QLabel(QStringLiteral("印刷中"), this);
    plPrt->setObjectName(QStringLiteral("plPrt"));
    plPrt->setAlignment(Qt::AlignCenter);
    plPrt->setAutoFillBackground(true);
    plPrt->setStyleSheet(QStringLiteral("QLabel { background: yellow; color: black; "
                                        "padding: 2px 12px; }"));
    plPrt->hide();
    for (QPushButton* button : {btPrt, btSave, btnGset, btnClose})
        button->setAutoDefault(false);

    auto* panel = new QHBoxLayout;
    panel->addWidget(btPrt);
    panel->addWidget(btSave);
    panel->addWidget(plPrt);
    panel->addStretch(1);
    panel->addWidget(btnGset);
    panel->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addLayout(m_charts, 1);
    auto* panelMargins = new QHBoxLayout;
    panelMargins->setContentsMargins(6, 0, 6, 0);
    panelMargins->addLayout(panel);
    layout->addLayout(panelMargins);

    connect(btPrt, &QPushButton::clicked, this, &TfGp::btPrtClick);
    connect(btSave, &QPushButton::clicked, this, &TfGp::btSaveClick);
    connect(btnGset, &QPushButton::clicked, this, [this] { done(Retry); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TfGp::Result TfGp::showChart()
{
    FormActivate();
    const int result = exec();
    FormClose();
    return result == Retry ? Retry : Closed;
}

void TfGp::FormActivate()
{
    if (!GraphPlaced && m_mainWindow) {
        move(m_mainWindow->pos() + QPoint(10, 10));
        resize(m_mainWindow->size());
        GraphPlaced = true;
    }
    BuildChart();
}

void TfGp::BuildChart()
{
    m_model = graph::BuildChartModel(m_app);
    GraphKind = int(m_model.kind);
    ActiveChart = m_model.kind == graph::ChartKind::Pie ? G2 : G1;
    m_charts->setCurrentWidget(ActiveChart);
    replaceChart(ActiveChart, new GraphChart(m_model));
}

void TfGp::FormClose()
{
    for (QChartView* view : {G1, G2})
        replaceChart(view, new QChart);
}

void TfGp::btPrtClick()
{
    auto* printer = dynamic_cast<platform::QtPrinter*>(&m_app.printer());
    if (!printer)
        return;
    QPrintDialog dialog(&printer->qprinter(), this);
    platform::SetDialogFlags(dialog);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The printable area and its resolution; the chart goes inside the page's margins.
    const platform::PageMetrics page = printer->metrics();
    const graph::PixelRect r =
        graph::GraphPrintRect(m_app.pageLayout, page.dpiY, page.width, page.height);
    if (r.right < r.left || r.bottom < r.top) {
        print::WarnMargins(m_app);
        return;
    }
    plPrt->show();
    QCoreApplication::processEvents();
    QPrinter& device = printer->qprinter();
    device.setDocName(QFileInfo(m_app.sheet.FileName).fileName());
    QPainter painter;
    if (painter.begin(&device)) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QRectF target(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
        // Laid out as on a screen of 96 pixels per inch, then drawn at the printer's.
        RenderChart(m_model, painter, target, page.dpiY / 96.0);
        painter.end();
    }
    plPrt->hide();
}

void TfGp::btSaveClick()
{
    const std::optional<QString> path =
        m_app.fileDialogs().savePicture(graph::BitmapFileName(m_app.sheet.FileName));
    activateWindow();
    if (!path)
        return;
    if (!ActiveChart->grab().toImage().save(*path, "BMP")) {
        platform::Message message;
        message.icon = platform::Icon::Error;
        message.text = *path + QStringLiteral(" は書き込めません。");
        m_app.ui().message(message);
    }
}

} // namespace ui
