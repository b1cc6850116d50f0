#include "core/Cells.h"

#include "core/Sheet.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace core {

namespace {

bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

QStringView trimTrailingControls(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1].unicode() <= 32)
        --n;
    return text.left(n);
}

} // namespace

DecimalScan ScanDecimal(QStringView text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    std::string number; // ASCII form for from_chars
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    DecimalScan result;
    if (i >= n) {
        result.errorPos = int(n + 1);
        return result;
    }
    std::string mantissa;
    while (i < n && isDigit(text[i]))
        mantissa += char(text[i++].unicode());
    if (mantissa.empty())
        mantissa = "0";
    if (i < n && text[i] == u'.') {
        ++i;
        mantissa += '.';
        while (i < n && isDigit(text[i]))
            mantissa += char(text[i++].unicode());
    }
    number += mantissa;
    long long exponent = 0;
    bool hasExponent = false;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            negative = text[i++] == u'-';
        if (i >= n) {
            result.errorPos = int(n + 1);
            return result;
        }
        if (!isDigit(text[i])) {
            result.errorPos = int(i + 1);
            return result;
        }
        while (i < n && isDigit(text[i])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        if (negative)
            exponent = -exponent;
        hasExponent = true;
    }
    if (i < n) {
        result.errorPos = int(i + 1);
        return result;
    }
    if (hasExponent)
        number += 'e' + std::to_string(exponent);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity, underflow zero: the formula engine reports the former.
        const bool zeroMantissa = mantissa.find_first_not_of("0.") == std::string::npos;
        value = (zeroMantissa || exponent < 0) ? 0.0 : std::numeric_limits<double>::infinity();
        if (number[0] == '-')
            value = -value;
    }
    result.value = value;
    return result;
}

namespace {

/// The common number forms without the general scanner: an optional minus, then what
/// ScanShortDecimal reads, to the end. False when the scanner has to decide.
bool scanShortNumber(QStringView text, double& value)
{
    const bool negative = !text.isEmpty() && text[0] == u'-';
    const QStringView number = text.mid(negative ? 1 : 0);
    const qsizetype n = ScanShortDecimal(number, value);
    if (n == 0 || n != number.size())
        return false;
    if (negative)
        value = -value;
    return true;
}

} // namespace

bool IsNumericText(QStringView text)
{
    const QStringView t = trimTrailingControls(text);
    if (t.isEmpty())
        return false;
    // "E5" is 0 x 10^5 in the notation but is meant as a text.
    const auto isE = [](QChar ch) { return ch == u'E' || ch == u'e'; };
    if (isE(t[0]) || (t.size() > 1 && t[0] == u'-' && isE(t[1])))
        return false;
    double value = 0;
    if (scanShortNumber(t, value))
        return true;
    // After blanks and a sign a number goes on with a digit, a point or an exponent.
    qsizetype i = 0;
    while (i < t.size() && t[i] == u' ')
        ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    if (i < t.size() && !isDigit(t[i]) && t[i] != u'.' && t[i] != u'E' && t[i] != u'e')
        return false;
    return ScanDecimal(t).errorPos == 0;
}

double ParseNumber(QStringView text)
{
    const QStringView t = trimTrailingControls(text);
    double value = 0;
    if (scanShortNumber(t, value))
        return value;
    const DecimalScan scan = ScanDecimal(t);
    return scan.errorPos == 0 ? scan.value : 0.0;
}

double NumericValue(QStringView cellText)
{
    if (cellText.isEmpty() || cellText[0] != NumberMark)
        return 0.0;
    return ParseNumber(cellText.mid(1));
}

QString StripMark(const QString& text)
{
    if (!text.isEmpty() && (text[0] == TextMark || text[0] == NumberMark))
        return text.mid(1);
    return text;
}

QString CellName(int col, int row)
{
    if (col < 1 || col > MaxCols)
        return QString();
    return QChar(u'A' + col - 1) + QString::number(row);
}

CellPos ParseCellName(QStringView text)
{
    CellPos pos;
    if (text.size() < 2)
        return pos;
    const QChar first = text[0].toUpper();
    if (first >= u'A' && first <= u'Z')
        pos.col = first.unicode() - u'A' + 1;
    int row = 0;
    for (qsizetype i = 1; i < text.size() && i <= 5 && isDigit(text[i]); ++i)
        row = row * 10 + (text[i].unicode() - u'0');
    pos.row = row;
    return pos;
}

} // namespace core
