#include "ui/TF.h"

#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableView>

namespace ui {

TF::TF(platform::Services services, QWidget* parent)
    : QMainWindow(parent)
{
    services.ui = this;
    m_app = std::make_unique<App>(services);
    QMainWindow::setWindowTitle(QStringLiteral("Mavix"));
    setGeometry(0, 0, 600, 360);

    G = new QTableView(this);
    m_model = new GridModel(*m_app, this);
    G->setModel(m_model);
    G->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(G);

    m_cellPanel = new QLabel(this);
    m_messagePanel = new QLabel(this);
    statusBar()->addWidget(m_cellPanel);
    statusBar()->addWidget(m_messagePanel, 1);

    core::ResetSheetState(*m_app);
    m_app->FirstActivationDone = true;
    core::ShowCellName(*m_app);
    showStatus(QStringLiteral("Mavix  Version 4.00"));
}

TF::~TF() = default;

platform::Answer TF::message(const platform::Message& message)
{
    QMessageBox box(this);
    box.setWindowTitle(message.caption.isEmpty() ? QStringLiteral("Mavix") : message.caption);
    box.setText(message.text);
    switch (message.icon) {
    case platform::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case platform::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case platform::Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case platform::Icon::Question: box.setIcon(QMessageBox::Question); break;
    case platform::Icon::None: break;
    }
    switch (message.buttons) {
    case platform::Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case platform::Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case platform::Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case platform::Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case platform::Buttons::YesCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return platform::Answer::Ok;
    case QMessageBox::Yes: return platform::Answer::Yes;
    case QMessageBox::No: return platform::Answer::No;
    default: return platform::Answer::Cancel;
    }
}

void TF::showStatus(const QString& text)
{
    m_messagePanel->setText(text);
}

void TF::showCellNamePanel(const QString& text)
{
    m_cellPanel->setText(text);
}

void TF::setBusy(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TF::processEvents()
{
    QCoreApplication::processEvents();
}

void TF::beep()
{
    QApplication::beep();
}

void TF::gridChanged(platform::GridChange change)
{
    if (!m_model)
        return;
    switch (change) {
    case platform::GridChange::Layout:
        m_model->resetLayout();
        applyLayout();
        break;
    case platform::GridChange::Cells: m_model->refreshCells(); break;
    case platform::GridChange::CurrentCell: break;
    }
}

void TF::setUndoCaption(const QString&) {}

void TF::setWindowTitle(const QString& title)
{
    QMainWindow::setWindowTitle(title);
}

void TF::setPrintAreaIndicator(bool) {}

void TF::resetStatusBarHeight() {}

void TF::setRecentFiles(const QStringList&) {}

void TF::setTypingMode(bool) {}

void TF::setPickListMode(bool) {}

QString TF::editorText() const
{
    return {};
}

void TF::setEditorText(const QString&) {}

void TF::applyLayout()
{
    const core::GridState& grid = m_app->grid;
    platform::FontSpec spec = m_app->settings.gridFont;
    spec.size = m_app->sheet.FontSize;
    const QFont font = platform::GridQFont(spec);
    G->setFont(font);
    G->horizontalHeader()->setFont(font);
    G->verticalHeader()->setFont(font);
    G->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    G->verticalHeader()->setDefaultSectionSize(grid.rowHeight);
    G->verticalHeader()->setMinimumSectionSize(1);
    G->verticalHeader()->setFixedWidth(grid.colWidths[0]);
    G->horizontalHeader()->setDefaultSectionSize(grid.defaultColWidth);
    for (int c = 1; c <= core::MaxCols; ++c)
        G->setColumnWidth(c - 1, grid.colWidths[std::size_t(c)]);
}

} // namespace ui
