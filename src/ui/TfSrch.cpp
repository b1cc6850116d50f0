#include "ui/TfSrch.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/HistoryCombo.h"
#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

using tools::SearchDialogState;

TfSrch::TfSrch(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfSrch"));
    setWindowTitle(QStringLiteral("検索"));
    platform::SetDialogFlags(*this);

    auto* gbStr = new QGroupBox(QStringLiteral("検索文字列(&T)"), this);
    cbStr = new HistoryCombo(gbStr);
    cbStr->setObjectName(QStringLiteral("cbStr"));
    cbStr->setMinimumContentsLength(24);
    (new QVBoxLayout(gbStr))->addWidget(cbStr);

    optArea = new RadioGroup(QStringLiteral("検索範囲"), 2, m_state.areaItems(), this);
    optArea->setObjectName(QStringLiteral("optArea"));
    // Two items while extracting: the box keeps the size of three, so nothing below moves.
    optArea->setMinimumSize(optArea->sizeHint());
    gbArea = new QGroupBox(QStringLiteral("検索範囲"), this);
    gbArea->setObjectName(QStringLiteral("gbArea"));
    lblArea = new QLabel(gbArea);
    lblArea->setObjectName(QStringLiteral("lblArea"));
    (new QVBoxLayout(gbArea))->addWidget(lblArea);
    // Beside optArea while it is shown; in its place when the selection gives the range.
    auto* areaRow = new QHBoxLayout;
    areaRow->addWidget(optArea);
    areaRow->addWidget(gbArea, 1);

    optCond = new RadioGroup(QStringLiteral("検索条件(&C)"), 3,
                             {QStringLiteral("="), QStringLiteral("含む"), QStringLiteral(">"),
                              QStringLiteral(">="), QStringLiteral("<"), QStringLiteral("<=")},
                             this);
    optCond->setObjectName(QStringLiteral("optCond"));
    optWay = new RadioGroup(QStringLiteral("検索方法"), 1,
                            {QStringLiteral("文字(&S)"), QStringLiteral("数値(&N)")}, this);
    optWay->setObjectName(QStringLiteral("optWay"));
    optCase =
        new RadioGroup(QStringLiteral("大小文字の区別"), 1,
                       {QStringLiteral("区別する(&B)"), QStringLiteral("区別しない(&O)")}, this);
    optCase->setObjectName(QStringLiteral("optCase"));
    auto* wayRow = new QHBoxLayout;
    wayRow->addWidget(optWay, 1);
    wayRow->addWidget(optCase, 1);
    optOut =
        new RadioGroup(QStringLiteral("検索結果"), 2,
                       {QStringLiteral("ポインタ移動(&M)"), QStringLiteral("行を抽出(&E)")}, this);
    optOut->setObjectName(QStringLiteral("optOut"));

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("検索")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* controls = new QVBoxLayout;
    controls->addWidget(gbStr);
    controls->addLayout(areaRow);
    controls->addWidget(optCond);
    controls->addLayout(wayRow);
    controls->addWidget(optOut);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &TfSrch::OKBtnClick);
    connect(optWay->buttons(), &QButtonGroup::idClicked, this, &TfSrch::optWayClick);
    connect(optOut->buttons(), &QButtonGroup::idClicked, this, &TfSrch::optOutClick);
}

bool TfSrch::ask(SearchDialogState& state, QStringList& history)
{
    m_state = state;
    m_history = &history;
    cbStr->setHistory(history);
    load();
    const bool ok = exec() == QDialog::Accepted;
    // The controls are the storage: a cancelled use keeps what was set too.
    store();
    m_history = nullptr;
    state = m_state;
    return ok;
}

void TfSrch::load()
{
    const SearchDialogState& d = m_state;
    cbStr->setEditText(d.cbStr);
    showAreaItems();
    optArea->setVisible(d.areaShown);
    gbArea->setEnabled(!d.areaShown);
    lblArea->setText(d.lblArea);
    optCond->setIndex(d.optCond);
    optWay->setIndex(d.optWay);
    optCase->setIndex(d.optCase);
    optCase->setEnabled(d.optWay == 0);
    optOut->setIndex(d.optOut);
    cbStr->setFocus();
    cbStr->lineEdit()->selectAll();
}

void TfSrch::store()
{
    SearchDialogState& d = m_state;
    d.cbStr = cbStr->currentText();
    d.optArea = optArea->index();
    d.optCond = optCond->index();
    d.optWay = optWay->index();
    d.optCase = optCase->index();
    d.optOut = optOut->index();
}

void TfSrch::showAreaItems()
{
    const QStringList items = m_state.areaItems();
    if (optArea->items() != items)
        optArea->setItems(items);
    optArea->setIndex(m_state.optArea);
}

void TfSrch::optWayClick()
{
    // The case choice means nothing to a number comparison; its index stays.
    optCase->setEnabled(optWay->index() == 0);
}

void TfSrch::optOutClick(int out)
{
    // m_state.optOut is still the choice before the click.
    const int before = m_state.optOut;
    store();
    m_state.optOut = before;
    m_state.setOptOut(out);
    showAreaItems();
}

void TfSrch::OKBtnClick()
{
    store();
    if (const std::optional<QString> warning = tools::AcceptSearchDialog(m_state, *m_history)) {
        platform::Message message;
        message.icon = platform::Icon::Warning;
        message.text = *warning;
        m_app.ui().message(message);
        return;
    }
    accept();
}

} // namespace ui
