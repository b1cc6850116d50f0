#include "ui/TfLine.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "print/Lines.h"
#include "ui/CellLines.h"
#include "ui/DialogButtons.h"
#include "ui/SpinEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// Style s is drawn at y = SampleTop + SampleStep * (s - 1), from x = SampleLeft to SampleRight.
constexpr int SampleTop = 22;
constexpr int SampleStep = 25;
constexpr int SampleLeft = 6;
constexpr int SampleRight = 60;

QToolButton* makeSwatch(int color, QWidget* parent)
{
    auto* swatch = new QToolButton(parent);
    swatch->setCheckable(true);
    swatch->setFixedSize(24, 24);
    swatch->setToolTip(QString::fromUtf16(print::LineColorNames[std::size_t(color)]));
    swatch->setAccessibleName(swatch->toolTip());
    const QString rgb = QColor::fromRgb(print::LinePalette[std::size_t(color)]).name();
    // The chosen colour is framed thickly, as a colour grid marks its selection.
    swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid gray; }"
                                         "QToolButton:checked { border: 3px solid black; }"
                                         "QToolButton:focus { outline: 1px dotted black; }")
                              .arg(rgb));
    return swatch;
}

} // namespace

LineSample::LineSample(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pStyle"));
}

void LineSample::setColor(int color)
{
    m_color = color & 15;
    update();
}

void LineSample::setBackground(const QColor& background)
{
    m_background = background;
    update();
}

QSize LineSample::sizeHint() const
{
    return {SampleRight + SampleLeft, SampleTop * 2 + SampleStep * (print::LineStyleCount - 1)};
}

void LineSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    for (int s = 1; s <= print::LineStyleCount; ++s) {
        const int y = SampleTop + SampleStep * (s - 1);
        painter.setPen(LinePen(s, m_color));
        painter.drawLine(SampleLeft, y, SampleRight, y);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TfLine::TfLine(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfLine"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("罫線"));

    auto* gbSide = new QGroupBox(QStringLiteral("位置"), this);
    const QString sideCaptions[5] = {QStringLiteral("外枠(&O)"), QStringLiteral("左(&L)"),
                                     QStringLiteral("右(&R)"), QStringLiteral("上(&T)"),
                                     QStringLiteral("下(&B)")};
    auto* sides = new QVBoxLayout(gbSide);
    for (int i = 0; i < 5; ++i) {
        chkSide[i] = new QCheckBox(sideCaptions[i], gbSide);
        chkSide[i]->setObjectName(QStringLiteral("chkSide%1").arg(i));
        sides->addWidget(chkSide[i]);
    }
    chkGrid = new QCheckBox(QStringLiteral("格子表示(&G)"), this);
    chkGrid->setObjectName(QStringLiteral("chkGrid"));
    auto* left = new QVBoxLayout;
    left->addWidget(gbSide);
    left->addWidget(chkGrid);
    left->addStretch(1);

    boxSel = new QGroupBox(QStringLiteral("種類(&S)"), this);
    boxSel->setObjectName(QStringLiteral("boxSel"));
    optStyle = new QButtonGroup(this);
    auto* styles = new QVBoxLayout;
    for (int s = 1; s <= print::LineStyleCount; ++s) {
        auto* button = new QRadioButton(QString::fromUtf16(print::LineStyles[std::size_t(s)].caption),
                                        boxSel);
        optStyle->addButton(button, s - 1);
        styles->addWidget(button);
    }
    pStyle = new LineSample(boxSel);
    pStyle->setFixedSize(pStyle->sizeHint());
    auto* styleRow = new QHBoxLayout(boxSel);
    styleRow->addLayout(styles);
    styleRow->addWidget(pStyle, 0, Qt::AlignTop);

    auto* gbColor = new QGroupBox(QStringLiteral("色(&C)"), this);
    optColor = new QButtonGroup(this);
    auto* swatches = new QGridLayout;
    swatches->setSpacing(2);
    for (int i = 0; i < 16; ++i) {
        QToolButton* swatch = makeSwatch(i, gbColor);
        optColor->addButton(swatch, i);
        swatches->addWidget(swatch, i / 4, i % 4);
    }
    ColorNo = new SpinEdit(0, 15, gbColor);
    ColorNo->setObjectName(QStringLiteral("ColorNo"));
    auto* number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("番号:"), gbColor));
    number->addWidget(ColorNo, 1);
    auto* colors = new QVBoxLayout(gbColor);
    colors->addLayout(swatches);
    colors->addLayout(number);
    colors->addStretch(1);
    // The colour box's mnemonic goes to the grid's chosen colour.
    gbColor->setFocusProxy(optColor->button(0));

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("罫線設定")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(boxSel);
    layout->addWidget(gbColor);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(optColor, &QButtonGroup::idClicked, this, &TfLine::selectColor);
    connect(ColorNo, &QSpinBox::valueChanged, this, [this](int value) {
        if (QAbstractButton* swatch = optColor->button(value))
            swatch->setChecked(true);
        pStyle->setColor(value);
    });
    ColorNo->installEventFilter(this);
}

bool TfLine::ask(print::LineDialogState& state)
{
    load(state);
    const bool ok = exec() == QDialog::Accepted;
    store(state);
    return ok;
}

void TfLine::selectColor(int color)
{
    ColorNo->setValue(color);
    if (QAbstractButton* swatch = optColor->button(color))
        swatch->setChecked(true);
    pStyle->setColor(color);
}

int TfLine::color() const
{
    return std::max(optColor->checkedId(), 0);
}

void TfLine::load(const print::LineDialogState& state)
{
    setWindowTitle(state.caption);
    for (int i = 0; i < 5; ++i)
        chkSide[i]->setChecked(state.chkSide[i]);
    chkGrid->setChecked(state.chkGrid);
    if (QAbstractButton* button = optStyle->button(std::clamp(state.style, 0, 6)))
        button->setChecked(true);
    selectColor(std::clamp(state.color, 0, 15));
}

void TfLine::store(print::LineDialogState& state) const
{
    // A number typed into ColorNo and not yet left counts as well.
    ColorNo->interpretText();
    for (int i = 0; i < 5; ++i)
        state.chkSide[i] = chkSide[i]->isChecked();
    state.chkGrid = chkGrid->isChecked();
    state.style = std::max(optStyle->checkedId(), 0);
    state.color = ColorNo->value();
}

void TfLine::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (parentWidget())
        pStyle->setBackground(parentWidget()->palette().color(QPalette::Base));
    chkSide[0]->setFocus(Qt::OtherFocusReason);
}

bool TfLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ColorNo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter takes the number typed to the colour grid and keeps the dialog open.
            ColorNo->interpretText();
            selectColor(ColorNo->value());
            ColorNo->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
