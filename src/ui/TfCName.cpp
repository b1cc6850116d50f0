#include "ui/TfCName.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/SpinEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfCName::TfCName(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfCName"));
    setWindowTitle(QStringLiteral("列見出しの設定"));
    platform::SetDialogFlags(*this);

    auto* about = new QLabel(QStringLiteral("列の見出しの行を指定します．"), this);
    txtCname = new SpinEdit(0, 32000, this);
    txtCname->setObjectName(QStringLiteral("txtCname"));
    txtCname->setMinimumWidth(txtCname->fontMetrics().horizontalAdvance(u'0') * 10);
    auto* rowLine = new QHBoxLayout;
    rowLine->addWidget(txtCname);
    rowLine->addWidget(new QLabel(QStringLiteral("(0 = 非表示)"), this));
    rowLine->addStretch(1);

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Horizontal, [this] { m_app.help().showKeyword(QStringLiteral("列見出し")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(rowLine);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    txtCname->installEventFilter(this);
}

bool TfCName::ask(tools::HeadingDialogState& state)
{
    txtCname->setValue(state.txtCname);
    txtCname->setFocus();
    txtCname->selectAll();
    const bool ok = exec() == QDialog::Accepted;
    // A row typed and not yet left counts as well.
    txtCname->interpretText();
    state.txtCname = txtCname->value();
    return ok;
}

bool TfCName::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCname && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKBtn->setFocus(Qt::TabFocusReason);
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
