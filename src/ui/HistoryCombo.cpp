#include "ui/HistoryCombo.h"

#include <QKeyEvent>

namespace ui {

HistoryCombo::HistoryCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Texts are compared exactly; the completer would finish a text with another's case.
    setCompleter(nullptr);
    setMaxVisibleItems(20);
}

void HistoryCombo::setHistory(const QStringList& items)
{
    const QString text = currentText();
    clear();
    addItems(items);
    setEditText(text);
}

QStringList HistoryCombo::history() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    return items;
}

void HistoryCombo::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Up || key == Qt::Key_Down)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        showPopup();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace ui
