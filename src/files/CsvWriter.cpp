#include "files/Csv.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/Busy.h"
#include "files/TextFile.h"
#include "platform/Ui.h"

#include <algorithm>

namespace files {

namespace {

constexpr char16_t YenSign = u'\u00A5';

/// The block clamped to the sheet.
struct Block
{
    int c1, c2, r1, r2;
};

Block clampBlock(const App& app, int c1, int c2, int r1, int r2)
{
    return Block{std::max(c1, 1), std::min(c2, core::MaxCols), std::max(r1, 1),
                 std::min(r2, app.sheet.SheetRows)};
}

QString quoteCsvField(const QString& text)
{
    bool quote = false;
    for (const QChar ch : text)
        if (ch == u'"' || ch == u',' || ch == u'\r' || ch == u'\n') {
            quote = true;
            break;
        }
    if (!quote)
        return text;
    QString quoted;
    quoted.reserve(text.size() + 4);
    quoted += u'"';
    for (const QChar ch : text) {
        if (ch == u'"')
            quoted += u'"';
        quoted += ch;
    }
    quoted += u'"';
    return quoted;
}

/// The cell text as the formula export writes it: without its kind mark. A text that would
/// read back as something else (it begins with an apostrophe or "=", or spells a number)
/// keeps an apostrophe in front, so that the file reads back to the same cells.
QString formulaField(const QString& text)
{
    if (text.isEmpty() || text[0] != core::TextMark)
        return core::StripMark(text);
    const QStringView rest = QStringView(text).mid(1);
    if (rest.startsWith(u'\'') || rest.startsWith(u'=') || core::IsNumericText(rest))
        return u'\'' + rest.toString();
    return rest.toString();
}

/// The fields of one CSV row; none when every cell of the row is empty.
QStringList csvRow(const App& app, const Block& b, int filterIndex, int r)
{
    const core::Sheet& sheet = app.sheet;
    bool any = false;
    for (int c = b.c1; c <= b.c2 && !any; ++c)
        any = !sheet.CellText[c][r].isEmpty();
    QStringList fields;
    if (!any)
        return fields;
    fields.reserve(b.c2 - b.c1 + 1);
    for (int c = b.c1; c <= b.c2; ++c) {
        fields.append(quoteCsvField(filterIndex == 3 ? sheet.GridText[c][r]
                                                     : formulaField(sheet.CellText[c][r])));
    }
    return fields;
}

/// The displayed text fitted to exactly wid units of the column.
QString txtField(const App& app, int c, int r)
{
    const QString& text = app.sheet.GridText[c][r];
    const core::column_type& format = app.sheet.ColFormat[c];
    const int unit = core::CharUnit(app, 1);
    if (unit <= 0)
        return text;
    const int limit = format.wid * unit;
    const int width = core::TextPixels(app, text);
    if (width < limit) {
        const QString blanks((limit - width) / unit, u' ');
        return format.align == 1 ? blanks + text : text + blanks;
    }
    if (width == limit)
        return text;
    qsizetype keep = core::CharsThatFit(app, text, limit);
    // Never split a surrogate pair.
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    const QString prefix = text.left(keep);
    if (core::TextPixels(app, prefix) == limit)
        return prefix;
    return prefix + u' ';
}

QStringList txtRow(const App& app, const Block& b, int r)
{
    QStringList fields;
    fields.reserve(b.c2 - b.c1 + 1);
    for (int c = b.c1; c <= b.c2; ++c)
        fields.append(txtField(app, c, r));
    return fields;
}

bool isAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() < 0x80; });
}

/// Windows-31J bytes of the text; the Yen sign takes the yen position 0x5C, characters
/// without a form there become "?". `lossless` tells whether nothing else was replaced.
QByteArray toAnsi(const QString& text, bool* lossless)
{
    if (isAscii(text)) {
        *lossless = true;
        return text.toLatin1();
    }
    QString mapped = text;
    mapped.replace(QChar(YenSign), QChar(u'\\'));
    return EncodeAnsi(mapped, lossless);
}

/// Collects the lines and encodes them; remembers the first cell that ANSI cannot hold.
class ExportText
{
public:
    explicit ExportText(bool unicode) : m_unicode(unicode) {}

    void addRow(const QStringList& fields, QStringView separator, int c1, int r)
    {
        QString line = fields.join(separator);
        if (m_unicode) {
            m_lines.append(std::move(line));
            return;
        }
        bool lossless = true;
        m_ansi += toAnsi(line, &lossless);
        m_ansi += "\r\n";
        if (lossless || m_lossyCol > 0)
            return;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            bool ok = true;
            toAnsi(fields[i], &ok);
            if (!ok) {
                m_lossyCol = c1 + int(i);
                m_lossyRow = r;
                return;
            }
        }
    }

    QByteArray bytes() const { return m_unicode ? EncodeTextLines(m_lines, true) : m_ansi; }
    /// The name of the first cell that did not convert; empty when all did.
    QString lossyCell() const { return core::CellName(m_lossyCol, m_lossyRow); }

private:
    bool m_unicode;
    QStringList m_lines;
    QByteArray m_ansi;
    int m_lossyCol = 0;
    int m_lossyRow = 0;
};

template <typename RowFields>
core::Result<core::Unit> writeRows(App& app, const QString& path, const Block& b,
                                   QStringView separator, RowFields rowFields)
{
    core::BusyGuard busy(app);
    ExportText text(app.SaveUnicode);
    for (int r = b.r1; r <= b.r2; ++r) {
        text.addRow(rowFields(r), separator, b.c1, r);
        app.ui().processEvents();
    }
    core::Result<core::Unit> written = WriteFileSafely(path, text.bytes());
    if (!written)
        return written;
    const QString cell = text.lossyCell();
    if (!cell.isEmpty()) {
        platform::Message warning;
        warning.icon = platform::Icon::Warning;
        warning.text = QStringLiteral("セル") + u'"' + cell + u'"' +
                       QStringLiteral("などにANSIに変換できない文字があります．");
        app.ui().message(warning);
    }
    return written;
}

} // namespace

QStringList CsvLines(const App& app, int c1, int c2, int filterIndex, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    QStringList lines;
    for (int r = b.r1; r <= b.r2; ++r)
        lines.append(csvRow(app, b, filterIndex, r).join(u','));
    return lines;
}

QStringList TxtLines(const App& app, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    QStringList lines;
    for (int r = b.r1; r <= b.r2; ++r)
        lines.append(txtRow(app, b, r).join(QString()));
    return lines;
}

core::Result<core::Unit> WriteCsv(App& app, const QString& path, int c1, int c2, int filterIndex,
                                  int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    return writeRows(app, path, b, u",", [&](int r) { return csvRow(app, b, filterIndex, r); });
}

core::Result<core::Unit> WriteTxt(App& app, const QString& path, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    return writeRows(app, path, b, u"", [&](int r) { return txtRow(app, b, r); });
}

} // namespace files
