#include "CalcFixture.h"

namespace calctest {
namespace {

using RecalcFunction = void (*)(App&);

/// Both recalculations must show the same observable behaviour.
class RecalcAllTest : public CalcFixture, public ::testing::WithParamInterface<RecalcFunction>
{
protected:
    void recalc() { GetParam()(app); }
    static QString circular(const char* cell)
    {
        return QString::fromLatin1(cell) + QStringLiteral("の式が循環参照です.");
    }
};

TEST_P(RecalcAllTest, ClassifiesEveryCell)
{
    put("A1", u"12.5");
    put("A2", u"abc");
    put("A3", u"'7");
    put("B1", u"=A1*2");
    put("B3", u"");
    sheet.CellValue[1][2] = 99;  // stale values of texts and unused cells are reset
    sheet.CellValue[1][10] = 99; // below LastRow
    sheet.CellValue[5][1] = 99;  // right of LastCol
    sheet.CellText[1][5] = QStringLiteral("=1+1"); // outside the used area: no formula
    recalc();
    EXPECT_EQ(value("A1"), 12.5);
    EXPECT_EQ(kind("A1"), core::kindConst);
    EXPECT_EQ(value("A2"), 0);
    EXPECT_EQ(value("A3"), 0);
    EXPECT_EQ(kind("A3"), core::kindConst);
    EXPECT_EQ(value("B1"), 25);
    EXPECT_EQ(kind("B1"), core::kindDone);
    EXPECT_EQ(shown("B1"), QStringLiteral("        25"));
    EXPECT_EQ(kind("B3"), core::kindConst);
    EXPECT_EQ(value("A10"), 0);
    EXPECT_EQ(value("E1"), 0);
    EXPECT_EQ(value("A5"), 0);
    EXPECT_EQ(kind("A5"), core::kindConst);
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_P(RecalcAllTest, ChainReferringDownwardsSettlesOneFormulaPerPass)
{
    put("A1", u"=A2+1");
    put("A2", u"=A3+1");
    put("A3", u"1");
    recalc();
    EXPECT_EQ(value("A1"), 3);
    EXPECT_EQ(value("A2"), 2);
    EXPECT_EQ(kind("A1"), core::kindDone);
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_P(RecalcAllTest, CriteriaSeeWhatThePassesHaveEvaluated)
{
    // Pass 1: the COUNTIF sees B3 only, then A1 waits for C1; pass 2: B2 and B3; pass 3: all.
    put("A1", u"=COUNTIF(B1:B3,\">0\")+C1");
    put("B1", u"=B2+1");
    put("B2", u"=B3+1");
    put("B3", u"1");
    put("C1", u"=B1");
    put("D1", u"=SUMIF(B1:B3,\">1\",B1:B3)"); // after the first pass over column B
    recalc();
    EXPECT_EQ(value("A1"), 3 + 3);
    EXPECT_EQ(value("D1"), 2);
    EXPECT_EQ(shown("D1"), QStringLiteral("         2"));
}

TEST_P(RecalcAllTest, MutualReferenceNamesTheLastWaitingCell)
{
    put("A1", u"=B1");
    put("B1", u"=A1");
    recalc();
    EXPECT_EQ(kind("A1"), core::kindPending);
    EXPECT_EQ(kind("B1"), core::kindPending);
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    const platform::Message& m = fakes.ui.messages[0];
    EXPECT_EQ(m.text, circular("B1"));
    EXPECT_EQ(m.icon, platform::Icon::Warning);
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    recalc(); // shown again while the cycle remains
    EXPECT_EQ(warnings(), QStringList({circular("B1"), circular("B1")}));
}

TEST_P(RecalcAllTest, WarningNamesTheLowestCellOfTheRightmostColumn)
{
    put("A1", u"=A1");
    recalc();
    EXPECT_EQ(warnings(), QStringList{circular("A1")});
    fakes.ui.messages.clear();
    put("A1", u"=B5");
    put("B5", u"=B2");
    put("B2", u"=A1");
    put("A7", u"=2");
    recalc();
    EXPECT_EQ(warnings(), QStringList{circular("B5")});
    EXPECT_EQ(value("A7"), 2);
}

TEST_P(RecalcAllTest, ErrorsSuppressTheWarning)
{
    put("A1", u"=1/0");
    put("B1", u"=A1");
    put("C1", u"=C2");
    put("C2", u"=C1");
    sheet.GridText[2][1] = QStringLiteral("old");
    recalc();
    EXPECT_EQ(shown("A1"), QStringLiteral("#０割?"));
    EXPECT_EQ(kind("A1"), core::kindPending);
    EXPECT_EQ(shown("B1"), QStringLiteral("old")); // a waiting formula keeps its display
    EXPECT_EQ(kind("B1"), core::kindPending);
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_P(RecalcAllTest, AnEarlierErrorMarkStaysWhileTheFormulaWaits)
{
    // Pass 1: the COUNTIF still sees C1 pending, 1/0 fails. Pass 2: A1 waits for the cycle.
    put("A1", u"=1/COUNTIF(C1:C1,\">0\")+D1");
    put("C1", u"=5");
    put("D1", u"=D1");
    sheet.CellValue[1][1] = 42;
    recalc();
    EXPECT_EQ(shown("A1"), QStringLiteral("#０割?"));
    EXPECT_EQ(value("A1"), 0);
    EXPECT_EQ(warnings(), QStringList{circular("D1")});
}

TEST_P(RecalcAllTest, SumWaitsForPendingCellsCountDoesNot)
{
    put("A1", u"=SUM(B1:B3)");
    put("A2", u"=COUNT(B1:B3)");
    put("A3", u"=COUNTIF(B1:B3,\"<>0\")");
    put("B1", u"=1/0");
    put("B2", u"4");
    recalc();
    EXPECT_EQ(kind("A1"), core::kindPending);
    EXPECT_EQ(value("A2"), 2);
    EXPECT_EQ(value("A3"), 1); // the failed B1 never takes part
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_P(RecalcAllTest, SheetWithoutFormulasShowsNothing)
{
    put("A1", u"1");
    put("Z20", u"x");
    sheet.GridText[1][1] = QStringLiteral("kept");
    recalc();
    EXPECT_EQ(shown("A1"), QStringLiteral("kept"));
    EXPECT_EQ(value("A1"), 1);
    EXPECT_TRUE(warnings().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Fast, RecalcAllTest, ::testing::Values(&calc::RecalcAll));
INSTANTIATE_TEST_SUITE_P(Plain, RecalcAllTest, ::testing::Values(&calc::RecalcAllPlain));

} // namespace
} // namespace calctest
