#include "ui/EditorLine.h"

#include "ui/TF.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

namespace ui {

EditorLine::EditorLine(TF& window, QWidget* parent)
    : QLineEdit(parent)
    , m_window(window)
{
    setAttribute(Qt::WA_InputMethodEnabled);
}

bool EditorLine::event(QEvent* event)
{
    // While idle the line edit's own editing shortcuts (select all, undo, cut, paste) must
    // not hide the menu shortcuts Ctrl+A, Ctrl+Z, Shift+Delete and Shift+Insert.
    if (event->type() == QEvent::ShortcutOverride && m_window.app().InputMode == 0) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void EditorLine::keyPressEvent(QKeyEvent* event)
{
    if (m_window.EdKeyDown(event))
        return;
    if (!event->text().isEmpty() && m_window.EdKeyPress(event))
        return;
    QLineEdit::keyPressEvent(event);
}

void EditorLine::inputMethodEvent(QInputMethodEvent* event)
{
    // Text that could not start an entry (a long loop is running) goes nowhere.
    if (m_window.EdInputMethod(event))
        QLineEdit::inputMethodEvent(event);
}

} // namespace ui

namespace ui {

void EditorLine::contextMenuEvent(QContextMenuEvent* event)
{
    // While idle the editor stands for the grid: the menu key opens the grid's popup menu
    // at the current cell. While typing the line edit offers its own editing menu.
    if (m_window.app().InputMode == 0) {
        const core::GridState& grid = m_window.app().grid;
        QTableView* view = m_window.grid();
        const QRect cell = view->visualRect(view->model()->index(grid.row - 1, grid.col - 1));
        m_window.popupMenu()->popup(view->viewport()->mapToGlobal(cell.center()));
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

} // namespace ui
