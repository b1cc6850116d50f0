#include "CalcFixture.h"

namespace calctest {
namespace {

/// Each formula goes into Z20 of a 20-row sheet:
///   A: 1, abc, (empty), 5, '5     B: 10, 20, 30, 40, 50     C: ABC, x, X, a"b, 'b
///   E: 5, =1/0, text (E1:E3)      F1 '5, G1 5, H1 '5
class FunctionsTest : public CalcFixture
{
protected:
    FunctionsTest()
    {
        const char* a[] = {"1", "abc", "", "5", "'5"};
        const char* c[] = {"ABC", "x", "X", "a\"b", "'b"};
        for (int r = 1; r <= 5; ++r) {
            put(QStringLiteral("A%1").arg(r).toLatin1(), QString::fromLatin1(a[r - 1]));
            put(QStringLiteral("B%1").arg(r).toLatin1(), QString::number(r * 10));
            put(QStringLiteral("C%1").arg(r).toLatin1(), QString::fromLatin1(c[r - 1]));
        }
        put("E1", u"5");
        put("E2", u"=1/0");
        put("E3", u"text");
        put("F1", u"'5");
        put("G1", u"5");
        put("H1", u"'5");
    }
    void put(const QByteArray& name, const QString& typed) { CalcFixture::put(name.data(), typed); }
    using CalcFixture::put;

    void checkAll(std::initializer_list<FormulaCase> cases)
    {
        for (const FormulaCase& c : cases) {
            SCOPED_TRACE(QString::fromUtf16(c.formula).toStdString());
            put("Z20", c.formula);
            recalc();
            if (c.mark) {
                EXPECT_EQ(shown("Z20"), QString::fromUtf16(c.mark));
            } else {
                EXPECT_EQ(kind("Z20"), core::kindDone) << shown("Z20").toStdString();
                EXPECT_DOUBLE_EQ(value("Z20"), c.value);
            }
        }
    }
};

TEST_F(FunctionsTest, OperatorLikeFunctions)
{
    checkAll({
        {u"=ABS(-3)", 3},
        {u"=ABS(2-5)*2", 6},
        {u"=INT(2.7)", 2},
        {u"=INT(-2.5)", -2},
        {u"=-INT(2.5)^2", -4},
        {u"=MOD(7,3)", 1},
        {u"=MOD(-7,3)", -1},
        {u"=MOD(7,-3)", 1},
        {u"=MOD(7.6,3)", 2},
        {u"=MOD(-2.5,2)", -1},
        {u"=MOD(7,0.5)", 0},
        {u"=MOD(2+5,1+2)", 1},
        {u"=MOD(7,0)", 0, u"#０割?"},
        {u"=MOD(7,0.4)", 0, u"#０割?"},
        {u"=MOD(7)", 0, u"#複雑?"},
        {u"=ROUND(2.5,0)", 3},
        {u"=ROUND(-2.5,0)", -3},
        {u"=ROUND(1250,-2)", 1300},
        {u"=ROUND(1.234,2)", 1.23},
        {u"=ROUND(2.567,1.9)", 2.6},
        {u"=ROUND(1E18,0)", 1e18},
        {u"=ROUND(2.5)", 0, u"#複雑?"},
        {u"=ROUND(1,2,3)", 0, u"#式?"},
        {u"=ABS(ROUND(-1.25,1))", 1.3},
        {u"=MOD(ABS(-9),4)+1", 2},
    });
}

TEST_F(FunctionsTest, ArgumentsBeyondTheIntegerRangeShowTheNumberMark)
{
    checkAll({
        {u"=MOD(1E19,3)", 0, u"#数値?"},
        {u"=MOD(3,-1E19)", 0, u"#数値?"},
        {u"=ROUND(1E300,2)", 0, u"#数値?"},
        {u"=ROUND(1,400)", 0, u"#数値?"},
        {u"=ROUND(5,-400)", 0, u"#数値?"},
        {u"=MOD(-9E18,7)", -2},
        {u"=MOD(-9.2E18,-1)", 0},
        {u"=INT(1E300)", 1e300},
    });
}

TEST_F(FunctionsTest, NamesAreLookedUpAsPiecesOfTheNameTable)
{
    checkAll({
        {u"=SU(A1:A2)", 1},
        {u"=AB(-3)", 3},
        {u"=SUM (A1:A2)", 1},
        {u"=INT  (2.5)", 2},
        {u"=COUNTI(A1:A5,\"5\")", 2},
        {u"=UNT(A1:A5)", 2},
        {u"=MO(7,3)", 1},
        {u"=BS(-3)", -3},
        {u"=NT(2.7)", 2.7},
        {u"=OUND(2.5,0)", 0, u"#式?"},
        {u"=XYZ(1)", 0, u"#式?"},
        {u"=MODE(1)", 0, u"#式?"},
        {u"=PI*2", 0, u"#式?"},
        {u"=SUM     (A1:A2)", 0, u"#式?"},
        {u"=S(1)", 0, u"#範囲?"},
    });
}

TEST_F(FunctionsTest, RangeForms)
{
    checkAll({
        {u"=SUM(A1:A3)", 1},
        {u"=SUM($A$1:$B$2)", 31},
        {u"=SUM(A:A)", 6},
        {u"=SUM(A:B)", 156},
        {u"=SUM(1:1)", 21},
        {u"=SUM($3:$4)", 75},
        {u"=SUM(B5:B5)", 50},
        {u"=SUM(A1:B)", 0, u"#範囲?"},
        {u"=SUM(B2:A1)", 0, u"#範囲?"},
        {u"=SUM(A2:A1)", 0, u"#範囲?"},
        {u"=SUM(A1:A21)", 0, u"#範囲?"},
        {u"=SUM(A0:A2)", 0, u"#範囲?"},
        {u"=SUM(1:B2)", 0, u"#範囲?"},
        {u"=SUM(A-1:A2)", 0, u"#範囲?"},
        {u"=SUM(A1)", 0, u"#式?"},
        {u"=SUM(A1:A3,B1:B3)", 0, u"#式?"},
        {u"=SUM(0:1)", 0, u"#式?"},
        {u"=SUM(1:A)", 0, u"#式?"},
        {u"=SUM(A1:)", 0, u"#式?"},
        {u"=SUM(-A1:A2)", 0, u"#式?"},
        {u"=SUM(A1:A2", 0, u"#式?"},
        {u"=SUM(A1;A2)", 0, u"#式?"},
        {u"=SUM(B1.6:B2.4)", 20},
        {u"=COUNT(A1:A5)", 2},
        {u"=COUNTA(A1:A5)", 4},
        {u"=COUNT(E1:E3)", 2},
        {u"=COUNTA(E1:E3)", 3},
        {u"=COUNTA(1:1)", 7},
        {u"=COUNT(B:B)*2", 10},
    });
}

TEST_F(FunctionsTest, CriteriaForms)
{
    checkAll({
        {u"=COUNTIF(B1:B5,\">=30\")", 3},
        {u"=COUNTIF(B1:B5,\"<30\")", 2},
        {u"=COUNTIF(B1:B5,\">30\")", 2},
        {u"=COUNTIF(B1:B5,\"<>30\")", 4},
        {u"=COUNTIF(B1:B5,\"<=30\")", 3},
        {u"=COUNTIF(B1:B5,\"=30\")", 1},
        {u"=COUNTIF(B1:B5,\"30\")", 1},
        {u"=COUNTIF(B1:B5,\">= 30\")", 3},
        {u"=COUNTIF(A1:A5,\">=3\")", 1},
        {u"=COUNTIF(A1:A5,\"5\")", 2},
        {u"=COUNTIF(A1:A5,\"\")", 1},
        {u"=COUNTIF(A1:A5,\"abc\")", 1},
        {u"=COUNTIF(C1:C5,\"abc\")", 1},
        {u"=COUNTIF(C1:C5,\"x\")", 2},
        {u"=COUNTIF(C1:C5,\"<b\")", 2},
        {u"=COUNTIF(C1:C5,\">=x\")", 2},
        {u"=COUNTIF(C1:C5,\"<>x\")", 3},
        {u"=COUNTIF(C1:C5,\"a\"\"b\")", 1},
        {u"=COUNTIF(C1:C5,\"=B\")", 1},
        {u"=COUNTIF(C1:C5,\"<\")", 0},
        {u"=COUNTIF(C1:C5,\">\")", 5},
        {u"=COUNTIF(A1:C1,\"1\")", 1},
        {u"=COUNTIF(E1:E3,\"<>0\")", 1},
        {u"=COUNTIF(F1:H1,\"5\")", 2},
        {u"=COUNTIF(G1:H1,\"5\")", 2},
        {u"=COUNTIF(F1:G1,\"<9\")", 1},
        {u"=COUNTIF(A:A,\"\")", 16},
        {u"=COUNTIF(1:1,\"abc\")", 1},
        {u"=COUNTIF(A1:A5,x)", 0, u"#式?"},
        {u"=COUNTIF(A1:A5,\"x", 0, u"#式?"},
        {u"=COUNTIF(A1:A5,\"x\"", 0, u"#式?"},
        {u"=COUNTIF(A1:A5)", 0, u"#式?"},
        {u"=COUNTIF(A1:B,\"x\")", 0, u"#範囲?"},
    });
}

TEST_F(FunctionsTest, TextCriteriaIgnoreLetterCaseOnly)
{
    struct TextCase
    {
        const char16_t* cell;
        const char16_t* criterion;
        int count;
    };
    const TextCase cases[] = {
        {u"ABC", u"abc", 1},
        {u"abc", u"=ABC", 1},
        {u"ＡＢＣ", u"ａｂｃ", 1}, // full-width letters differ only in case
        {u"ＡＢＣ", u"abc", 0},
        {u"ＡＢＣ", u"<>abc", 1},
        {u"ア", u"あ", 0},
        {u"ア", u"<>あ", 1},
        {u"ア", u"ｱ", 0},
        {u"が", u"か\u3099", 1}, // composed and combining voiced mark
        // Texts that differ are ordered, one way only.
        {u"ア", u">あ", 1},
        {u"ア", u"<=あ", 0},
        {u"ｱ", u">ア", 1},
        {u"ｱ", u"<ア", 0},
        {u"ＡＢＣ", u">=abc", 1},
        {u"ＡＢＣ", u"<abc", 0},
        // The order is the locale's, letter case aside.
        {u"b", u"<C", 1},
        {u"b", u">C", 0},
        {u"B", u">=b", 1},
        {u"B", u"<=b", 1},
        {u"é", u"<f", 1},
        {u"か", u">イ", 1},
        {u"か", u"<イ", 0},
    };
    for (const TextCase& c : cases) {
        const QString formula =
            QStringLiteral("=COUNTIF(Y1:Y1,\"%1\")").arg(QString::fromUtf16(c.criterion));
        SCOPED_TRACE((QString::fromUtf16(c.cell) + u' ' + formula).toStdString());
        put("Y1", c.cell);
        put("Z20", formula);
        recalc();
        EXPECT_EQ(shown("Z20").trimmed(), QString::number(c.count));
    }

    put("Y1", u"ＡＢＣ");
    put("Y2", u"ａｂｃ");
    put("Y3", u"abc");
    put("X1", u"1");
    put("X2", u"10");
    put("X3", u"100");
    put("Z20", u"=SUMIF(Y1:Y3,\"ＡＢＣ\",X1:X3)");
    recalc();
    EXPECT_EQ(value("Z20"), 11);
}

TEST_F(FunctionsTest, SumIfSelectsWholeRows)
{
    checkAll({
        {u"=SUMIF(A1:A5,\">2\",B1:B5)", 40},
        {u"=SUMIF(C:C,\"x\",B1:B5)", 50},
        {u"=SUMIF(A1:A5,\">2\",B:B)", 40},
        {u"=SUMIF(A:A,\">2\",B:B)", 40},
        {u"=SUMIF(A1:C5,\"x\",B1:B5)", 50},
        {u"=SUMIF(A1:A5,\">2\",A1:B5)", 45},
        {u"=SUMIF(1:5,\"x\",B1:B5)", 50},
        {u"=SUMIF(A1:A5,\"<>1\",B1:B5)", 40},
        {u"=SUMIF(B1:B5,\"<>20\",B1:B5)", 130},
        {u"=SUMIF(A2:A5,\"5\",B2:B5)", 90},
        {u"=SUMIF(A1:A5,\">2\",B1:B4)", 0, u"#範囲?"},
        {u"=SUMIF(A2:A6,\">2\",B1:B5)", 0, u"#範囲?"},
        {u"=SUMIF(A1:A5,\">2\",B1:B)", 0, u"#範囲?"},
        {u"=SUMIF(A1:A,\">2\",B1:B5)", 0, u"#範囲?"},
        {u"=SUMIF(A1:A5,\">2\")", 0, u"#式?"},
        {u"=SUMIF(A1:A5,\">2\",B1:B5", 0, u"#式?"},
        {u"=SUMIF(A1:A5,\">2\";B1:B5)", 0, u"#式?"},
    });
}

} // namespace
} // namespace calctest
