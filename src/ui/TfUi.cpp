// The main window as the commands' platform::Ui: message boxes, status bar, busy cursor.
#include "ui/TF.h"

#include "commands/Commands.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "ui/GridDelegate.h"
#include "ui/GridFontDialog.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/TfAbout.h"
#include "ui/TfAdd.h"
#include "ui/TfCName.h"
#include "ui/TfColSet.h"
#include "ui/TfClr.h"
#include "ui/TfGset.h"
#include "ui/TfLay.h"
#include "ui/TfRows.h"
#include "ui/TfSrchFl.h"
#include "ui/TfLine.h"
#include "ui/TfPrint.h"
#include "ui/TfPviw.h"
#include "platform/qt/QtPrinter.h"
#include "ui/TfRep.h"
#include "ui/TfSort.h"
#include "ui/TfSrch.h"
#include "ui/TfSysSet.h"
#include "ui/TfTip.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

namespace ui {

namespace {

QMessageBox::Icon boxIcon(platform::Icon icon)
{
    switch (icon) {
    case platform::Icon::Information: return QMessageBox::Information;
    case platform::Icon::Warning: return QMessageBox::Warning;
    case platform::Icon::Error: return QMessageBox::Critical;
    case platform::Icon::Question: return QMessageBox::Question;
    case platform::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

/// The buttons of a set, in their order (the first is the default).
QList<QMessageBox::StandardButton> boxButtons(platform::Buttons buttons)
{
    switch (buttons) {
    case platform::Buttons::Ok: return {QMessageBox::Ok};
    case platform::Buttons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case platform::Buttons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case platform::Buttons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case platform::Buttons::YesCancel: return {QMessageBox::Yes, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok};
}

platform::Answer boxAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return platform::Answer::Ok;
    case QMessageBox::Yes: return platform::Answer::Yes;
    case QMessageBox::No: return platform::Answer::No;
    default: return platform::Answer::Cancel;
    }
}

} // namespace

platform::Answer TF::message(const platform::Message& message)
{
    QMessageBox box(this);
    box.setObjectName(QStringLiteral("MessageBox"));
    platform::SetDialogFlags(box);
    box.setWindowTitle(message.caption.isEmpty() ? QStringLiteral("Mavix") : message.caption);
    // Messages carry Windows line breaks; a label breaks at \n alone.
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(boxIcon(message.icon));
    const QList<QMessageBox::StandardButton> buttons = boxButtons(message.buttons);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(buttons[i]);
        if (i < message.buttonTexts.size())
            button->setText(message.buttonTexts[i]);
        if (i == 0)
            box.setDefaultButton(button);
    }
    if (message.helpContext != 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        // Help opens the topic and keeps the box open.
        disconnect(help, &QPushButton::clicked, nullptr, nullptr);
        const int context = message.helpContext;
        connect(help, &QPushButton::clicked, this, [this, context] {
            m_app.help().showContext(context);
        });
    }
    // A box shown during a long loop is answered with the normal cursor.
    const bool busyCursor = m_busyCursor;
    setBusyCursor(false);
    box.exec();
    setBusyCursor(busyCursor);
    const auto clicked = box.standardButton(box.clickedButton());
    // A box over one of the dialogs returns to that dialog; the window stays behind it.
    if (!QApplication::activeModalWidget())
        modalReturned();
    if (box.clickedButton() == nullptr)
        return buttons.contains(QMessageBox::Cancel) ? platform::Answer::Cancel
                                                     : boxAnswer(buttons.last());
    return boxAnswer(clicked);
}

void TF::showStatus(const QString& text)
{
    // The panel is one line high: a message of two lines reads on in one.
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    m_panel1->setText(line);
}

void TF::showCellNamePanel(const QString& text)
{
    m_panel0->setText(text);
}

bool TF::askInsertDialog(edit::InsertDialogState& state)
{
    const bool ok = tfAdd()->ask(state);
    modalReturned();
    return ok;
}

std::optional<platform::FontSpec> TF::askGridFont(const platform::FontSpec& current)
{
    const QFont initial = gridFont();
    const QFontInfo shown(initial);
    GridFontDialog dialog(initial, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    modalReturned();
    if (!ok)
        return std::nullopt;
    const QFont picked = dialog.selectedFont();
    if (picked.family() == shown.family() && picked.pointSize() == shown.pointSize()
        && picked.bold() == current.bold && picked.italic() == current.italic)
        return current;
    platform::FontSpec chosen;
    // The dialog shows the family the stored name resolves to; that family keeps the name.
    chosen.name = picked.family() == shown.family() ? current.name : picked.family();
    chosen.size = picked.pointSize();
    chosen.bold = picked.bold();
    chosen.italic = picked.italic();
    return chosen;
}

bool TF::askSearchDialog(tools::SearchDialogState& state, QStringList& history)
{
    const bool ok = tfSrch()->ask(state, history);
    modalReturned();
    return ok;
}

void TF::showReplaceDialog(tools::ReplaceDialogState& state)
{
    tfRep()->showModal(state);
    modalReturned();
}

bool TF::askSortDialog(tools::SortDialogState& state)
{
    const bool ok = tfSort()->ask(state);
    modalReturned();
    return ok;
}

bool TF::askHeadingDialog(tools::HeadingDialogState& state)
{
    const bool ok = tfCName()->ask(state);
    modalReturned();
    return ok;
}

bool TF::askColumnFormatDialog(tools::ColumnFormatDialogState& state)
{
    const bool ok = tfColSet()->ask(state);
    modalReturned();
    return ok;
}

bool TF::askLineDialog(print::LineDialogState& state)
{
    const bool ok = tfLine()->ask(state);
    modalReturned();
    return ok;
}

platform::LayoutAnswer TF::askPageLayout(print::PageLayout& layout, bool canPrint)
{
    const platform::LayoutAnswer answer = tfLay()->ask(layout, canPrint);
    modalReturned();
    return answer;
}

bool TF::askClearDialog(edit::ClearDialogState& state)
{
    if (!m_tfClr)
        m_tfClr = new TfClr(m_app, this);
    const bool ok = m_tfClr->ask(state);
    modalReturned();
    return ok;
}

bool TF::askToolbarEditor(settings::ToolbarEditorState& state)
{
    const bool ok = tfTip()->ask(state);
    modalReturned();
    return ok;
}

bool TF::askRowCount(int& rows)
{
    if (!m_tfRows)
        m_tfRows = new TfRows(m_app, this);
    const bool ok = m_tfRows->ask(rows);
    modalReturned();
    return ok;
}

bool TF::askFileSearch(tools::FileSearchDialogState& state, QStringList& history)
{
    if (!m_tfSrchFl)
        m_tfSrchFl = new TfSrchFl(m_app, this);
    const bool ok = m_tfSrchFl->ask(state, history);
    modalReturned();
    return ok;
}

settings::SysSetClose TF::showSystemSettings(settings::SystemSettingsState& state)
{
    const settings::SysSetClose closedBy = tfSysSet()->showModal(state);
    modalReturned();
    return closedBy;
}

void TF::showAbout()
{
    tfAbout()->exec();
    modalReturned();
}

void TF::showGraphSettings(graph::GraphSettings& settings)
{
    tfGset()->ask(settings);
    modalReturned();
}

std::optional<bool> TF::askPrint(bool selection)
{
    auto* printer = dynamic_cast<platform::QtPrinter*>(&m_app.printer());
    if (!printer)
        return std::nullopt;
    QPrintDialog dialog(&printer->qprinter(), this);
    platform::SetDialogFlags(dialog);
    // All pages or the print area; no page numbers.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintSelection
                      | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setPrintRange(selection ? QAbstractPrintDialog::Selection
                                   : QAbstractPrintDialog::AllPages);
    const bool ok = dialog.exec() == QDialog::Accepted;
    modalReturned();
    if (!ok)
        return std::nullopt;
    return dialog.printRange() == QAbstractPrintDialog::Selection;
}

void TF::showPrintProgress(bool shown)
{
    if (!m_tfPrint)
        m_tfPrint = new TfPrint(m_app, this);
    if (shown) {
        m_tfPrint->setProgress(QString());
        m_tfPrint->show();
        m_tfPrint->raise();
    } else {
        m_tfPrint->hide();
    }
}

void TF::setPrintProgress(const QString& text)
{
    if (m_tfPrint)
        m_tfPrint->setProgress(text);
}

void TF::showPreview()
{
    // The print button closes the preview; printing follows once it is gone.
    const bool print = TfPviw(m_app, this).run();
    modalReturned();
    if (print)
        commands::RunCommand(m_app, commands::CommandId::Print);
}

void TF::closeWindow()
{
    close();
}

void TF::setBusy(bool on)
{
    setBusyCursor(on);
    refreshCommands();
    if (!on && m_closeDeferred) {
        m_closeDeferred = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TF::setBusyCursor(bool on)
{
    if (on == m_busyCursor)
        return;
    m_busyCursor = on;
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
        if (m_model->rowCount() != m_app.sheet.SheetRows) {
            m_model->resetLayout();
            applyLayout();
            applyCurrentCell();
        } else {
            applyLayout();
        }
        break;
    case platform::GridChange::Cells:
        m_model->refreshCells();
        G->viewport()->update();
        break;
    case platform::GridChange::CurrentCell: applyCurrentCell(); break;
    }
}

void TF::setWindowTitle(const QString& title)
{
    QMainWindow::setWindowTitle(title);
}

} // namespace ui
