#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>

/// Chooses printing into the PDF file in Qt's print dialog, as a user picks the last
/// entry of the printer list, when this desktop has print queues of its own.
inline void ChoosePrintFile(QPrintDialog* d, const QString& pdf)
{
    auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
    if (!printers || printers->count() < 2)
        return;
    printers->setCurrentIndex(printers->count() - 1);
    if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("filename")))
        name->setText(pdf);
}
