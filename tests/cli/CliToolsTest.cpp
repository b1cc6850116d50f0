// The data tools of the real mavix-cli executable: find, extract and replace; pdf and graph.
#include "CliRunner.h"
#include "TestFiles.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CliToolsTest : public ::testing::Test {
protected:
    CliToolsTest()
    {
        // Rows 1..5 of a small list; C holds a formula over the row's B.
        csv = testfiles::WriteFile(dir.filePath(u"list.csv"_s),
                                   "apple,10,=B1*2\n"
                                   "Banana,20,=B2*2\n"
                                   "cherry pie,30,=B3*2\n"
                                   "APPLE pie,40,=B4*2\n"
                                   "date,50,=B5*2\n");
    }
    CliRun cli(const QStringList& args) const { return RunMavixCli(args, dir.path()); }
    /// A UTF-16 CSV file written by the program, as text.
    QString csvText(const QString& name) const
    {
        const QByteArray bytes = testfiles::ReadFile(dir.filePath(name));
        return QStringDecoder(QStringDecoder::Utf16).decode(bytes);
    }

    QTemporaryDir dir;
    QString csv;
};

TEST_F(CliToolsTest, FindPrintsEveryMatchInSearchOrder)
{
    struct Case {
        QStringList options;
        const char16_t* text;
        QString out;
        int status;
    };
    const Case cases[] = {
        {{}, u"apple", u"A1\tapple\n"_s, 0}, // contains, letter case counts
        {{u"--ignore-case"_s}, u"apple", u"A1\tapple\nA4\tAPPLE pie\n"_s, 0},
        {{u"--cond"_s, u"="_s}, u"apple", u"A1\tapple\n"_s, 0},
        {{}, u"pie", u"A3\tcherry pie\nA4\tAPPLE pie\n"_s, 0},
        {{}, u"B3", u"C3\t   60\n"_s, 0}, // a formula is searched as its text
        {{u"--number"_s, u"--cond"_s, u">="_s}, u"90", u"C5\t  100\n"_s, 0},
        {{u"--number"_s, u"--cond"_s, u"="_s, u"--range"_s, u"B2:C3"_s}, u"40",
         u"C2\t   40\n"_s, 0},
        {{u"--range"_s, u"A4:A9999"_s}, u"pie", u"A4\tAPPLE pie\n"_s, 0},
        {{}, u"kiwi", u""_s, 1},
    };
    for (const Case& c : cases) {
        const QStringList args = QStringList{u"find"_s, csv, QString::fromUtf16(c.text)} + c.options;
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
    }
}

TEST_F(CliToolsTest, ExtractKeepsTheMatchingRowsAndWritesThem)
{
    const CliRun run = cli({u"extract"_s, csv, u"pie"_s, u"-o"_s, u"pies.csv"_s});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, u"2行抽出しました.\n");
    // The formulas moved with their rows.
    EXPECT_EQ(csvText(u"pies.csv"_s), u"cherry pie,30,=B1*2\r\nAPPLE pie,40,=B2*2\r\n");

    EXPECT_EQ(cli({u"extract"_s, csv, u"30"_s, u"--number"_s, u"--cond"_s, u">"_s, u"--range"_s,
                   u"B1:B5"_s, u"-o"_s, u"big.csv"_s, u"--values"_s})
                  .status,
              0);
    EXPECT_EQ(csvText(u"big.csv"_s), u"APPLE pie,40,   80\r\ndate,50,  100\r\n");
}

TEST_F(CliToolsTest, ReplaceChangesTheFirstMatchOfEveryCell)
{
    EXPECT_EQ(cli({u"replace"_s, csv, u"B"_s, u"X"_s, u"-o"_s, u"r.csv"_s}).status, 0);
    EXPECT_EQ(csvText(u"r.csv"_s),
              u"apple,10,=X1*2\r\nXanana,20,=X2*2\r\ncherry pie,30,=X3*2\r\n"
              u"APPLE pie,40,=X4*2\r\ndate,50,=X5*2\r\n"_s);

    EXPECT_EQ(cli({u"replace"_s, csv, u"p"_s, u"P"_s, u"--ignore-case"_s, u"--range"_s,
                   u"A1:A4"_s, u"-o"_s, u"r2.csv"_s})
                  .status,
              0);
    EXPECT_TRUE(csvText(u"r2.csv"_s).startsWith(u"aPple,10,=B1*2\r\nBanana,20,=B2*2\r\n"
                                                u"cherry Pie,30,=B3*2\r\nAPPLE pie,40,"_s));
}

TEST_F(CliToolsTest, SortOrdersWholeRowsByTheKeyColumn)
{
    EXPECT_EQ(cli({u"sort"_s, csv, u"--key"_s, u"A"_s, u"-o"_s, u"a.csv"_s}).status, 0);
    // Texts in the Japanese collation, small letters before capitals; formulas keep their
    // text and move with their row.
    EXPECT_EQ(csvText(u"a.csv"_s),
              u"apple,10,=B1*2\r\nAPPLE pie,40,=B4*2\r\nBanana,20,=B2*2\r\n"
              u"cherry pie,30,=B3*2\r\ndate,50,=B5*2\r\n"_s);

    EXPECT_EQ(cli({u"sort"_s, csv, u"--key"_s, u"c"_s, u"--number"_s, u"--descending"_s,
                   u"--rows"_s, u"2:4"_s, u"-o"_s, u"c.csv"_s, u"--values"_s})
                  .status,
              0);
    // Rows 2..4 by their results, largest first. A formula moves with its text unchanged,
    // so in its new row it computes over the cell its text names: APPLE pie's =B4*2 now
    // doubles Banana's 20.
    EXPECT_EQ(csvText(u"c.csv"_s),
              u"apple,10,   20\r\nAPPLE pie,40,   40\r\ncherry pie,30,   60\r\n"
              u"Banana,20,   80\r\ndate,50,  100\r\n"_s);
}

TEST_F(CliToolsTest, FileSearchWritesTheResultSheet)
{
    const CliRun run = cli({u"filesearch"_s, u"PIE"_s, csv, u"-o"_s, u"hits.mvx"_s,
                            u"--ignore-case"_s});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, u"ファイル検索完了．2件見つかりました．\n");
    const CliRun cells = cli({u"cells"_s, u"hits.mvx"_s, u"A1"_s, u"A3"_s, u"B3"_s, u"B4"_s, u"A5"_s});
    const QStringList lines = cells.out.split(u'\n');
    EXPECT_EQ(lines.value(0), u"A1\t0\t「PIE」検索結果");
    EXPECT_TRUE(lines.value(1).endsWith(u"\""_s + csv + u"\" A3"_s)) << lines.value(1).toStdString();
    EXPECT_TRUE(lines.value(2).endsWith(u"\tcherry pie"_s));
    EXPECT_TRUE(lines.value(3).endsWith(u"\tAPPLE pie"_s));
    EXPECT_EQ(lines.value(4), u"A5\t0\t");

    // Letter case counts without the option; a file that cannot be read ends the run.
    const CliRun exact = cli({u"filesearch"_s, u"PIE"_s, csv, u"missing.csv"_s, u"-o"_s, u"none.mvx"_s});
    EXPECT_EQ(exact.status, 1);
    EXPECT_TRUE(exact.err.contains(u"missing.csv が読み込めません."));
    EXPECT_EQ(cli({u"filesearch"_s, u"x"_s, u"-o"_s, u"o.mvx"_s}).status, 2);
}

TEST_F(CliToolsTest, ToolUsageErrors)
{
    const QStringList cases[] = {
        {u"find"_s, csv},
        {u"find"_s, csv, u"x"_s, u"--cond"_s, u"like"_s},
        {u"find"_s, csv, u"1"_s, u"--number"_s},
        {u"find"_s, csv, u"x"_s, u"--range"_s, u"A1"_s},
        {u"extract"_s, csv, u"x"_s},
        {u"extract"_s, csv, u"x"_s, u"-o"_s, u"out.xls"_s},
        {u"replace"_s, csv, u"x"_s, u"-o"_s, u"out.csv"_s},
        {u"replace"_s, csv, u"x"_s, u"y"_s, u"--number"_s, u"-o"_s, u"out.csv"_s},
        {u"sort"_s, csv, u"-o"_s, u"out.csv"_s},
        {u"sort"_s, csv, u"--key"_s, u"AB"_s, u"-o"_s, u"out.csv"_s},
        {u"sort"_s, csv, u"--key"_s, u"A"_s, u"--rows"_s, u"5:2"_s, u"-o"_s, u"out.csv"_s},
        {u"sort"_s, csv, u"--key"_s, u"A"_s},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(u"usage: mavix-cli"));
    }
    EXPECT_EQ(cli({u"find"_s, dir.filePath(u"none.csv"_s), u"x"_s}).status, 1);
}

} // namespace

namespace {

/// What pdftotext reads from a PDF file, page by page (form feeds between pages).
QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(CliPdfTest, PrintsThePagesWithTheSheetsLayout)
{
    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    for (int r = 1; r <= 5; ++r)
        app.sheet.CellText[1][r] = u"\bcell"_s + QString::number(r);
    app.sheet.CellText[2][1] = u"\t1234"_s;
    app.pageLayout.txtHdr[1] = u"Title &P"_s;
    app.pageLayout.txtHdr[4] = u"foot &F"_s;
    app.pageLayout.txtTop = u"7"_s;
    app.sheet.PageBreaks = {u"4"_s};
    app.sheet.PrintArea = core::CellBlock{1, 1, 2, 3};
    core::RescanExtent(app);
    const QString book = dir.filePath(u"book.mvx"_s);
    ASSERT_TRUE(files::WriteWorksheet(app, book, 1, 2, 1, 5).ok());

    const CliRun run = RunMavixCli({u"pdf"_s, book, u"out.pdf"_s}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(dir.filePath(u"out.pdf"_s));
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(u"Title 7"));
    EXPECT_TRUE(pages[0].contains(u"cell3"));
    EXPECT_TRUE(pages[0].contains(u"1,234"));
    EXPECT_FALSE(pages[0].contains(u"cell4")); // the page break before row 4
    EXPECT_TRUE(pages[0].contains(u"foot book.mvx"));
    EXPECT_TRUE(pages[1].contains(u"Title 8"));
    EXPECT_TRUE(pages[1].contains(u"cell5"));

    // The print area alone: rows 2 and 3 of column A.
    const CliRun area = RunMavixCli({u"pdf"_s, book, u"area.pdf"_s, u"--area"_s}, dir.path());
    ASSERT_EQ(area.status, 0) << area.err.toStdString();
    const QString areaText = pdfText(dir.filePath(u"area.pdf"_s));
    EXPECT_TRUE(areaText.contains(u"cell2"));
    EXPECT_FALSE(areaText.contains(u"cell1"));
    EXPECT_FALSE(areaText.contains(u"1,234"));

    // Nothing to print, no print area, and a name that is no PDF.
    const QString empty = testfiles::WriteRowWorksheet(dir.filePath(u"empty.mvx"_s), {});
    const CliRun nothing = RunMavixCli({u"pdf"_s, empty, u"e.pdf"_s}, dir.path());
    EXPECT_EQ(nothing.status, 1);
    EXPECT_TRUE(nothing.err.contains(u"印字データがありません"));
    EXPECT_EQ(RunMavixCli({u"pdf"_s, empty, u"e.pdf"_s, u"--area"_s}, dir.path()).status, 1);
    EXPECT_EQ(RunMavixCli({u"pdf"_s, book, u"out.png"_s}, dir.path()).status, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"e.pdf"_s)));
}

/// Pixels of a picture in a strong colour: the chart's series, not its white and grey.
int colouredPixels(const QImage& image)
{
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            coloured += image.pixelColor(x, y).saturation() > 120;
    return coloured;
}

TEST(CliGraphTest, DrawsTheSheetsChartAtTheAskedSize)
{
    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    const char16_t* months[] = {u"1月", u"2月", u"3月", u"4月"};
    for (int r = 1; r <= 4; ++r) {
        app.sheet.CellText[1][r] = u"\b"_s + QString::fromUtf16(months[r - 1]);
        app.sheet.CellText[2][r] = u"\t"_s + QString::number(r * 10);
        app.sheet.CellText[3][r] = u"\t"_s + QString::number(50 - r * 5);
    }
    app.graph.rbGkind = 2;
    app.graph.edClms = u"bc"_s;
    app.graph.edRow1 = u"1"_s;
    app.graph.edRow2 = u"4"_s;
    app.graph.cbXclm = 1;
    core::RescanExtent(app);
    const QString book = dir.filePath(u"book.mvx"_s);
    ASSERT_TRUE(files::WriteWorksheet(app, book, 1, 3, 1, 4).ok());

    const CliRun bmp =
        RunMavixCli({u"graph"_s, book, u"bars.bmp"_s, u"--size"_s, u"320x200"_s}, dir.path());
    ASSERT_EQ(bmp.status, 0) << bmp.err.toStdString();
    QFile bmpFile(dir.filePath(u"bars.bmp"_s));
    ASSERT_TRUE(bmpFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bmpFile.read(2) == "BM");
    const QImage bars(dir.filePath(u"bars.bmp"_s));
    EXPECT_EQ(bars.size(), QSize(320, 200));
    EXPECT_GT(colouredPixels(bars), 500);

    // By default the window's first size, and a PNG by the name.
    const CliRun png = RunMavixCli({u"graph"_s, book, u"bars.PNG"_s}, dir.path());
    ASSERT_EQ(png.status, 0) << png.err.toStdString();
    const QImage large(dir.filePath(u"bars.PNG"_s), "PNG");
    EXPECT_EQ(large.size(), QSize(600, 360));
    EXPECT_GT(colouredPixels(large), colouredPixels(bars));

    // Usage errors, an unreadable file, and settings the window refuses.
    for (const QStringList& args :
         {QStringList{u"graph"_s, book, u"x.jpg"_s}, QStringList{u"graph"_s, book},
          QStringList{u"graph"_s, book, u"x.png"_s, u"--size"_s, u"0x10"_s},
          QStringList{u"graph"_s, book, u"x.png"_s, u"--size"_s, u"wide"_s},
          QStringList{u"graph"_s, book, u"x.png"_s, u"--size"_s},
          QStringList{u"graph"_s, book, u"x.png"_s, u"--colour"_s}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = RunMavixCli(args, dir.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(u"usage:"));
    }
    EXPECT_EQ(RunMavixCli({u"graph"_s, dir.filePath(u"none.mvx"_s), u"x.png"_s}, dir.path())
                  .status,
              1);
    app.graph.edClms = u"B1"_s;
    ASSERT_TRUE(files::WriteWorksheet(app, book, 1, 3, 1, 4).ok());
    const CliRun refused = RunMavixCli({u"graph"_s, book, u"x.png"_s}, dir.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, u"\"列\"の指定に使えない文字\"1\"が使われています.\n");
    EXPECT_FALSE(QFile::exists(dir.filePath(u"x.png"_s)));
}

} // namespace
