#include "WorksheetFixture.h"

#include "files/FileCommands.h"
#include "files/FileNames.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

TEST(FileNamesTest, ExtensionOfTheLastComponentInAnyCase)
{
    struct Case {
        const char* path;
        const char* upper;
        const char* without;
        int filter;
    };
    const Case cases[] = {
        {"/d/book.mvx", ".MVX", "/d/book", 1},   {"/d/Book.Csv", ".CSV", "/d/Book", 2},
        {"/d/note.TXT", ".TXT", "/d/note", 4},   {"/d/a.b.c", ".C", "/d/a.b", 0},
        {"/d/v1.2/book", "", "/d/v1.2/book", 0}, {"book", "", "book", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(files::UpperExtension(path), QString::fromUtf8(c.upper));
        EXPECT_EQ(files::WithoutExtension(path), QString::fromUtf8(c.without));
        EXPECT_EQ(files::FilterOfPath(path), c.filter);
    }
}

TEST(FileNamesTest, SaveFiltersWriteTheirExtensionKeepingAMatchingOne)
{
    EXPECT_EQ((QStringList{files::SaveExtension(1), files::SaveExtension(2),
                           files::SaveExtension(3), files::SaveExtension(4)}),
              (QStringList{u".MVX"_s, u".CSV"_s, u".CSV"_s, u".TXT"_s}));
    struct Case {
        const char* path;
        const char* ext;
        const char* expected;
    };
    const Case cases[] = {
        {"/d/book", ".MVX", "/d/book.MVX"},       {"/d/book.mvx", ".MVX", "/d/book.mvx"},
        {"/d/book.MVX", ".CSV", "/d/book.CSV"},   {"/d/book.csv", ".CSV", "/d/book.csv"},
        {"/d/v1.2/book", ".TXT", "/d/v1.2/book.TXT"}, {"/d/a.b.c", ".MVX", "/d/a.b.MVX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(files::PathWithExtension(QString::fromUtf8(c.path), QString::fromUtf8(c.ext)),
                  QString::fromUtf8(c.expected));
    }
}

class ExistingSpellingTest : public WorksheetFixture {
protected:
    ExistingSpellingTest() { writeBytes("book.csv", "old\r\n"); }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files); }
};

TEST_F(ExistingSpellingTest, NameInOtherLettersIsTheExistingFile)
{
    EXPECT_EQ(files::ExistingSpelling(path("book.CSV")), path("book.csv"));
    EXPECT_EQ(files::ExistingSpelling(path("BOOK.csv")), path("book.csv"));
    EXPECT_EQ(files::ExistingSpelling(path("book.csv")), path("book.csv"));
    EXPECT_EQ(files::ExistingSpelling(path("other.csv")), path("other.csv"));
    EXPECT_EQ(files::ExistingSpelling(path("missing/book.CSV")), path("missing/book.CSV"));
    // Where both spellings exist, the name given is the file.
    writeBytes("book.CSV", "x");
    EXPECT_EQ(files::ExistingSpelling(path("book.CSV")), path("book.CSV"));
}

TEST_F(ExistingSpellingTest, SaveThroughTheCsvFilterReplacesTheFileInOtherLetters)
{
    put(1, 1, u"\bnew");
    fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{path("book"), 2, true});
    EXPECT_TRUE(files::SaveCommand(app, true));
    EXPECT_EQ(sheet.FileName, path("book.csv"));
    EXPECT_EQ(names(), QStringList{u"book.csv"_s});
    EXPECT_EQ(files::DecodeTextLines(readBytes(path("book.csv"))), QStringList{u"new"_s});
}

} // namespace
