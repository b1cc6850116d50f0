#include "files/Fields.h"

#include "core/Cells.h"

namespace files {

qsizetype NextField(QStringView line, qsizetype pos, QStringView& field, QString& scratch)
{
    const qsizetype n = line.size();
    if (pos >= n || line[pos] != u'"') {
        const qsizetype comma = line.indexOf(u',', pos);
        const qsizetype end = comma < 0 ? n : comma;
        field = line.mid(pos, end - pos);
        return end + 1;
    }
    const qsizetype start = ++pos;
    qsizetype end = n;
    bool doubled = false;
    while (pos < n) {
        if (line[pos] == u'"') {
            if (pos + 1 < n && line[pos + 1] == u'"') {
                doubled = true;
                pos += 2;
                continue;
            }
            end = pos++;
            break;
        }
        ++pos;
    }
    const QStringView inner = line.mid(start, end - start);
    if (doubled) {
        scratch = inner.toString();
        scratch.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        field = scratch;
    } else {
        field = inner.isEmpty() ? QStringView() : inner;
    }
    if (pos < n && line[pos] == u',')
        return pos + 1;
    return pos >= n ? n + 1 : pos;
}

QStringList SplitFields(QStringView line)
{
    QStringList fields;
    QString scratch;
    QStringView field;
    qsizetype pos = 0;
    do {
        pos = NextField(line, pos, field, scratch);
        fields.append(field.toString());
    } while (pos <= line.size());
    return fields;
}

int FieldInt(QStringView field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool FieldBool(QStringView field)
{
    const QStringView t = field.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    return core::IsNumericText(t) && core::ParseNumber(t) != 0;
}

namespace {

constexpr char16_t QuoteStandIn = u'\u0007';
constexpr char16_t CrStandIn = u'\u000E';
constexpr char16_t LfStandIn = u'\u000F';

} // namespace

namespace {

bool needsWorksheetQuotes(QStringView text)
{
    if (text.startsWith(u'"'))
        return true;
    for (const QChar ch : text)
        if (ch == u',' || ch == u'\r' || ch == u'\n')
            return true;
    return false;
}

void appendQuoted(QString& out, QStringView text)
{
    out += u'"';
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'"':
            out += QuoteStandIn;
            break;
        case u'\r':
            out += CrStandIn;
            break;
        case u'\n':
            out += LfStandIn;
            break;
        default:
            out += ch;
        }
    }
    out += u'"';
}

} // namespace

QString QuoteWorksheetText(const QString& text)
{
    if (!needsWorksheetQuotes(text))
        return text;
    QString quoted;
    quoted.reserve(text.size() + 2);
    appendQuoted(quoted, text);
    return quoted;
}

void AppendWorksheetText(QString& line, QStringView text)
{
    if (needsWorksheetQuotes(text))
        appendQuoted(line, text);
    else
        line += text;
}

void RestoreWorksheetText(QString& field)
{
    const auto isStandIn = [](char16_t ch) {
        return ch == QuoteStandIn || ch == CrStandIn || ch == LfStandIn;
    };
    const char16_t* data = reinterpret_cast<const char16_t*>(field.constData());
    qsizetype i = 0;
    while (i < field.size() && !isStandIn(data[i]))
        ++i;
    for (; i < field.size(); ++i) {
        const char16_t ch = field.at(i).unicode();
        if (ch == QuoteStandIn)
            field[i] = u'"';
        else if (ch == CrStandIn)
            field[i] = u'\r';
        else if (ch == LfStandIn)
            field[i] = u'\n';
    }
}

} // namespace files
