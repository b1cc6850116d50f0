#include "ui/TfPrint.h"

#include "core/App.h"
#include "platform/qt/DialogFlags.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfPrint::TfPrint(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfPrint"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("印刷中"));
    setModal(false);
    lblPrt = new QLineEdit(this);
    lblPrt->setObjectName(QStringLiteral("lblPrt"));
    lblPrt->setReadOnly(true);
    lblPrt->setFocusPolicy(Qt::NoFocus);
    lblPrt->setMinimumWidth(320);
    btnAbort = new QPushButton(QStringLiteral("中止(&A)"), this);
    btnAbort->setObjectName(QStringLiteral("btnAbort"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrt);
    layout->addWidget(btnAbort, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnAbort, &QPushButton::clicked, this, &TfPrint::abortClick);
}

void TfPrint::setProgress(const QString& text)
{
    lblPrt->setText(text);
}

void TfPrint::abortClick()
{
    lblPrt->setText(QStringLiteral("      印字中断処理中..."));
    m_app.printing.CancelRequested = true;
}

void TfPrint::reject()
{
    // Closing the window or Esc asks the job to stop as the button does.
    abortClick();
}

} // namespace ui
