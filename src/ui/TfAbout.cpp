#include "ui/TfAbout.h"

#include "platform/qt/DialogFlags.h"
#include "ui/ToolIcons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace ui {

TfAbout::TfAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfAbout"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    platform::SetDialogFlags(*this);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(ui::ProgramIcon().pixmap(48, 48));
    ProductName = new QLabel(QStringLiteral("Ｍａｖｉｘ"), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont nameFont = ProductName->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    ProductName->setFont(nameFont);
    Version = new QLabel(QStringLiteral("Version 4.00"), this);
    Version->setObjectName(QStringLiteral("Version"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);

    auto* panel = new QGridLayout;
    panel->setHorizontalSpacing(20);
    panel->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    panel->addWidget(ProductName, 0, 1);
    panel->addWidget(Version, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 12);
    layout->addLayout(panel);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace ui
