#include "ui/TfSysSet.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "settings/SystemSettings.h"
#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

using settings::SysSetClose;
using settings::SysSetPage;

TfSysSet::TfSysSet(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfSysSet"));
    setWindowTitle(QStringLiteral("システム設定"));
    platform::SetDialogFlags(*this);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Every tab is shown in full: the dialog is as wide as they are.
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    PageControl1->addTab(designPage(), QStringLiteral("デザイン(&D)"));
    PageControl1->addTab(associationPage(), QStringLiteral("関連付け(&R)"));
    auto* menuIcon = new QLabel(this);
    menuIcon->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(32, 32));
    PageControl1->addTab(
        notePage(QStringLiteral("Mavixをスタートメニューに登録します．"), menuIcon),
        QStringLiteral("スタートメニュー(&S)"));
    auto* warningIcon = new QLabel(this);
    warningIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    PageControl1->addTab(
        notePage(QStringLiteral("Mavixをアンインストールする準備をします．"), warningIcon),
        QStringLiteral("アンインストール(&U)"));
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->widget(i)->setObjectName(
            QStringList{QStringLiteral("tsDesign"), QStringLiteral("tsAssoc"),
                        QStringLiteral("tsStart"), QStringLiteral("tsUninst")}[i]);
    const QStringList actions{QStringLiteral("OK"), QStringLiteral("実行(&R)"),
                              QStringLiteral("OK"), QStringLiteral("OK")};
    const char* names[] = {"OKBtn", "btnRun", "btnStartOK", "btnUninstOK"};
    for (int i = 0; i < PageControl1->count(); ++i)
        addButtons(PageControl1->widget(i), i, actions[i], names[i]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (m_state)
            settings::SysSetPageChange(m_app, *m_state, SysSetPage(page));
        if (OKBtn[std::size_t(page)])
            OKBtn[std::size_t(page)]->setDefault(true);
    });
    connect(optDesign->buttons(), &QButtonGroup::idClicked, this, [this](int design) {
        if (m_state)
            settings::SysSetDesignClick(m_app, *m_state, design);
    });
    connect(OKBtn[0], &QPushButton::clicked, this, [this] {
        m_state->chkWheel = chkWheel->isChecked();
        settings::SysSetDesignOk(m_app, *m_state);
        close(SysSetClose::DesignOk);
    });
    connect(OKBtn[1], &QPushButton::clicked, this, &TfSysSet::runAssociation);
    connect(OKBtn[2], &QPushButton::clicked, this, [this] { close(SysSetClose::StartMenuOk); });
    connect(OKBtn[3], &QPushButton::clicked, this, [this] { close(SysSetClose::UninstallOk); });
}

QWidget* TfSysSet::designPage()
{
    auto* page = new QWidget(this);
    optDesign = new RadioGroup(
        QStringLiteral("ワークシートのデザイン(&W)"), 3,
        {QStringLiteral("スタイルA"), QStringLiteral("スタイルB"), QStringLiteral("スタイルC")},
        page);
    optDesign->setObjectName(QStringLiteral("optDesign"));
    auto* gbWheel = new QGroupBox(QStringLiteral("マウスのホイール"), page);
    chkWheel =
        new QCheckBox(QStringLiteral("ホイールによる縦スクロールをサポートする(&M)"), gbWheel);
    chkWheel->setObjectName(QStringLiteral("chkWheel"));
    (new QVBoxLayout(gbWheel))->addWidget(chkWheel);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(optDesign);
    layout->addWidget(gbWheel);
    layout->addStretch(1);
    return page;
}

QWidget* TfSysSet::associationPage()
{
    auto* page = new QWidget(this);
    gbExt = new QGroupBox(QStringLiteral("関連付けする拡張子"), page);
    chkMvx = new QCheckBox(QStringLiteral("\".mvx\"(&G)"), gbExt);
    chkMvx->setObjectName(QStringLiteral("chkMvx"));
    chkCsv = new QCheckBox(QStringLiteral(".\"csv\"(&C)"), gbExt);
    chkCsv->setObjectName(QStringLiteral("chkCsv"));
    auto* checks = new QVBoxLayout(gbExt);
    checks->addWidget(chkMvx);
    checks->addWidget(chkCsv);
    optExt = new RadioGroup(QStringLiteral("関連付けする拡張子"), 1,
                            {QStringLiteral("\".mvx\"(&G)"), QStringLiteral("\".csv\"(&C)")}, page);
    optExt->setObjectName(QStringLiteral("optExt"));
    lblAssocNote = new QLabel(page);
    lblAssocNote->setObjectName(QStringLiteral("lblAssocNote"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gbExt);
    layout->addWidget(optExt);
    layout->addWidget(lblAssocNote);
    layout->addStretch(1);
    return page;
}

QWidget* TfSysSet::notePage(const QString& note, QLabel* icon)
{
    auto* page = new QWidget(this);
    icon->setParent(page);
    auto* label = new QLabel(note, page);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(label, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    return page;
}

void TfSysSet::addButtons(QWidget* page, int index, const QString& action, const char* actionName)
{
    const auto i = std::size_t(index);
    OKBtn[i] = new QPushButton(action, page);
    OKBtn[i]->setObjectName(QString::fromLatin1(actionName));
    CancelBtn[i] = new QPushButton(QStringLiteral("キャンセル"), page);
    CancelBtn[i]->setObjectName(QStringLiteral("CancelBtn") + QString::number(index));
    HelpBtn[i] = new QPushButton(QStringLiteral("ヘルプ"), page);
    HelpBtn[i]->setObjectName(QStringLiteral("HelpBtn") + QString::number(index));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : {OKBtn[i], CancelBtn[i], HelpBtn[i]})
        row->addWidget(button);
    static_cast<QVBoxLayout*>(page->layout())->addLayout(row);
    connect(CancelBtn[i], &QPushButton::clicked, this, &TfSysSet::reject);
    connect(HelpBtn[i], &QPushButton::clicked, this, [this, index] {
        m_app.help().showKeyword(settings::SysSetHelpTopic(*m_state, SysSetPage(index)));
    });
}

SysSetClose TfSysSet::showModal(settings::SystemSettingsState& state)
{
    m_state = &state;
    m_closedBy = SysSetClose::Cancel;
    {
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentIndex(int(state.page));
    }
    OKBtn[std::size_t(state.page)]->setDefault(true);
    optDesign->setIndex(state.optDesign);
    chkWheel->setChecked(state.chkWheel);
    gbExt->setVisible(!state.NewShellMode);
    optExt->setVisible(state.NewShellMode);
    chkMvx->setChecked(state.chkMvx);
    chkCsv->setChecked(state.chkCsv);
    optExt->setIndex(state.optExt);
    lblAssocNote->setText(state.NewShellMode ? QStringLiteral("OSの関連付け機能を呼び出します．")
                                             : QStringLiteral("この機能は管理者権限が必要です．"));
    exec();
    // The association choices stay for the next opening, however it closed.
    state.chkMvx = chkMvx->isChecked();
    state.chkCsv = chkCsv->isChecked();
    state.optExt = std::max(optExt->index(), 0);
    m_state = nullptr;
    return m_closedBy;
}

void TfSysSet::runAssociation()
{
    m_state->chkMvx = chkMvx->isChecked();
    m_state->chkCsv = chkCsv->isChecked();
    m_state->optExt = std::max(optExt->index(), 0);
    if (settings::SysSetAssociate(m_app, *m_state))
        close(SysSetClose::Associated);
}

void TfSysSet::close(SysSetClose how)
{
    m_closedBy = how;
    accept();
}

void TfSysSet::reject()
{
    if (m_state)
        settings::SysSetCancel(m_app);
    m_closedBy = SysSetClose::Cancel;
    QDialog::reject();
}

} // namespace ui
