// Printing through a recording printer: pagination, columns, bands, margins, cell texts and
// lines, the job's progress and its cancel, and the preview's pages.
#include "commands/Commands.h"
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"
#include "print/Preview.h"
#include "print/PrintEngine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

// The grid font of these sheets is 10 pt: rows are 10 * 8 + 2 pixels apart on the fake
// printer, and "W" is 40 pixels wide.
constexpr int RowPitch = 82;

class PrintEngineTest : public ::testing::Test {
protected:
    PrintEngineTest()
    {
        core::ResetSheetState(app);
        app.sheet.SheetRows = 400;
        core::ResizeSheet(app);
        app.sheet.FontSize = 10;
        fakes.ui.printDialog = [this](bool preset) {
            presetSelection = preset;
            return std::optional(chooseSelection);
        };
    }
    void put(int c, int r, const QString& text)
    {
        app.grid.col = c;
        app.grid.row = r;
        edit::CommitEntry(app, text);
    }
    /// Rows 1..n of column A hold their row numbers.
    void fillRows(int n)
    {
        for (int r = 1; r <= n; ++r)
            put(1, r, QString::number(r));
    }
    /// The printable area holds `rows` rows of the grid font (no header or footer).
    void pageOfRows(int rows)
    {
        fakes.printer.page.height = rows * RowPitch + 10;
        fakes.printer.page.physHeight = fakes.printer.page.height + 200;
    }
    void print() { commands::RunCommand(app, CommandId::Print); }
    /// The texts drawn, as "x y text".
    QStringList texts() const
    {
        QStringList found;
        for (const QString& line : fakes.printer.calls(u"text"_s))
            found.append(line.mid(5));
        return found;
    }

    platform::FakePlatform fakes;
    App app{fakes.services()};
    bool presetSelection = false;
    bool chooseSelection = false;
};

TEST_F(PrintEngineTest, PagesFollowTheRowsPerPageAndThePageBreaks)
{
    fillRows(120);
    pageOfRows(50);
    struct Case {
        QStringList breaks;
        QString firstPage;
        QStringList progress;
    };
    const Case cases[] = {
        {{}, u"1"_s,
         {u"ページ 1 : A1～A50 を印刷中"_s, u"ページ 2 : A51～A100 を印刷中"_s,
          u"ページ 3 : A101～A120 を印刷中"_s}},
        {{u"30"_s}, u"1"_s,
         {u"ページ 1 : A1～A29 を印刷中"_s, u"ページ 2 : A30～A79 を印刷中"_s,
          u"ページ 3 : A80～A120 を印刷中"_s}},
        // A break on a page's first row changes nothing; pages may start at number 0.
        {{u"1"_s, u"51"_s}, u"0"_s,
         {u"ページ 0 : A1～A50 を印刷中"_s, u"ページ 1 : A51～A100 を印刷中"_s,
          u"ページ 2 : A101～A120 を印刷中"_s}},
        {{u"120"_s, u"x"_s}, u"1"_s,
         {u"ページ 1 : A1～A50 を印刷中"_s, u"ページ 2 : A51～A100 を印刷中"_s,
          u"ページ 3 : A101～A119 を印刷中"_s, u"ページ 4 : A120～A120 を印刷中"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.breaks.join(u',')));
        app.sheet.PageBreaks = c.breaks;
        app.pageLayout.txtTop = c.firstPage;
        fakes.ui.printProgress.clear();
        fakes.printer.log.clear();
        print();
        EXPECT_EQ(fakes.ui.printProgress, c.progress);
        EXPECT_EQ(fakes.printer.calls(u"page"_s).size(), c.progress.size() - 1);
        EXPECT_EQ(fakes.printer.log.first(), u"begin ");
        EXPECT_EQ(fakes.printer.log.last(), u"end");
        EXPECT_EQ(fakes.ui.lastStatus(), u"印刷終了.");
        EXPECT_FALSE(fakes.ui.printProgressShown);
    }
    // The second page's first row is drawn at the top of the page again (numbers come
    // right-aligned in their display text).
    EXPECT_TRUE(texts().contains(u"0 0 "_s + app.sheet.GridText[1][51]));
    EXPECT_EQ(app.sheet.GridText[1][51].trimmed(), u"51");
}

TEST_F(PrintEngineTest, ColumnsThatDoNotFitAreLeftOutOfEveryPage)
{
    for (int c = 1; c <= 26; ++c)
        put(c, 1, QString(QChar(u'a' + c - 1)));
    // Columns of 10 letters: 401 pixels each; 4760 pixels hold 11 of them.
    print();
    EXPECT_EQ(fakes.ui.printProgress, QStringList{u"ページ 1 : A1～K1 を印刷中"_s});
    const QStringList drawn = texts();
    EXPECT_TRUE(drawn.contains(u"4010 0 k"_s));
    EXPECT_EQ(drawn.filter(u" l"_s).size(), 0);
    EXPECT_EQ(drawn.size(), 11);
}

TEST_F(PrintEngineTest, HeaderAndFooterBandsMoveTheCells)
{
    put(1, 1, u"x"_s);
    // Without header and footer the cells start at the top margin.
    print();
    EXPECT_EQ(texts(), QStringList{u"0 0 x"_s});

    // A 20 pt header over the 10 pt grid: its height and one empty row come first.
    app.pageLayout.txtHdr[1] = u"Title &P"_s;
    app.pageLayout.hdrFont[1].font.size = 20;
    app.pageLayout.hdrFont[1].font.bold = true;
    app.pageLayout.txtHdr[5] = u"R"_s;
    app.pageLayout.hdrFont[5].font.size = 10;
    app.pageLayout.hdrFont[5].color = 0x0000FF; // red, kept as 0x00BBGGRR
    fakes.printer.log.clear();
    print();
    const QStringList drawn = texts();
    // Centred: 4760 / 2 - (7 characters * 80) / 2.
    EXPECT_EQ(drawn, (QStringList{u"0 242 x"_s, u"2100 0 Title 1"_s, u"4720 6736 R"_s}));
    EXPECT_FALSE(fakes.printer.calls(u"font"_s).filter(u" 20 b #000000"_s).isEmpty());
    EXPECT_FALSE(fakes.printer.calls(u"font"_s).filter(u" 10 #ff0000"_s).isEmpty());
}

TEST_F(PrintEngineTest, MarginsCountFromThePaperAndRefuseWhatLeavesNoRoom)
{
    put(1, 1, u"x"_s);
    // 10 mm at 600 dpi is 236 pixels, of which the printer's own 100 are unprintable.
    app.pageLayout.txtOfs1 = u"10"_s;
    app.pageLayout.txtOfs3 = u"10"_s;
    print();
    EXPECT_EQ(texts(), QStringList{u"136 136 x"_s});

    for (const QString& left : {u"1000"_s}) {
        app.pageLayout.txtOfs3 = left;
        fakes.printer.log.clear();
        fakes.ui.messages.clear();
        print();
        EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"余白の設定値が大きすぎます."_s});
        EXPECT_EQ(fakes.printer.log, (QStringList{u"begin "_s, u"abort"_s}));
        EXPECT_EQ(fakes.ui.lastStatus(), u"印刷終了.");
    }
    // A header so tall that no row fits is refused the same way.
    app.pageLayout.txtOfs3 = u"0"_s;
    app.pageLayout.txtHdr[0] = u"H"_s;
    app.pageLayout.hdrFont[0].font.size = 1000;
    fakes.ui.messages.clear();
    print();
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"余白の設定値が大きすぎます."_s});
}

TEST_F(PrintEngineTest, CellTextsAreCutToTheirColumnAndLinesDrawnButNotPageBreaks)
{
    app.sheet.ColFormat[1].wid = 4;
    core::BuildColumnFormat(app, 1);
    put(1, 1, u"abcdefgh"_s);
    put(1, 2, u"ab"_s);
    put(1, 3, u"あいう"_s);
    app.sheet.CellLines[4][1][1] = 0x19; // thin red line at the bottom
    app.sheet.CellLines[1][1][2] = 0x05; // a colour without a style
    app.sheet.CellLines[5][1][2] = core::PageBreakMark;
    print();
    const QStringList drawn = texts();
    ASSERT_EQ(drawn.size(), 3);
    EXPECT_EQ(drawn[0], u"0 0 abcd");
    EXPECT_TRUE(drawn[1].endsWith(u" ab"));
    EXPECT_TRUE(drawn[2].endsWith(u" あい"));
    // Column A is 4 * 40 + 1 pixels wide; the bottom line runs along the row's last pixel.
    EXPECT_EQ(fakes.printer.calls(u"line"_s), QStringList{u"line 0 81 160 81"_s});
    EXPECT_TRUE(fakes.printer.log.contains(u"pen 0 1 #ff0000"_s));

    // Grid lines: the left edge, every column's right edge, a line above and below each row.
    app.pageLayout.chkGrid = true;
    fakes.printer.log.clear();
    print();
    const QStringList lines = fakes.printer.calls(u"line"_s);
    EXPECT_TRUE(lines.contains(u"line 0 0 0 246"_s));
    EXPECT_TRUE(lines.contains(u"line 161 0 161 246"_s));
    EXPECT_TRUE(lines.contains(u"line 0 246 161 246"_s));
    EXPECT_EQ(lines.size(), 1 + 2 + 4);
}

TEST_F(PrintEngineTest, TheRangeIsThePrintAreaWhenChosenOtherwiseTheUsedCells)
{
    print();
    EXPECT_EQ(fakes.ui.lastStatus(), u"印字データがありません");
    EXPECT_TRUE(fakes.printer.log.isEmpty());

    fillRows(8);
    put(3, 2, u"c"_s);
    app.sheet.PrintArea = core::CellBlock{1, 2, 2, 5};
    chooseSelection = true;
    print();
    EXPECT_TRUE(presetSelection);
    EXPECT_EQ(fakes.ui.statuses.at(fakes.ui.statuses.size() - 2), u"A2～B5 を印刷");
    EXPECT_EQ(fakes.ui.printProgress.last(), u"ページ 1 : A2～B5 を印刷中");

    chooseSelection = false;
    print();
    EXPECT_EQ(fakes.ui.printProgress.last(), u"ページ 1 : A1～C8 を印刷中");

    // Cancelled in the print dialog: nothing happens.
    fakes.ui.printDialog = [](bool) { return std::optional<bool>(); };
    fakes.printer.log.clear();
    print();
    EXPECT_TRUE(fakes.printer.log.isEmpty());
}

TEST_F(PrintEngineTest, TheAbortButtonStopsTheJobAtTheNextRow)
{
    fillRows(200);
    pageOfRows(50);
    int rows = 0;
    fakes.ui.duringProcessEvents = [&] {
        if (++rows == 60)
            app.printing.CancelRequested = true; // the progress dialog's abort button
    };
    print();
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"印刷を中断しました."_s});
    EXPECT_EQ(fakes.printer.log.last(), u"abort");
    EXPECT_EQ(fakes.ui.printProgress.size(), 2);
    EXPECT_EQ(fakes.ui.lastStatus(), u"印刷終了.");
    EXPECT_EQ(app.BusyDepth, 0);

    // The next job starts afresh.
    fakes.ui.duringProcessEvents = nullptr;
    fakes.ui.messages.clear();
    print();
    EXPECT_EQ(fakes.printer.log.last(), u"end");
    EXPECT_TRUE(fakes.ui.messages.empty());
}

TEST_F(PrintEngineTest, ThePreviewWalksThePagesAndFollowsLayoutChanges)
{
    fillRows(250);
    pageOfRows(50);
    QStringList statuses;
    fakes.ui.previewWindow = [&] {
        statuses.append(print::PreviewStatus(app));
        EXPECT_FALSE(print::PreviewGo(app, 0)); // before the first page: stays
        EXPECT_TRUE(print::PreviewGo(app, 5));
        statuses.append(print::PreviewStatus(app));
        EXPECT_FALSE(print::PreviewGo(app, 6)); // after the last page: stays
        // Bigger pages: five become three, and the last page is shown.
        pageOfRows(100);
        ASSERT_TRUE(print::PreparePreview(app));
        statuses.append(print::PreviewStatus(app));
    };
    commands::RunCommand(app, CommandId::Preview);
    EXPECT_EQ(statuses, (QStringList{u"1/5 ページ: A1～A50"_s, u"5/5 ページ: A201～A250"_s,
                                     u"3/3 ページ: A201～A250"_s}));
}

TEST_F(PrintEngineTest, ThePreviewPrintsThePageNumberFromTheFirstPageNumber)
{
    fillRows(60);
    pageOfRows(50);
    app.pageLayout.txtHdr[0] = u"p&P"_s;
    app.pageLayout.hdrFont[0].font.size = 10;
    app.pageLayout.txtTop = u"10"_s;
    commands::RunCommand(app, CommandId::Preview);
    platform::FakePrinter paper;
    print::PaintPreview(app, paper);
    EXPECT_EQ(print::PreviewStatus(app).left(4), u"1/2 ");
    EXPECT_FALSE(paper.calls(u"text"_s).filter(u" p10"_s).isEmpty());
    // The margin guides run round the area inside the margins.
    EXPECT_TRUE(paper.log.contains(u"line 0 -1 4960 -1"_s));

    // No printer: the preview does not open.
    fakes.printer.present = false;
    fakes.ui.dialogs.clear();
    commands::RunCommand(app, CommandId::Preview);
    EXPECT_EQ(fakes.ui.messageTexts().last(), u"デフォルト プリンタが存在しません.");
    EXPECT_FALSE(fakes.ui.dialogs.contains(u"TfPviw"_s));
}

TEST(PreviewScaleTest, APageFitsThePanel)
{
    const float scale = print::FitScale(4960, 7016, 700, 500);
    EXPECT_FLOAT_EQ(scale, 14.032f);
    EXPECT_EQ(int(4960 / scale), 353);
    EXPECT_EQ(int(7016 / scale), 500);
    EXPECT_GT(print::FitScale(4960, 7016, 0, 0), 7000.f); // an empty panel counts as 1 pixel
    const print::ZoomBars bars = print::ZoomBarsFor(4960, 7016, 700, 500);
    EXPECT_EQ(bars.vMax, 7016 - 375);
    EXPECT_EQ(bars.hMax, 4960 - 525);
    EXPECT_EQ(bars.vPage, 1754);
    EXPECT_EQ(bars.hStep, 496);
}

} // namespace
