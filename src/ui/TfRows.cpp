#include "ui/TfRows.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/SpinEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfRows::TfRows(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfRows"));
    setWindowTitle(QStringLiteral("行数の設定"));
    platform::SetDialogFlags(*this);
    txtRows = new SpinEdit(1, core::MaxRows, this);
    txtRows->setObjectName(QStringLiteral("txtRows"));
    txtRows->setMinimumWidth(txtRows->fontMetrics().horizontalAdvance(u'0') * 10);
    auto* label = new QLabel(QStringLiteral("行数 (1～32000):"), this);
    label->setBuddy(txtRows);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(txtRows);
    row->addStretch(1);
    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Horizontal, [this] { m_app.help().showKeyword(QStringLiteral("全体行数")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    txtRows->installEventFilter(this);
}

bool TfRows::ask(int& rows)
{
    txtRows->setValue(rows);
    txtRows->setFocus();
    txtRows->selectAll();
    const bool ok = exec() == QDialog::Accepted;
    // A count typed and not yet left counts as well.
    txtRows->interpretText();
    if (ok)
        rows = txtRows->value();
    return ok;
}

bool TfRows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtRows && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKBtn->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
