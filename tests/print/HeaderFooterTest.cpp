// The placeholders of header and footer lines.
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"
#include "print/HeaderFooter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class HeaderFooterTest : public ::testing::Test {
protected:
    HeaderFooterTest()
    {
        core::ResetSheetState(app);
        app.sheet.SheetRows = 12345;
        core::ResizeSheet(app);
        app.grid.col = 1;
        app.grid.row = 1;
        edit::CommitEntry(app, u"1234"_s);
        app.grid.row = 12345;
        edit::CommitEntry(app, u"last"_s);
        app.grid.col = 2;
        app.grid.row = 2;
        edit::CommitEntry(app, u"&P&&"_s);
        app.sheet.FileName = u"/data/Book1.MVX"_s;
        fakes.ui.messages.clear();
    }
    QString expand(const QString& text, int page = 3)
    {
        return print::ExpandHeaderFooter(app, text, page,
                                         QDateTime(QDate(2026, 12, 10), QTime(9, 5)));
    }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(HeaderFooterTest, PlaceholdersAreReplacedOnceEach)
{
    struct Case {
        const char16_t* text;
        const char16_t* expanded;
    };
    const Case cases[] = {
        {u"ページ &P", u"ページ 3"},
        {u"&p/&P", u"3/3"},
        {u"A&&B", u"A&B"},
        {u"100%&", u"100%&"},
        {u"&X", u"&X"},
        {u"&CA1", u"     1,234"}, // the cell's text as the grid shows it
        {u"&ca1", u"     1,234"},
        {u"&CA123456", u"last6"}, // at most five digits
        {u"&CB2 &P", u"&P&& 3"},  // an inserted text is not scanned again
        {u"&F", u"Book1.MVX"},
        {u"&f", u"book1.mvx"},
        {u"&D &T", u"26-12-10 09:05"},
        {u"&J", u"8.12.10"}, // 令和 8
        {u"&&P", u"&P"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(expand(QString::fromUtf16(c.text)), QString::fromUtf16(c.expanded));
    }
    EXPECT_TRUE(fakes.ui.messages.empty());
    app.sheet.FileName.clear();
    EXPECT_EQ(expand(u"[&F]"_s), u"[]");
}

TEST_F(HeaderFooterTest, WrongCellPlaceholdersStopWithTheirError)
{
    struct Case {
        const char16_t* text;
        const char16_t* message;
        const char16_t* kept;
    };
    const Case cases[] = {
        {u"&P: &C1", u"\"3: &C1\": ヘッダー・フッターの書式エラー", u"3: &C1"},
        {u"end &C", u"\"end &C\": ヘッダー・フッターの書式エラー", u"end &C"},
        {u"&CB", u"\"&CB\": ヘッダー・フッターの行指定範囲エラー", u"&CB"},
        {u"&CB0", u"\"&CB0\": ヘッダー・フッターの行指定範囲エラー", u"&CB0"},
        {u"&CB12346", u"\"&CB12346\": ヘッダー・フッターの行指定範囲エラー", u"&CB12346"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        fakes.ui.messages.clear();
        EXPECT_EQ(expand(QString::fromUtf16(c.text)), QString::fromUtf16(c.kept));
        ASSERT_EQ(fakes.ui.messages.size(), 1u);
        EXPECT_EQ(fakes.ui.messages[0].text, QString::fromUtf16(c.message));
        EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Error);
    }
}

TEST(JapaneseEraTest, YearsCountFromEachEra)
{
    struct Case {
        QDate date;
        int year;
    };
    const Case cases[] = {{QDate(2026, 12, 10), 8}, {QDate(2019, 5, 1), 1},
                          {QDate(2019, 4, 30), 31}, {QDate(1989, 1, 8), 1},
                          {QDate(1989, 1, 7), 64},  {QDate(1926, 12, 25), 1}};
    for (const Case& c : cases)
        EXPECT_EQ(print::JapaneseEraYear(c.date), c.year) << c.date.toString().toStdString();
}

} // namespace
