#include "ui/TfGset.h"

#include "core/App.h"
#include "graph/Graph.h"
#include "platform/Help.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"
#include "ui/TfGp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace ui {

TfGset::TfGset(App& app, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TfGset"));
    setWindowTitle(QStringLiteral("グラフ設定"));
    platform::SetDialogFlags(*this);

    rbGkind = new RadioGroup(QStringLiteral("グラフの種類(&G)"), 2,
                             {QStringLiteral("折れ線"), QStringLiteral("散布図"),
                              QStringLiteral("縦棒  *"), QStringLiteral("円"), QStringLiteral("面"),
                              QStringLiteral("横棒  *")},
                             this);
    rbGkind->setObjectName(QStringLiteral("rbGkind"));
    rbBar = new RadioGroup(QStringLiteral("*  棒グラフの種類(&B)"), 2,
                           {QStringLiteral("前後"), QStringLiteral("併置"),
                            QStringLiteral("積み重ね"), QStringLiteral("百分率")},
                           this);
    rbBar->setObjectName(QStringLiteral("rbBar"));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(rbGkind, 1);
    kinds->addWidget(rbBar, 1);

    auto* gbRange = new QGroupBox(QStringLiteral("グラフ化する範囲(&E)"), this);
    edRow1 = new SpinEdit(1, 32000, gbRange);
    edRow1->setObjectName(QStringLiteral("edRow1"));
    edRow2 = new SpinEdit(1, 32000, gbRange);
    edRow2->setObjectName(QStringLiteral("edRow2"));
    edClms = new QLineEdit(gbRange);
    edClms->setObjectName(QStringLiteral("edClms"));
    edClms->setMaxLength(26);
    auto* rowLabel = new QLabel(QStringLiteral("行範囲：(&C)"), gbRange);
    rowLabel->setBuddy(edRow1);
    auto* colLabel = new QLabel(QStringLiteral("列（A ～ Z）：(&R)"), gbRange);
    colLabel->setBuddy(edClms);
    auto* range = new QGridLayout(gbRange);
    range->addWidget(rowLabel, 0, 0);
    auto* rows = new QHBoxLayout;
    rows->addWidget(edRow1, 1);
    rows->addWidget(new QLabel(QStringLiteral("～"), gbRange));
    rows->addWidget(edRow2, 1);
    range->addLayout(rows, 0, 1);
    range->addWidget(colLabel, 1, 0);
    range->addWidget(edClms, 1, 1);
    gbRange->setFocusProxy(edRow1);

    auto* gbLabel = new QGroupBox(QStringLiteral("横軸ラベル表示の列(&L)"), this);
    cbXclm = new QComboBox(gbLabel);
    cbXclm->setObjectName(QStringLiteral("cbXclm"));
    cbXclm->addItem(QStringLiteral(" "));
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        cbXclm->addItem(QString(QChar(c)));
    auto* labelBox = new QVBoxLayout(gbLabel);
    labelBox->addWidget(cbXclm);
    labelBox->addStretch(1);
    gbLabel->setFocusProxy(cbXclm);

    auto* gbAxis = new QGroupBox(QStringLiteral("最大値・最小値の指定(&N)"), this);
    ckMax = new QCheckBox(QStringLiteral("自動設定(&A)"), gbAxis);
    ckMax->setObjectName(QStringLiteral("ckMax"));
    constexpr int Lowest = std::numeric_limits<int>::min();
    constexpr int Highest = std::numeric_limits<int>::max();
    edMax = new SpinEdit(Lowest, Highest, gbAxis);
    edMax->setObjectName(QStringLiteral("edMax"));
    edMin = new SpinEdit(Lowest, Highest, gbAxis);
    edMin->setObjectName(QStringLiteral("edMin"));
    lbMax = new QLabel(QStringLiteral("最大値："), gbAxis);
    lbMax->setBuddy(edMax);
    lbMin = new QLabel(QStringLiteral("最小値："), gbAxis);
    lbMin->setBuddy(edMin);
    auto* axis = new QGridLayout(gbAxis);
    axis->addWidget(ckMax, 0, 0, 1, 2);
    axis->addWidget(lbMax, 1, 0);
    axis->addWidget(edMax, 1, 1);
    axis->addWidget(lbMin, 2, 0);
    axis->addWidget(edMin, 2, 1);
    gbAxis->setFocusProxy(ckMax);

    auto* middle = new QHBoxLayout;
    middle->addWidget(gbLabel, 1);
    middle->addWidget(gbAxis, 2);

    ck3D = new QCheckBox(QStringLiteral("3D表示にする(&D)"), this);
    ck3D->setObjectName(QStringLiteral("ck3D"));
    ckLegend = new QCheckBox(QStringLiteral("凡例を表示する(&X)"), this);
    ckLegend->setObjectName(QStringLiteral("ckLegend"));
    ckMarker = new QCheckBox(QStringLiteral("マーカーを表示する(&M)"), this);
    ckMarker->setObjectName(QStringLiteral("ckMarker"));
    auto* checks = new QHBoxLayout;
    checks->addWidget(ck3D);
    checks->addWidget(ckLegend);
    checks->addWidget(ckMarker);
    checks->addStretch(1);

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("グラフ")); });
    btGraph = buttons.ok;
    btGraph->setText(QStringLiteral("グラフ"));
    btGraph->setObjectName(QStringLiteral("btGraph"));
    btCan = buttons.cancel;
    btCan->setObjectName(QStringLiteral("btCan"));
    btHlp = buttons.help;
    btHlp->setObjectName(QStringLiteral("btHlp"));

    auto* controls = new QVBoxLayout;
    controls->addLayout(kinds);
    controls->addWidget(gbRange);
    controls->addLayout(middle);
    controls->addLayout(checks);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btGraph, &QPushButton::clicked, this, &TfGset::btGraphClick);
    connect(rbGkind->buttons(), &QButtonGroup::idClicked, this, &TfGset::rbGkindClick);
    connect(ckMax, &QCheckBox::clicked, this, &TfGset::ckMaxClick);
}

TfGp* TfGset::graphWindow()
{
    if (!m_graphWindow)
        m_graphWindow = new TfGp(m_app, m_mainWindow, this);
    return m_graphWindow;
}

void TfGset::ask(graph::GraphSettings& settings)
{
    m_settings = &settings;
    load(settings);
    // FormActivate: the value axis boxes and the bar kinds as the settings leave them.
    ckMaxClick();
    rbGkindClick();
    rbGkind->button(std::max(rbGkind->index(), 0))->setFocus();
    exec();
    // The controls are the storage: a cancelled use keeps its settings too.
    store(settings);
    m_settings = nullptr;
}

void TfGset::load(const graph::GraphSettings& g)
{
    rbGkind->setIndex(g.rbGkind);
    rbBar->setIndex(g.rbBar);
    ckMax->setChecked(g.ckMax);
    edMax->setValue(graph::AxisValue(g.edMax));
    edMin->setValue(graph::AxisValue(g.edMin));
    edRow1->setValue(graph::RowValue(g.edRow1));
    edRow2->setValue(graph::RowValue(g.edRow2));
    edClms->setText(g.edClms);
    cbXclm->setCurrentIndex(g.cbXclm <= cbXclm->count() - 1 ? g.cbXclm : 0);
    ck3D->setChecked(g.ck3D);
    ckLegend->setChecked(g.ckLegend);
    ckMarker->setChecked(g.ckMarker);
}

void TfGset::store(graph::GraphSettings& g) const
{
    // A number typed and not yet left counts as well.
    for (SpinEdit* edit : {edMax, edMin, edRow1, edRow2})
        edit->interpretText();
    g.rbGkind = std::max(rbGkind->index(), 0);
    g.rbBar = std::max(rbBar->index(), 0);
    g.ckMax = ckMax->isChecked();
    g.edMax = QString::number(edMax->value());
    g.edMin = QString::number(edMin->value());
    g.edRow1 = QString::number(edRow1->value());
    g.edRow2 = QString::number(edRow2->value());
    g.edClms = edClms->text();
    g.cbXclm = cbXclm->currentIndex();
    g.ck3D = ck3D->isChecked();
    g.ckLegend = ckLegend->isChecked();
    g.ckMarker = ckMarker->isChecked();
}

void TfGset::rbGkindClick()
{
    const int kind = rbGkind->index();
    rbBar->setEnabled(kind == 2 || kind == 5);
}

void TfGset::ckMaxClick()
{
    const bool fixed = !ckMax->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(edMax), static_cast<QWidget*>(edMin),
                       static_cast<QWidget*>(lbMax), static_cast<QWidget*>(lbMin)})
        w->setEnabled(fixed);
}

void TfGset::btGraphClick()
{
    if (!m_settings)
        return;
    graph::GraphSettings& g = *m_settings;
    store(g);
    const std::optional<QString> problem = graph::CheckGraphSettings(g, m_app.sheet.SheetRows);
    edClms->setText(g.edClms);
    if (problem) {
        platform::Message message;
        message.icon = platform::Icon::Error;
        message.text = *problem;
        m_app.ui().message(message);
        return;
    }
    if (graphWindow()->showChart() != TfGp::Retry)
        accept();
}

} // namespace ui
