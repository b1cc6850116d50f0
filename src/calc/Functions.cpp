#include "calc/Evaluator.h"

#include "calc/CriteriaCache.h"

#include "core/AsciiChars.h"
#include "core/Sheet.h"

#include <QCollator>
#include <cmath>

// The nine functions: ABS, INT, MOD and ROUND act as pending operators on the operator
// stack; SUM, SUMIF, COUNT, COUNTA and COUNTIF are parsed through their ")" here.

namespace calc {

namespace {

bool matches(int code, int order)
{
    switch (code % 10) {
    case 1:
        return order == 0;
    case 2:
        return order < 0;
    case 3:
        return order > 0;
    case 4:
        return order != 0;
    case 5:
        return order <= 0;
    case 6:
        return order >= 0;
    default:
        return false;
    }
}

int numberOrder(double x, double v)
{
    return x < v ? -1 : (x > v ? 1 : 0);
}

/// Whether FoldText leaves the text as it is: ASCII without capitals, kana and the common
/// ideographs have no case and neither compose nor decompose.
bool foldsToItself(QStringView text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            if (u >= u'A' && u <= u'Z')
                return false;
        } else if (!((u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC ||
                     (u >= 0x4E00 && u <= 0x9FFF))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool NumberMatches(int code, double x, double v)
{
    return matches(code, numberOrder(x, v));
}

QString FoldText(QStringView text)
{
    if (foldsToItself(text))
        return text.toString();
    return text.toString().normalized(QString::NormalizationForm_C).toCaseFolded();
}

std::optional<std::int64_t> RoundHalfAway(double x)
{
    const double y = x >= 0 ? x + 0.5 : x - 0.5;
    if (!(y < 0x1p63 && y >= -0x1p63))
        return std::nullopt;
    return static_cast<std::int64_t>(y);
}

int Evaluator::ParseFunctionCall(char16_t firstLetter)
{
    const qsizetype open = FormulaText.indexOf(u'(', ScanPos - 1);
    if (open < 0) {
        setError(errSyntax);
        return 0;
    }
    const QStringView name = FormulaText.mid(ScanPos - 1, open - (ScanPos - 1));
    ScanPos = int(open) + 2;
    const std::u16string_view key(reinterpret_cast<const char16_t*>(name.utf16()),
                                  std::size_t(name.size()));
    const std::size_t found = FunctionNames.find(key);
    if (found == std::u16string_view::npos) {
        setError(errSyntax);
        return 0;
    }
    const int number = int(found + 1) / 7 + 1;
    if (number <= 4) {
        // An abbreviation not starting with A, I, M or R pushes code 0: its ")" passes the
        // argument through unchanged.
        const std::size_t code = OperatorTable.substr(0, 5).find(firstLetter);
        pushOperator(code == 0 || code == std::u16string_view::npos ? 0 : int(code) + 1);
        return number;
    }
    Range range;
    if (!parseRange(range))
        return 0;
    if (!expect(number == 6 || number == 9 ? u',' : u')'))
        return 0;
    if (!checkRange(range))
        return 0;
    rangeFunction(number, range);
    return FormulaError == errNone ? number : 0;
}

void Evaluator::rangeFunction(int number, Range range)
{
    if (number != 6) {
        if (range.firstCol == 0) {
            range.firstCol = 1;
            range.lastCol = core::MaxCols;
        }
        if (range.firstRow == 0) {
            range.firstRow = 1;
            range.lastRow = m_sheet.SheetRows;
        }
    }
    double value = 0;
    m_skipped.reset();
    m_skippedCells = 0;
    switch (number) {
    case 5:
        value = sumRange(range);
        break;
    case 6:
        value = sumIf(range);
        break;
    case 7:
        value = countRange(range, false);
        break;
    case 8:
        value = countRange(range, true);
        break;
    case 9:
        value = countIf(range);
        break;
    default:
        break;
    }
    if (m_skipped) {
        m_pendingAreas.push_back(*m_skipped);
        // Which rows a SUMIF adds, and so whether it waits or overflows, can change.
        if (number == 6)
            m_usesSkipped = true;
    }
    if (FormulaError == errNone && ValueReady) {
        std::optional<Bounds> bounds;
        if (m_skipped) // a SUMIF's sum has no bounds; it counts as used already
            bounds = Bounds{value, number == 9 ? value + m_skippedCells : value};
        pushValue(value, bounds);
    }
}

void Evaluator::ApplyFunction(char16_t code)
{
    const std::optional<Bounds> provisional = provisionalAt(0);
    if ((code == u'M' || code == u'R') && (provisional || provisionalAt(1)))
        m_usesSkipped = true; // both can fail depending on the values
    switch (code) {
    case u'A': {
        std::optional<Bounds> bounds = provisional;
        if (bounds) {
            const double low = bounds->low;
            const double high = bounds->high;
            bounds = low >= 0   ? Bounds{low, high}
                     : high <= 0 ? Bounds{-high, -low}
                                 : Bounds{0, std::max(-low, high)};
        }
        pushValue(std::fabs(popValue()), bounds);
        break;
    }
    case u'I': {
        std::optional<Bounds> bounds = provisional;
        if (bounds)
            bounds = Bounds{std::trunc(bounds->low), std::trunc(bounds->high)};
        pushValue(std::trunc(popValue()), bounds);
        break;
    }
    case u'M': {
        const double b = popValue();
        const double a = popValue();
        if (b == 0) {
            setError(errDivision);
            pushValue(0);
            break;
        }
        const auto divisor = RoundHalfAway(b);
        const auto dividend = RoundHalfAway(a);
        if (!divisor || !dividend) {
            setError(errNumber);
        } else if (*divisor == 0) {
            setError(errDivision);
            pushValue(0);
        } else {
            // % of the smallest 64-bit value by -1 overflows; the remainder is 0 anyway.
            pushValue(*divisor == -1 ? 0.0 : double(*dividend % *divisor));
        }
        break;
    }
    case u'R': {
        const double digits = std::trunc(popValue());
        if (ValueCount == 0) {
            popValue(); // the first argument is missing: error 4, nothing pushed
            break;
        }
        const double a = popValue();
        double scale = 1;
        if (digits != 0)
            scale = std::pow(10.0, digits);
        const auto rounded = RoundHalfAway(a * scale);
        if (!std::isfinite(scale) || scale == 0 || !rounded)
            setError(errNumber);
        else
            pushValue(double(*rounded) / scale);
        break;
    }
    default:
        break;
    }
}

bool Evaluator::expect(char16_t ch)
{
    if (current() != ch) {
        setError(errSyntax);
        return false;
    }
    ++ScanPos;
    return true;
}

bool Evaluator::parseEndpoint(int& col, int& row)
{
    col = 0;
    row = 0;
    if (current() == u'$')
        ++ScanPos;
    if (core::IsAsciiUpper(current())) {
        col = current() - u'A' + 1;
        ++ScanPos;
        if (current() == u',')
            return true;
        if (current() == u'$')
            ++ScanPos;
    } else if (!core::IsAsciiDigit(current())) {
        setError(errSyntax);
        return false;
    }
    const double r = scanRow();
    if (col == 0 && !(r >= 1)) {
        setError(errSyntax);
        return false;
    }
    if (!(r >= 0 && r <= m_sheet.SheetRows)) {
        setError(errRange);
        return false;
    }
    row = int(r);
    return true;
}

bool Evaluator::parseRange(Range& range)
{
    if (!parseEndpoint(range.firstCol, range.firstRow))
        return false;
    if (!expect(u':'))
        return false;
    if (!parseEndpoint(range.lastCol, range.lastRow))
        return false;
    if (range.firstCol == 0 && range.lastRow == 0) {
        setError(errSyntax);
        return false;
    }
    return true;
}

bool Evaluator::checkRange(const Range& range)
{
    if (range.firstCol > range.lastCol || range.firstRow > range.lastRow ||
        (range.firstCol == 0) != (range.lastCol == 0) ||
        (range.firstRow == 0) != (range.lastRow == 0)) {
        setError(errRange);
        return false;
    }
    return true;
}

bool Evaluator::parseCriterion(Criterion& criterion)
{
    if (!expect(u'"'))
        return false;
    const char16_t first = current();
    const char16_t second = charAt(ScanPos + 1);
    criterion.code = 1;
    if (first == u'<' && second == u'>')
        criterion.code = 4;
    else if (first == u'<' && second == u'=')
        criterion.code = 5;
    else if (first == u'>' && second == u'=')
        criterion.code = 6;
    else if (first == u'=')
        criterion.code = 1;
    else if (first == u'<')
        criterion.code = 2;
    else if (first == u'>')
        criterion.code = 3;
    if (criterion.code >= 4)
        ScanPos += 2;
    else if (first == u'=' || first == u'<' || first == u'>')
        ScanPos += 1;
    criterion.text.clear();
    for (;;) {
        if (ScanPos > FormulaText.size()) {
            setError(errSyntax);
            return false;
        }
        const char16_t ch = current();
        ++ScanPos;
        if (ch == u'"') {
            if (current() != u'"')
                break;
            ++ScanPos; // a doubled quote stands for one
        }
        criterion.text.append(QChar(ch));
    }
    criterion.folded = FoldText(criterion.text);
    criterion.emptyOrder = 2;
    if (core::IsNumericText(criterion.text)) {
        criterion.code += 10;
        criterion.value = core::ParseNumber(criterion.text);
    }
    return true;
}

bool Evaluator::textMatches(int code, QStringView cellText, Criterion& criterion) const
{
    if (cellText.isEmpty()) {
        // Ranges are often mostly empty: compare the empty text once per criterion.
        if (criterion.emptyOrder == 2)
            criterion.emptyOrder = orderFolded(QStringView(), criterion.folded);
        return matches(code, criterion.emptyOrder);
    }
    QString folded;
    QStringView cell = cellText;
    if (!foldsToItself(cellText)) {
        folded = FoldText(cellText);
        cell = folded;
    }
    // "=" and "<>" need no order, only equality.
    if (code == 1 || code == 4)
        return (cell == criterion.folded) == (code == 1);
    return matches(code, orderFolded(cell, criterion.folded));
}

/// A total order of folded texts, 0 only for equal ones: the collator's order, and where
/// it sees no difference (kana type, width) the order of the code units.
int Evaluator::orderFolded(QStringView a, QStringView b) const
{
    if (a == b)
        return 0;
    if (const int order = m_collator.compare(a, b); order != 0)
        return order < 0 ? -1 : 1;
    return a.compare(b) < 0 ? -1 : 1;
}

int Evaluator::MatchCount(int firstColumn, int lastColumn, int row, Criterion& criterion)
{
    int code = criterion.code;
    int count = 0;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        const QString& t = m_sheet.CellText[c][row];
        const char16_t m = t.isEmpty() ? u'\0' : t.front().unicode();
        const QStringView r = t.isEmpty() ? QStringView() : QStringView(t).mid(1);
        const bool isText = m == u'\'' || m == core::TextMark;
        // A number typed as text ('5) turns an "equals number" criterion into a text one.
        if (m == u'\'' && code == 11 && core::IsNumericText(r))
            code = 1;
        if (code < 10) {
            if ((t.isEmpty() || isText) && textMatches(code, r, criterion))
                ++count;
            continue;
        }
        if (m_sheet.CellKind[c][row] == core::kindPending) {
            notePendingSkipped(c, row);
            continue;
        }
        if (!t.isEmpty() && !isText &&
            matches(code, numberOrder(m_sheet.CellValue[c][row], criterion.value)))
            ++count;
    }
    return count;
}

double Evaluator::sumRange(const Range& range)
{
    double total = 0;
    for (int c = range.firstCol; c <= range.lastCol; ++c) {
        const auto& kinds = m_sheet.CellKind[c];
        const auto& values = m_sheet.CellValue[c];
        for (int r = range.firstRow; r <= range.lastRow; ++r) {
            if (kinds[r] == core::kindPending) {
                waitFor(c, r);
                return 0;
            }
            total += values[r];
        }
    }
    return total;
}

double Evaluator::countRange(const Range& range, bool all) const
{
    int count = 0;
    for (int c = range.firstCol; c <= range.lastCol; ++c)
        for (int r = range.firstRow; r <= range.lastRow; ++r) {
            const QString& t = m_sheet.CellText[c][r];
            if (!t.isEmpty() && (all || t.front() == u'=' || t.front() == core::NumberMark))
                ++count;
        }
    return count;
}

bool Evaluator::ComparesNumber(int firstColumn, int col, int row,
                               const Criterion& criterion) const
{
    if (criterion.code < 10)
        return false;
    if (criterion.code != 11)
        return true;
    for (int c = firstColumn; c < col; ++c) {
        const QString& t = m_sheet.CellText[c][row];
        if (!t.isEmpty() && t.front() == u'\'' && core::IsNumericText(QStringView(t).mid(1)))
            return false;
    }
    return true;
}

int Evaluator::criterionEnd() const
{
    // ScanPos is at the opening quote; a doubled quote inside stands for one.
    int pos = ScanPos + 1;
    for (;;) {
        if (pos > FormulaText.size())
            return 0;
        if (charAt(pos) == u'"') {
            if (charAt(pos + 1) != u'"')
                return pos + 1;
            ++pos;
        }
        ++pos;
    }
}

double Evaluator::countIf(const Range& range)
{
    // The criterion's text, quotes included, names the count with the range.
    const int start = ScanPos;
    const int end = m_cache && current() == u'"' ? criterionEnd() : 0;
    const QStringView key = end > 0 ? FormulaText.mid(start - 1, end - start) : QStringView();
    if (CriteriaCache::Entry* entry = key.isEmpty() ? nullptr : m_cache->find(range, key)) {
        ScanPos = end;
        if (!expect(u')'))
            return 0;
        const int count = m_cache->count(*entry, *this);
        if (entry->skipped > 0) {
            m_skipped = m_cache->pendingBlock(range);
            m_skippedCells = entry->skipped;
        }
        return count;
    }
    Criterion criterion;
    if (!parseCriterion(criterion) || !expect(u')'))
        return 0;
    int count = 0;
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        count += MatchCount(range.firstCol, range.lastCol, r, criterion);
    if (!key.isEmpty())
        m_cache->add(range, key, std::move(criterion), count, m_skippedCells);
    return count;
}

double Evaluator::sumIf(Range criteria)
{
    // The call's text from the criterion through ")" names the sum, with the criteria range.
    const int start = ScanPos;
    QStringView key;
    int end = 0;
    if (int p = m_cache && current() == u'"' ? criterionEnd() : 0; p > 0) {
        while (p <= FormulaText.size() && charAt(p) != u')')
            ++p;
        if (p <= FormulaText.size()) {
            key = FormulaText.mid(start - 1, p - start + 1);
            end = p + 1;
        }
    }
    if (const auto* entry = key.isEmpty() ? nullptr : m_cache->findSum(criteria, key)) {
        ScanPos = entry->end;
        m_skipped = entry->skipped;
        m_skippedCells = entry->skippedCells;
        if (entry->waitingOn) {
            waitFor(entry->waitingOn->col, entry->waitingOn->row);
            return 0;
        }
        return entry->total;
    }
    Range rows;
    Range sum;
    const double total = scanSumIf(criteria, rows, sum);
    if (!key.isEmpty() && FormulaError == errNone && ScanPos == end) {
        CriteriaCache::SumEntry entry;
        entry.criteria = criteria;
        entry.rows = rows;
        entry.firstSumCol = sum.firstCol;
        entry.lastSumCol = sum.lastCol;
        entry.end = end;
        entry.total = total;
        if (!ValueReady)
            entry.waitingOn = m_waitingOn;
        entry.skipped = m_skipped;
        entry.skippedCells = m_skippedCells;
        m_cache->storeSum(key, std::move(entry));
    }
    return total;
}

double Evaluator::scanSumIf(Range criteria, Range& rows, Range& sum)
{
    Criterion criterion;
    if (!parseCriterion(criterion) || !expect(u',') || !parseRange(sum) || !expect(u')'))
        return 0;
    // A half-open sum range is refused like a half-open criteria range.
    if (!checkRange(sum))
        return 0;
    const bool criteriaRows = criteria.firstRow != 0;
    const bool sumRows = sum.firstRow != 0;
    if (!criteriaRows && !sumRows) {
        criteria.firstRow = sum.firstRow = 1;
        criteria.lastRow = sum.lastRow = m_sheet.SheetRows;
    }
    if (criteria.firstCol == 0) {
        criteria.firstCol = 1;
        criteria.lastCol = core::MaxCols;
    }
    if (sum.firstCol == 0) {
        sum.firstCol = 1;
        sum.lastCol = core::MaxCols;
    }
    if (criteriaRows && !sumRows) {
        sum.firstRow = criteria.firstRow;
        sum.lastRow = criteria.lastRow;
    } else if (sumRows && !criteriaRows) {
        criteria.firstRow = sum.firstRow;
        criteria.lastRow = sum.lastRow;
    }
    if (criteria.firstRow != sum.firstRow || criteria.lastRow != sum.lastRow) {
        setError(errRange);
        return 0;
    }
    rows = criteria;
    double total = 0;
    for (int r = sum.firstRow; r <= sum.lastRow; ++r) {
        if (MatchCount(criteria.firstCol, criteria.lastCol, r, criterion) == 0)
            continue;
        for (int c = sum.firstCol; c <= sum.lastCol; ++c) {
            if (m_sheet.CellKind[c][r] == core::kindPending) {
                waitFor(c, r);
                return 0;
            }
            total += m_sheet.CellValue[c][r];
        }
    }
    return total;
}

} // namespace calc
