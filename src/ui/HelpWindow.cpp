#include "ui/HelpWindow.h"

#include "ui/HelpTopics.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTextDocument>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace ui {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    resize(680, 540);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    layout->addWidget(bar);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    QFile style(QStringLiteral(":/help/style.css"));
    if (style.open(QIODevice::ReadOnly))
        m_browser->document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));
    layout->addWidget(m_browser);

    QAction* back = bar->addAction(QStringLiteral("戻る(&B)"), m_browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("進む(&F)"), m_browser,
                                      &QTextBrowser::forward);
    bar->addAction(QStringLiteral("目次(&C)"), this, [this] { showTopic(helpContentsUrl()); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Mavixのヘルプ")
                                       : QStringLiteral("Mavixのヘルプ - ") + title);
    });
    setWindowTitle(QStringLiteral("Mavixのヘルプ"));
}

QRect HelpWindowGeometry(const QRect& available, const QRect& owner, QSize wanted)
{
    // Room for the window manager's title bar above the window and its border around it.
    constexpr int Title = 32;
    constexpr int Border = 8;
    const QSize size = wanted.boundedTo(available.size() - QSize(2 * Border, Title + Border));
    QPoint p = owner.isValid() ? owner.topLeft() + QPoint(40, 40) : available.center()
                                                                        - QPoint(size.width(),
                                                                                 size.height())
                                                                              / 2;
    p.setX(std::clamp(p.x(), available.left() + Border,
                      available.right() + 1 - Border - size.width()));
    p.setY(std::clamp(p.y(), available.top() + Title,
                      available.bottom() + 1 - Border - size.height()));
    return QRect(p, size);
}

void HelpWindow::showTopic(const QUrl& url)
{
    m_browser->setSource(url);
    if (!m_placed) {
        // The first time, the window opens near the window that asked, inside its screen.
        m_placed = true;
        const QWidget* owner = QApplication::activeWindow();
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            setGeometry(HelpWindowGeometry(screen->availableGeometry(),
                                           owner ? owner->frameGeometry() : QRect(), size()));
    }
    show();
    raise();
    activateWindow();
}

QtHelp::QtHelp() = default;
QtHelp::~QtHelp() = default;

HelpWindow& QtHelp::ensureWindow()
{
    if (!m_window)
        m_window = std::make_unique<HelpWindow>();
    return *m_window;
}

void QtHelp::showContents()
{
    ensureWindow().showTopic(helpContentsUrl());
}

void QtHelp::showKeyword(const QString& keyword)
{
    ensureWindow().showTopic(helpKeywordUrl(keyword));
}

void QtHelp::showContext(int context)
{
    ensureWindow().showTopic(helpContextUrl(context));
}

void QtHelp::close()
{
    if (m_window)
        m_window->close();
}

} // namespace ui
