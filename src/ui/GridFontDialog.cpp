#include "ui/GridFontDialog.h"

#include "platform/qt/DialogFlags.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ui {

namespace {

const char* const StyleNames[] = {"標準", "太字", "斜体", "太字 斜体"};
constexpr int Sizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

bool halfWidthFixed(const QString& family)
{
    QFont font(family);
    font.setPointSize(12);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(u'W');
    return w > 0 && metrics.horizontalAdvance(u'i') == w && metrics.horizontalAdvance(u'.') == w
        && metrics.horizontalAdvance(u'm') == w;
}

} // namespace

QStringList GridFontDialog::fixedPitchFamilies()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (family.startsWith(u'@') || QFontDatabase::isPrivateFamily(family))
            continue;
        if (QFontDatabase::isFixedPitch(family) || halfWidthFixed(family))
            families.append(family);
    }
    return families;
}

GridFontDialog::GridFontDialog(const QFont& initial, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDlg"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("フォント"));
    auto* grid = new QGridLayout;
    m_families = new QListWidget(this);
    m_families->addItems(fixedPitchFamilies());
    m_styles = new QListWidget(this);
    for (const char* name : StyleNames)
        m_styles->addItem(QString::fromUtf8(name));
    m_size = new QSpinBox(this);
    m_size->setRange(1, 200);
    m_sizes = new QListWidget(this);
    for (int size : Sizes)
        m_sizes->addItem(QString::number(size));
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("フォント名(&F):", m_families), 0, 0);
    grid->addWidget(label("スタイル(&Y):", m_styles), 0, 1);
    grid->addWidget(label("サイズ(&S):", m_size), 0, 2);
    grid->addWidget(m_families, 1, 0, 2, 1);
    grid->addWidget(m_styles, 1, 1, 2, 1);
    grid->addWidget(m_size, 1, 2);
    grid->addWidget(m_sizes, 2, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz 123 あア亜"), sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(m_sample);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sampleBox);
    layout->addWidget(buttons);

    // The stored name may be a substitute ("ＭＳ ゴシック"): select the family it resolves to.
    const QFontInfo shown(initial);
    const QList<QListWidgetItem*> found = m_families->findItems(shown.family(), Qt::MatchExactly);
    m_families->setCurrentItem(found.isEmpty() ? m_families->item(0) : found.first());
    m_styles->setCurrentRow((initial.bold() ? 1 : 0) + (initial.italic() ? 2 : 0));
    m_size->setValue(shown.pointSize() > 0 ? shown.pointSize() : 11);
    connect(m_sizes, &QListWidget::currentTextChanged, this,
            [this](const QString& text) { m_size->setValue(text.toInt()); });
    connect(m_families, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(m_styles, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(m_size, &QSpinBox::valueChanged, this, [this] { updateSample(); });
    updateSample();
    resize(520, 400);
}

QFont GridFontDialog::selectedFont() const
{
    QFont font(m_families->currentItem() ? m_families->currentItem()->text() : QString());
    font.setPointSize(m_size->value());
    const int style = std::max(m_styles->currentRow(), 0);
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setFixedPitch(true);
    return font;
}

void GridFontDialog::updateSample()
{
    m_sample->setFont(selectedFont());
}

} // namespace ui
