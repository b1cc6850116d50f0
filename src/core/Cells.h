#pragma once

#include <QString>

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
/// it (a 16th digit, a second point, an exponent); ScanDecimal decides those.
qsizetype ScanShortDecimal(QStringView text, double& value);

/// Whether a typed text is a number (trailing control characters and blanks ignored).
bool IsNumericText(QStringView text);
/// The number a text spells; 0 when it is not a number.
double ParseNumber(QStringView text);
/// ParseNumber of a stored cell text after its NumberMark; 0 for every other entry.
double NumericValue(QStringView cellText);

/// The stored text without a leading TextMark or NumberMark (an apostrophe stays).
QString StripMark(const QString& text);

/// "" unless 1 <= column <= 26; else the column letter and the row (A1, Z32000).
QString CellName(int col, int row);

struct CellPos {
    int col = 1;
    int row = 1;
};
/// Column letter and up to five row digits; starts from (1, 1) and keeps what does not parse.
CellPos ParseCellName(QStringView text);

} // namespace core
