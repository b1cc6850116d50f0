#include "CalcFixture.h"

#include <bit>
#include <cmath>
#include <random>

namespace calctest {
namespace {

/// Each formula goes into Z1 of a sheet with A1 = 5, A2 = abc, A3 empty, B1 = 2.5, B2 = -4.
class EvaluateTest : public CalcFixture
{
protected:
    EvaluateTest()
    {
        put("A1", u"5");
        put("A2", u"abc");
        put("B1", u"2.5");
        put("B2", u"-4");
        put("C1", u"'7");
    }
    void check(const FormulaCase& c)
    {
        SCOPED_TRACE(QString::fromUtf16(c.formula).toStdString());
        put("Z1", c.formula);
        recalc();
        if (c.mark) {
            EXPECT_EQ(shown("Z1"), QString::fromUtf16(c.mark));
            EXPECT_EQ(kind("Z1"), core::kindPending);
        } else {
            EXPECT_EQ(kind("Z1"), core::kindDone) << shown("Z1").toStdString();
            EXPECT_DOUBLE_EQ(value("Z1"), c.value);
        }
    }
};

TEST_F(EvaluateTest, PrecedenceAssociativityAndUnaryMinus)
{
    const FormulaCase cases[] = {
        {u"=1+2*3", 7},      {u"=(1+2)*3", 9}, {u"=2^3^2", 512}, {u"=-2^2", -4},
        {u"=2^-1", 0.5},     {u"=-3+5", 2},    {u"=10-2-3", 5},  {u"=8/2/2", 2},
        {u"=-2*3", -6},      {u"=2*-3", -6},   {u"=--5", 5},     {u"=2*3^2", 18},
        {u"=2^3*2", 16},     {u"=-(2+3)", -5}, {u"=2^0", 1},     {u"=2^-2", 0.25},
        {u"=4^0.5", 2},      {u"=0^0.5", 0},   {u"=(-2)^3", -8}, {u"=1-2*3-4", -9},
        {u"=2*(3+4)^2", 98}, {u"=((1))", 1},
    };
    for (const FormulaCase& c : cases)
        check(c);
}

TEST_F(EvaluateTest, LiteralsAndReferences)
{
    const FormulaCase cases[] = {
        {u"=12.5*2", 25},
        {u"=1E-3+1", 1.001},
        {u"=1e2", 100},
        {u"=.5", 0, u"#式?"},
        {u"=0.5", 0.5},
        {u"=A1", 5},
        {u"=A2", 0},
        {u"=A3", 0},
        {u"=$A$1+B1", 7.5},
        {u"=A$1*$B2", -20},
        {u"=C1", 0},
        {u"=A1.4", 5},
        {u"=B1.5", -4},
        {u"=B2.5", -4},
        {u"=A+1", 5},
        {u"=A-1", 0, u"#範囲?"},
        {u"=A 1", 5},
        {u"=A0", 0, u"#範囲?"},
        {u"=A21", 0, u"#範囲?"},
        {u"=A1E2", 0, u"#範囲?"},
        {u"=B0.6", 2.5},
        {u"=a1", 0, u"#式?"},
        {u"=$1", 0, u"#式?"},
        {u"=$$A1", 0, u"#式?"},
        {u"=A", 0, u"#式?"},
        {u"=1+A", 0, u"#式?"},
        {u"=A*2", 0, u"#範囲?"},
        {u"=2.5E*3", 0},
        {u"=2.5E", 0},
    };
    for (const FormulaCase& c : cases)
        check(c);
}

TEST_F(EvaluateTest, SyntaxStackAndDivisionErrors)
{
    const FormulaCase cases[] = {
        {u"=", 0, u"#式?"},       {u"=1/0", 0, u"#０割?"},   {u"=1/(2-2)", 0, u"#０割?"},
        {u"=(1+2", 0, u"#複雑?"}, {u"=ABS(5", 0, u"#複雑?"}, {u"=MOD(5,3", 0},
        {u"=1+2)", 0, u"#複雑?"}, {u"=1,2", 0, u"#式?"},     {u"=ABS(1,2)", 0, u"#式?"},
        {u"=(1)(2)", 0, u"#式?"}, {u"=5*", 0, u"#複雑?"},    {u"=+5", 5, u"#複雑?"},
        {u"=1 + 2", 0, u"#式?"},  {u"=1%", 0, u"#式?"},      {u"=\"a\"", 0, u"#式?"},
        {u"=()", 0, u"#複雑?"},   {u"=1=2", 0, u"#式?"},     {u"=1:2", 0, u"#式?"},
    };
    for (const FormulaCase& c : cases)
        check(c);
}

TEST_F(EvaluateTest, TwentyValuesOrOperatorsFitButNotTwentyOne)
{
    const auto nested = [](int n) {
        return QStringLiteral("=") + QString(n, u'(') + u'1' + QString(n, u')');
    };
    put("Z1", nested(20));
    recalc();
    EXPECT_EQ(kind("Z1"), core::kindDone);
    EXPECT_EQ(value("Z1"), 1);
    put("Z1", nested(21));
    recalc();
    EXPECT_EQ(shown("Z1"), QStringLiteral("#複雑?"));

    // 1+(1+(1+...: one value and one pending "+" per level.
    const auto rightLeaning = [](int values) {
        QString f = QStringLiteral("=");
        for (int i = 1; i < values; ++i)
            f += QStringLiteral("1+(");
        return f + u'1' + QString(values - 1, u')');
    };
    put("Z1", rightLeaning(11)); // 20 operators pending before the last 1
    recalc();
    EXPECT_EQ(value("Z1"), 11);
    put("Z1", rightLeaning(11).replace(QStringLiteral("(1)"), QStringLiteral("(-1)")));
    recalc(); // the unary minus is the 21st operator
    EXPECT_EQ(shown("Z1"), QStringLiteral("#複雑?"));
    put("Z1", rightLeaning(10).replace(QStringLiteral("(1)"), QStringLiteral("(-1)")));
    recalc();
    EXPECT_EQ(value("Z1"), 8);
    put("Z1", rightLeaning(12));
    recalc();
    EXPECT_EQ(shown("Z1"), QStringLiteral("#複雑?"));

    // "^" reduces nothing before it: every value is held at once.
    const auto powers = [](int values) {
        QStringList ones(values, QStringLiteral("1"));
        return QStringLiteral("=") + ones.join(u'^');
    };
    put("Z1", powers(20));
    recalc();
    EXPECT_EQ(kind("Z1"), core::kindDone);
    put("Z1", powers(21));
    recalc();
    EXPECT_EQ(shown("Z1"), QStringLiteral("#複雑?"));
}

TEST_F(EvaluateTest, ResultsOutsideTheDoubleRangeShowTheNumberMark)
{
    const FormulaCase cases[] = {
        {u"=1E999", 0, u"#数値?"},
        {u"=1E300*1E300", 0, u"#数値?"},
        {u"=0^-1", 0, u"#数値?"},
        {u"=(-8)^0.5", 0, u"#数値?"},
        {u"=10^400", 0, u"#数値?"},
        {u"=1/1E999", 0, u"#数値?"},
        {u"=1E-999", 0},
        {u"=2^-2000", 0},
        {u"=1E300*10", 1e301},
    };
    for (const FormulaCase& c : cases)
        check(c);
    // A cell holding a number too large for a double is no value to compute with.
    put("D1", u"1E999");
    put("Z1", u"=D1-D1");
    recalc();
    EXPECT_EQ(shown("Z1"), QStringLiteral("#数値?"));
}

TEST_F(EvaluateTest, NumbersReadExactlyAsTheNumberNotationDoes)
{
    // Literals in formulas and number constants in cells give the very double that the
    // notation's scanner gives, to the last bit.
    std::mt19937 rng(7);
    const auto digits = [&rng](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + int(rng() % 10));
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        QString literal = digits(1 + int(rng() % 18));
        if (rng() % 2)
            literal += u'.' + digits(int(rng() % 18));
        if (rng() % 5 == 0)
            literal += QStringLiteral("E") + (rng() % 2 ? QStringLiteral("-") : QString()) +
                       digits(1 + int(rng() % 3));
        const core::DecimalScan expected = core::ScanDecimal(literal);
        ASSERT_EQ(expected.errorPos, 0);
        SCOPED_TRACE(literal.toStdString());
        put("A1", (i % 2 ? QStringLiteral("-") : QString()) + literal);
        put("Z1", QStringLiteral("=") + literal + QStringLiteral("*1"));
        recalc();
        if (!std::isfinite(expected.value)) {
            EXPECT_EQ(shown("Z1"), QStringLiteral("#数値?"));
            continue;
        }
        ASSERT_EQ(std::bit_cast<std::uint64_t>(value("Z1")),
                  std::bit_cast<std::uint64_t>(expected.value));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(value("A1")),
                  std::bit_cast<std::uint64_t>(core::NumericValue(sheet.CellText[1][1])));
        ASSERT_EQ(std::fabs(value("A1")), expected.value);
    }
}

} // namespace
} // namespace calctest
