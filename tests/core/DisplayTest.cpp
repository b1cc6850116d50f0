#include "core/App.h"
#include "core/Display.h"
#include "core/NumberFormat.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase {
    double value;
    int wid, shosu, comma;
    const char16_t* shown;
};

TEST(NumberFormatTest, FormatsLikeTheColumnSettings)
{
    const FormatCase cases[] = {
        {1234567, 10, 0, -1, u" 1,234,567"},
        {12345678901.0, 10, 0, -1, u"12,345,678,901"},
        {1234567.891, 10, 0, -1, u" 1,234,568"},
        {1234567.891, 10, 2, 0, u"1234567.89"},
        {1234567.891, 6, 2, 0, u"1234567.89"},
        {-0.5, 5, 0, -1, u"   -1"},
        {0.5, 5, 0, 0, u"    1"},
        {2.5, 3, 0, 0, u"  3"},
        {-2.5, 3, 0, 0, u" -3"},
        {-0.4, 3, 0, 0, u"  0"},
        {1234.5, 12, 2, -2, u"   ¥1,234.50"},
        {-1234, 10, 0, -2, u"   -¥1,234"},
        {0.49999999999999994, 3, 0, 0, u"  0"},
        {-1234.5, 8, 0, -1, u"  -1,235"},
        {999999999999999.5, 3, 0, 0, u"1000000000000000"},
        {4503599627370495.5, 3, 0, 0, u"4503599627370496"},
        {0.125, 6, 2, 0, u"  0.13"},
        {999.999, 8, 2, -1, u"1,000.00"},
        {0.001, 6, 2, 0, u"  0.00"},
        {0.0049, 6, 2, 0, u"  0.00"},
        {0.005, 6, 2, 0, u"  0.01"},
        {1.005, 6, 2, 0, u"  1.00"},
        {0.30000000000000004, 5, 1, 0, u"  0.3"},
        {123456789012.25, 3, 1, -1, u"123,456,789,012.3"},
        {0, 10, 3, -1, u"     0.000"},
        {1.5e20, 10, 0, -1, u"   1.5E+20"},
        {-1e18, 4, 0, 0, u"-1E+18"},
        {123456789012345678.0, 20, 0, -1, u"123,456,789,012,345,680"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.value);
        const core::NumberFormat format{c.wid, c.shosu,
                                        c.comma == -1   ? u'n'
                                        : c.comma == -2 ? u'm'
                                                        : u'f'};
        EXPECT_EQ(core::FormatNumber(c.value, format), QString::fromUtf16(c.shown));
    }
    EXPECT_TRUE(core::FormatNumber(std::numeric_limits<double>::infinity(), {}).isNull());
    EXPECT_TRUE(core::FormatNumber(std::numeric_limits<double>::quiet_NaN(), {}).isNull());
}

TEST(NumberFormatTest, ParsesFormatSpecifications)
{
    const auto f = core::ParseNumberFormat(u"%12.3m");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->width, 12);
    EXPECT_EQ(f->decimals, 3);
    EXPECT_EQ(f->type, u'm');
    EXPECT_FALSE(core::ParseNumberFormat(u"10.0n"));
    EXPECT_FALSE(core::ParseNumberFormat(u"%10.0x"));
    EXPECT_FALSE(core::ParseNumberFormat(u"%10"));
}

class DisplayTest : public ::testing::Test {
protected:
    DisplayTest() { core::ResetSheetState(app); }
    void put(int c, int r, const QString& text, double value = 0)
    {
        app.sheet.CellText[c][r] = text;
        app.sheet.CellValue[c][r] = value;
        core::ShowCell(app, c, r);
    }
    const QString& shown(int c, int r) const { return app.sheet.GridText[c][r]; }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(DisplayTest, TextsAlignByColumnInUnitsOfW)
{
    // align 1 (right), wid 10: 4 units wide gets 6 blanks; 14 units loses 4 units on the left.
    app.sheet.ColFormat[2].align = 1;
    put(2, 1, QStringLiteral("\bwwww"));
    EXPECT_EQ(shown(2, 1), u"      wwww");
    put(2, 2, QStringLiteral("\babcdefghijklmn"));
    EXPECT_EQ(shown(2, 2), u"efghijklmn");
    // Full-width characters count two units each.
    put(2, 3, QStringLiteral("\b東京"));
    EXPECT_EQ(shown(2, 3), u"      東京");
    put(2, 4, QStringLiteral("\b東京都千代田区丸の内"));
    EXPECT_EQ(shown(2, 4), u"田区丸の内");

    app.sheet.ColFormat[3].align = 2;
    put(3, 1, QStringLiteral("'abc"));
    EXPECT_EQ(shown(3, 1), u"   abc");
    put(3, 2, QStringLiteral("\babcdefghijkl")); // 2 over: drops 1 unit
    EXPECT_EQ(shown(3, 2), u"bcdefghijkl");

    put(4, 1, QStringLiteral("\babcdefghijklmnop")); // left: unchanged, the paint cuts it
    EXPECT_EQ(shown(4, 1), u"abcdefghijklmnop");
}

TEST_F(DisplayTest, NumbersFormulasAndOtherTexts)
{
    put(1, 1, QStringLiteral("\t1234567"), 1234567);
    EXPECT_EQ(shown(1, 1), u" 1,234,567");
    put(1, 2, QStringLiteral("=A1*2"), 2469134);
    EXPECT_EQ(shown(1, 2), u" 2,469,134");
    put(1, 3, QString());
    EXPECT_EQ(shown(1, 3), u"");
    app.sheet.ColFormat[1].comma = -2;
    app.sheet.ColFormat[1].shosu = 2;
    core::BuildColumnFormat(app, 1);
    EXPECT_EQ(app.sheet.ColFormat[1].fmt, u"%10.2m");
    put(1, 4, QStringLiteral("\t-1234.5"), -1234.5);
    EXPECT_EQ(shown(1, 4), u"-¥1,234.50");
    // A value that cannot be formatted shows the entry as typed, never its mark.
    put(1, 5, QStringLiteral("=1E999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(shown(1, 5), u"=1E999");
    put(1, 6, QStringLiteral("\t-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(shown(1, 6), u"-1e400");
}

TEST_F(DisplayTest, BuildColumnFormatSetsWidthAndFormat)
{
    app.sheet.ColFormat[5] = core::column_type{7, -1, 0, 0, {}, {}, {}, {}};
    core::BuildColumnFormat(app, 5);
    EXPECT_EQ(app.sheet.ColFormat[5].shosu, 0);
    EXPECT_EQ(app.sheet.ColFormat[5].fmt, u"%7.0f");
    EXPECT_EQ(app.grid.colWidths[5], 7 * platform::FakeTextMeasure::Unit + 2);
    EXPECT_EQ(app.grid.colWidths[0], 6 * platform::FakeTextMeasure::Unit + 2);
    EXPECT_EQ(app.grid.defaultColWidth, 10 * platform::FakeTextMeasure::Unit + 2);
    EXPECT_EQ(app.grid.rowHeight, platform::FakeTextMeasure::Height + 2);
}

TEST_F(DisplayTest, HeadingsFollowTheHeadingRow)
{
    app.sheet.CellText[2][1] = QStringLiteral("\bPrice");
    app.sheet.CellText[3][1] = QStringLiteral("\t12");
    app.sheet.CellText[4][1] = QStringLiteral("=A2");
    app.sheet.CellText[5][1] = QStringLiteral("'007");
    app.sheet.HeadingRow = 1;
    core::RefreshColumnHeadings(app);
    EXPECT_EQ(app.sheet.GridText[1][0], u"A.");
    EXPECT_EQ(app.sheet.GridText[2][0], u"B.Price");
    EXPECT_EQ(app.sheet.GridText[3][0], u"C.12");
    EXPECT_EQ(app.sheet.GridText[4][0], u"D.=A2");
    EXPECT_EQ(app.sheet.GridText[5][0], u"E.007");
    app.sheet.HeadingRow = 21;
    core::RefreshColumnHeadings(app);
    EXPECT_EQ(app.sheet.GridText[2][0], u"B");
}

TEST_F(DisplayTest, CharsThatFitCountsWholeCharacters)
{
    const int u = platform::FakeTextMeasure::Unit;
    const QString half(1000, u'a');
    const QString mixed = QString(300, u'東') + QString(300, u'a'); // 600 units wide, then 300
    struct FitCase
    {
        QString text;
        int px;
        int fit;
    };
    const FitCase cases[] = {
        {QStringLiteral("abc"), 2 * u, 2},
        {QStringLiteral("東京"), 3 * u, 1},
        {QStringLiteral("abc"), 5 * u, 0}, // no prefix reaches the width
        {QStringLiteral("abc"), 0, 0},
        {QString(), 3 * u, 0},
        {half, 500 * u, 500},     // exact fit
        {half, 500 * u - 1, 499}, // the 500th character is one pixel over
        {half, 500 * u + 1, 500},
        {half, 1 * u, 1},
        {half, 1000 * u, 1000},
        {half, 1000 * u + 1, 0},
        {half, -5, 0},
        {mixed, 300 * u, 150},
        {mixed, 301 * u, 150}, // half of a wide character does not count
        {mixed, 599 * u, 299},
        {mixed, 600 * u, 300},
        {mixed, 610 * u, 310},
        {mixed, 900 * u, 600},
        {mixed, 900 * u + 1, 0},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.left(8).toStdString() << "... (" << c.text.size()
                                        << ") px " << c.px);
        EXPECT_EQ(core::CharsThatFit(app, c.text, c.px), c.fit);
    }
}

} // namespace
