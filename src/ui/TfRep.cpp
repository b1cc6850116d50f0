#include "ui/TfRep.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "tools/Replace.h"
#include "tools/ReplaceDialogState.h"
#include "ui/HistoryCombo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

/// A titled box around one label.
QGroupBox* labelGroup(const QString& title, QLabel*& label, const char* name, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    label = new QLabel(group);
    label->setObjectName(QString::fromLatin1(name));
    (new QVBoxLayout(group))->addWidget(label);
    return group;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TfRep::TfRep(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfRep"));
    setWindowTitle(QStringLiteral("置換"));
    platform::SetDialogFlags(*this);

    auto* labels = new QHBoxLayout;
    labels->addWidget(labelGroup(QStringLiteral("範囲"), lblArea, "lblArea", this), 3);
    labels->addWidget(labelGroup(QStringLiteral("該当セル"), lblCell, "lblCell", this), 1);

    cbBefore = new HistoryCombo(this);
    cbBefore->setObjectName(QStringLiteral("cbBefore"));
    cbBefore->setMinimumContentsLength(24);
    cbAfter = new HistoryCombo(this);
    cbAfter->setObjectName(QStringLiteral("cbAfter"));
    cbAfter->setMinimumContentsLength(24);
    auto* beforeLabel = new QLabel(QStringLiteral("置換前(&N):"), this);
    beforeLabel->setBuddy(cbBefore);
    auto* afterLabel = new QLabel(QStringLiteral("置換後(&P):"), this);
    afterLabel->setBuddy(cbAfter);
    auto* texts = new QGridLayout;
    texts->addWidget(beforeLabel, 0, 0);
    texts->addWidget(cbBefore, 0, 1);
    texts->addWidget(afterLabel, 1, 0);
    texts->addWidget(cbAfter, 1, 1);
    texts->setColumnStretch(1, 1);

    chkCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    chkCase->setObjectName(QStringLiteral("chkCase"));

    auto* controls = new QVBoxLayout;
    controls->addLayout(labels);
    controls->addLayout(texts);
    controls->addWidget(chkCase);
    controls->addStretch(1);

    btnSkip = button(QStringLiteral("次を検索(&F)      "), "btnSkip", this);
    btnSkip->setDefault(true);
    btnRep1 = button(QStringLiteral("置換して次に(&R)"), "btnRep1", this);
    btnAll = button(QStringLiteral("すべて置換(&A)  "), "btnAll", this);
    btnCancel = button(QStringLiteral("キャンセル"), "btnCancel", this);
    btnHelp = button(QStringLiteral("ヘルプ"), "btnHelp", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnSkip, btnRep1, btnAll, btnCancel, btnHelp})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnSkip, &QPushButton::clicked, this, &TfRep::btnSkipClick);
    connect(btnRep1, &QPushButton::clicked, this, &TfRep::btnRep1Click);
    connect(btnAll, &QPushButton::clicked, this, &TfRep::btnAllClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { m_app.help().showKeyword(QStringLiteral("置換")); });
}

void TfRep::showModal(tools::ReplaceDialogState& state)
{
    // The core's steps work on the App's replace state.
    Q_ASSERT(&state == &m_app.replaceDialog);
    m_state = &state;
    load();
    exec();
    store();
    m_state = nullptr;
}

void TfRep::load()
{
    const tools::ReplaceDialogState& d = *m_state;
    cbBefore->setEditText(d.cbBefore);
    cbAfter->setEditText(d.cbAfter);
    chkCase->setChecked(d.chkCase);
    showState();
    cbBefore->setFocus();
    cbBefore->lineEdit()->selectAll();
}

void TfRep::showState()
{
    const tools::ReplaceDialogState& d = *m_state;
    lblArea->setText(d.lblArea);
    lblCell->setText(d.lblCell);
    cbBefore->setHistory(d.beforeItems);
    cbAfter->setHistory(d.afterItems);
    btnRep1->setEnabled(d.btnRep1Enabled);
}

void TfRep::store()
{
    tools::ReplaceDialogState& d = *m_state;
    d.cbBefore = cbBefore->currentText();
    d.cbAfter = cbAfter->currentText();
    d.chkCase = chkCase->isChecked();
}

void TfRep::step(const std::function<bool()>& run)
{
    store();
    const bool closes = run();
    showState();
    if (closes)
        accept();
}

void TfRep::btnSkipClick()
{
    step([this] { return tools::ReplaceSkip(m_app); });
}

void TfRep::btnRep1Click()
{
    step([this] { return tools::ReplaceAndNext(m_app); });
}

void TfRep::btnAllClick()
{
    step([this] {
        tools::ReplaceAll(m_app);
        return true;
    });
}

} // namespace ui
