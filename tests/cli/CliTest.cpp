// Runs the real mavix-cli executable.

#include "CliRunner.h"
#include "TestFiles.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliTest : public ::testing::Test
{
protected:
    CliRun cli(const QStringList& args) const { return RunMavixCli(args, dir.path()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        return testfiles::WriteFile(path(name), bytes);
    }
    static QByteArray read(const QString& path) { return testfiles::ReadFile(path); }
    static QByteArray utf16(const QString& text)
    {
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    }

    QTemporaryDir dir;
};

const QByteArray SixFields = "1,\"a,b\",\"say \"\"hi\"\"\",=a1+1,'007,abc\r\n";

TEST_F(CliTest, HelpAndVersion)
{
    const CliRun help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(u"mavix-cli cells FILE CELL..."));
    EXPECT_TRUE(help.out.contains(u"Exit status: 0 success, 1"));
    const CliRun version = cli({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, u"mavix-cli 4.00\n");
}

TEST_F(CliTest, UsageErrorsExitWithTwo)
{
    const QString csv = write(QStringLiteral("in.csv"), SixFields);
    const QStringList cases[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("cells"), csv},
        {QStringLiteral("cells"), csv, QStringLiteral("AA1")},
        {QStringLiteral("cells"), csv, QStringLiteral("A0")},
        {QStringLiteral("cells"), csv, QStringLiteral("A32001")},
        {QStringLiteral("cells"), csv, QStringLiteral("1A")},
        {QStringLiteral("convert"), csv},
        {QStringLiteral("convert"), csv, path(QStringLiteral("o.csv")), QStringLiteral("--x")},
        {QStringLiteral("convert"), csv, path(QStringLiteral("o.xls"))},
        {QStringLiteral("convert"), csv, path(QStringLiteral("o.txt")), QStringLiteral("--values")},
        {QStringLiteral("convert"), csv, path(QStringLiteral("o.mvx")), QStringLiteral("--ansi")},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(u"usage: mavix-cli"));
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("o.csv"))));
}

TEST_F(CliTest, CellsPrintsValueAndDisplay)
{
    const QString csv = write(QStringLiteral("in.csv"), SixFields + "0.1,1234567,,-2.5\n");
    const CliRun run =
        cli({QStringLiteral("cells"), csv, QStringLiteral("A1"), QStringLiteral("b1"),
             QStringLiteral("C1"), QStringLiteral("E1"), QStringLiteral("A2"), QStringLiteral("B2"),
             QStringLiteral("C2"), QStringLiteral("D2"), QStringLiteral("Z32000")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, u"");
    EXPECT_EQ(run.out, u"A1\t1\t  1\n"
                       u"B1\t0\ta,b\n"
                       u"C1\t0\tsay \"hi\"\n"
                       u"E1\t0\t007\n"
                       u"A2\t0.10000000000000001\t  0\n"
                       u"B2\t1234567\t1,234,567\n"
                       u"C2\t0\t\n"
                       u"D2\t-2.5\t   -3\n"
                       u"Z32000\t0\t\n");
}

TEST_F(CliTest, CellsEvaluatesFormulas)
{
    const QString csv =
        write(QStringLiteral("f.csv"), "1,2,=a1+b1,=1/0,=sum(a1:b1)/7,=count(a1:b1)\n");
    const CliRun run = cli({QStringLiteral("cells"), csv, QStringLiteral("C1"),
                            QStringLiteral("D1"), QStringLiteral("E1"), QStringLiteral("F1")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, u"C1\t3\t     3\n"
                       u"D1\t#０割?\t#０割?\n"
                       u"E1\t0.42857142857142855\t            0\n"
                       u"F1\t2\t            2\n");
}

TEST_F(CliTest, BoxMessagesGoToStandardError)
{
    const QString csv = write(QStringLiteral("loop.csv"), "=b1,=a1\n");
    const CliRun run = cli({QStringLiteral("cells"), csv, QStringLiteral("A1")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, u"mavix-cli: B1の式が循環参照です.\n");
    EXPECT_EQ(run.out, u"A1\t0\t  0\n");
}

TEST_F(CliTest, UnreadableInputExitsWithOne)
{
    const QString missing = path(QStringLiteral("missing.csv"));
    CliRun run = cli({QStringLiteral("cells"), missing, QStringLiteral("A1")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("mavix-cli: ") + missing + QStringLiteral(" が読み込めません.\n"));
    EXPECT_TRUE(run.out.isEmpty());

    run = cli({QStringLiteral("convert"), missing, path(QStringLiteral("out.csv"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.csv"))));
}

TEST_F(CliTest, ConvertWritesCsvTxtAndAnsi)
{
    const QString csv = write(QStringLiteral("in.csv"), SixFields + "\n,5\n");
    EXPECT_EQ(cli({QStringLiteral("convert"), csv, QStringLiteral("f.csv")}).status, 0);
    EXPECT_EQ(
        read(path(QStringLiteral("f.csv"))),
        utf16(QStringLiteral("1,\"a,b\",\"say \"\"hi\"\"\",=A1+1,'007,abc\r\n\r\n,5,,,,\r\n")));

    EXPECT_EQ(cli({QStringLiteral("convert"), csv, QStringLiteral("v.CSV"),
                   QStringLiteral("--values"), QStringLiteral("--ansi")})
                  .status,
              0);
    const QByteArray values = read(path(QStringLiteral("v.CSV")));
    EXPECT_TRUE(values.startsWith("1,\"a,b\",\"say \"\"hi\"\"\","));
    EXPECT_FALSE(values.contains("=A1+1"));
    EXPECT_TRUE(values.endsWith(",007,abc\r\n\r\n,  5,,,,\r\n"));

    EXPECT_EQ(
        cli({QStringLiteral("convert"), csv, QStringLiteral("t.txt"), QStringLiteral("--ansi")})
            .status,
        0);
    const QByteArray txt = read(path(QStringLiteral("t.txt")));
    EXPECT_TRUE(txt.startsWith("1a,bsay \"hi\""));
    EXPECT_TRUE(txt.endsWith("007 abc\r\n" + QByteArray(1 + 3 + 8 + 5 + 4 + 3, ' ') + "\r\n" +
                             QByteArray("   5") + QByteArray(8 + 5 + 4 + 3, ' ') + "\r\n"));
}

TEST_F(CliTest, ConvertWritesWhatTheWindowShows)
{
    // Aligned and clipped texts, currency, a number beyond the double range, formulas that
    // are done, in error and in a cycle: each output equals what the window's sheet writes.
    const QString book =
        write(QStringLiteral("book.mvx"),
              utf16(QStringLiteral("[Mavix],4.00\r\nSize,26,20\r\nArea,5,4\r\nMove,1,1\r\n"
                                   "C 1,6,0,-1,1\r\nC 2,5,0,-1,2\r\nC 3,8,2,-2,0\r\nC 4,7,1,0,0\r\n"
                                   "C 5,4,0,-1,1\r\nData\r\n"
                                   "\b東京タワー展望台,\bab,\t1234.567,=C1*2,'007\r\n"
                                   "\bx,\b長い長いテキスト,\t-0.004,=1/0,\t1e400\r\n"
                                   ",,\t5,=D4+1,\b\r\n"
                                   ",,,=D3,=C3\r\nLines\r\nLinesEnd\r\n")));
    const QStringList outputs[] = {
        {QStringLiteral("v.csv"), QStringLiteral("--values")},
        {QStringLiteral("va.csv"), QStringLiteral("--values"), QStringLiteral("--ansi")},
        {QStringLiteral("t.txt")},
        {QStringLiteral("f.csv")},
        {QStringLiteral("w.mvx")},
    };
    for (const QStringList& output : outputs) {
        SCOPED_TRACE(output.join(u' ').toStdString());
        platform::FakePlatform fakes;
        App app{fakes.services()};
        core::ResetSheetState(app);
        files::OpenFile(app, book);
        core::RescanExtent(app);
        app.SaveUnicode = !output.contains(QStringLiteral("--ansi"));
        const QString expected = path(QStringLiteral("expected.") + output[0].section(u'.', 1));
        const int last = app.sheet.LastRow;
        if (output[0].endsWith(u".txt"))
            files::WriteTxt(app, expected, 1, app.sheet.LastCol, 1, last);
        else if (output[0].endsWith(u".csv"))
            files::WriteCsv(app, expected, 1, app.sheet.LastCol, output.size() > 1 ? 3 : 2, 1,
                            last);
        else
            files::WriteWorksheet(app, expected, 1, app.sheet.LastCol, 1, last);

        const CliRun run = cli(QStringList{QStringLiteral("convert"), book} + output);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(read(path(output[0])), read(expected));
    }
    const QString values =
        QStringDecoder(QStringDecoder::Utf16LE).decode(read(path(QStringLiteral("v.csv"))).mid(2));
    EXPECT_EQ(values.split(QStringLiteral("\r\n")).value(1),
              u"     x,長いテキスト,   ¥0.00,#０割?,1e400");
}

TEST_F(CliTest, ConvertToAWorksheetAndBack)
{
    const QString csv = write(QStringLiteral("in.csv"), SixFields + ",5\n");
    EXPECT_EQ(cli({QStringLiteral("convert"), csv, QStringLiteral("book.MVX")}).status, 0);
    const QByteArray book = read(path(QStringLiteral("book.MVX")));
    EXPECT_TRUE(book.startsWith(utf16(QStringLiteral("[Mavix],4.00\r\n"))));

    const CliRun cells = cli({QStringLiteral("cells"), QStringLiteral("book.MVX"),
                              QStringLiteral("D1"), QStringLiteral("C1"), QStringLiteral("B2")});
    EXPECT_EQ(cells.status, 0);
    EXPECT_EQ(cells.out, u"D1\t2\t    2\nC1\t0\tsay \"hi\"\nB2\t5\t  5\n");

    EXPECT_EQ(
        cli({QStringLiteral("convert"), QStringLiteral("book.MVX"), QStringLiteral("back.csv")})
            .status,
        0);
    EXPECT_EQ(read(path(QStringLiteral("back.csv"))),
              utf16(QStringLiteral("1,\"a,b\",\"say \"\"hi\"\"\",=A1+1,'007,abc\r\n,5,,,,\r\n")));

    write(QStringLiteral("broken.mvx"), utf16(QStringLiteral("[Mavix],0\r\n")));
    const CliRun broken =
        cli({QStringLiteral("cells"), QStringLiteral("broken.mvx"), QStringLiteral("A1")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.err.contains(u"データの読み込みに失敗しました"));
}

TEST_F(CliTest, ConvertKeepsShiftJisBytes)
{
    const QString source = QStringLiteral(MAVIX_TESTDATA "/csv/sjis_export.csv");
    const CliRun run = cli(
        {QStringLiteral("convert"), source, QStringLiteral("out.csv"), QStringLiteral("--ansi")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read(path(QStringLiteral("out.csv"))), read(source));
    const CliRun cells = cli({QStringLiteral("cells"), source, QStringLiteral("B3")});
    EXPECT_EQ(cells.out, u"B3\t0\t表計算ソフト\n");
}

TEST_F(CliTest, LossyAnsiExportWarnsAndStillWrites)
{
    const QString csv = write(QStringLiteral("k.csv"), "東京,서울\n");
    const CliRun run = cli(
        {QStringLiteral("convert"), csv, QStringLiteral("k-ansi.csv"), QStringLiteral("--ansi")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, u"mavix-cli: セル\"B1\"などにANSIに変換できない文字があります．\n");
    EXPECT_EQ(read(path(QStringLiteral("k-ansi.csv"))), QByteArray("\x93\x8C\x8B\x9E,??\r\n"));
}

TEST_F(CliTest, WriteFailureExitsWithOne)
{
    const QString csv = write(QStringLiteral("in.csv"), SixFields);
    const QString blocked = write(QStringLiteral("plain"), "x");
    const CliRun run = cli({QStringLiteral("convert"), csv, blocked + QStringLiteral("/out.csv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.err.startsWith(QStringLiteral("mavix-cli: ") + blocked + QStringLiteral("/out.csv: ")));
}

TEST_F(CliTest, LongFileIsCutAtTheLastRow)
{
    QByteArray csv;
    for (int i = 1; i <= 32003; ++i)
        csv += QByteArray::number(i) + '\n';
    const QString file = write(QStringLiteral("long.csv"), csv);
    const CliRun run = cli({QStringLiteral("cells"), file, QStringLiteral("A32000")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, u"A32000\t32000\t32,000\n");
    EXPECT_TRUE(run.err.contains(u"残りの3行は読み込みませんでした．"));
}

} // namespace
