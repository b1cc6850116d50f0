#pragma once

#include <QLineEdit>

namespace ui {

class TF;

/// The in-place editor Ed. It keeps the keyboard focus, so every key of the sheet arrives
/// here first and goes to the window's EdKeyDown and EdKeyPress before the line edit sees it.
class EditorLine : public QLineEdit {
public:
    EditorLine(TF& window, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TF& m_window;
};

} // namespace ui
