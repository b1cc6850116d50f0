#include "files/Csv.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/Busy.h"
#include "files/TextFile.h"
#include "platform/Ui.h"

#include <QStringEncoder>
#include <QSysInfo>

#include <algorithm>
#include <vector>

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

bool needsQuotes(QStringView text)
{
    for (const QChar ch : text)
        if (ch == u'"' || ch == u',' || ch == u'\r' || ch == u'\n')
            return true;
    return false;
}

/// Appends the field, an apostrophe first when asked: quoted, with inner double quotes
/// doubled, when it holds a double quote, a comma or a line break.
void appendCsvField(QString& line, QStringView text, bool apostrophe = false)
{
    if (!needsQuotes(text)) {
        if (apostrophe)
            line += u'\'';
        line += text;
        return;
    }
    line += u'"';
    if (apostrophe)
        line += u'\'';
    for (const QChar ch : text) {
        if (ch == u'"')
            line += u'"';
        line += ch;
    }
    line += u'"';
}

/// Appends the cell text as the formula export writes it: without its kind mark. A text
/// that would read back as something else (it begins with an apostrophe or "=", or spells
/// a number) keeps an apostrophe in front, so that the file reads back to the same cells.
void appendFormulaField(QString& line, const QString& text)
{
    if (text.isEmpty() || text[0] != core::TextMark) {
        appendCsvField(line, text.startsWith(core::NumberMark) ? QStringView(text).mid(1)
                                                                : QStringView(text));
        return;
    }
    const QStringView rest = QStringView(text).mid(1);
    appendCsvField(line, rest,
                   rest.startsWith(u'\'') || rest.startsWith(u'=') || core::IsNumericText(rest));
}

/// Appends one CSV row; an empty line when every cell of the row is empty. `ends` gets
/// the end of each field in the line.
void appendCsvRow(const App& app, core::DisplayTexts& shown, const Block& b, int filterIndex,
                  int r, QString& line, std::vector<qsizetype>& ends)
{
    const core::Sheet& sheet = app.sheet;
    bool any = false;
    for (int c = b.c1; c <= b.c2 && !any; ++c)
        any = !sheet.CellText[c][r].isEmpty();
    if (!any)
        return;
    for (int c = b.c1; c <= b.c2; ++c) {
        if (c > b.c1)
            line += u',';
        if (filterIndex == 3)
            appendCsvField(line, shown.at(c, r));
        else
            appendFormulaField(line, sheet.CellText[c][r]);
        ends.push_back(line.size());
    }
}

/// The displayed text fitted to exactly wid units of the column.
QString txtField(const App& app, core::DisplayTexts& shown, int c, int r)
{
    const QString& text = shown.at(c, r);
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

void appendTxtRow(const App& app, core::DisplayTexts& shown, const Block& b, int r,
                  QString& line, std::vector<qsizetype>& ends)
{
    for (int c = b.c1; c <= b.c2; ++c) {
        line += txtField(app, shown, c, r);
        ends.push_back(line.size());
    }
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

/// Encodes the lines into the file as they come; remembers the first cell that ANSI
/// cannot hold.
class ExportText
{
public:
    ExportText(bool unicode, SafeFileWriter& file) : m_unicode(unicode), m_file(file)
    {
        if (m_unicode)
            m_file.write(QByteArrayView("\xFF\xFE", 2));
    }

    /// Adds the line that appendRow(line, ends, r) makes for row r, its fields parted by
    /// separators of separatorSize characters.
    template <typename AppendRow>
    void addRow(AppendRow appendRow, qsizetype separatorSize, int c1, int r)
    {
        m_line.resize(0);
        m_ends.clear();
        appendRow(m_line, m_ends, r);
        if (m_unicode) {
            m_text += m_line;
            m_text += u"\r\n";
            if (m_text.size() >= ChunkChars)
                flush();
            return;
        }
        bool lossless = true;
        m_ansi += toAnsi(m_line, &lossless);
        m_ansi += "\r\n";
        if (m_ansi.size() >= ChunkChars)
            flush();
        if (lossless || m_lossyCol > 0)
            return;
        qsizetype start = 0;
        for (std::size_t i = 0; i < m_ends.size(); ++i) {
            bool ok = true;
            toAnsi(m_line.mid(start, m_ends[i] - start), &ok);
            if (!ok) {
                m_lossyCol = c1 + int(i);
                m_lossyRow = r;
                return;
            }
            start = m_ends[i] + separatorSize;
        }
    }

    void flush()
    {
        if (m_unicode) {
            if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
                m_file.write(QByteArrayView(reinterpret_cast<const char*>(m_text.utf16()),
                                            m_text.size() * 2));
            else
                m_file.write(QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(m_text)));
            m_text.resize(0);
        } else {
            m_file.write(m_ansi);
            m_ansi.resize(0);
        }
    }

    /// The name of the first cell that did not convert; empty when all did.
    QString lossyCell() const { return core::CellName(m_lossyCol, m_lossyRow); }

private:
    static constexpr qsizetype ChunkChars = 128 * 1024;

    bool m_unicode;
    SafeFileWriter& m_file;
    QString m_line;
    std::vector<qsizetype> m_ends;
    QString m_text;
    QByteArray m_ansi;
    int m_lossyCol = 0;
    int m_lossyRow = 0;
};

template <typename AppendRow>
core::Result<core::Unit> writeRows(App& app, const QString& path, const Block& b,
                                   qsizetype separatorSize, AppendRow appendRow)
{
    core::BusyGuard busy(app);
    SafeFileWriter file(path);
    if (!file.isOpen())
        return file.commit();
    ExportText text(app.SaveUnicode, file);
    for (int r = b.r1; r <= b.r2; ++r) {
        text.addRow(appendRow, separatorSize, b.c1, r);
        app.ui().processEvents();
    }
    text.flush();
    core::Result<core::Unit> written = file.commit();
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

/// The lines that appendRow makes for rows r1..r2.
template <typename AppendRow> QStringList lines(const Block& b, AppendRow appendRow)
{
    QStringList lines;
    std::vector<qsizetype> ends;
    for (int r = b.r1; r <= b.r2; ++r) {
        QString line;
        ends.clear();
        appendRow(line, ends, r);
        lines.append(line);
    }
    return lines;
}

} // namespace

QStringList CsvLines(const App& app, int c1, int c2, int filterIndex, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return lines(b, [&](QString& line, std::vector<qsizetype>& ends, int r) {
        appendCsvRow(app, shown, b, filterIndex, r, line, ends);
    });
}

QStringList TxtLines(const App& app, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return lines(b, [&](QString& line, std::vector<qsizetype>& ends, int r) {
        appendTxtRow(app, shown, b, r, line, ends);
    });
}

core::Result<core::Unit> WriteCsv(App& app, const QString& path, int c1, int c2, int filterIndex,
                                  int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return writeRows(app, path, b, 1, [&](QString& line, std::vector<qsizetype>& ends, int r) {
        appendCsvRow(app, shown, b, filterIndex, r, line, ends);
    });
}

core::Result<core::Unit> WriteTxt(App& app, const QString& path, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return writeRows(app, path, b, 0, [&](QString& line, std::vector<qsizetype>& ends, int r) {
        appendTxtRow(app, shown, b, r, line, ends);
    });
}

} // namespace files
