#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace ui {

/// A titled group of radio buttons in a number of columns, filled column by column; its
/// choice is the index of the checked item.
class RadioGroup : public QGroupBox {
public:
    RadioGroup(const QString& title, int columns, const QStringList& items, QWidget* parent);

    /// Replaces the items; no item is checked afterwards.
    void setItems(const QStringList& items);
    QStringList items() const;
    int count() const { return int(m_buttons.size()); }
    QRadioButton* button(int i) const { return m_buttons[i]; }
    /// -1 when no item is checked.
    int index() const;
    void setIndex(int i);
    /// The group whose idClicked tells the index the user chose.
    QButtonGroup* buttons() const { return m_group; }

private:
    int m_columns;
    QGridLayout* m_grid;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
};

} // namespace ui
