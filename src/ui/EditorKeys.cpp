// The editor's side of the main window: key and input-method events of Ed, the pick list
// lsWord, and the window's part of the typing and pick-list modes.
#include "ui/TF.h"

#include "core/Display.h"
#include "edit/EditorKeys.h"
#include "edit/Entry.h"
#include "edit/PickList.h"
#include "ui/EditorLine.h"
#include "ui/GridView.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolBar>

namespace ui {

namespace {

const QColor TypingColor(0xff, 0xff, 0x00);   // yellow
const QColor PickListColor(0x00, 0xff, 0xff); // aqua

/// Whether a key's character starts an entry while idle: a character of code 32 or above
/// typed without Ctrl, Alt or Meta (those chords are shortcuts, and Delete's code 127 is
/// no character).
bool isEntryCharacter(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QChar ch = event->text().front();
    return ch.unicode() >= 32 && ch.unicode() != 127;
}

} // namespace

bool TF::EdKeyDown(QKeyEvent* event)
{
    App& app = m_app;
    // PgUp and PgDn page by the rows the view shows now.
    updateVisibleCounts();
    const edit::KeyResult res = edit::EdKeyDown(app, edit::KeyFromQt(event->key()),
                                                event->modifiers());
    if (res.placeEditor)
        PlaceEditor();
    if (res.openPickList)
        openPickList();
    if (res.listFocus != edit::ListFocus::None)
        focusPickList(edit::ListFocusIndex(res.listFocus, lsWord->count()));
    switch (res.command) {
    case edit::EditorCommand::None: break;
    case edit::EditorCommand::Copy: runCommand(CommandId::Copy); break;
    case edit::EditorCommand::Paste: runCommand(CommandId::Paste); break;
    }
    if (res.consumed)
        event->accept();
    return res.consumed;
}

bool TF::EdKeyPress(QKeyEvent* event)
{
    App& app = m_app;
    if (event->text().isEmpty())
        return false;
    if (app.InputMode == 0) {
        // The hidden editor stays empty while idle: what starts no entry is dropped.
        if (!isEntryCharacter(event))
            return true;
        edit::EdKeyPress(app, event->text().front());
        return app.InputMode == 0;
    }
    if (edit::EdKeyPress(app, event->text().front()))
        WidenEditor();
    // In pick-list mode the editor lies behind the grid; typed characters go nowhere.
    return app.InputMode == 2;
}

bool TF::EdInputMethod(QInputMethodEvent* event)
{
    App& app = m_app;
    if (event->preeditString().isEmpty() && event->commitString().isEmpty())
        return true;
    // Composition starts an entry just as a printable key does.
    if (app.InputMode == 0 && !edit::BeginTyping(app))
        return false;
    if (app.InputMode == 1)
        widenEditorFor(Ed->text() + event->commitString() + event->preeditString());
    return true;
}

bool TF::lsWordKeyDown(QKeyEvent* event)
{
    QString item;
    const QString* selected = nullptr;
    const QList<QListWidgetItem*> chosen = lsWord->selectedItems();
    if (!chosen.isEmpty()) {
        item = chosen.front()->text();
        selected = &item;
    }
    return edit::lsWordKeyDown(m_app, edit::KeyFromQt(event->key()), selected);
}

void TF::lsWordExit()
{
    edit::lsWordExit(m_app);
}

void TF::setTypingMode(bool on)
{
    if (on) {
        PlaceEditor();
        WidenEditor();
        setEditorMenusEnabled(false);
        showModeLabel(QStringLiteral(" 入力中 "), TypingColor);
        refreshCommands();
        Ed->raise();
        lblMode->raise();
        Ed->setFocus();
        return;
    }
    setEditorMenusEnabled(true);
    lblMode->hide();
    refreshCommands();
    Ed->lower();
    // Clearing an empty editor would still reset a composition that is just starting.
    if (!Ed->text().isEmpty())
        Ed->clear();
}

void TF::setPickListMode(bool on)
{
    if (on) {
        showModeLabel(QStringLiteral("リストから選択"), PickListColor);
        setEditorMenusEnabled(false);
        refreshCommands();
        return;
    }
    setEditorMenusEnabled(true);
    lblMode->hide();
    refreshCommands();
    Ed->setFocus();
    lsWord->hide();
}

QString TF::editorText() const
{
    return Ed->text();
}

void TF::setEditorText(const QString& text)
{
    // Setting the text resets the input method; an unchanged text must leave a composition
    // that has just begun alone.
    if (Ed->text() != text)
        Ed->setText(text);
}

void TF::WidenEditor()
{
    widenEditorFor(Ed->text());
}

void TF::widenEditorFor(const QString& text)
{
    const App& app = m_app;
    const edit::Rect current{Ed->x(), Ed->y(), Ed->width(), Ed->height()};
    // "+" stands for the character about to be inserted.
    const edit::Rect r = edit::WidenEditor(current, core::TextPixels(app, text + u'+'),
                                           core::TextPixels(app, QStringLiteral("1234567890")),
                                           centralWidget()->width());
    if (!(r == current))
        Ed->setGeometry(r.left, r.top, r.width, r.height);
}

void TF::setEditorMenusEnabled(bool on)
{
    for (MenuId id : {MenuId::File, MenuId::Edit, MenuId::Data, MenuId::Set})
        m_menus[std::size_t(id)]->menuAction()->setEnabled(on);
}

void TF::showModeLabel(const QString& text, const QColor& color)
{
    lblMode->setText(text);
    QPalette palette = lblMode->palette();
    palette.setColor(QPalette::Window, color);
    lblMode->setPalette(palette);
    lblMode->adjustSize();
    lblMode->move(0, 0);
    lblMode->show();
    lblMode->raise();
}

void TF::openPickList()
{
    App& app = m_app;
    const QRect cell = currentCellRect();
    const QRect inView(G->viewport()->mapTo(G, QPoint(0, 0)), G->viewport()->size());
    if (!cell.intersects(inView))
        return;
    const QStringList items = edit::OpenPickList(app);
    lsWord->hide();
    lsWord->clear();
    // A list box's items are as high as its font (the grid font); 15 pixels at the least.
    const int itemHeight = std::max(15, QFontMetrics(lsWord->font()).height());
    edit::PickListFrame frame;
    frame.gridLeft = G->x();
    frame.gridTop = G->y();
    frame.gridBottom = G->y() + G->height();
    frame.cell = edit::Rect{cell.x(), cell.y(), cell.width(), cell.height()};
    frame.itemHeight = itemHeight;
    const edit::PickListPlace place = edit::PickListGeometry(frame, int(items.size()));
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, lsWord);
        item->setSizeHint(QSize(place.rect.width, itemHeight));
    }
    lsWord->setVerticalScrollBarPolicy(place.scrollBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    lsWord->setGeometry(place.rect.left, place.rect.top, place.rect.width, place.rect.height);
    lsWord->show();
    lsWord->raise();
}

void TF::focusPickList(int index)
{
    if (index < 0 || index >= lsWord->count())
        return;
    lsWord->setFocus();
    lsWord->setCurrentRow(index);
}

} // namespace ui
