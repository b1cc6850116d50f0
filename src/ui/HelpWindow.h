#pragma once

#include "platform/Help.h"

#include <QWidget>
#include <memory>

class QTextBrowser;

namespace ui {

/// Where the help window opens the first time: a little below and to the right of the
/// window that asked (or centred without one), `wanted` as far as it fits, wholly inside the
/// screen's available area with room for the window frame.
QRect HelpWindowGeometry(const QRect& available, const QRect& owner, QSize wanted);

/// The program's help window: the HTML topics shipped with the program in a text browser,
/// with back, forward and contents.
class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showTopic(const QUrl& url);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
    bool m_placed = false;
};

/// platform::Help over the program's help window; the window is made on first use.
class QtHelp : public platform::Help {
public:
    QtHelp();
    ~QtHelp() override;
    void showContents() override;
    void showKeyword(const QString& keyword) override;
    void showContext(int context) override;
    void close() override;
    /// nullptr until a topic was shown.
    HelpWindow* window() const { return m_window.get(); }

private:
    HelpWindow& ensureWindow();
    std::unique_ptr<HelpWindow> m_window;
};

} // namespace ui
