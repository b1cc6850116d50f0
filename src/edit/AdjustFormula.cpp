#include "edit/AdjustFormula.h"

#include "core/App.h"
#include "core/AsciiChars.h"

#include <QVarLengthArray>
#include <algorithm>

namespace edit {

namespace {

/// Decimal digits of the largest row number.
int rowDigits(int sheetRows)
{
    int k = 1;
    for (int v = std::max(1, sheetRows); v >= 10; v /= 10)
        ++k;
    return k;
}

/// Writes one formula into a buffer that is large enough for any growth: a row number takes
/// at least one character of the input and writes at most rowDigits characters.
class Writer {
public:
    Writer(qsizetype inputSize, int sheetRows)
        : m_buf(inputSize * rowDigits(sheetRows) + 1)
    {
    }
    void put(char16_t ch) { m_buf[m_len++] = ch; }
    void put(const char16_t* from, const char16_t* to)
    {
        std::copy(from, to, m_buf.data() + m_len);
        m_len += to - from;
    }
    void putRow(const char16_t* from, const char16_t* to, int dr, int sheetRows)
    {
        long long value = 0;
        for (const char16_t* p = from; p < to; ++p)
            value = std::min(value * 10 + (*p - u'0'), 1000000000LL);
        value = std::clamp(value + dr, 1LL, std::max(1LL, (long long)sheetRows));
        char16_t digits[12];
        int k = 0;
        do {
            digits[k++] = char16_t(u'0' + value % 10);
            value /= 10;
        } while (value > 0);
        while (k > 0)
            put(digits[--k]);
    }
    QString text() const { return QString(reinterpret_cast<const QChar*>(m_buf.data()), m_len); }
    /// Replaces t by the result, in t's own buffer when it fits there.
    void storeInto(QString& t) const
    {
        if (m_len > t.capacity()) {
            t = text();
            return;
        }
        t.resize(m_len);
        std::copy(m_buf.data(), m_buf.data() + m_len, reinterpret_cast<char16_t*>(t.data()));
    }

private:
    QVarLengthArray<char16_t, 512> m_buf;
    qsizetype m_len = 0;
};

/// End of a number literal with an exponent that starts at p (digits, optional fraction,
/// "E", optional sign, digits), or nullptr when there is no exponent. Its letter is not a
/// column, so the literal is copied whole.
const char16_t* exponentLiteralEnd(const char16_t* p, const char16_t* end)
{
    while (p < end && core::IsAsciiDigit(*p))
        ++p;
    if (p < end && *p == u'.')
        for (++p; p < end && core::IsAsciiDigit(*p); ++p) { }
    if (p >= end || *p != u'E')
        return nullptr;
    ++p;
    if (p < end && (*p == u'+' || *p == u'-'))
        ++p;
    if (p >= end || !core::IsAsciiDigit(*p))
        return nullptr;
    while (p < end && core::IsAsciiDigit(*p))
        ++p;
    return p;
}

} // namespace

QString AdjustRowNumber(QStringView digits, int dr, int sheetRows)
{
    Writer w(1, sheetRows);
    const auto* p = reinterpret_cast<const char16_t*>(digits.data());
    w.putRow(p, p + digits.size(), dr, sheetRows);
    return w.text();
}

namespace {

/// The one pass over a formula (text begins with "=").
void adjustInto(Writer& w, const QString& text, int dc, int dr, int sheetRows)
{
    const auto* p = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* const end = p + text.size();
    const auto digitsEnd = [end](const char16_t* q) {
        while (q < end && core::IsAsciiDigit(*q))
            ++q;
        return q;
    };
    while (p < end) {
        const char16_t ch = *p;
        if (ch == u'"') {
            const char16_t* q = std::find(p + 1, end, u'"');
            q = q < end ? q + 1 : end;
            w.put(p, q);
            p = q;
        } else if (ch == u'$') {
            w.put(ch);
            ++p;
            if (p < end && core::IsAsciiDigit(*p)) {
                const char16_t* q = digitsEnd(p);
                w.put(p, q);
                p = q;
            } else if (p < end && core::IsAsciiUpper(*p)) {
                w.put(*p++);
                const char16_t* q = digitsEnd(p);
                if (q > p)
                    w.putRow(p, q, dr, sheetRows);
                p = q;
            }
        } else if (core::IsAsciiDigit(ch) || ch == u':') {
            const bool colon = ch == u':';
            if (colon)
                w.put(*p++);
            const char16_t* q = digitsEnd(p);
            if (q > p && (colon || (q < end && *q == u':'))) {
                w.putRow(p, q, dr, sheetRows);
            } else if (const char16_t* e = colon ? nullptr : exponentLiteralEnd(p, end)) {
                q = e;
                w.put(p, q);
            } else {
                w.put(p, q);
            }
            p = q;
        } else if (core::IsAsciiUpper(ch) && p + 1 < end && core::IsAsciiUpper(p[1])) {
            // A function name runs to its "("; without one the rest is kept as it is.
            const char16_t* q = std::find(p, end, u'(');
            q = q < end ? q + 1 : end;
            w.put(p, q);
            p = q;
        } else if (core::IsAsciiUpper(ch)) {
            w.put(char16_t(u'A' + std::clamp(ch - u'A' + dc, 0, 25)));
            ++p;
            const char16_t* q = digitsEnd(p);
            if (q > p)
                w.putRow(p, q, dr, sheetRows);
            p = q;
        } else {
            w.put(ch);
            ++p;
        }
    }
}

} // namespace

QString AdjustFormula(const QString& text, int dc, int dr, int sheetRows)
{
    if (text.isEmpty() || text[0] != u'=')
        return text;
    Writer w(text.size(), sheetRows);
    adjustInto(w, text, dc, dr, sheetRows);
    return w.text();
}

void AdjustFormulaInPlace(QString& text, int dc, int dr, int sheetRows)
{
    if (text.isEmpty() || text[0] != u'=')
        return;
    Writer w(text.size(), sheetRows);
    adjustInto(w, text, dc, dr, sheetRows);
    w.storeInto(text);
}

QString AdjustFormula(const App& app, int c, int r, int dc, int dr)
{
    return AdjustFormula(app.sheet.CellText[c][r], dc, dr, app.sheet.SheetRows);
}

} // namespace edit
