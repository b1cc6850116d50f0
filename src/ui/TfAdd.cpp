#include "ui/TfAdd.h"

#include "core/App.h"
#include "edit/InsertDialogState.h"
#include "platform/Help.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/SpinEdit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ui {

namespace {

using edit::InsertDialogState;

/// A radio group whose two choices stand side by side.
QGroupBox* radioGroup(const QString& title, const QString& columns, const QString& rows,
                      std::array<QRadioButton*, 2>& choices, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    choices[InsertDialogState::Columns] = new QRadioButton(columns, group);
    choices[InsertDialogState::Rows] = new QRadioButton(rows, group);
    for (QRadioButton* choice : choices)
        layout->addWidget(choice);
    return group;
}

} // namespace

TfAdd::TfAdd(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfAdd"));
    platform::SetDialogFlags(*this);
    optAdd = radioGroup(QStringLiteral("挿入方向"), QStringLiteral("列の挿入(&C)"),
                        QStringLiteral("行の挿入(&R)"), addChoices, this);
    optAdd->setObjectName(QStringLiteral("optAdd"));
    optDel = radioGroup(QStringLiteral("削除方向"), QStringLiteral("列の削除(&C)"),
                        QStringLiteral("行の削除(&R)"), delChoices, this);
    optDel->setObjectName(QStringLiteral("optDel"));

    txtNum = new SpinEdit(0, 32000, this);
    txtNum->setObjectName(QStringLiteral("txtNum"));
    txtNum->setValue(1);
    auto* label = new QLabel(QStringLiteral("行／列数:(&N) :"), this);
    label->setBuddy(txtNum);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(label);
    countRow->addWidget(txtNum, 1);

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Horizontal, [this] { m_app.help().showKeyword(m_state.helpTopic()); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optAdd);
    layout->addWidget(optDel);
    layout->addLayout(countRow);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &TfAdd::OKBtnClick);
    for (QWidget* w : {static_cast<QWidget*>(txtNum), static_cast<QWidget*>(addChoices[0]),
                       static_cast<QWidget*>(addChoices[1]), static_cast<QWidget*>(delChoices[0]),
                       static_cast<QWidget*>(delChoices[1])})
        w->installEventFilter(this);
}

bool TfAdd::ask(InsertDialogState& state)
{
    m_state = state;
    load();
    const bool ok = exec() == QDialog::Accepted;
    // The controls are the choice's storage: a cancelled use keeps the direction too.
    store();
    state = m_state;
    return ok;
}

void TfAdd::load()
{
    const InsertDialogState& d = m_state;
    setWindowTitle(d.caption());
    const bool deleting = d.tag == InsertDialogState::TagDelete;
    optAdd->setVisible(!deleting);
    optDel->setVisible(deleting);
    addChoices[d.optAdd == InsertDialogState::Columns ? 0 : 1]->setChecked(true);
    delChoices[d.optDel == InsertDialogState::Columns ? 0 : 1]->setChecked(true);
    txtNum->setValue(d.txtNum);
    // Opening passes the focus from the radio group on to the count.
    txtNum->setFocus();
    txtNum->selectAll();
}

void TfAdd::store()
{
    InsertDialogState& d = m_state;
    d.optAdd = addChoices[InsertDialogState::Rows]->isChecked() ? InsertDialogState::Rows
                                                                : InsertDialogState::Columns;
    d.optDel = delChoices[InsertDialogState::Rows]->isChecked() ? InsertDialogState::Rows
                                                                : InsertDialogState::Columns;
    txtNum->interpretText();
    d.txtNum = txtNum->value();
}

void TfAdd::OKBtnClick()
{
    store();
    const std::optional<QString> warning =
        edit::CheckInsertDialog(m_state, m_app.sheet.SheetRows, m_app.grid.row);
    if (!warning) {
        accept();
        return;
    }
    platform::Message message;
    message.icon = platform::Icon::Warning;
    message.text = *warning;
    m_app.ui().message(message);
    txtNum->setFocus();
    txtNum->selectAll();
}

QWidget* TfAdd::nextControl(QObject* from) const
{
    if (from == txtNum)
        return OKBtn;
    return txtNum; // from either radio group
}

bool TfAdd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* next = nextControl(watched);
            next->setFocus(Qt::TabFocusReason);
            if (next == txtNum)
                txtNum->selectAll();
            return true;
        }
        if (key == Qt::Key_Escape && watched == txtNum) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
