// Searching worksheet and CSV files into a result sheet.
#include "TestFiles.h"
#include "ToolsFixture.h"
#include "commands/Commands.h"
#include "files/WorksheetWriter.h"
#include "tools/FileSearch.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

class FileSearchTest : public ToolsFixture {
protected:
    /// A worksheet written by our writer from rows of stored texts, with a ruled line and a
    /// heading row setting that holds the text too.
    QString worksheet(const char* name, const QList<std::pair<core::CellPos, QString>>& cells)
    {
        platform::FakePlatform otherFakes;
        App other{otherFakes.services()};
        core::ResetSheetState(other);
        other.sheet.SheetRows = 40;
        core::ResizeSheet(other);
        for (const auto& [pos, text] : cells)
            other.sheet.CellText[pos.col][pos.row] = text;
        other.pageLayout.txtHdr[1] = u"abc in the header"_s;
        other.sheet.CellLines[1][1][1] = 0xAB; // "AB" in the lines section
        core::RescanExtent(other);
        const QString path = dir.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(files::WriteWorksheet(other, path, 1, other.sheet.LastCol, 1,
                                          other.sheet.LastRow)
                        .ok());
        return path;
    }
    QString csv(const char* name, const QByteArray& bytes)
    {
        return testfiles::WriteFile(dir.filePath(QString::fromUtf8(name)), bytes);
    }
    void search(const QString& text, const QStringList& names, int optCase = 1)
    {
        fakes.ui.fileSearchDialog = [=, this](tools::FileSearchDialogState& d) {
            d.txDir = dir.path() + u'/';
            d.lbFiles = names;
            d.cbStr = text;
            d.optCase = optCase;
            return true;
        };
        commands::RunCommand(app, CommandId::FileSearch);
    }
    QString quoted(const char* name, const char* cellName) const
    {
        return u'"' + dir.filePath(QString::fromUtf8(name)) + u"\" "_s + QString::fromUtf8(cellName);
    }

    QTemporaryDir dir;
};

TEST_F(FileSearchTest, HitsAreListedWithTheirPlaceAndText)
{
    worksheet("a.mvx", {{{2, 12}, u"\bxABCx"_s}, {{1, 1}, u"\bno"_s}, {{3, 2}, u"=SUM(A1:A3)+0"_s}});
    csv("b.csv", "abc,1\nx,\"q,abc\"\nnothing\n");
    csv("c.csv", "none here\n");
    search(u"abc"_s, {u"a.mvx"_s, u"c.csv"_s, u"b.csv"_s});
    EXPECT_EQ(cell(1, 1), u"「abc」検索結果");
    EXPECT_EQ(cell(1, 3), quoted("a.mvx", "B12"));
    EXPECT_EQ(cell(2, 3), u"xABCx");
    // The settings above the cells and the lines after them are not searched; a file
    // without hits leaves no empty row.
    EXPECT_EQ(cell(1, 4), QString());
    EXPECT_EQ(cell(1, 5), quoted("b.csv", "A1"));
    EXPECT_EQ(cell(1, 6), quoted("b.csv", "B2"));
    EXPECT_EQ(cell(2, 6), u"q,abc");
    EXPECT_EQ(cell(1, 7), QString());
    EXPECT_EQ(fakes.ui.lastStatus(), u"ファイル検索完了．3件見つかりました．");
    EXPECT_EQ(sheet.ColFormat[1].wid, 50);
    EXPECT_EQ(app.sheet.SearchHistory.value(0), u"abc");
    EXPECT_TRUE(sheet.Modified);
    EXPECT_TRUE(sheet.FileName.isEmpty());

    // Letter case counts when asked; a formula arrives as a text, not evaluated.
    // (The result sheet is unsaved: No discards it.)
    fakes.ui.answers = {platform::Answer::No, platform::Answer::No};
    search(u"sum"_s, {u"a.mvx"_s}, 0);
    EXPECT_EQ(cell(1, 3), QString());
    search(u"SUM"_s, {u"a.mvx"_s}, 0);
    EXPECT_EQ(cell(2, 3), u"'=SUM(A1:A3)+0");
    EXPECT_EQ(sheet.GridText[2][3].trimmed(), u"=SUM(A1:A3)+0");
    // A comma in the text matches inside a quoted field only.
    fakes.ui.answers = {platform::Answer::No};
    search(u"q,a"_s, {u"b.csv"_s});
    EXPECT_EQ(cell(1, 3), quoted("b.csv", "B2"));
    EXPECT_EQ(cell(1, 4), QString());
}

TEST_F(FileSearchTest, UnsavedChangesAreAskedAboutFirst)
{
    csv("b.csv", "abc\n");
    put(1, 1, u"mine"_s);
    sheet.Modified = true;
    fakes.ui.answers = {platform::Answer::Cancel};
    search(u"abc"_s, {u"b.csv"_s});
    EXPECT_EQ(cell(1, 1), u"mine");
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text,
              u"ファイル検索の結果は新しいワークシートに表示されます．\r\n現データを保存しますか？\r\n(「いいえ」=データを破棄して検索．)");
    fakes.ui.answers = {platform::Answer::No};
    search(u"abc"_s, {u"b.csv"_s});
    EXPECT_EQ(cell(1, 3), quoted("b.csv", "A1"));

    // No text or no files: nothing happens.
    const QString before = cell(1, 3);
    search(QString(), {u"b.csv"_s});
    search(u"abc"_s, {});
    EXPECT_EQ(cell(1, 3), before);
}

TEST_F(FileSearchTest, ManyHitsGrowTheSheetAndAnUnreadableFileStopsTheRun)
{
    QByteArray lines;
    for (int i = 0; i < 150; ++i)
        lines += "hit" + QByteArray::number(i) + "\n";
    csv("many.csv", lines);
    csv("one.csv", "hit\n");
    search(u"hit"_s, {u"many.csv"_s, u"one.csv"_s, u"missing.csv"_s, u"one.csv"_s});
    // 150 hits from row 3, an empty row, one more hit; every row inside the sheet.
    EXPECT_EQ(cell(2, 152), u"hit149");
    EXPECT_EQ(cell(1, 154), quoted("one.csv", "A1"));
    EXPECT_GE(sheet.SheetRows, 203);
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{dir.filePath(u"missing.csv"_s) + u" が読み込めません."_s});
    EXPECT_EQ(cell(1, 156), QString()); // the run stopped: the last file was not searched
    EXPECT_EQ(sheet.LastRow, 154);
}

} // namespace
