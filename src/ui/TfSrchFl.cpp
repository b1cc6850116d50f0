#include "ui/TfSrchFl.h"

#include "core/App.h"
#include "platform/FileDialogs.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/HistoryCombo.h"
#include "ui/RadioGroup.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfSrchFl::TfSrchFl(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfSrchFl"));
    setWindowTitle(QStringLiteral("ファイル検索"));
    platform::SetDialogFlags(*this);

    auto* gbFiles = new QGroupBox(QStringLiteral("検索対象ファイル"), this);
    txDir = new QLabel(gbFiles);
    txDir->setObjectName(QStringLiteral("txDir"));
    txDir->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbFiles = new QListWidget(gbFiles);
    lbFiles->setObjectName(QStringLiteral("lbFiles"));
    lbFiles->setMinimumSize(320, 120);
    btRef = new QPushButton(QStringLiteral("参照(&R)"), gbFiles);
    btRef->setObjectName(QStringLiteral("btRef"));
    btRef->setAutoDefault(false);
    auto* dirLine = new QHBoxLayout;
    dirLine->addWidget(new QLabel(QStringLiteral("フォルダ:"), gbFiles));
    dirLine->addWidget(txDir, 1);
    dirLine->addWidget(btRef);
    auto* files = new QVBoxLayout(gbFiles);
    files->addLayout(dirLine);
    files->addWidget(lbFiles);

    auto* gbText = new QGroupBox(QStringLiteral("検索文字列(&T)"), this);
    cbStr = new HistoryCombo(gbText);
    cbStr->setObjectName(QStringLiteral("cbStr"));
    gbText->setFocusProxy(cbStr);
    auto* text = new QVBoxLayout(gbText);
    text->addWidget(cbStr);

    optCase = new RadioGroup(QStringLiteral("大小文字の区別"), 2,
                             {QStringLiteral("区別する(&B)"), QStringLiteral("区別しない(&O)")},
                             this);
    optCase->setObjectName(QStringLiteral("optCase"));

    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("ファイル検索")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* controls = new QVBoxLayout;
    controls->addWidget(gbFiles);
    controls->addWidget(gbText);
    controls->addWidget(optCase);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(btRef, &QPushButton::clicked, this, &TfSrchFl::btRefClick);
}

void TfSrchFl::load(const tools::FileSearchDialogState& state)
{
    txDir->setText(QDir::toNativeSeparators(state.txDir));
    lbFiles->clear();
    lbFiles->addItems(state.lbFiles);
    cbStr->setEditText(state.cbStr);
    optCase->setIndex(state.optCase);
}

bool TfSrchFl::ask(tools::FileSearchDialogState& state, QStringList& history)
{
    m_state = state;
    cbStr->setHistory(history);
    load(m_state);
    cbStr->setFocus();
    cbStr->lineEdit()->selectAll();
    const bool ok = exec() == QDialog::Accepted;
    if (!ok)
        return false;
    m_state.cbStr = cbStr->currentText();
    m_state.optCase = std::max(optCase->index(), 0);
    tools::AcceptFileSearch(m_state, history);
    state = m_state;
    return true;
}

void TfSrchFl::btRefClick()
{
    const QStringList chosen =
        m_app.fileDialogs().openFiles(QStringLiteral("検索するファイル"), m_state.txDir);
    if (chosen.isEmpty())
        return;
    m_state.lbFiles.clear();
    for (const QString& path : chosen)
        m_state.lbFiles.append(QFileInfo(path).fileName());
    m_state.txDir = QFileInfo(chosen.first()).absolutePath() + u'/';
    m_state.cbStr = cbStr->currentText();
    m_state.optCase = std::max(optCase->index(), 0);
    load(m_state);
}

} // namespace ui
