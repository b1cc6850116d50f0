#include "WorksheetFixture.h"

#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

class WorksheetCorpusTest : public WorksheetFixture {};

/// Every file of the fuzz corpus either opens, and then saves and opens again to the same
/// file, or fails with the failure message and leaves the sheet as it was.
TEST_F(WorksheetCorpusTest, EachFileLoadsOrFailsCleanly)
{
    const QDir corpus(QStringLiteral(MAVIX_TESTDATA "/worksheet-corpus"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 10);
    int opened = 0;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        platform::FakePlatform fakes1;
        App one{fakes1.services()};
        core::ResetSheetState(one);
        one.sheet.CellText[3][3] = u"\bsentinel"_s;
        core::RescanExtent(one);
        // The file name must end in .mvx for the open command; the corpus keeps any name.
        const QString copy = path("copy.mvx");
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(corpus.filePath(name), copy));
        if (!files::OpenWorksheet(one, copy)) {
            ASSERT_FALSE(fakes1.ui.messages.empty());
            EXPECT_EQ(fakes1.ui.messages.back().text, u"データの読み込みに失敗しました");
            EXPECT_EQ(one.sheet.CellText[3][3], u"\bsentinel");
            EXPECT_TRUE(one.sheet.FileName.isEmpty());
            continue;
        }
        ++opened;
        const QString first = path("first.mvx");
        const QString second = path("second.mvx");
        ASSERT_TRUE(files::WriteWorksheet(one, first, 1, one.sheet.LastCol, 1,
                                          one.sheet.LastRow)
                        .ok());
        platform::FakePlatform fakes2;
        App two{fakes2.services()};
        core::ResetSheetState(two);
        ASSERT_TRUE(files::OpenWorksheet(two, first));
        ASSERT_TRUE(files::WriteWorksheet(two, second, 1, two.sheet.LastCol, 1,
                                          two.sheet.LastRow)
                        .ok());
        EXPECT_EQ(readBytes(second), readBytes(first));
    }
    EXPECT_GE(opened, 5);
}

} // namespace
