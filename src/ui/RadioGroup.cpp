#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& title, int columns, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent)
    , m_columns(columns)
    , m_grid(new QGridLayout(this))
    , m_group(new QButtonGroup(this))
{
    m_grid->setHorizontalSpacing(16);
    setItems(items);
}

void RadioGroup::setItems(const QStringList& items)
{
    for (QRadioButton* button : std::as_const(m_buttons))
        delete button;
    m_buttons.clear();
    const int perColumn = (int(items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        m_grid->addWidget(button, i % perColumn, i / perColumn);
        m_buttons.append(button);
    }
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const QRadioButton* button : m_buttons)
        texts.append(button->text());
    return texts;
}

int RadioGroup::index() const
{
    return m_group->checkedId();
}

void RadioGroup::setIndex(int i)
{
    if (i >= 0 && i < count())
        m_buttons[i]->setChecked(true);
}

} // namespace ui
