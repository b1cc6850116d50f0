#include "ui/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace ui {

DialogButtons MakeDialogButtons(QDialog& dialog, Qt::Orientation orientation,
                                std::function<void()> help)
{
    DialogButtons b;
    b.ok = new QPushButton(QStringLiteral("OK"), &dialog);
    b.ok->setObjectName(QStringLiteral("OKBtn"));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    b.cancel->setObjectName(QStringLiteral("CancelBtn"));
    b.help = new QPushButton(QStringLiteral("ヘルプ"), &dialog);
    b.help->setObjectName(QStringLiteral("HelpBtn"));
    const bool column = orientation == Qt::Vertical;
    b.layout = column ? static_cast<QBoxLayout*>(new QVBoxLayout)
                      : static_cast<QBoxLayout*>(new QHBoxLayout);
    if (!column)
        b.layout->addStretch(1);
    for (QPushButton* button : {b.ok, b.cancel, b.help})
        b.layout->addWidget(button);
    if (column)
        b.layout->addStretch(1);
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(b.help, &QPushButton::clicked, &dialog, std::move(help));
    return b;
}

} // namespace ui
