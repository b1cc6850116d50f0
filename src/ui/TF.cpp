#include "ui/TF.h"

#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "commands/Commands.h"
#include "core/Busy.h"
#include "files/FileCommands.h"
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

TF::TF(App& app, StartupOptions options, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_options(std::move(options))
{
    m_app.services.ui = this;
    FormCreate();
}

TF::~TF()
{
    m_closing = true;
    setBusyCursor(false);
    // The App outlives the window, but must not reach it once it is gone.
    if (m_app.services.ui == this)
        m_app.services.ui = nullptr;
}

QTableView* TF::grid() const
{
    return G;
}

void TF::FormCreate()
{
    QMainWindow::setWindowTitle(QStringLiteral("Mavix"));
    m_app.FirstActivationDone = false;
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
    resize(600, 360);
    move(0, 0);
    if (m_options.show == ShowCommand::Maximized)
        setWindowState(Qt::WindowMaximized);
    createComponents();
    createCommands();
    settings::UserSettings& user = m_app.settings;
    user.windowState = m_options.show == ShowCommand::Maximized
        ? settings::WindowState::Maximized
        : settings::WindowState::Normal;
    if (const QScreen* shown = screen())
        user.screenSize = shown->size();
    settings::LoadSettings(m_app);
    // The grid font and the toolbar choice take effect at the first activation.
    if (user.windowState != settings::WindowState::Maximized) {
        move(cascadedPosition(user.windowGeometry.topLeft()));
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
    m_model = new GridModel(m_app, this);
    G->setModel(m_model);
    m_delegate = new GridDelegate(m_app, G);
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

void TF::FormActivate()
{
    App& app = m_app;
    const bool first = !app.FirstActivationDone;
    if (first)
        core::ResetSheetState(app);
    ApplyToolbarButtons();
    ApplyGridDesign(app.settings.GridStyle);
    setPanelWidth();
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("Mavix  Version 4.00"));
    refreshCommands();
    Ed->setFocus();
    if (first && !m_options.arguments.isEmpty())
        tmrWakeup->start();
    app.FirstActivationDone = true;
    if (first)
        G->viewport()->update();
}

void TF::modalReturned()
{
    // Some window managers leave the keyboard nowhere when a dialog over a dialog closes.
    if (isVisible() && !isMinimized()) {
        raise();
        activateWindow();
    }
    FormActivate();
    m_modalReturn.start();
}

void TF::tmrWakeupTimer()
{
    tmrWakeup->stop();
    App& app = m_app;
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
    settings::UserSettings& user = m_app.settings;
    if (windowState() & Qt::WindowMaximized) {
        user.windowState = settings::WindowState::Maximized;
    } else if ((windowState() & Qt::WindowMinimized) || m_hiddenByMinimize) {
        user.windowState = settings::WindowState::Minimized;
    } else {
        user.windowState = settings::WindowState::Normal;
        user.windowGeometry = QRect(pos(), size());
    }
    return commands::CloseQuery(m_app);
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
    if (!m_app.FirstActivationDone)
        FormActivate();
}

void TF::closeEvent(QCloseEvent* event)
{
    // A long loop is changing the sheet: the close question comes when it has ended.
    if (core::IsBusy(m_app)) {
        m_closeDeferred = true;
        core::ShowStatus(m_app, QStringLiteral("処理が終わってから終了します."));
        event->ignore();
        return;
    }
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

QPoint TF::cascadedPosition(QPoint position) const
{
    const QScreen* shown = screen();
    if (!shown)
        return position;
    return CascadedPosition(position, m_options.instance, shown->availableGeometry(),
                            m_app.settings.windowGeometry.size());
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
