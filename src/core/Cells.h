#pragma once

#include "core/Sheet.h"

#include <QString>
#include <cstdint>

namespace core {

/// Result of scanning a text in the program's number notation.
struct DecimalScan {
    double value = 0;
    /// 0 when the whole text is in the notation; else the 1-based position of the first
    /// character that does not fit (length + 1 when the text ends where more is required).
    int errorPos = 0;
};

/// Prefix scanner of the number notation: leading blanks, optional sign, digits with an
/// optional point and fraction, optional exponent. "." and "E5" alone read as 0.
DecimalScan ScanDecimal(QStringView text);

/// ScanDecimal's common case in one pass: digits with an optional point and fraction, at
/// most 15 digits in all, no blanks, sign or exponent. Returns the length of that prefix and
/// sets value (exact, or one correctly rounded division: the double ScanDecimal gives).
/// Returns 0 when the text does not start with such a number or the notation goes on after
/// it (a 16th digit, a second point, an exponent); ScanDecimal decides those. Inline: the
/// recalculation calls it for every number cell.
inline qsizetype ScanShortDecimal(QStringView text, double& value)
{
    static constexpr double ExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const qsizetype n = text.size();
    qsizetype i = 0;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch >= u'0' && ch <= u'9') {
            if (++digits > 15)
                return 0;
            mantissa = mantissa * 10 + (ch - u'0');
            fraction += point;
        } else if (ch == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0 || (i < n && (text[i] == u'.' || text[i] == u'E' || text[i] == u'e')))
        return 0;
    value = double(mantissa) / ExactPowersOfTen[fraction];
    return i;
}


/// Whether a typed text is a number (trailing control characters and blanks ignored).
bool IsNumericText(QStringView text);
/// The number a text spells; 0 when it is not a number.
double ParseNumber(QStringView text);
/// ParseNumber of a stored cell text after its NumberMark; 0 for every other entry.
double NumericValue(QStringView cellText);

/// The stored text without a leading TextMark or NumberMark (an apostrophe stays).
QString StripMark(const QString& text);
/// The stored text without a leading apostrophe, TextMark or NumberMark: what searches,
/// replace, headings and copies see of an entry.
inline QStringView WithoutLeadingMark(const QString& stored)
{
    if (!stored.isEmpty()
        && (stored.front() == u'\'' || stored.front() == TextMark || stored.front() == NumberMark))
        return QStringView(stored).mid(1);
    return stored;
}

/// "" unless 1 <= column <= 26; else the column letter and the row (A1, Z32000).
QString CellName(int col, int row);

struct CellPos {
    int col = 1;
    int row = 1;
};
/// Column letter and up to five row digits; starts from (1, 1) and keeps what does not parse.
CellPos ParseCellName(QStringView text);

} // namespace core
