#include "edit/AdjustFormula.h"

#include <gtest/gtest.h>

namespace {

struct AdjustCase {
    const char16_t* in;
    int dc;
    int dr;
    const char16_t* out;
};

class AdjustFormulaTest : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustFormulaTest, ShiftsRelativeReferences)
{
    const AdjustCase& k = GetParam();
    EXPECT_EQ(edit::AdjustFormula(QString::fromUtf16(k.in), k.dc, k.dr, 20),
              QString::fromUtf16(k.out));
    // In place, also over a string whose buffer another copy shares.
    QString t = QString::fromUtf16(k.in);
    const QString shared = t;
    edit::AdjustFormulaInPlace(t, k.dc, k.dr, 20);
    EXPECT_EQ(t, QString::fromUtf16(k.out));
    EXPECT_EQ(shared, QString::fromUtf16(k.in));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, AdjustFormulaTest,
    ::testing::Values(
        // Not formulas.
        AdjustCase{u"\bA1", 1, 1, u"\bA1"}, AdjustCase{u"'=A1", 1, 1, u"'=A1"},
        AdjustCase{u"", 1, 1, u""},
        // Relative references, "$" parts.
        AdjustCase{u"=A1+B1", 1, 0, u"=B1+C1"}, AdjustCase{u"=$A1+B1", 1, 0, u"=$A1+C1"},
        AdjustCase{u"=C3*2", 0, -1, u"=C2*2"}, AdjustCase{u"=A$1+$B2", 2, 3, u"=C$1+$B5"},
        AdjustCase{u"=$A$1", 5, 5, u"=$A$1"}, AdjustCase{u"=A1*100", 0, 4, u"=A5*100"},
        // Ranges and row numbers next to ":".
        AdjustCase{u"=SUM(A1:A3)", 0, 2, u"=SUM(A3:A5)"},
        AdjustCase{u"=SUM(B2:$C$9)", 1, 1, u"=SUM(C3:$C$9)"},
        AdjustCase{u"=SUM(3:5)+7", 0, 2, u"=SUM(5:7)+7"},
        // Quoted strings stay, also in criteria and when unclosed.
        AdjustCase{u"=COUNTIF(A1:A5,\"B2\")", 1, 1, u"=COUNTIF(B2:B6,\"B2\")"},
        AdjustCase{u"=\"A1\"\"B2\"&C3", 0, 1, u"=\"A1\"\"B2\"&C4"},
        AdjustCase{u"=A1&\"B2", 1, 0, u"=B1&\"B2"},
        // Clamping at A/Z and at 1/SheetRows.
        AdjustCase{u"=A1+B2", -1, -1, u"=A1+A1"}, AdjustCase{u"=Y19", 3, 5, u"=Z20"},
        AdjustCase{u"=A30", 0, 0, u"=A20"}, AdjustCase{u"=A007", 0, 0, u"=A7"},
        AdjustCase{u"=A99999999999999999999", 0, -5, u"=A20"},
        // Function names are copied up to their "(".
        AdjustCase{u"=ROUND(A1,2)+ABS(B1)", 1, 1, u"=ROUND(B2,2)+ABS(C2)"},
        AdjustCase{u"=SUMIF(A1:A3,\">1\",B1:B3)", 0, 1, u"=SUMIF(A2:A4,\">1\",B2:B4)"},
        // A number literal with an exponent is no reference.
        AdjustCase{u"=1E5+A1", 1, 1, u"=1E5+B2"}, AdjustCase{u"=2.5E-3*B2", 1, 1, u"=2.5E-3*C3"},
        // A name without "(" keeps the rest of the formula as it is.
        AdjustCase{u"=AB1+C1", 1, 1, u"=AB1+C1"}, AdjustCase{u"=A1+XY", 1, 0, u"=B1+XY"}));

TEST(AdjustRowNumberTest, AddsAndClampsInDecimal)
{
    EXPECT_EQ(edit::AdjustRowNumber(u"9", 1, 20), u"10");
    EXPECT_EQ(edit::AdjustRowNumber(u"3", -5, 20), u"1");
    EXPECT_EQ(edit::AdjustRowNumber(u"19", 5, 20), u"20");
    EXPECT_EQ(edit::AdjustRowNumber(u"0031999", 1, 32000), u"32000");
    EXPECT_EQ(edit::AdjustRowNumber(u"", 0, 20), u"1");
}

} // namespace
