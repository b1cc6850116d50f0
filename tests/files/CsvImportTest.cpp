#include "files/CsvFixture.h"

#include "core/Sheet.h"
#include "files/TextFile.h"

#include <QFileInfo>

namespace {

const QString T = QString(QChar(core::TextMark));
const QString N = QString(QChar(core::NumberMark));

using CsvImportTest = CsvFixture;

TEST_F(CsvImportTest, SixFieldLineGetsItsKindMarks)
{
    openText("1,\"a,b\",\"say \"\"hi\"\"\",=a1+1,'007,abc\r\n");
    EXPECT_EQ(text(1, 1), N + QStringLiteral("1"));
    EXPECT_EQ(text(2, 1), T + QStringLiteral("a,b"));
    EXPECT_EQ(text(3, 1), T + QStringLiteral("say \"hi\""));
    EXPECT_EQ(text(4, 1), u"=A1+1");
    EXPECT_EQ(text(5, 1), u"'007");
    EXPECT_EQ(text(6, 1), T + QStringLiteral("abc"));
    EXPECT_EQ(app.sheet.LastCol, 6);
    EXPECT_EQ(app.sheet.LastRow, 1);
    // Widths come from the widest raw field; the forced text shows without its apostrophe.
    EXPECT_EQ(shown(1, 1), u"1");
    EXPECT_EQ(shown(3, 1), u"say \"hi\"");
    EXPECT_EQ(shown(5, 1), u"007");
    EXPECT_EQ(app.sheet.ColFormat[3].wid, 8);
}

TEST_F(CsvImportTest, FieldMarkingRule)
{
    struct Case
    {
        const char16_t* field;
        QString stored;
    };
    const Case cases[] = {
        {u"", QString()},
        {u"'abc", T + QStringLiteral("abc")},
        {u"'007", QStringLiteral("'007")},
        {u"'-1.5e3", QStringLiteral("'-1.5e3")},
        {u"'", T},
        {u"''x", T + QStringLiteral("'x")},
        {u"=sum(a1:b2)*\"ab\"", QStringLiteral("=SUM(A1:B2)*\"ab\"")},
        {u"12.5", N + QStringLiteral("12.5")},
        {u"-3", N + QStringLiteral("-3")},
        {u"1e3", N + QStringLiteral("1e3")},
        {u"E5", T + QStringLiteral("E5")},
        {u"1,2", T + QStringLiteral("1,2")},
        {u"東京", T + QStringLiteral("東京")},
        {u" ", T + QStringLiteral(" ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.field).toStdString());
        EXPECT_EQ(files::CsvFieldToCellText(QString::fromUtf16(c.field)), c.stored);
    }
}

TEST_F(CsvImportTest, TenLinesGiveTwelveRowsAndTheCompletionTexts)
{
    QByteArray csv;
    for (int i = 1; i <= 10; ++i)
        csv += QByteArray::number(i * 1000) + ",x\r\n";
    app.sheet.HeadingRow = 3;
    app.pageLayout.txtHdr[2] = QStringLiteral("old header");
    app.sheet.PrintArea = core::CellBlock{1, 2, 1, 2};
    app.grid.col = 5;
    app.grid.row = 7;
    app.sheet.Modified = true;
    app.SaveUnicode = false;
    openText(csv, QStringLiteral("ten.csv"));

    const QString file = path(QStringLiteral("ten.csv"));
    EXPECT_EQ(app.sheet.SheetRows, 12);
    EXPECT_EQ(app.grid.rowCount, 13);
    EXPECT_EQ(app.sheet.LastRow, 10);
    EXPECT_EQ(shown(1, 10), u"10,000");
    EXPECT_TRUE(fakes.ui.statuses.contains(u"CSVファイル読み込み開始..."));
    EXPECT_TRUE(fakes.ui.statuses.contains(u"10行読み込み完了．計算中..."));
    EXPECT_EQ(fakes.ui.lastStatus(), u"ＣＳＶファイル読み込み終了.");
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(app.sheet.FileName, file);
    EXPECT_FALSE(app.sheet.Modified);
    EXPECT_TRUE(app.SaveUnicode);
    EXPECT_EQ(app.sheet.HeadingRow, 0);
    EXPECT_TRUE(app.pageLayout.txtHdr[2].isEmpty());
    EXPECT_TRUE(app.sheet.PrintArea.isEmpty());
    EXPECT_EQ(app.grid.col, 1);
    EXPECT_EQ(app.grid.row, 1);
    EXPECT_EQ(fakes.ui.cellNamePanel, u"A1");
    EXPECT_EQ(fakes.fileHold.held, file);
    EXPECT_EQ(app.sheet.RecentFiles.value(0), file);
    EXPECT_EQ(app.sheet.UndoData.col, 0);
    EXPECT_EQ(fakes.ui.windowTitle, QStringLiteral("Mavix - ") + file);
    EXPECT_EQ(app.sheet.GridText[0][12], u"   12");
    EXPECT_FALSE(fakes.ui.busy);
}

TEST_F(CsvImportTest, ProgressEveryHundredLines)
{
    QByteArray csv;
    for (int i = 1; i <= 250; ++i)
        csv += "r\n";
    openText(csv);
    QStringList progress;
    for (const QString& s : fakes.ui.statuses)
        if (s.endsWith(u"行目 読み込み中"))
            progress.append(s);
    EXPECT_EQ(progress, (QStringList{QStringLiteral("100行目 読み込み中"),
                                     QStringLiteral("200行目 読み込み中")}));
}

TEST_F(CsvImportTest, ColumnFormatsComeFromTheWidestField)
{
    app.sheet.ColFormat[2].comma = -2;
    app.sheet.ColFormat[2].align = 1;
    app.sheet.ColFormat[2].shosu = 3;
    const QByteArray longField(300, 'x');
    openText("1,東京都,,abc,-1234.5\n12345,a,," + longField + ",1e5\n");
    EXPECT_EQ(app.sheet.ColFormat[1].wid, 6);   // 12345 shows as 12,345
    EXPECT_EQ(app.sheet.ColFormat[5].wid, 7);   // the raw -1234.5 is wider than -1,235
    EXPECT_EQ(app.sheet.ColFormat[2].wid, 6);   // three wide characters
    EXPECT_EQ(app.sheet.ColFormat[3].wid, 10);  // stayed empty
    EXPECT_EQ(app.sheet.ColFormat[4].wid, 255); // the largest width a column can have
    EXPECT_EQ(app.sheet.ColFormat[26].wid, 10);
    EXPECT_EQ(app.sheet.ColFormat[2].fmt, u"%6.0n");
    EXPECT_EQ(app.sheet.ColFormat[2].align, 0);
    EXPECT_EQ(app.grid.colWidths[1], 6 * platform::FakeTextMeasure::Unit + 2);
    EXPECT_EQ(shown(1, 1), u"     1");
    EXPECT_EQ(shown(1, 2), u"12,345");
    EXPECT_EQ(shown(5, 2), u"100,000");
}

TEST_F(CsvImportTest, FieldsBeyondTheTwentySixthAreDropped)
{
    QByteArray line;
    for (int i = 1; i <= 30; ++i)
        line += (i > 1 ? "," : "") + QByteArray::number(i);
    openText(line);
    EXPECT_EQ(app.sheet.LastCol, 26);
    EXPECT_EQ(text(26, 1), N + QStringLiteral("26"));
}

TEST_F(CsvImportTest, LineBreakInsideQuotesSplitsTheRow)
{
    openText("\"ab\ncd\",x\n");
    EXPECT_EQ(text(1, 1), T + QStringLiteral("ab"));
    EXPECT_EQ(text(2, 1), u"");
    EXPECT_EQ(text(1, 2), T + QStringLiteral("cd\""));
    EXPECT_EQ(text(2, 2), T + QStringLiteral("x"));
}

TEST_F(CsvImportTest, ReplacesThePreviousSheet)
{
    openText("a,b,c\n1,2,3\n4,5,6\n");
    openText("z\n", QStringLiteral("second.csv"));
    EXPECT_EQ(text(1, 1), T + QStringLiteral("z"));
    EXPECT_EQ(text(2, 1), u"");
    EXPECT_EQ(text(3, 3), u"");
    EXPECT_EQ(shown(3, 3), u"");
    EXPECT_EQ(app.sheet.SheetRows, 3);
    EXPECT_EQ(app.sheet.LastCol, 1);
}

struct EncodingCase
{
    const char* file;
};

class CsvEncodingTest : public CsvFixture, public ::testing::WithParamInterface<EncodingCase>
{
};

TEST_P(CsvEncodingTest, RealWorldFilesReadAlike)
{
    files::OpenCsv(app, testdata(GetParam().file));
    ASSERT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(app.sheet.LastCol, 5);
    EXPECT_EQ(app.sheet.LastRow, 4);
    EXPECT_EQ(app.sheet.SheetRows, 6);
    EXPECT_EQ(text(1, 1), T + QStringLiteral("商品コード"));
    EXPECT_EQ(text(2, 2), T + QStringLiteral("りんご（青森産）"));
    EXPECT_EQ(text(5, 2), T + QStringLiteral("箱入り,贈答用"));
    // Second bytes 0x5C (表, ソ) and the NEC special ① of Windows-31J.
    EXPECT_EQ(text(2, 3), T + QStringLiteral("表計算ソフト"));
    EXPECT_EQ(text(5, 3), T + QStringLiteral("①特価"));
    EXPECT_EQ(text(2, 4), T + QStringLiteral("ﾃﾞｰﾀ～入力"));
    EXPECT_EQ(text(3, 4), N + QStringLiteral("-1.5"));
    EXPECT_EQ(text(4, 3), N + QStringLiteral("1"));
    EXPECT_EQ(text(5, 4), u"");
    EXPECT_EQ(app.sheet.ColFormat[2].wid, 16);
    EXPECT_EQ(app.sheet.ColFormat[3].wid, 5); // 9800 shows as 9,800
    EXPECT_EQ(shown(3, 3), u"9,800");
}

INSTANTIATE_TEST_SUITE_P(Files, CsvEncodingTest,
                         ::testing::Values(EncodingCase{"sjis_export.csv"},
                                           EncodingCase{"utf8_bom.csv"},
                                           EncodingCase{"utf8_lf_only.csv"},
                                           EncodingCase{"utf8_cr_only.csv"}));

TEST_F(CsvImportTest, MissingFileIsReportedAndTheSheetKept)
{
    openText("keep\n");
    const QString missing = path(QStringLiteral("nothing.csv"));
    files::OpenCsv(app, missing);
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text, missing + QStringLiteral(" が読み込めません."));
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(text(1, 1), T + QStringLiteral("keep"));
    EXPECT_EQ(app.sheet.FileName, path(QStringLiteral("in.csv")));
}

TEST_F(CsvImportTest, UnreadableFileIsReportedAndTheSheetKept)
{
    openText("keep\n");
    // A file that opens but fails on reading, for any user.
    const QString failing = QStringLiteral("/proc/self/mem");
    if (!QFileInfo(failing).isFile() || files::ReadTextLines(failing).ok())
        GTEST_SKIP() << "no file here that fails on reading";
    files::OpenCsv(app, failing);
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{QStringLiteral("データの読み込みに失敗しました")});
    EXPECT_EQ(text(1, 1), T + QStringLiteral("keep"));
    EXPECT_EQ(app.sheet.FileName, path(QStringLiteral("in.csv")));
    EXPECT_EQ(fakes.fileHold.held, path(QStringLiteral("in.csv")));
    EXPECT_FALSE(fakes.ui.busy);
}

TEST_F(CsvImportTest, FileInUseOpensReadOnlyOrNotAtAll)
{
    openText("current\n");
    const QString current = path(QStringLiteral("in.csv"));
    const QString file = writeFile(QStringLiteral("held.csv"), "a\n");
    fakes.fileHold.denied.append(file);
    fakes.ui.answers.push_back(platform::Answer::Cancel);
    files::OpenCsv(app, file);
    EXPECT_EQ(app.sheet.FileName, current);
    EXPECT_EQ(text(1, 1), T + QStringLiteral("current"));
    EXPECT_EQ(fakes.fileHold.held, current); // the refused open gives the hold back

    fakes.ui.answers.push_back(platform::Answer::Yes);
    files::OpenCsv(app, file);
    EXPECT_EQ(fakes.ui.messages.size(), 2u);
    EXPECT_TRUE(app.sheet.ReadOnly);
    EXPECT_EQ(text(1, 1), T + QStringLiteral("a"));
    EXPECT_FALSE(fakes.fileHold.isHolding()); // a read-only file is never held
    EXPECT_EQ(fakes.ui.windowTitle,
              QStringLiteral("Mavix - ") + file + QStringLiteral(" [読み取り専用]"));
}

TEST_F(CsvImportTest, EmptyFileGivesTwoEmptyRows)
{
    openText("");
    EXPECT_EQ(app.sheet.SheetRows, 2);
    EXPECT_EQ(app.sheet.LastRow, 0);
    EXPECT_TRUE(fakes.ui.statuses.contains(u"0行読み込み完了．計算中..."));
}

TEST_F(CsvImportTest, LinesBeyondTheLastRowAreLeftOutWithAWarning)
{
    const auto lines = [](int n) {
        QByteArray csv;
        csv.reserve(n * 8);
        for (int i = 1; i <= n; ++i)
            csv += QByteArray::number(i) + '\n';
        return csv;
    };
    openText(lines(31998), QStringLiteral("fits.csv"));
    EXPECT_EQ(app.sheet.SheetRows, 32000);
    EXPECT_TRUE(fakes.ui.messages.empty());

    openText(lines(32000), QStringLiteral("full.csv"));
    EXPECT_EQ(app.sheet.SheetRows, 32000);
    EXPECT_EQ(text(1, 32000), N + QStringLiteral("32000"));
    EXPECT_TRUE(fakes.ui.messages.empty());

    const QString file = writeFile(QStringLiteral("over.csv"), lines(32005));
    files::OpenCsv(app, file);
    EXPECT_EQ(app.sheet.SheetRows, 32000);
    EXPECT_EQ(app.sheet.LastRow, 32000);
    EXPECT_EQ(text(1, 32000), N + QStringLiteral("32000"));
    EXPECT_TRUE(fakes.ui.statuses.contains(u"32000行読み込み完了．計算中..."));
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Warning);
    EXPECT_EQ(fakes.ui.messages[0].text,
              file + QStringLiteral(" は32005行あります．\r\nシートに入る32000行目までを読み込み，"
                                    "残りの5行は読み込みませんでした．"));
    EXPECT_EQ(app.sheet.FileName, file);
}

} // namespace
