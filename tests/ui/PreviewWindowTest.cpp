// The print preview window as the user meets it through its command: page moves, zoom and
// scroll bars, the paper fitted into the panel, the header's page number, and the buttons
// that lead on to the page layout dialog and to printing.
//
// The fake printer is A4 at 600 dpi: paper 4960 x 7016, printable area 4760 x 6816 from
// (100, 100); texts are 8 pixels high per point, so a grid font of 10 points prints rows
// 82 pixels apart and, without margins, 83 rows a page.
#include "DialogWindowFixture.h"
#include "ui/SpinEdit.h"
#include "ui/TfLay.h"
#include "ui/TfPviw.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

class PreviewWindowTest : public DialogWindowTest {
protected:
    PreviewWindowTest()
        : DialogWindowTest(300)
    {
        sheet().FontSize = 10;
    }

    /// Opens the preview with its command; `act` runs in the window and closes it.
    void preview(std::function<void(ui::TfPviw*)> act)
    {
        run(CommandId::Preview, {in<ui::TfPviw>(std::move(act))});
    }
    static void escape(ui::TfPviw* d) { QTest::keyClick(d, Qt::Key_Escape); }
    static QImage shot(QWidget* w, const QRect& part = QRect(QPoint(0, 0), QSize(-1, -1)))
    {
        return w->grab(part).toImage();
    }
};

TEST_F(PreviewWindowTest, PageButtonsMoveWithinThePagesOnly)
{
    put(1, 1, entry(u"a"_s));
    put(2, 15, entry(u"b"_s));
    sheet().PageBreaks = {u"11"_s};
    app().pageLayout.chkGrid = true; // the grid shows how many rows each page has
    QStringList statuses;
    QImage first;
    QImage firstAgain;
    QImage second;
    QRect shown;
    preview([&](ui::TfPviw* d) {
        shown = d->geometry();
        const auto click = [&](QPushButton* b) {
            b->click();
            statuses.append(d->statusText());
        };
        statuses.append(d->statusText());
        first = shot(d->P);
        click(d->btnPrev);
        firstAgain = shot(d->P);
        click(d->btnNext);
        second = shot(d->P);
        click(d->btnNext);
        click(d->btnTop);
        click(d->btnEnd);
        d->btnHelp->click();
        escape(d);
    });
    EXPECT_EQ(statuses, QStringList({u"1/2 ページ: A1～B10"_s, u"1/2 ページ: A1～B10"_s,
                                     u"2/2 ページ: A11～B15"_s, u"2/2 ページ: A11～B15"_s,
                                     u"1/2 ページ: A1～B10"_s, u"2/2 ページ: A11～B15"_s}));
    EXPECT_EQ(first, firstAgain);
    EXPECT_NE(first, second);
    EXPECT_EQ(shown, window->geometry());
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:印刷プレビュー"_s});
}

TEST_F(PreviewWindowTest, OneToOneWithScrollBarsStaysForTheNextOpening)
{
    put(1, 1, entry(u"a"_s));
    bool hiddenAtFirst = false;
    QRect actual;
    bool barsShown = false;
    int vMin = 0;
    int vMax = 0;
    int hMax = 0;
    QList<int> steps;
    QPoint scrolled;
    QSize expectedBars;
    preview([&](ui::TfPviw* d) {
        hiddenAtFirst = d->sbH->isHidden() && d->sbV->isHidden();
        d->btnSize->click();
        actual = d->P->geometry();
        barsShown = d->sbH->isVisible() && d->sbV->isVisible();
        vMin = d->sbV->minimum();
        vMax = d->sbV->maximum();
        hMax = d->sbH->maximum();
        expectedBars = QSize(4960 - (d->plPv->width() / 4) * 3, 7016 - (d->plPv->height() / 4) * 3);
        steps = {d->sbV->pageStep(), d->sbH->pageStep(), d->sbV->singleStep(), d->sbH->singleStep()};
        d->sbV->setValue(500);
        d->sbH->setValue(30);
        scrolled = d->P->pos();
        escape(d);
    });
    EXPECT_TRUE(hiddenAtFirst);
    EXPECT_EQ(actual, QRect(10, 10, 4960, 7016));
    EXPECT_TRUE(barsShown);
    EXPECT_EQ(vMin, -10);
    EXPECT_EQ(QSize(hMax, vMax), expectedBars);
    EXPECT_EQ(steps, QList<int>({1754, 1240, 701, 496}));
    EXPECT_EQ(scrolled, QPoint(-30, -500));

    QRect reopened;
    bool barsAgain = false;
    QSize resized;
    QRect fitted;
    QRect panel;
    float scale = 0;
    preview([&](ui::TfPviw* d) {
        reopened = d->P->geometry();
        barsAgain = d->sbH->isVisible() && d->sbV->isVisible();
        // Resizing does not refit at 1:1.
        d->plPv->setFixedSize(640, 480);
        QApplication::processEvents();
        resized = d->P->size();
        d->btnSize->click();
        fitted = d->P->geometry();
        panel = d->plPv->rect();
        scale = app().printing.preview.PreviewScale;
        barsAgain = barsAgain && d->sbH->isHidden() && d->sbV->isHidden();
        escape(d);
    });
    EXPECT_EQ(reopened, QRect(10, 10, 4960, 7016));
    EXPECT_TRUE(barsAgain) << "shown on opening, hidden once fitted";
    EXPECT_EQ(resized, QSize(4960, 7016));
    EXPECT_EQ(panel.size(), QSize(640, 480));
    EXPECT_NE(scale, 1.0f);
    EXPECT_TRUE(panel.contains(fitted)) << fitted.x() << ',' << fitted.y();
    EXPECT_EQ(fitted.height(), 480);
}

TEST_F(PreviewWindowTest, ThePaperIsFittedIntoThePanelAndCentred)
{
    put(1, 3, entry(u"a"_s));
    app().pageLayout.chkGrid = true;
    struct Case {
        QSize panel;
        QRect box;
    };
    const Case cases[] = {
        {{700, 500}, {173, 0, 353, 500}},   // 7016 / 500 = 14.032
        {{1000, 1000}, {147, 0, 706, 1000}}, // 7.016
        {{496, 1000}, {0, 149, 496, 701}},   // 4960 / 496 = 10 beats 7016 / 1000
    };
    QList<QRect> boxes;
    float firstScale = 0;
    QImage firstPage;
    preview([&](ui::TfPviw* d) {
        for (const Case& c : cases) {
            d->plPv->setFixedSize(c.panel);
            QApplication::processEvents();
            boxes.append(d->P->geometry());
            if (boxes.size() == 1) {
                firstScale = app().printing.preview.PreviewScale;
                firstPage = shot(d->P);
            }
        }
        escape(d);
    });
    ASSERT_EQ(boxes.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(boxes[i], cases[i].box) << cases[i].panel.width() << 'x' << cases[i].panel.height();
    EXPECT_FLOAT_EQ(firstScale, 14.032f);
    // The grid's rows, 82 printer pixels apart, are drawn at 82 k / 14.032 truncated:
    // 5.84, 11.69 and 17.53 land on 5, 11 and 17.
    for (const int y : {5, 11, 17}) {
        EXPECT_EQ(firstPage.pixelColor(20, y), QColor(Qt::black)) << y;
        EXPECT_EQ(firstPage.pixelColor(20, y + 1), QColor(Qt::white)) << y;
    }
}

TEST_F(PreviewWindowTest, TheHeaderNumbersTheFirstPageFromTheLayoutsFirstPageNumber)
{
    put(1, 1, entry(u"a"_s));
    print::PageLayout& layout = app().pageLayout;
    layout.hdrFont[0].font.size = 10;
    app().printing.preview.PreviewScale = 1; // large enough to tell the digits apart
    const auto header = [&](const QString& text, const QString& firstPage, QString* status) {
        layout.txtHdr[0] = text;
        layout.txtTop = firstPage;
        QImage image;
        preview([&](ui::TfPviw* d) {
            image = shot(d->P, QRect(0, 0, 600, 200));
            if (status)
                *status = d->statusText();
            escape(d);
        });
        return image;
    };
    QString status;
    const QImage numbered = header(u"&P"_s, u"10"_s, &status);
    EXPECT_EQ(status, u"1/1 ページ: A1～A1");
    EXPECT_EQ(numbered, header(u"10"_s, u"1"_s, nullptr));
    EXPECT_NE(numbered, header(u"1"_s, u"1"_s, nullptr));
    EXPECT_NE(numbered, header(u"11"_s, u"1"_s, nullptr));
}

TEST_F(PreviewWindowTest, TheLayoutButtonKeepsTheWindowAndItsPageWithinTheNewCount)
{
    // 249 rows are three pages without margins; 50 mm at top and bottom make five of them.
    put(1, 1, entry(u"a"_s));
    put(1, 249, entry(u"z"_s));
    app().pageLayout.txtOfs1 = u"50"_s;
    app().pageLayout.txtOfs2 = u"50"_s;
    QString before;
    QString after;
    QString cancelled;
    run(CommandId::Preview,
        {in<ui::TfPviw>([&](ui::TfPviw* d) {
             d->btnEnd->click();
             before = d->statusText();
             QTimer::singleShot(0, d->btnSet, &QPushButton::click);
         }),
         in<ui::TfLay>([&](ui::TfLay* l) {
             l->txtOfs[0]->setValue(0);
             l->txtOfs[1]->setValue(0);
             l->OKBtn->click();
         }),
         in<ui::TfPviw>([&](ui::TfPviw* d) {
             after = d->statusText();
             QTimer::singleShot(0, d->btnSet, &QPushButton::click);
         }),
         in<ui::TfLay>([&](ui::TfLay* l) {
             l->txtOfs[0]->setValue(100);
             l->CancelBtn->click();
         }),
         in<ui::TfPviw>([&](ui::TfPviw* d) {
             cancelled = d->statusText();
             escape(d);
         })});
    EXPECT_EQ(before, u"5/5 ページ: A225～A249");
    EXPECT_EQ(after, u"3/3 ページ: A167～A249");
    EXPECT_EQ(cancelled, after) << "a cancelled layout dialog leaves the preview as it was";
}

TEST_F(PreviewWindowTest, ThePrintButtonClosesThePreviewAndPrints)
{
    put(1, 1, entry(u"a"_s));
    put(2, 2, entry(u"b"_s));
    app().sheet.PrintArea = core::CellBlock{1, 2, 1, 2};
    bool closedByPrint = false;
    preview([&](ui::TfPviw* d) {
        app().ui().showStatus(QString());
        d->btnPrint->click();
        closedByPrint = !d->isVisible();
    });
    EXPECT_TRUE(closedByPrint);
    // The print command names the print area it is about to print.
    EXPECT_EQ(panel(1), u"A1～B2 を印刷");
}

} // namespace
