#include "ui/TF.h"

#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "files/FileCommands.h"
#include "platform/Help.h"
#include "settings/Settings.h"
#include "settings/Settings.h"
#include "ui/EditorLine.h"
#include "ui/GridDelegate.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace ui {

namespace {

/// A window-system activation this soon after a modal box returned belongs to that return.
constexpr int ModalActivationWindowMs = 500;

/// Holds the grid and lays it over the whole client area; Ed, lsWord and lblMode are placed
/// by hand on top of (or, for Ed while idle, behind) it.
class GridArea : public QWidget {
public:
    using QWidget::QWidget;
    QWidget* grid = nullptr;

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (grid)
            grid->setGeometry(rect());
    }
};

} // namespace

TF::TF(platform::Services services, StartupOptions options, QWidget* parent)
    : QMainWindow(parent)
    , m_options(std::move(options))
{
    services.ui = this;
    m_app = std::make_unique<App>(services);
    FormCreate();
}

TF::~TF()
{
    // The grid reads App until it is gone; App is a member and dies before the widgets.
    m_closing = true;
    delete takeCentralWidget();
    delete m_model;
}

QTableView* TF::grid() const
{
    return G;
}

void TF::FormCreate()
{
    QMainWindow::setWindowTitle(QStringLiteral("Mavix"));
    m_app->FirstActivationDone = false;
    StartMinimized = false;
    HideOnMinimize = false;
    switch (m_options.show) {
    case ShowCommand::Minimized: StartMinimized = true; break;
    case ShowCommand::Hidden:
        StartMinimized = true;
        HideOnMinimize = true;
        break;
    case ShowCommand::Maximized:
    case ShowCommand::Normal: break;
    }
    m_app->ExtractBusy = false;
    resize(600, 360);
    move(0, 0);
    if (m_options.show == ShowCommand::Maximized)
        setWindowState(Qt::WindowMaximized);
    createComponents();
    createCommands();
    settings::UserSettings& user = m_app->settings;
    user.windowState = m_options.show == ShowCommand::Maximized
        ? settings::WindowState::Maximized
        : settings::WindowState::Normal;
    if (const QScreen* shown = screen())
        user.screenSize = shown->size();
    settings::LoadSettings(*m_app);
    // The grid font and the toolbar choice take effect at the first activation.
    if (user.windowState != settings::WindowState::Maximized) {
        move(user.windowGeometry.topLeft());
        resize(user.windowGeometry.size());
    }
    Ed->lower();
    if (StartMinimized)
        tmrHide->start();
}

void TF::createComponents()
{
    auto* area = new GridArea(this);
    setCentralWidget(area);

    G = new GridView(*this, area);
    G->setObjectName(QStringLiteral("G"));
    area->grid = G;
    m_model = new GridModel(*m_app, this);
    G->setModel(m_model);
    m_delegate = new GridDelegate(*m_app, G);
    G->setItemDelegate(m_delegate);

    Ed = new EditorLine(*this, area);
    Ed->setObjectName(QStringLiteral("Ed"));
    Ed->setFrame(false);

    lsWord = new QListWidget(area);
    lsWord->setObjectName(QStringLiteral("lsWord"));
    // The items come sorted by the Japanese collation; the widget keeps that order.
    lsWord->setSortingEnabled(false);
    lsWord->setFrameShape(QFrame::NoFrame);
    lsWord->setUniformItemSizes(true);
    // Long texts are cut at the list's edge, as in the grid, not shortened with an ellipsis.
    lsWord->setTextElideMode(Qt::ElideNone);
    lsWord->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lsWord->installEventFilter(this);
    lsWord->hide();

    lblMode = new QLabel(QStringLiteral(" 入力中 "), area);
    lblMode->setObjectName(QStringLiteral("lblMode"));
    lblMode->setAlignment(Qt::AlignCenter);
    lblMode->setFrameShape(QFrame::Box);
    lblMode->setAutoFillBackground(true);
    QPalette modePalette = lblMode->palette();
    modePalette.setColor(QPalette::Window, Qt::yellow);
    modePalette.setColor(QPalette::WindowText, Qt::black);
    lblMode->setPalette(modePalette);
    lblMode->adjustSize();
    lblMode->move(0, 0);
    lblMode->hide();

    statusBar()->setObjectName(QStringLiteral("Info"));
    m_panel0 = new QLabel(this);
    m_panel0->setObjectName(QStringLiteral("Info.Panel0"));
    m_panel1 = new QLabel(this);
    m_panel1->setObjectName(QStringLiteral("Info.Panel1"));
    for (QLabel* panel : {m_panel0, m_panel1})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(m_panel0);
    statusBar()->addWidget(m_panel1, 1);
    setPanelWidth();

    tmrWakeup = new QTimer(this);
    tmrWakeup->setObjectName(QStringLiteral("tmrWakeup"));
    tmrHide = new QTimer(this);
    tmrHide->setObjectName(QStringLiteral("tmrHide"));
    for (QTimer* timer : {tmrWakeup, tmrHide}) {
        timer->setInterval(100);
        timer->setSingleShot(true);
    }
    connect(tmrWakeup, &QTimer::timeout, this, &TF::tmrWakeupTimer);
    connect(tmrHide, &QTimer::timeout, this, &TF::tmrHideTimer);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                // Switching to the program brings a window hidden by minimizing back.
                if (state == Qt::ApplicationActive && HideOnMinimize && m_hiddenByMinimize) {
                    m_hiddenByMinimize = false;
                    showNormal();
                    activateWindow();
                }
            });
    connectGrid();
}

void TF::loadSettings()
{
    settings::UserSettings& s = m_app->settings;
    s.windowState = m_options.show == ShowCommand::Maximized ? settings::WindowState::Maximized
                    : StartMinimized                         ? settings::WindowState::Minimized
                                                             : settings::WindowState::Normal;
    if (const QScreen* screen = this->screen())
        s.screenSize = screen->size();
    settings::LoadSettings(*m_app);
    if (s.windowState != settings::WindowState::Maximized) {
        move(s.windowGeometry.topLeft());
        resize(s.windowGeometry.size());
    }
}

void TF::saveSettings()
{
    settings::UserSettings& s = m_app->settings;
    s.windowState = isMaximized()   ? settings::WindowState::Maximized
                    : isMinimized() ? settings::WindowState::Minimized
                                    : settings::WindowState::Normal;
    if (s.windowState == settings::WindowState::Normal)
        s.windowGeometry = QRect(x(), y(), width(), height());
    settings::SaveSettings(*m_app);
}

void TF::FormActivate()
{
    App& app = *m_app;
    const bool first = !app.FirstActivationDone;
    if (first)
        core::ResetSheetState(app);
    ApplyToolbarButtons();
    ApplyGridDesign(app.settings.GridStyle);
    setPanelWidth();
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("Mavix  Version 4.00"));
    Ed->setFocus();
    if (first && !m_options.arguments.isEmpty())
        tmrWakeup->start();
    app.FirstActivationDone = true;
    if (first)
        G->viewport()->update();
}

void TF::modalReturned()
{
    FormActivate();
    m_modalReturn.start();
}

void TF::tmrWakeupTimer()
{
    tmrWakeup->stop();
    App& app = *m_app;
    if (m_options.arguments.isEmpty())
        return;
    files::OpenStartupFile(app, m_options.arguments[0],
                           m_options.arguments.size() > 1 ? m_options.arguments[1] : QString());
}

void TF::tmrHideTimer()
{
    tmrHide->stop();
    if (HideOnMinimize) {
        m_hiddenByMinimize = true;
        hide();
    } else {
        showMinimized();
    }
}

bool TF::FormCloseQuery()
{
    App& app = *m_app;
    if (app.sheet.Modified) {
        platform::Message question;
        question.icon = platform::Icon::Question;
        question.caption = QStringLiteral("Mavixの終了");
        question.text = QStringLiteral("データが変更されていますが\r\n保存して終了しますか？");
        question.buttons = platform::Buttons::YesNoCancel;
        question.buttonTexts = {QStringLiteral("保存(&S)"), QStringLiteral("破棄(&D)"),
                                QStringLiteral("キャンセル")};
        switch (message(question)) {
        case platform::Answer::Yes:
            if (!files::SaveCommand(app, false))
                return false;
            break;
        case platform::Answer::No: break;
        default: return false;
        }
    }
    settings::UserSettings& user = app.settings;
    if (windowState() & Qt::WindowMaximized) {
        user.windowState = settings::WindowState::Maximized;
    } else if ((windowState() & Qt::WindowMinimized) || m_hiddenByMinimize) {
        user.windowState = settings::WindowState::Minimized;
    } else {
        user.windowState = settings::WindowState::Normal;
        user.windowGeometry = QRect(pos(), size());
    }
    settings::SaveSettings(app);
    app.help().close();
    return true;
}

bool TF::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_closing) {
        const bool echo = m_modalReturn.isValid()
            && m_modalReturn.elapsed() < ModalActivationWindowMs;
        m_modalReturn.invalidate();
        if (!echo)
            FormActivate();
    }
    return QMainWindow::event(event);
}

void TF::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The first activation must happen even when the window system never activates the
    // window (started minimized, or no window manager).
    if (!m_app->FirstActivationDone)
        FormActivate();
}

void TF::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
}

void TF::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && HideOnMinimize
        && (windowState() & Qt::WindowMinimized) && isVisible()) {
        m_hiddenByMinimize = true;
        QTimer::singleShot(0, this, [this] { hide(); });
    }
}

void TF::wheelEvent(QWheelEvent* event)
{
    scrollByWheel(event);
}

bool TF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lsWord) {
        if (event->type() == QEvent::KeyPress && lsWordKeyDown(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusOut)
            lsWordExit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TF::setPanelWidth()
{
    const int height = QFontInfo(statusBar()->font()).pixelSize();
    m_panel0->setFixedWidth(4 * height);
}

void TF::resetStatusBarHeight()
{
    const int height = QFontInfo(statusBar()->font()).pixelSize();
    // Halves round to even, as the nearest-integer rounding of the platform does.
    statusBar()->setFixedHeight(int(std::nearbyint(height * 1.5)) + 4);
}

} // namespace ui
