#pragma once

#include <QString>
#include <optional>

namespace core {

/// A column's number format "%" width "." decimals type: f plain, n thousands separators,
/// m currency (Yen sign before the grouped amount, "-¥1,234" for negatives).
struct NumberFormat {
    int width = 10;
    int decimals = 0;
    char16_t type = u'n';
};

std::optional<NumberFormat> ParseNumberFormat(QStringView fmt);

/// The value formatted and right-aligned by leading blanks in width characters; a longer
/// result is not cut. Rounds the 17-significant-digit decimal form half away from zero.
/// Magnitudes of 10^18 and more use exponent notation. A null string when the value is not
/// finite (the caller shows the raw text).
QString FormatNumber(double value, const NumberFormat& format);
/// FormatNumber into `out`, reusing its buffer when it is unshared and large enough; false
/// (out unchanged) when the value is not finite.
bool FormatNumberInto(double value, const NumberFormat& format, QString& out);

} // namespace core
