#include "ui/HeaderFontDialog.h"

#include "platform/qt/DialogFlags.h"
#include "print/Lines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ui {

namespace {

/// 0x00BBGGRR, as the worksheet file keeps colours.
qint32 toBgr(const QColor& c)
{
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QColor fromBgr(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QIcon swatchIcon(const QColor& c)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(c);
    return QIcon(pixmap);
}

} // namespace

QFont HeaderQFont(const print::HeaderFont& font)
{
    QFont f(font.font.name);
    if (font.font.size > 0)
        f.setPointSize(font.font.size);
    f.setBold(font.font.bold);
    f.setItalic(font.font.italic);
    f.setUnderline(font.underline);
    return f;
}

QColor HeaderColor(const print::HeaderFont& font)
{
    return fromBgr(font.color);
}

HeaderFontDialog::HeaderFontDialog(const print::HeaderFont& initial, QWidget* parent)
    : QDialog(parent)
    , m_initial(initial)
{
    setObjectName(QStringLiteral("HeaderFontDialog"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("フォント"));

    family = new QFontComboBox(this);
    family->setCurrentFont(HeaderQFont(initial));
    m_shownFamily = family->currentFont().family();
    size = new QSpinBox(this);
    size->setRange(1, 400);
    size->setSuffix(QStringLiteral(" pt"));
    size->setValue(initial.font.size > 0 ? initial.font.size : QFont().pointSize());
    bold = new QCheckBox(QStringLiteral("太字(&B)"), this);
    bold->setChecked(initial.font.bold);
    italic = new QCheckBox(QStringLiteral("斜体(&I)"), this);
    italic->setChecked(initial.font.italic);
    underline = new QCheckBox(QStringLiteral("下線(&U)"), this);
    underline->setChecked(initial.underline);
    color = new QComboBox(this);
    const QColor current = fromBgr(initial.color);
    for (int i = 0; i < 16; ++i) {
        const QColor c = QColor::fromRgb(print::LinePalette[std::size_t(i)]);
        color->addItem(swatchIcon(c), QString::fromUtf16(print::LineColorNames[std::size_t(i)]), c);
    }
    int index = color->findData(current);
    if (index < 0) {
        // A colour from a file that is none of the sixteen stays choosable.
        color->addItem(swatchIcon(current), QStringLiteral("その他"), current);
        index = color->count() - 1;
    }
    color->setCurrentIndex(index);

    auto* style = new QHBoxLayout;
    style->addWidget(bold);
    style->addWidget(italic);
    style->addWidget(underline);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("フォント名(&F):"), family);
    form->addRow(QStringLiteral("サイズ(&S):"), size);
    form->addRow(QStringLiteral("スタイル:"), style);
    form->addRow(QStringLiteral("色(&C):"), color);

    m_sample = new QLabel(QStringLiteral("Aaあア亜 123"), this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(280, 60);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(box);

    connect(family, &QFontComboBox::currentFontChanged, this, &HeaderFontDialog::updateSample);
    connect(size, &QSpinBox::valueChanged, this, &HeaderFontDialog::updateSample);
    for (QCheckBox* check : {bold, italic, underline})
        connect(check, &QCheckBox::toggled, this, &HeaderFontDialog::updateSample);
    connect(color, &QComboBox::currentIndexChanged, this, &HeaderFontDialog::updateSample);
    updateSample();
}

print::HeaderFont HeaderFontDialog::selected() const
{
    print::HeaderFont font = m_initial;
    // The family shown for the stored name keeps the name.
    if (family->currentFont().family() != m_shownFamily)
        font.font.name = family->currentFont().family();
    font.font.size = size->value();
    font.font.bold = bold->isChecked();
    font.font.italic = italic->isChecked();
    font.underline = underline->isChecked();
    font.color = toBgr(color->currentData().value<QColor>());
    return font;
}

void HeaderFontDialog::updateSample()
{
    const print::HeaderFont font = selected();
    m_sample->setFont(HeaderQFont(font));
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, HeaderColor(font));
    p.setColor(QPalette::Window, Qt::white);
    m_sample->setPalette(p);
}

} // namespace ui
