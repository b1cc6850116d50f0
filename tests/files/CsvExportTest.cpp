#include "files/CsvFixture.h"

#include "core/Cells.h"
#include "core/Display.h"
#include "core/Sheet.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"
#include "platform/FileDialogs.h"

namespace {

class CsvExportTest : public CsvFixture
{
protected:
    /// Enters the text as an imported field would be stored, and shows it.
    void put(int c, int r, const QString& typed)
    {
        core::Sheet& sheet = app.sheet;
        sheet.CellText[c][r] = files::CsvFieldToCellText(typed);
        sheet.CellValue[c][r] = core::NumericValue(sheet.CellText[c][r]);
        core::ShowCell(app, c, r);
        core::RescanExtent(app);
    }
    void setColumn(int c, int wid, int align, int comma = -1)
    {
        app.sheet.ColFormat[c].wid = wid;
        app.sheet.ColFormat[c].align = align;
        app.sheet.ColFormat[c].comma = comma;
        core::BuildColumnFormat(app, c);
    }
    QByteArray csv(int filterIndex)
    {
        const QString out = path(QStringLiteral("out.csv"));
        const auto written =
            files::WriteCsv(app, out, 1, app.sheet.LastCol, filterIndex, 1, app.sheet.LastRow);
        EXPECT_TRUE(written.ok());
        return readFile(out);
    }
    QByteArray txt()
    {
        const QString out = path(QStringLiteral("out.txt"));
        const auto written = files::WriteTxt(app, out, 1, app.sheet.LastCol, 1, app.sheet.LastRow);
        EXPECT_TRUE(written.ok());
        return readFile(out);
    }
};

const char* const SixFields = "1,\"a,b\",\"say \"\"hi\"\"\",=a1+1,'007,abc\r\n";

TEST_F(CsvExportTest, SixFieldLineRoundTripsAsFormulas)
{
    openText(SixFields);
    EXPECT_EQ(csv(2), utf16(QStringLiteral("1,\"a,b\",\"say \"\"hi\"\"\",=A1+1,'007,abc\r\n")));
    // The written file reads back to the same cells.
    files::OpenCsv(app, path(QStringLiteral("out.csv")));
    EXPECT_EQ(text(4, 1), u"=A1+1");
    EXPECT_EQ(text(5, 1), u"'007");
    EXPECT_EQ(text(3, 1), QChar(core::TextMark) + QStringLiteral("say \"hi\""));
}

TEST_F(CsvExportTest, TextsThatWouldReadBackAsSomethingElseKeepAnApostrophe)
{
    openText("''quoted,'=not a formula,'12,plain\n");
    const QString T = QString(QChar(core::TextMark));
    app.sheet.CellText[4][1] = T + QStringLiteral("=A1");
    app.sheet.CellText[5][1] = T + QStringLiteral("34");
    core::RescanExtent(app);
    EXPECT_EQ(csv(2), utf16(QStringLiteral("''quoted,'=not a formula,'12,'=A1,'34\r\n")));
    files::OpenCsv(app, path(QStringLiteral("out.csv")));
    EXPECT_EQ(text(1, 1), T + QStringLiteral("'quoted"));
    EXPECT_EQ(text(2, 1), T + QStringLiteral("=not a formula"));
    EXPECT_EQ(text(3, 1), QStringLiteral("'12"));
    EXPECT_EQ(text(4, 1), T + QStringLiteral("=A1"));
    EXPECT_EQ(shown(5, 1), QStringLiteral("34"));
}

TEST_F(CsvExportTest, ResultsExportWritesTheDisplayedTexts)
{
    openText(SixFields);
    const QStringList lines = files::CsvLines(app, 1, 6, 3, 1, 1);
    ASSERT_EQ(lines.size(), 1);
    const QStringList expected{
        QStringLiteral("1"), QStringLiteral("\"a,b\""), QStringLiteral("\"say \"\"hi\"\"\""),
        shown(4, 1),         QStringLiteral("007"),     QStringLiteral("abc")};
    EXPECT_EQ(lines[0], expected.join(u','));
    EXPECT_FALSE(lines[0].contains(u"=A1+1"));
}

TEST_F(CsvExportTest, EmptyRowsAndOneCellRows)
{
    put(1, 1, QStringLiteral("a"));
    put(2, 1, QStringLiteral("b"));
    put(3, 1, QStringLiteral("c"));
    put(2, 3, QStringLiteral("x"));
    EXPECT_EQ(csv(2), utf16(QStringLiteral("a,b,c\r\n\r\n,x,\r\n")));
}

TEST_F(CsvExportTest, ResultsExportPadsNumbersByTheirColumn)
{
    put(1, 1, QStringLiteral("5"));
    put(2, 1, QStringLiteral("1234567"));
    put(3, 1, QStringLiteral("\ttab\tinside"));
    EXPECT_EQ(csv(3), utf16(QStringLiteral("         5,\" 1,234,567\",\ttab\tinside\r\n")));
}

TEST_F(CsvExportTest, LineBreaksInsideATextAreQuoted)
{
    app.sheet.CellText[1][1] = QChar(core::TextMark) + QStringLiteral("two\r\nlines");
    core::RescanExtent(app);
    EXPECT_EQ(csv(2), utf16(QStringLiteral("\"two\r\nlines\"\r\n")));
}

TEST_F(CsvExportTest, FixedWidthCutsAndPadsInUnits)
{
    setColumn(1, 5, 0);
    setColumn(2, 5, 1);
    setColumn(3, 5, 2);
    put(1, 1, QStringLiteral("abc"));
    put(2, 1, QStringLiteral("abc"));
    put(3, 1, QStringLiteral("abc"));
    put(1, 2, QStringLiteral("abcdefg"));
    put(1, 3, QStringLiteral("あいう"));  // 6 units: the third crosses the edge
    put(1, 4, QStringLiteral("aあいう")); // 7 units: cut exactly after い
    put(2, 2, QStringLiteral("12"));
    // Left and centred texts are padded behind, right-aligned ones in front; the right
    // and centred displays already carry their own leading blanks.
    const QString blanks10(10, u' ');
    EXPECT_EQ(txt(), utf16(QStringLiteral("abc    abc abc \r\n") + QStringLiteral("abcde   12") +
                           QString(5, u' ') + QStringLiteral("\r\n") + QStringLiteral("あい ") +
                           blanks10 + QStringLiteral("\r\n") + QStringLiteral("aあい") + blanks10 +
                           QStringLiteral("\r\n")));
}

TEST_F(CsvExportTest, TxtFileReopensAsCsv)
{
    setColumn(1, 4, 0);
    setColumn(2, 6, 0);
    put(1, 1, QStringLiteral("ab"));
    put(2, 1, QStringLiteral("cd,ef"));
    put(1, 2, QStringLiteral("gh"));
    const QByteArray bytes = txt();
    const QString reopened = writeFile(QStringLiteral("again.TXT"), bytes);
    files::OpenCsv(app, reopened);
    EXPECT_EQ(text(1, 1), QChar(core::TextMark) + QStringLiteral("ab  cd"));
    EXPECT_EQ(text(2, 1), QChar(core::TextMark) + QStringLiteral("ef "));
    EXPECT_EQ(text(1, 2), QChar(core::TextMark) + QStringLiteral("gh") + QString(8, u' '));
    EXPECT_EQ(app.sheet.LastCol, 2);
}

TEST_F(CsvExportTest, AnsiExportOfAShiftJisFileIsByteIdentical)
{
    const QString source = testdata("sjis_export.csv");
    files::OpenCsv(app, source);
    app.SaveUnicode = false;
    EXPECT_EQ(csv(2), readFile(source));
    EXPECT_TRUE(fakes.ui.messages.empty());
}

TEST_F(CsvExportTest, AnsiExportNamesTheFirstCellThatCannotBeConverted)
{
    put(1, 1, QStringLiteral("東京"));
    put(3, 2, QStringLiteral("서울")); // Hangul has no Windows-31J form
    put(2, 3, QStringLiteral("😀"));
    app.SaveUnicode = false;
    const QByteArray bytes = csv(2);
    EXPECT_EQ(bytes, files::EncodeAnsi(QStringLiteral("東京,,\r\n,,??\r\n,?,\r\n")));
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text, u"セル\"C2\"などにANSIに変換できない文字があります．");
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Warning);
    EXPECT_EQ(fakes.ui.messages[0].buttons, platform::Buttons::Ok);

    fakes.ui.messages.clear();
    const QString out = path(QStringLiteral("out.txt"));
    ASSERT_TRUE(files::WriteTxt(app, out, 1, 3, 1, 3).ok());
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{QStringLiteral("セル\"C2\"などにANSIに変換できない文字があります．")});
}

TEST_F(CsvExportTest, YenSignIsWrittenAtTheYenPositionWithoutWarning)
{
    setColumn(1, 8, 0, -2);
    put(1, 1, QStringLiteral("1234"));
    put(2, 1, QStringLiteral("表¥"));
    ASSERT_EQ(shown(1, 1), u"  ¥1,234");
    app.SaveUnicode = false;
    EXPECT_EQ(csv(3), QByteArray("\"  \\1,234\",\x95\x5C\x5C\r\n"));
    EXPECT_TRUE(fakes.ui.messages.empty());
    app.SaveUnicode = true;
    EXPECT_EQ(csv(3), utf16(QStringLiteral("\"  ¥1,234\",表¥\r\n")));
}

TEST_F(CsvExportTest, WriteFailureIsReturnedWithoutTheAnsiWarning)
{
    put(1, 1, QStringLiteral("한"));
    app.SaveUnicode = false;
    const QString plainFile = writeFile(QStringLiteral("plain"), "old\r\n");
    const auto failed = files::WriteCsv(app, plainFile + QStringLiteral("/out.csv"), 1, 1, 2, 1, 1);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().code, core::ErrorCode::WriteFailed);
    EXPECT_FALSE(failed.error().detail.isEmpty());
    EXPECT_EQ(readFile(plainFile), "old\r\n");
    EXPECT_TRUE(fakes.ui.messages.empty()); // nothing written, nothing to warn about
}

TEST_F(CsvExportTest, BlockIsClampedToTheSheet)
{
    put(1, 1, QStringLiteral("a"));
    EXPECT_EQ(files::CsvLines(app, 0, 40, 2, 0, 99).size(), app.sheet.SheetRows);
    EXPECT_TRUE(files::CsvLines(app, 1, 0, 2, 1, 0).isEmpty());
    const QString out = path(QStringLiteral("empty.csv"));
    ASSERT_TRUE(files::WriteCsv(app, out, 1, 0, 2, 1, 0).ok());
    EXPECT_EQ(readFile(out), QByteArray("\xFF\xFE", 2));
}

} // namespace

namespace {

TEST_F(CsvExportTest, ThroughTheFileMenu)
{
    const QString source = writeFile(QStringLiteral("menu.csv"), "1234,東京\n=a1*2,\n");
    fakes.fileDialogs.openAnswers = {source};
    files::OpenCommand(app);
    ASSERT_EQ(app.sheet.FileName, source);
    EXPECT_EQ(shown(1, 2), u"2,468");

    // A plain save of a CSV sheet still asks, with the CSV filter preselected.
    const QString target = path(QStringLiteral("menu-values.csv"));
    fakes.fileDialogs.saveAnswers = {platform::SaveChoice{target, 3, false}};
    EXPECT_TRUE(files::SaveCommand(app, false));
    ASSERT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].filterIndex, 2);
    EXPECT_EQ(readFile(target),
              files::EncodeAnsi(QStringLiteral("\"1,234\",東京\r\n\"2,468\",\r\n")));
    EXPECT_FALSE(app.SaveUnicode);

    const QString fixed = path(QStringLiteral("menu.txt"));
    fakes.fileDialogs.saveAnswers = {platform::SaveChoice{fixed, 4, true}};
    EXPECT_TRUE(files::SaveCommand(app, true));
    EXPECT_EQ(readFile(fixed), utf16(QStringLiteral("1,234東京\r\n2,468    \r\n")));
}

} // namespace
