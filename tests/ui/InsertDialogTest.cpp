// The insert/delete dialog as the user meets it: its two uses, the pre-filled proposal, its
// checks, its keys and the choice it remembers.
#include "EditorWindowFixture.h"
#include "ModalBoxes.h"
#include "ui/TfAdd.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

using namespace Qt::StringLiterals;

struct DialogView {
    QString title;
    bool insertGroup = false;
    bool deleteGroup = false;
    bool columns = false;
    int count = 0;
    bool countHasFocus = false;
};

DialogView look(ui::TfAdd* d)
{
    DialogView v;
    v.title = d->windowTitle();
    v.insertGroup = d->optAdd->isVisible();
    v.deleteGroup = d->optDel->isVisible();
    v.columns = (v.deleteGroup ? d->delChoices : d->addChoices)[0]->isChecked();
    v.count = d->txtNum->value();
    v.countHasFocus = d->focusWidget() == d->txtNum;
    return v;
}

class InsertDialogTest : public EditorWindowTest {
protected:
    InsertDialogTest()
        : EditorWindowTest(20)
    {
    }
    /// Opens the dialog with a key and lets act work in it; the dialog's state as it opened.
    DialogView use(Qt::Key k, std::function<void(ui::TfAdd*)> act)
    {
        // Shortcuts reach only the active window; the test platform does not give it back
        // by itself when a dialog closes.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ed()->setFocus();
        auto seen = std::make_shared<DialogView>();
        const auto dialog = actOnNextDialog([seen, act](QDialog* d) {
            auto* tfAdd = dynamic_cast<ui::TfAdd*>(d);
            ASSERT_NE(tfAdd, nullptr);
            *seen = look(tfAdd);
            act(tfAdd);
        });
        key(k, Qt::ShiftModifier);
        EXPECT_FALSE(dialog->isEmpty()) << "no dialog";
        return *seen;
    }
};

TEST_F(InsertDialogTest, InsertProposesTheSelectedColumnsAndShiftsTheCells)
{
    put(3, 3, entry(u"c3"_s));
    put(4, 3, u"=C3"_s);
    go(2, 3);
    QTest::keyPress(ed(), Qt::Key_Shift); // the anchor
    for (int i = 0; i < 4; ++i)
        keyWithShiftHeld(Qt::Key_Right); // B3:F3
    QTest::keyRelease(ed(), Qt::Key_Shift);
    const DialogView v = use(Qt::Key_Insert, [](ui::TfAdd* d) { d->OKBtn->click(); });
    EXPECT_EQ(v.title, u"行／列の挿入");
    EXPECT_TRUE(v.insertGroup);
    EXPECT_FALSE(v.deleteGroup);
    EXPECT_TRUE(v.columns);
    EXPECT_EQ(v.count, 5);
    EXPECT_TRUE(v.countHasFocus);
    EXPECT_EQ(sheet().CellText[8][3], entry(u"c3"_s));
    EXPECT_EQ(sheet().CellText[9][3], u"=H3");
    EXPECT_TRUE(sheet().CellText[3][3].isEmpty());
    EXPECT_EQ(panel(1), u"挿入処理終了.");
    EXPECT_TRUE(sheet().Modified);
}

TEST_F(InsertDialogTest, DeleteRefusesTooManyAndStaysOpenUntilTheCountFits)
{
    go(2, 5);
    QStringList warnings;
    bool openAfterWarning = false;
    const DialogView v = use(Qt::Key_Delete, [&](ui::TfAdd* d) {
        d->delChoices[1]->setChecked(true); // rows
        d->txtNum->setValue(17);
        auto box = answerNextBox(u"OK"_s);
        d->OKBtn->click();
        warnings << box->text;
        openAfterWarning = d->isVisible() && d->focusWidget() == d->txtNum;
        d->delChoices[0]->setChecked(true); // columns
        d->txtNum->setValue(26);
        box = answerNextBox(u"OK"_s);
        d->OKBtn->click();
        warnings << box->text;
        d->delChoices[1]->setChecked(true);
        d->txtNum->setValue(16);
        d->OKBtn->click();
    });
    EXPECT_EQ(v.title, u"行／列の削除");
    EXPECT_FALSE(v.insertGroup);
    EXPECT_TRUE(v.deleteGroup);
    EXPECT_EQ(v.count, 1);
    // Rows 5..20 may go on a 20-row sheet: 16.
    EXPECT_EQ(warnings, (QStringList{u"指定可能な最大値は16 です."_s,
                                     u"列で指定可能な最大値は 25 です."_s}));
    EXPECT_TRUE(openAfterWarning);
    EXPECT_EQ(sheet().SheetRows, 4);
    EXPECT_EQ(panel(1), u"削除処理終了.");

    // The rows choice is kept for the next use; the count starts at 1 again.
    go(1, 2);
    const DialogView again = use(Qt::Key_Delete, [](ui::TfAdd* d) { d->HelpBtn->click(); });
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:列／行の削除"_s});
    EXPECT_FALSE(again.columns);
    EXPECT_EQ(again.count, 1);
    EXPECT_EQ(sheet().SheetRows, 4);
}

TEST_F(InsertDialogTest, EnterMovesOnAndEscapeInTheCountCancels)
{
    put(1, 2, entry(u"kept"_s));
    go(1, 2);
    bool okHasFocus = false;
    use(Qt::Key_Insert, [&](ui::TfAdd* d) {
        d->addChoices[1]->setChecked(true);
        QTest::keyClick(d->txtNum, Qt::Key_Return);
        okHasFocus = d->focusWidget() == d->OKBtn && d->isVisible();
        d->HelpBtn->click();
        d->txtNum->setFocus();
        QTest::keyClick(d->txtNum, Qt::Key_Escape);
    });
    EXPECT_TRUE(okHasFocus);
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:列／行の挿入"_s});
    EXPECT_EQ(sheet().CellText[1][2], entry(u"kept"_s));
    EXPECT_EQ(sheet().SheetRows, 20);
    EXPECT_FALSE(sheet().Modified);
}

} // namespace
