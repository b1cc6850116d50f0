#include "ui/TfClr.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfClr::TfClr(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfClr"));
    setWindowTitle(QStringLiteral("データ／罫線の消去"));
    platform::SetDialogFlags(*this);
    chkData = new QCheckBox(QStringLiteral("データの消去(&D)"), this);
    chkData->setObjectName(QStringLiteral("chkData"));
    chkLine = new QCheckBox(QStringLiteral("罫線の消去(&L)"), this);
    chkLine->setObjectName(QStringLiteral("chkLine"));
    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("セルの消去")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkData);
    checks->addWidget(chkLine);
    checks->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(checks, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfClr::ask(edit::ClearDialogState& state)
{
    chkData->setChecked(state.chkData);
    chkLine->setChecked(state.chkLine);
    chkData->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    if (ok) {
        state.chkData = chkData->isChecked();
        state.chkLine = chkLine->isChecked();
    }
    return ok;
}

} // namespace ui
