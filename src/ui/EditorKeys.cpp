// The editor's side of the main window: key events of Ed and lsWord, and the window's part
// of the typing and pick-list modes.
#include "ui/TF.h"

#include "ui/EditorLine.h"

#include <QLabel>
#include <QListWidget>

namespace ui {

// FIXME: the key table of the editor and the pick list is not wired yet; every key goes to
// the line edit as it is.
bool TF::EdKeyDown(QKeyEvent*)
{
    return false;
}

bool TF::EdKeyPress(QKeyEvent*)
{
    return false;
}

void TF::EdInputMethod(QInputMethodEvent*) {}

bool TF::lsWordKeyDown(QKeyEvent*)
{
    return false;
}

void TF::lsWordExit() {}

// FIXME: typing mode does not yet bring Ed in front or disable the menus and buttons.
void TF::setTypingMode(bool on)
{
    if (!on) {
        lblMode->hide();
        Ed->clear();
        Ed->lower();
    }
}

void TF::setPickListMode(bool on)
{
    if (!on) {
        lblMode->hide();
        lsWord->hide();
        Ed->setFocus();
    }
}

QString TF::editorText() const
{
    return Ed->text();
}

void TF::setEditorText(const QString& text)
{
    Ed->setText(text);
}

} // namespace ui
