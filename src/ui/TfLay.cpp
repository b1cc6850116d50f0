#include "ui/TfLay.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/DialogButtons.h"
#include "ui/HeaderFontDialog.h"
#include "ui/SpinEdit.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace {

int marginValue(const QString& text)
{
    return std::clamp(text.toInt(), 0, 1000);
}

} // namespace

TfLay::TfLay(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfLay"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("ページレイアウトの設定"));

    auto* gbMargin = new QGroupBox(QStringLiteral("余白 (mm)"), this);
    auto* margins = new QGridLayout(gbMargin);
    const QString marginCaptions[4] = {QStringLiteral("上:"), QStringLiteral("下:"),
                                       QStringLiteral("左:"), QStringLiteral("右:")};
    for (int i = 0; i < 4; ++i) {
        txtOfs[i] = new SpinEdit(0, 1000, gbMargin);
        txtOfs[i]->setObjectName(QStringLiteral("txtOfs%1").arg(i + 1));
        auto* label = new QLabel(marginCaptions[i], gbMargin);
        label->setBuddy(txtOfs[i]);
        margins->addWidget(label, i / 2, (i % 2) * 2);
        margins->addWidget(txtOfs[i], i / 2, (i % 2) * 2 + 1);
    }

    txtTop = new SpinEdit(0, 10000, this);
    txtTop->setObjectName(QStringLiteral("txtTop"));
    auto* topLabel = new QLabel(QStringLiteral("先頭ページ番号(&N)"), this);
    topLabel->setBuddy(txtTop);
    chkGrid = new QCheckBox(QStringLiteral("格子印刷(&G)"), this);
    chkGrid->setObjectName(QStringLiteral("chkGrid"));
    auto* pages = new QGridLayout;
    pages->addWidget(topLabel, 0, 0);
    pages->addWidget(txtTop, 0, 1);
    pages->addWidget(chkGrid, 1, 0, 1, 2);
    pages->setColumnStretch(2, 1);
    lblArea = new QLabel(this);
    lblArea->setObjectName(QStringLiteral("lblArea"));
    auto* top = new QHBoxLayout;
    top->addWidget(gbMargin);
    auto* right = new QVBoxLayout;
    right->addLayout(pages);
    right->addWidget(lblArea);
    right->addStretch(1);
    top->addLayout(right, 1);

    auto* gbHeader = new QGroupBox(QStringLiteral("ヘッダー・フッター"), this);
    auto* boxes = new QGridLayout(gbHeader);
    const QString columns[3] = {QStringLiteral("左"), QStringLiteral("中"), QStringLiteral("右")};
    for (int i = 0; i < 3; ++i)
        boxes->addWidget(new QLabel(columns[i], gbHeader), 0, i + 1, Qt::AlignHCenter);
    boxes->addWidget(new QLabel(QStringLiteral("ヘッダー:"), gbHeader), 1, 0);
    boxes->addWidget(new QLabel(QStringLiteral("フッター:"), gbHeader), 2, 0);
    for (int k = 0; k < 6; ++k) {
        txtHdr[k] = new QLineEdit(gbHeader);
        txtHdr[k]->setObjectName(QStringLiteral("txtHdr%1").arg(k + 1));
        txtHdr[k]->setMinimumWidth(150);
        boxes->addWidget(txtHdr[k], 1 + k / 3, 1 + k % 3);
    }
    btnFont = new QPushButton(QStringLiteral("フォント(&M)"), gbHeader);
    btnFont->setObjectName(QStringLiteral("btnFont"));
    btnFont->setAutoDefault(false);
    auto* note = new QLabel(QStringLiteral("日付：&D，和暦：&J，時刻：&T，ページ番号：&P\n"
                                           "ファイル名：&F，セル番地：&C??"),
                            gbHeader);
    note->setTextFormat(Qt::PlainText);
    note->setObjectName(QStringLiteral("lblNote"));
    boxes->addWidget(note, 3, 1, 1, 2);
    boxes->addWidget(btnFont, 3, 3, Qt::AlignRight | Qt::AlignTop);

    btnPrint = new QPushButton(QStringLiteral("印刷(&P)"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setAutoDefault(false);
    const DialogButtons buttons = MakeDialogButtons(
        *this, Qt::Vertical, [this] { m_app.help().showKeyword(QStringLiteral("ページ設定")); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    buttons.layout->insertWidget(0, btnPrint);

    auto* controls = new QVBoxLayout;
    controls->addLayout(top);
    controls->addWidget(gbHeader);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls, 1);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnPrint, &QPushButton::clicked, this, [this] { done(int(platform::LayoutAnswer::Print)); });
    connect(btnFont, &QPushButton::clicked, this, &TfLay::btnFontClick);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

platform::LayoutAnswer TfLay::ask(print::PageLayout& layout, bool canPrint)
{
    load(layout);
    btnPrint->setEnabled(canPrint);
    const int result = exec();
    store(layout);
    if (result == int(platform::LayoutAnswer::Print))
        return platform::LayoutAnswer::Print;
    return result == QDialog::Accepted ? platform::LayoutAnswer::Ok : platform::LayoutAnswer::Cancel;
}

void TfLay::load(const print::PageLayout& layout)
{
    const QString* margins[4] = {&layout.txtOfs1, &layout.txtOfs2, &layout.txtOfs3, &layout.txtOfs4};
    for (int i = 0; i < 4; ++i)
        txtOfs[i]->setValue(marginValue(*margins[i]));
    txtTop->setValue(std::clamp(layout.txtTop.toInt(), 0, 10000));
    chkGrid->setChecked(layout.chkGrid);
    m_fonts = layout.hdrFont;
    for (int k = 0; k < 6; ++k) {
        txtHdr[k]->setText(layout.txtHdr[std::size_t(k)]);
        showBoxFont(k);
    }
    lblArea->setText(layout.printAreaLabel);
    m_selectedBox = 0;
    txtOfs[0]->setFocus(Qt::OtherFocusReason);
}

void TfLay::store(print::PageLayout& layout) const
{
    QString* margins[4] = {&layout.txtOfs1, &layout.txtOfs2, &layout.txtOfs3, &layout.txtOfs4};
    for (int i = 0; i < 4; ++i) {
        txtOfs[i]->interpretText();
        *margins[i] = QString::number(txtOfs[i]->value());
    }
    txtTop->interpretText();
    layout.txtTop = QString::number(txtTop->value());
    layout.chkGrid = chkGrid->isChecked();
    for (int k = 0; k < 6; ++k)
        layout.txtHdr[std::size_t(k)] = txtHdr[k]->text();
    layout.hdrFont = m_fonts;
}

void TfLay::showBoxFont(int k)
{
    const print::HeaderFont& font = m_fonts[std::size_t(k)];
    txtHdr[k]->setFont(HeaderQFont(font));
    QPalette p = txtHdr[k]->palette();
    p.setColor(QPalette::Text, HeaderColor(font));
    p.setColor(QPalette::Base, Qt::white);
    txtHdr[k]->setPalette(p);
}

void TfLay::btnFontClick()
{
    if (m_selectedBox == 0)
        return;
    const int k = m_selectedBox - 1;
    HeaderFontDialog dialog(m_fonts[std::size_t(k)], this);
    if (dialog.exec() == QDialog::Accepted) {
        m_fonts[std::size_t(k)] = dialog.selected();
        showBoxFont(k);
    }
    txtHdr[k]->setFocus(Qt::OtherFocusReason);
}

void TfLay::focusChanged(QWidget* now)
{
    if (!isVisible() || !now || now->window() != this)
        return;
    for (int k = 0; k < 6; ++k)
        if (now == txtHdr[k]) {
            m_selectedBox = k + 1;
            return;
        }
    if (now == txtTop || now->parentWidget() == txtTop)
        m_selectedBox = 0;
}

bool TfLay::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        // Back in the dialog: the box with the focus, if any, is the selected one.
        m_selectedBox = 0;
        for (int k = 0; k < 6; ++k)
            if (txtHdr[k]->hasFocus())
                m_selectedBox = k + 1;
    }
    return QDialog::event(e);
}

} // namespace ui
