// Printing from the window into a PDF file: the system print dialog, the progress window
// and its abort button.
#include "DialogWindowFixture.h"
#include "PrintFile.h"
#include "platform/qt/QtPrinter.h"
#include "core/Busy.h"
#include "ui/TfPrint.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

class PrintWindowTest : public DialogWindowTest {
protected:
    PrintWindowTest()
        : DialogWindowTest(400)
    {
        printer.setPdfOutput(pdf);
        app().services.printer = &printer;
    }
    ~PrintWindowTest() override { app().services.printer = &fakes.printer; }

    QTemporaryDir dir;
    QString pdf = dir.filePath(u"out.pdf"_s);
    platform::QtPrinter printer;
};

TEST_F(PrintWindowTest, ThePrintDialogPrintsIntoTheFileAndSaysSo)
{
    for (int r = 1; r <= 3; ++r)
        put(1, r, entry(u"row"_s + QString::number(r)));
    sheet().PrintArea = core::CellBlock{1, 1, 2, 2};
    bool presetSelection = false;
    run(CommandId::Print, {in<QPrintDialog>([&](QPrintDialog* d) {
            presetSelection = d->printRange() == QAbstractPrintDialog::Selection;
            // All pages, as the user's click on its button in the options.
            if (auto* all = d->findChild<QRadioButton*>(u"printAll"_s))
                all->setChecked(true);
            ChoosePrintFile(d, pdf);
            d->accept();
        })});
    EXPECT_TRUE(presetSelection);
    EXPECT_EQ(window->findChild<QLabel*>(u"Info.Panel1"_s)->text(), u"印刷終了.");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    auto* progress = window->findChild<ui::TfPrint*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->lblPrt->text(), u"ページ 1 : A1～A3 を印刷中");
}

TEST_F(PrintWindowTest, TheAbortButtonStopsTheJob)
{
    for (int r = 1; r <= 400; ++r)
        put(1, r, entry(QString::number(r)));
    QString shown;
    QString aborting;
    // The progress window is up once the job runs: its button is pressed then.
    QTimer user;
    user.setInterval(1);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* progress = window->findChild<ui::TfPrint*>();
        if (!progress || !progress->isVisible() || progress->lblPrt->text().isEmpty())
            return;
        user.stop();
        shown = progress->lblPrt->text();
        progress->btnAbort->click();
        aborting = progress->lblPrt->text();
    });
    run(CommandId::Print,
        {in<QPrintDialog>([&](QPrintDialog* d) {
             user.start();
             ChoosePrintFile(d, pdf);
             d->accept();
         }),
         in<QMessageBox>([&](QMessageBox* box) {
             EXPECT_EQ(box->text(), u"印刷を中断しました.");
             box->accept();
         })});
    EXPECT_TRUE(shown.startsWith(u"ページ 1 : A1～A"));
    EXPECT_EQ(aborting, u"      印字中断処理中...");
    EXPECT_FALSE(window->findChild<ui::TfPrint*>()->isVisible());
    EXPECT_FALSE(core::IsBusy(app()));
    EXPECT_EQ(window->findChild<QLabel*>(u"Info.Panel1"_s)->text(), u"印刷終了.");
}

} // namespace
