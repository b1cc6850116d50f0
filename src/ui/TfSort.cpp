#include "ui/TfSort.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/RadioGroup.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

using tools::SortDialogState;

TfSort::TfSort(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfSort"));
    setWindowTitle(QStringLiteral("並べ替え"));
    platform::SetDialogFlags(*this);

    auto* gbArea = new QGroupBox(QStringLiteral("範囲"), this);
    lblArea = new QLabel(gbArea);
    lblArea->setObjectName(QStringLiteral("lblArea"));
    (new QVBoxLayout(gbArea))->addWidget(lblArea);

    optWay = new RadioGroup(QStringLiteral("方法"), 1,
                            {QStringLiteral("文字(&S)"), QStringLiteral("数値(&N)")}, this);
    optWay->setObjectName(QStringLiteral("optWay"));
    optSeq = new RadioGroup(QStringLiteral("順序"), 1,
                            {QStringLiteral("昇順(&A)"), QStringLiteral("降順(&D)")}, this);
    optSeq->setObjectName(QStringLiteral("optSeq"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(optWay, 1);
    choices->addWidget(optSeq, 1);

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("ソート")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* controls = new QVBoxLayout;
    controls->addWidget(gbArea);
    controls->addLayout(choices);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfSort::ask(SortDialogState& state)
{
    m_state = state;
    load();
    const bool ok = exec() == QDialog::Accepted;
    // The controls are the storage: a cancelled use keeps its choices too.
    store();
    state = m_state;
    return ok;
}

void TfSort::load()
{
    lblArea->setText(m_state.lblArea);
    optWay->setIndex(m_state.optWay);
    optSeq->setIndex(m_state.optSeq);
    // The checked method takes the focus, as a radio group does on opening.
    if (QRadioButton* way = optWay->button(std::max(optWay->index(), 0)))
        way->setFocus();
}

void TfSort::store()
{
    m_state.optWay = optWay->index();
    m_state.optSeq = optSeq->index();
}

} // namespace ui
