// Menus, popup menu and toolbar of the main window, built from the one command table.
#include "ui/TF.h"

#include "ui/ToolIcons.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace ui {

namespace {

constexpr int ButtonWidth = 31;
constexpr int ButtonHeight = 30;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void TF::createCommands()
{
    menuBar()->setObjectName(QStringLiteral("Menu"));
    for (MenuId id : {MenuId::File, MenuId::Edit, MenuId::Data, MenuId::Set, MenuId::Help}) {
        QMenu* menu = menuBar()->addMenu(text(commands::MenuCaption(id)));
        menu->setObjectName(text(commands::MenuName(id)));
        connect(menu, &QMenu::aboutToShow, this, &TF::refreshCommands);
        m_menus[std::size_t(id)] = menu;
    }
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar->toggleViewAction()->setVisible(false);

    connect(PopupMenu1, &QMenu::aboutToShow, this, &TF::refreshCommands);
    for (const CommandEntry& entry : commands::CommandTable()) {
        if (entry.menu != MenuId::None)
            addCommand(entry, m_menus[std::size_t(entry.menu)]);
        if (entry.popupName) {
            if (entry.separators & commands::PopupSeparator)
                PopupMenu1->addSeparator();
            QAction* action = PopupMenu1->addAction(
                text(entry.popupCaption ? entry.popupCaption : entry.caption));
            action->setObjectName(text(entry.popupName));
            connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
            m_popupActions[std::size_t(entry.id)] = action;
        }
        if (entry.button)
            addButton(entry);
    }
    setPrintAreaIndicator(false);
    setRecentFiles({});
    refreshCommands();
}

void TF::addCommand(const CommandEntry& entry, QMenu* menu)
{
    if (entry.separators & commands::MenuSeparator) {
        QAction* separator = menu->addSeparator();
        if (entry.id == CommandId::Exit) {
            separator->setObjectName(QStringLiteral("mnuFilesSep"));
            mnuFilesSep = separator;
        }
    }
    QAction* action = menu->addAction(text(entry.caption));
    action->setObjectName(text(entry.name));
    if (entry.shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    if (entry.id == CommandId::PrintArea)
        action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
    m_menuActions[std::size_t(entry.id)] = action;
}

void TF::addButton(const CommandEntry& entry)
{
    if (entry.separators & commands::ToolSeparator)
        ToolBar->addSeparator();
    auto* action = new QAction(ToolIcon(entry.button), text(entry.toolTip), this);
    action->setObjectName(QStringLiteral("btP") + QString::number(entry.button));
    action->setToolTip(text(entry.toolTip));
    if (entry.id == CommandId::PasteClipboard)
        action->setVisible(false);
    else
        connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
    ToolBar->addAction(action);
    if (QWidget* widget = ToolBar->widgetForAction(action)) {
        widget->setObjectName(action->objectName());
        widget->setFixedSize(ButtonWidth, ButtonHeight);
    }
    m_buttonActions[std::size_t(entry.id)] = action;
}

QAction* TF::buttonAction(int n) const
{
    for (const CommandEntry& entry : commands::CommandTable())
        if (entry.button == n)
            return m_buttonActions[std::size_t(entry.id)];
    return nullptr;
}

QToolButton* TF::toolButton(int n) const
{
    QAction* action = buttonAction(n);
    return action ? qobject_cast<QToolButton*>(ToolBar->widgetForAction(action)) : nullptr;
}

void TF::ApplyToolbarButtons()
{
    const auto& visible = m_app.settings.ButtonVisible;
    for (int n = 1; n <= settings::ToolButtons; ++n)
        if (n != 15)
            if (QAction* action = buttonAction(n))
                action->setVisible(visible[std::size_t(n)] == 1);
}

void TF::setPrintAreaIndicator(bool on)
{
    if (QAction* button = buttonAction(7))
        button->setIcon(ToolIcon(7, !on));
    QAction* item = menuAction(CommandId::PrintArea);
    item->setChecked(on);
    item->setIcon(on ? ToolIcon(7) : QIcon());
}

void TF::setUndoCaption(const QString& caption)
{
    menuAction(CommandId::Undo)->setText(caption);
}

void TF::setRecentFiles(const QStringList& paths)
{
    for (int n = 0; n < 10; ++n) {
        QAction* item = menuAction(CommandId(int(CommandId::Recent0) + n));
        if (n < paths.size()) {
            QString path = paths[n];
            // An ampersand in a path is part of the name, not a mnemonic.
            path.replace(u'&', QStringLiteral("&&"));
            item->setText(u'&' + QString::number(n) + u' ' + path);
            item->setVisible(true);
        } else {
            item->setText(u'&' + QString::number(n));
            item->setVisible(false);
        }
    }
    mnuFilesSep->setVisible(!paths.isEmpty());
    refreshCommands();
}

} // namespace ui
