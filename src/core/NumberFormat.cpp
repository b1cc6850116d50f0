#include "core/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace core {

namespace {

constexpr char Yen = '\xA5'; // U+00A5 in Latin-1

/// Appends the integer digits with a separator every three digits.
char* appendGrouped(char* out, const char* digits, int count, bool grouped)
{
    for (int i = 0; i < count; ++i) {
        if (grouped && i > 0 && (count - i) % 3 == 0)
            *out++ = ',';
        *out++ = digits[i];
    }
    return out;
}

/// |value| < 10^18 rounded to `decimals` places, half away from zero, taken from its
/// 17-significant-digit form. Writes the integer digits then the fraction digits into
/// `places` and returns the number of integer digits.
int roundedDigits(double magnitude, int decimals, char* places, int& count)
{
    char buf[40];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 16);
    *res.ptr = 0;
    // buf is d.dddddddddddddddde[+-]XX; digit i has the place value 10^(exp10 - i).
    char digits[17];
    digits[0] = buf[0];
    std::memcpy(digits + 1, buf + 2, 16);
    const int exp10 = std::atoi(buf + 19);
    const int top = std::max(exp10, 0);
    // Places top .. -decimals, with one spare place in front for a carry.
    count = top + decimals + 2;
    std::memset(places, '0', std::size_t(count));
    for (int i = 0; i < 17; ++i) {
        const int place = exp10 - i;
        if (place >= -decimals)
            places[1 + top - place] = digits[i];
    }
    const int roundIndex = exp10 + decimals + 1;
    if (roundIndex >= 0 && roundIndex < 17 && digits[roundIndex] >= '5') {
        int i = count - 1;
        while (places[i] == '9')
            places[i--] = '0';
        ++places[i];
    }
    return top + 2;
}

int exponentForm(double value, char* out)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    // 1.50000000000000e+20 -> 1.5E+20
    const char* e = std::find(buf, res.ptr, 'e');
    const char* mantissaEnd = e;
    while (mantissaEnd > buf && mantissaEnd[-1] == '0')
        --mantissaEnd;
    if (mantissaEnd > buf && mantissaEnd[-1] == '.')
        --mantissaEnd;
    char* p = std::copy(buf, const_cast<char*>(mantissaEnd), out);
    *p++ = 'E';
    const char* x = e + 1;
    *p++ = *x++; // sign
    while (x + 1 < res.ptr && *x == '0')
        ++x;
    p = std::copy(x, static_cast<const char*>(res.ptr), p);
    return int(p - out);
}

} // namespace

std::optional<NumberFormat> ParseNumberFormat(QStringView fmt)
{
    // The form that BuildColumnFormat writes, without the general number parsing.
    const auto digitsAt = [&fmt](qsizetype& i, int& value) {
        const qsizetype start = i;
        value = 0;
        for (; i < fmt.size() && i - start < 4 && fmt[i] >= u'0' && fmt[i] <= u'9'; ++i)
            value = value * 10 + (fmt[i].unicode() - u'0');
        return i > start;
    };
    qsizetype i = 1;
    NumberFormat plain;
    if (fmt.size() >= 4 && fmt[0] == u'%' && digitsAt(i, plain.width) && i < fmt.size()
        && fmt[i] == u'.' && digitsAt(++i, plain.decimals) && i + 1 == fmt.size()
        && plain.decimals <= 18) {
        plain.type = fmt[i].unicode();
        if (plain.type == u'f' || plain.type == u'n' || plain.type == u'm')
            return plain;
    }
    // "%" width "." decimals type
    if (fmt.size() < 4 || fmt[0] != u'%')
        return std::nullopt;
    const qsizetype dot = fmt.indexOf(u'.');
    if (dot < 2 || dot + 1 >= fmt.size())
        return std::nullopt;
    bool ok = false;
    NumberFormat f;
    f.width = fmt.mid(1, dot - 1).toInt(&ok);
    if (!ok || f.width < 0)
        return std::nullopt;
    const QStringView decimals = fmt.mid(dot + 1, fmt.size() - dot - 2);
    f.decimals = decimals.isEmpty() ? 0 : decimals.toInt(&ok);
    if (!ok || f.decimals < 0 || f.decimals > 18)
        return std::nullopt;
    f.type = fmt.back().unicode();
    if (f.type != u'f' && f.type != u'n' && f.type != u'm')
        return std::nullopt;
    return f;
}

namespace {

/// A formatted number: `pad` blanks, then `length` Latin-1 characters.
struct Formatted {
    int pad = 0;
    int length = 0;
    char text[128];
};

bool formatNumber(double value, const NumberFormat& format, Formatted& f)
{
    if (!std::isfinite(value))
        return false;
    // Decimals are at most 18 and magnitudes below 10^18: 64 places always suffice.
    char body[96];
    char* p = body;
    const bool negative = value < 0;
    double magnitude = std::fabs(value);
    const bool grouped = format.type != u'f';
    bool nonZero = true;
    if (format.decimals == 0 && magnitude < 1e15 && magnitude != std::floor(magnitude)) {
        // No decimals: the 17-digit form is finer than the spacing of doubles, so rounding
        // it half away from zero rounds the double itself the same way.
        magnitude = std::round(magnitude);
    }
    if (magnitude >= 1e18) {
        p += exponentForm(magnitude, p);
    } else if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
        // Whole numbers: the common case, without the decimal round trip.
        char digits[20];
        const auto res = std::to_chars(digits, digits + sizeof digits, std::uint64_t(magnitude));
        p = appendGrouped(p, digits, int(res.ptr - digits), grouped);
        if (format.decimals > 0) {
            *p++ = '.';
            std::memset(p, '0', std::size_t(format.decimals));
            p += format.decimals;
        }
        nonZero = magnitude != 0;
    } else {
        char places[48];
        int count = 0;
        const int intEnd = roundedDigits(magnitude, format.decimals, places, count);
        int first = 0;
        while (first + 1 < intEnd && places[first] == '0')
            ++first;
        p = appendGrouped(p, places + first, intEnd - first, grouped);
        if (format.decimals > 0) {
            *p++ = '.';
            std::memcpy(p, places + intEnd, std::size_t(format.decimals));
            p += format.decimals;
        }
        // A value that rounds to zero shows no minus sign.
        nonZero = std::find_if(places, places + count, [](char ch) { return ch != '0'; })
                  != places + count;
    }
    char* q = f.text;
    if (negative && nonZero)
        *q++ = '-';
    if (format.type == u'm')
        *q++ = Yen;
    q = std::copy(body, p, q);
    f.length = int(q - f.text);
    f.pad = std::max(format.width - f.length, 0);
    return true;
}

void writeFormatted(const Formatted& f, QChar* out)
{
    out = std::fill_n(out, f.pad, QChar(u' '));
    for (int i = 0; i < f.length; ++i)
        out[i] = QChar(char16_t(uchar(f.text[i])));
}

} // namespace

QString FormatNumber(double value, const NumberFormat& format)
{
    Formatted f;
    if (!formatNumber(value, format, f))
        return QString();
    QString text(f.pad + f.length, Qt::Uninitialized);
    writeFormatted(f, text.data());
    return text;
}

bool FormatNumberInto(double value, const NumberFormat& format, QString& out)
{
    Formatted f;
    if (!formatNumber(value, format, f))
        return false;
    const qsizetype size = f.pad + f.length;
    if (out.isDetached() && out.capacity() >= size)
        out.resize(size);
    else
        out = QString(size, Qt::Uninitialized);
    writeFormatted(f, out.data());
    return true;
}

} // namespace core
