#include "ui/TfColSet.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

using tools::ColumnFormatDialogState;

TfColSet::TfColSet(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfColSet"));
    platform::SetDialogFlags(*this);

    auto* gbWidth = new QGroupBox(QStringLiteral("桁数(列の幅) (&W)"), this);
    txtWidth = new SpinEdit(1, 255, gbWidth);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtPoint = new SpinEdit(0, 16, gbWidth);
    txtPoint->setObjectName(QStringLiteral("txtPoint"));
    auto* widths = new QGridLayout(gbWidth);
    widths->addWidget(new QLabel(QStringLiteral("全体の桁数(1-255):"), gbWidth), 0, 0);
    widths->addWidget(txtWidth, 0, 1);
    widths->addWidget(new QLabel(QStringLiteral("小数部桁数(0-16):"), gbWidth), 1, 0);
    widths->addWidget(txtPoint, 1, 1);

    auto* gbNumber = new QGroupBox(QStringLiteral("数値の表示"), this);
    chkComma = new QCheckBox(QStringLiteral("３桁毎にカンマ(&,)"), gbNumber);
    chkComma->setObjectName(QStringLiteral("chkComma"));
    chkYen = new QCheckBox(QStringLiteral("\"\\\" を付ける(&\\)"), gbNumber);
    chkYen->setObjectName(QStringLiteral("chkYen"));
    auto* numbers = new QVBoxLayout(gbNumber);
    numbers->addWidget(chkComma);
    numbers->addWidget(chkYen);

    auto* groups = new QHBoxLayout;
    groups->addWidget(gbWidth);
    groups->addWidget(gbNumber, 1);

    optAlign = new RadioGroup(
        QStringLiteral("文字列の表示位置"), 3,
        {QStringLiteral("左詰(&L)"), QStringLiteral("中央(&C)"), QStringLiteral("右詰(&R)")}, this);
    optAlign->setObjectName(QStringLiteral("optAlign"));

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("列の表示形式")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* controls = new QVBoxLayout;
    controls->addLayout(groups);
    controls->addWidget(optAlign);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(chkYen, &QCheckBox::clicked, this, &TfColSet::chkYenClick);
    for (QWidget* w : {static_cast<QWidget*>(txtWidth), static_cast<QWidget*>(txtPoint),
                       static_cast<QWidget*>(chkComma), static_cast<QWidget*>(chkYen)})
        w->installEventFilter(this);
    for (int i = 0; i < optAlign->count(); ++i)
        optAlign->button(i)->installEventFilter(this);
}

bool TfColSet::ask(ColumnFormatDialogState& state)
{
    m_state = state;
    load();
    const bool ok = exec() == QDialog::Accepted;
    store();
    state = m_state;
    return ok;
}

void TfColSet::load()
{
    const ColumnFormatDialogState& d = m_state;
    setWindowTitle(d.caption);
    txtWidth->setValue(d.txtWidth);
    txtPoint->setValue(d.txtPoint);
    chkComma->setChecked(d.chkComma);
    chkYen->setChecked(d.chkYen);
    optAlign->setIndex(d.optAlign);
    txtWidth->setFocus();
    txtWidth->selectAll();
}

void TfColSet::store()
{
    ColumnFormatDialogState& d = m_state;
    // A number typed and not yet left counts as well.
    txtWidth->interpretText();
    txtPoint->interpretText();
    d.txtWidth = txtWidth->value();
    d.txtPoint = txtPoint->value();
    d.chkComma = chkComma->isChecked();
    d.chkYen = chkYen->isChecked();
    d.optAlign = optAlign->index();
}

void TfColSet::chkYenClick()
{
    store();
    if (const std::optional<QString> information = m_state.yenClicked()) {
        platform::Message message;
        message.icon = platform::Icon::Information;
        message.text = *information;
        m_app.ui().message(message);
    }
    chkComma->setChecked(m_state.chkComma);
}

QWidget* TfColSet::nextControl(QObject* from) const
{
    if (from == txtWidth)
        return txtPoint;
    if (from == txtPoint)
        return chkComma;
    if (from == chkComma)
        return chkYen;
    if (from == chkYen)
        return optAlign->button(std::max(optAlign->index(), 0));
    return OKBtn; // from the alignment
}

bool TfColSet::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* next = nextControl(watched);
            next->setFocus(Qt::TabFocusReason);
            if (next == txtPoint)
                txtPoint->selectAll();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
