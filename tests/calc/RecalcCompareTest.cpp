#include "CalcFixture.h"

#include <bit>
#include <random>

namespace calctest {
namespace {

/// Random small sheets rich in what makes the passes matter: chains both ways, cycles,
/// errors, criteria over formulas not yet evaluated, whole-column and whole-row ranges.
class SheetGenerator
{
public:
    explicit SheetGenerator(unsigned seed) : m_rng(seed)
    {
        rows = pick(3, 14);
        cols = pick(1, 6);
    }

    int rows;
    int cols;

    /// A formula of a chain that runs through a criterion range: each link counts (or sums)
    /// over a column that the links themselves fill, in either direction, sometimes closed
    /// into a cycle, with the count going into arithmetic or only pushed.
    QString chainLink(int c, int r)
    {
        const QString target = column();
        const QString next = r < rows ? name(c, r + 1) : (pick(0, 3) == 0 ? name(c, 1) : QStringLiteral("0"));
        const QString previous = r > 1 ? name(c, r - 1) : (pick(0, 3) == 0 ? name(c, rows) : QStringLiteral("0"));
        const QString over = pick(0, 3) == 0
                                 ? target + QStringLiteral("1:") + target + QString::number(pick(1, rows))
                                 : target + u':' + target;
        QString count = QStringLiteral("COUNTIF(") + over + u',' + criterion() + u')';
        switch (pick(0, 14)) {
        case 13:
            count = QStringLiteral("1/(") + count + QStringLiteral("-1)"); // 0 between the ends
            break;
        case 10:
            count = count + QStringLiteral("*1E308"); // overflows once the count reaches 2
            break;
        case 11:
            count = QStringLiteral("(") + count + QStringLiteral("-2)/") + count;
            break;
        case 12:
            count = QStringLiteral("2^") + count;
            break;
        case 0:
            count = QStringLiteral("SUMIF(") + over + u',' + criterion() + u',' + column() + u':' +
                    column() + u')';
            break;
        case 1:
            count = count + QStringLiteral("*2");
            break;
        case 2:
            count = QStringLiteral("1/") + count;
            break;
        case 3:
            count = QStringLiteral("-") + count;
            break;
        case 4:
            count = QStringLiteral("MOD(") + count + QStringLiteral(",3)");
            break;
        case 5:
            count = QStringLiteral("ABS(") + count + u')';
            break;
        default:
            break;
        }
        const bool down = (c + m_direction) % 2 == 0;
        return pick(0, 1) == 0 ? u'=' + count + u'+' + (down ? next : previous)
                               : u'=' + (down ? next : previous) + u'+' + count;
    }

    /// Cells of a sheet of chains through criterion ranges: most columns are chains, some
    /// copy a chain (B(i) = A(i)), the rest is ordinary random content.
    QString chainCell(int c, int r)
    {
        if (r == 1 && c == 1)
            m_direction = pick(0, 1);
        const int kind = pick(0, 99);
        if (kind < 8)
            return cell(c, r);
        if (c % 3 == 2 && kind < 70)
            return u'=' + name(c - 1, r);
        if (kind < 94)
            return chainLink(c, r);
        return QStringLiteral("'") + QString::number(pick(0, 5));
    }

    QString cell(int c, int r)
    {
        const int kind = pick(0, 99);
        if (kind < 45)
            return formula(c, r);
        if (kind < 70)
            return QChar(core::NumberMark) + QString::number(pick(-1, 5));
        if (kind < 80) {
            static const char* const texts[] = {"x", "X", "abc", "ABC", "b"};
            return QChar(core::TextMark) + QString::fromLatin1(texts[pick(0, 4)]);
        }
        if (kind < 85)
            return QStringLiteral("'") + QString::number(pick(0, 5));
        return QString();
    }

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_rng); }
    static QString name(int c, int r) { return QChar(u'A' + c - 1) + QString::number(r); }
    QString column() { return QChar(u'A' + pick(1, cols) - 1); }

    QString ref(int c, int r)
    {
        switch (pick(0, 9)) {
        case 0:
            return name(c, std::min(r + 1, rows)); // downwards
        case 1:
            return name(std::min(c + 1, cols), r); // to the right
        case 2:
            return name(c, std::max(r - 1, 1)); // upwards
        case 3:
            return QStringLiteral("$") + name(pick(1, cols), pick(1, rows));
        default:
            return name(pick(1, cols), pick(1, pick(0, 19) == 0 ? rows + 1 : rows));
        }
    }
    QString range()
    {
        switch (pick(0, 5)) {
        case 0:
            return column() + u':' + column();
        case 1: {
            const int a = pick(1, rows);
            return QString::number(a) + u':' + QString::number(std::min(rows, a + pick(0, 1)));
        }
        default: {
            const int c1 = pick(1, cols), c2 = pick(c1, cols);
            const int r1 = pick(1, rows), r2 = pick(r1, rows);
            return pick(0, 15) == 0 ? name(c2, r2) + u':' + name(c1, r1 > 1 ? r1 - 1 : r1)
                                    : name(c1, r1) + u':' + name(c2, r2);
        }
        }
    }
    QString criterion()
    {
        static const char* const criteria[] = {">0", "<3", "2",   "<>1",  ">=2", "x",
                                               "<b", "",   "<>x", "=ABC", "5",   "<=0"};
        return u'"' + QString::fromLatin1(criteria[pick(0, 11)]) + u'"';
    }
    QString sumIf()
    {
        if (pick(0, 2) == 0)
            return QStringLiteral("SUMIF(") + column() + u':' + column() + u',' + criterion() +
                   u',' + column() + u':' + column() + u')';
        const int r1 = pick(1, rows), r2 = pick(r1, rows);
        const int a = pick(1, cols), b = pick(1, cols);
        return QStringLiteral("SUMIF(") + name(a, r1) + u':' + name(a, r2) + u',' + criterion() +
               u',' + name(b, r1) + u':' + name(b, r2) + u')';
    }
    QString formula(int c, int r)
    {
        static const char* const ops[] = {"+", "-", "*", "/"};
        switch (pick(0, 13)) {
        case 0:
            return u'=' + ref(c, r);
        case 1:
            return u'=' + name(c, std::min(r + 1, rows)) + QStringLiteral("+1");
        case 2:
            return u'=' + ref(c, r) + QString::fromLatin1(ops[pick(0, 3)]) + ref(c, r);
        case 3:
            return QStringLiteral("=SUM(") + range() + u')';
        case 4:
            return QStringLiteral("=COUNTIF(") + range() + u',' + criterion() + u')';
        case 5:
            return QStringLiteral("=COUNTIF(") + range() + u',' + criterion() +
                   QStringLiteral(")+") + ref(c, r);
        case 6:
            return u'=' + sumIf();
        case 7:
            return QStringLiteral("=1/") + ref(c, r);
        case 8:
            return QStringLiteral("=1/COUNTIF(") + range() + u',' + criterion() + u')';
        case 9:
            return QStringLiteral("=MOD(") + ref(c, r) + QStringLiteral(",2)");
        case 10:
            return u'=' + name(c, r);
        case 11:
            return u'=' + sumIf() + u'+' + ref(c, r);
        case 12:
            return QStringLiteral("=COUNT(") + range() + QStringLiteral(")*") + ref(c, r);
        default:
            return QStringLiteral("=ROUND(") + ref(c, r) + QStringLiteral("/3,1)");
        }
    }

    std::mt19937 m_rng;
    int m_direction = 0;
};

struct Recalculation
{
    explicit Recalculation(const SheetGenerator& g)
    {
        core::ResetSheetState(app);
        app.sheet.SheetRows = g.rows;
        core::ResizeSheet(app);
    }
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

/// Every value (to the bit), kind, display text and message of both runs.
void expectSameSheets(const Recalculation& fast, const Recalculation& plain)
{
    const core::Sheet& a = fast.app.sheet;
    const core::Sheet& b = plain.app.sheet;
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= a.SheetRows; ++r) {
            const QString at = core::CellName(c, r);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(a.CellValue[c][r]),
                      std::bit_cast<std::uint64_t>(b.CellValue[c][r]))
                << at.toStdString() << " " << a.CellValue[c][r] << " " << b.CellValue[c][r];
            ASSERT_EQ(a.CellKind[c][r], b.CellKind[c][r]) << at.toStdString();
            ASSERT_EQ(a.GridText[c][r], b.GridText[c][r]) << at.toStdString();
        }
    ASSERT_EQ(fast.fakes.ui.messageTexts(), plain.fakes.ui.messageTexts());
}

struct Tally
{
    int waiting = 0;
    int warnings = 0;
};

/// Fills a sheet from the generator, recalculates it both ways `times` times (each time from
/// the displays and values the last one left) and compares.
void recalculateBothWays(SheetGenerator& generator, QString (SheetGenerator::*cellAt)(int, int),
                         int times, Tally& tally)
{
    Recalculation fast(generator);
    Recalculation plain(generator);
    for (int c = 1; c <= generator.cols; ++c)
        for (int r = 1; r <= generator.rows; ++r)
            fast.app.sheet.CellText[c][r] = (generator.*cellAt)(c, r);
    core::RescanExtent(fast.app);
    plain.app.sheet = fast.app.sheet;
    for (int k = 0; k < times; ++k) {
        calc::RecalcAll(fast.app);
        calc::RecalcAllPlain(plain.app);
        ASSERT_NO_FATAL_FAILURE(expectSameSheets(fast, plain));
    }
    for (int c = 1; c <= generator.cols; ++c)
        for (int r = 1; r <= generator.rows; ++r)
            tally.waiting += fast.app.sheet.CellKind[c][r] == core::kindPending;
    tally.warnings += int(fast.fakes.ui.messages.size());
}

TEST(RecalcCompareTest, FastRecalculationMatchesThePlainPassesOnRandomSheets)
{
    Tally tally;
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        SheetGenerator generator(seed);
        SCOPED_TRACE(seed);
        ASSERT_NO_FATAL_FAILURE(recalculateBothWays(generator, &SheetGenerator::cell, 2, tally));
    }
    // The sheets do exercise waiting formulas and the warning.
    EXPECT_GT(tally.waiting, 1000);
    EXPECT_GT(tally.warnings, 100);
}

TEST(RecalcCompareTest, ChainsThroughCriterionRangesMatchThePlainPasses)
{
    // The shape that once made every pass rescan every waiting count: A(i) =
    // COUNTIF(B:B,">0")+A(i+1) with B(i) = A(i), here in both directions, with cycles, with
    // the count used in arithmetic, and as SUMIF.
    Tally tally;
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        SheetGenerator generator(500000u + seed);
        generator.rows = 4 + int(seed % 37);
        generator.cols = 2 + int(seed % 4);
        SCOPED_TRACE(seed);
        ASSERT_NO_FATAL_FAILURE(
            recalculateBothWays(generator, &SheetGenerator::chainCell, 1, tally));
    }
    EXPECT_GT(tally.waiting, 1000);
    EXPECT_GT(tally.warnings, 25);
}

TEST(RecalcCompareTest, ArbitraryFormulaTextsNeitherBreakNorDiffer)
{
    // Token soup: every scanner path, malformed ranges and criteria, huge literals.
    static const char* const pieces[] = {
        "A",    "B",      "C",          "Z",       "$",        "1",      "2",     "0",     "9",
        ".",    "E",      "E9",         "E999",    "-",        "+",      "*",     "/",     "^",
        "(",    ")",      ",",          ":",       "\"",       "<",      ">",     "=",     " ",
        "SUM(", "SUMIF(", "COUNT(",     "COUNTA(", "COUNTIF(", "ABS(",   "INT(",  "MOD(",  "ROUND(",
        "SU",   "A1",     "B2:C3",      "A:B",     "1:2",      "\">1\"", "\"x\"", "1E300", "a",
        "%",    "32000",  "4294967296", "-1"};
    std::mt19937 rng(11);
    for (int sheetNo = 0; sheetNo < 1500; ++sheetNo) {
        SheetGenerator generator(100000u + unsigned(sheetNo));
        Recalculation fast(generator);
        Recalculation plain(generator);
        for (int c = 1; c <= generator.cols; ++c)
            for (int r = 1; r <= generator.rows; ++r) {
                QString text = QStringLiteral("=");
                const int n = int(rng() % 12);
                for (int i = 0; i < n; ++i)
                    text += QString::fromLatin1(pieces[rng() % std::size(pieces)]);
                fast.app.sheet.CellText[c][r] = rng() % 3 ? text : generator.cell(c, r);
            }
        core::RescanExtent(fast.app);
        plain.app.sheet = fast.app.sheet;
        calc::RecalcAll(fast.app);
        calc::RecalcAllPlain(plain.app);
        SCOPED_TRACE(sheetNo);
        ASSERT_NO_FATAL_FAILURE(expectSameSheets(fast, plain));
    }
}

} // namespace
} // namespace calctest
