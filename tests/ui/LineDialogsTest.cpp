// The ruled-line and page layout dialogs as the user meets them through their commands:
// what they show, what they keep, and what OK leaves on the sheet and its page settings.
#include "DialogWindowFixture.h"
#include "ui/HeaderFontDialog.h"
#include "ui/SpinEdit.h"
#include "ui/TfLay.h"
#include "ui/TfLine.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

class LineDialogsTest : public DialogWindowTest {
protected:
    std::uint8_t line(int plane, int c, int r) { return sheet().CellLines[plane][c][r]; }
};

TEST_F(LineDialogsTest, RuledLinesDialogShowsTheRangeAndSetsTheChosenLines)
{
    go(2, 2);
    extendSelection(2, 2); // B2:D4
    QString caption;
    QString focus;
    bool gridShown = false;
    int style = -1;
    QColor sampleFirst;
    QColor sampleThird;
    run(CommandId::RuledLines, {in<ui::TfLine>([&](ui::TfLine* d) {
            caption = d->windowTitle();
            focus = d->focusWidget() ? d->focusWidget()->objectName() : QString();
            gridShown = d->chkGrid->isChecked();
            style = d->optStyle->checkedId();
            d->chkSide[0]->click();               // 外枠
            d->optStyle->button(2)->click();      // &3
            d->optColor->button(9)->click();      // red
            const QImage sample = d->pStyle->grab().toImage();
            sampleFirst = sample.pixelColor(30, 22);      // style 1, thin
            sampleThird = sample.pixelColor(30, 22 + 50 + 1); // style 3 is 3 pixels wide
            d->chkGrid->click();                  // the grid's own lines off
            d->OKBtn->click();
        })});
    EXPECT_EQ(caption, u"B2 ～ D4の罫線");
    EXPECT_EQ(focus, u"chkSide0");
    EXPECT_TRUE(gridShown);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(sampleFirst, QColor(0xFF, 0, 0));
    EXPECT_EQ(sampleThird, QColor(0xFF, 0, 0));
    const std::uint8_t code = 3 * 16 + 9;
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(line(1, 2, r), code) << r;
        EXPECT_EQ(line(2, 4, r), code) << r;
        EXPECT_EQ(line(1, 3, r), 0) << r; // inside the frame nothing
    }
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(line(3, c, 2), code) << c;
        EXPECT_EQ(line(4, c, 4), code) << c;
    }
    EXPECT_FALSE(app().grid.gridLines);
    EXPECT_TRUE(sheet().Modified);

    // The dialog keeps its choices; a single cell names only itself, and Cancel changes
    // nothing.
    go(5, 7);
    bool keptFrame = false;
    int keptStyle = -1;
    int keptColor = -1;
    run(CommandId::RuledLines, {in<ui::TfLine>([&](ui::TfLine* d) {
            caption = d->windowTitle();
            keptFrame = d->chkSide[0]->isChecked();
            keptStyle = d->optStyle->checkedId();
            keptColor = d->ColorNo->value();
            d->chkSide[4]->click();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(caption, u"E7の罫線");
    EXPECT_TRUE(keptFrame);
    EXPECT_EQ(keptStyle, 2);
    EXPECT_EQ(keptColor, 9);
    EXPECT_EQ(line(4, 5, 7), 0);
    EXPECT_EQ(line(1, 5, 7), 0);
}

TEST_F(LineDialogsTest, TheColourNumberAndTheColourGridFollowEachOther)
{
    int checkedAfterEnter = -1;
    bool stillOpen = false;
    QColor sample;
    std::uint8_t code = 0;
    run(CommandId::RuledLines, {in<ui::TfLine>([&](ui::TfLine* d) {
            d->chkSide[4]->click(); // 下
            d->ColorNo->setFocus();
            d->ColorNo->selectAll();
            QTest::keyClicks(d->ColorNo, u"12"_s);
            QTest::keyClick(d->ColorNo, Qt::Key_Return);
            stillOpen = d->isVisible();
            checkedAfterEnter = d->optColor->checkedId();
            sample = d->pStyle->grab().toImage().pixelColor(30, 22);
            d->optStyle->button(4)->click(); // &5, dotted
            d->OKBtn->click();
        })});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(checkedAfterEnter, 12);
    EXPECT_EQ(sample, QColor(0, 0, 0xFF));
    code = line(4, 1, 1);
    EXPECT_EQ(code, 5 * 16 + 12);
    EXPECT_EQ(line(1, 1, 1), 0);
    EXPECT_TRUE(app().grid.gridLines);
}

TEST_F(LineDialogsTest, PageLayoutShowsThePrintAreaAndKeepsEditsEvenOnCancel)
{
    go(1, 1);
    extendSelection(2, 4); // A1:C5
    window->runCommand(CommandId::PrintArea);
    QString title;
    QString area;
    bool printOffered = false;
    run(CommandId::PageLayout, {in<ui::TfLay>([&](ui::TfLay* d) {
            title = d->windowTitle();
            area = d->lblArea->text();
            printOffered = d->btnPrint->isEnabled();
            d->txtOfs[0]->setFocus();
            d->txtOfs[0]->selectAll();
            QTest::keyClicks(d->txtOfs[0], u"25"_s);
            d->txtOfs[3]->setFocus();
            d->txtOfs[3]->selectAll();
            QTest::keyClicks(d->txtOfs[3], u"5000"_s); // beyond 1000 mm
            d->txtTop->setFocus();
            d->txtTop->selectAll();
            QTest::keyClicks(d->txtTop, u"3"_s);
            d->chkGrid->click();
            d->txtHdr[1]->setFocus();
            QTest::keyClicks(d->txtHdr[1], u"page &P"_s);
            d->CancelBtn->click();
        })});
    EXPECT_EQ(title, u"ページレイアウトの設定");
    EXPECT_EQ(area, u"印刷範囲: A1～C5");
    EXPECT_TRUE(printOffered);
    const print::PageLayout& layout = app().pageLayout;
    EXPECT_EQ(layout.txtOfs1, u"25");
    EXPECT_EQ(layout.txtOfs4, u"1000");
    EXPECT_EQ(layout.txtTop, u"3");
    EXPECT_TRUE(layout.chkGrid);
    EXPECT_EQ(layout.txtHdr[1], u"page &P");
    EXPECT_FALSE(sheet().Modified);

    // Cleared, the area leaves the label empty.
    go(1, 1);
    window->runCommand(CommandId::PrintArea);
    run(CommandId::PageLayout, {in<ui::TfLay>([&](ui::TfLay* d) {
            area = d->lblArea->text();
            d->OKBtn->click();
        })});
    EXPECT_EQ(area, QString());
}

TEST_F(LineDialogsTest, TheFontButtonChangesTheFontOfTheBoxLastFocused)
{
    int selectedAtStart = -1;
    bool fontDialogWithoutBox = false;
    int selectedAfterTop = -1;
    QString focusAfter;
    QColor shownColor;
    bool shownBold = false;
    run(CommandId::PageLayout,
        {in<ui::TfLay>([&](ui::TfLay* d) {
             selectedAtStart = d->selectedHeaderBox();
             // No box chosen yet: nothing opens (a font dialog would be closed and noted).
             QTimer::singleShot(0, [&] {
                 if (auto* f = dynamic_cast<ui::HeaderFontDialog*>(QApplication::activeModalWidget())) {
                     fontDialogWithoutBox = true;
                     f->reject();
                 }
             });
             d->btnFont->click();
             QApplication::processEvents();
             d->txtHdr[2]->setFocus();
             d->txtTop->setFocus();
             selectedAfterTop = d->selectedHeaderBox();
             d->txtHdr[5]->setFocus();
             d->btnFont->setFocus();
             // Clicked once this step is over, so that the next one answers the font dialog.
             QTimer::singleShot(0, d->btnFont, &QPushButton::click);
         }),
         in<ui::HeaderFontDialog>([&](ui::HeaderFontDialog* f) {
             f->bold->click();
             f->underline->click();
             f->color->setCurrentIndex(f->color->findText(u"赤"_s));
             f->size->setValue(14);
             f->accept();
         }),
         in<ui::TfLay>([&](ui::TfLay* d) {
             focusAfter = d->focusWidget()->objectName();
             shownColor = d->txtHdr[5]->palette().color(QPalette::Text);
             shownBold = d->txtHdr[5]->font().bold();
             d->OKBtn->click();
         })});
    EXPECT_EQ(selectedAtStart, 0);
    EXPECT_FALSE(fontDialogWithoutBox);
    EXPECT_EQ(selectedAfterTop, 0);
    EXPECT_EQ(focusAfter, u"txtHdr6");
    EXPECT_EQ(shownColor, QColor(0xFF, 0, 0));
    EXPECT_TRUE(shownBold);
    const print::HeaderFont& font = app().pageLayout.hdrFont[5];
    EXPECT_TRUE(font.font.bold);
    EXPECT_TRUE(font.underline);
    EXPECT_EQ(font.font.size, 14);
    EXPECT_EQ(font.color, 0x0000FF); // kept as 0x00BBGGRR
    EXPECT_EQ(app().pageLayout.hdrFont[0].font.bold, false);
}

} // namespace
