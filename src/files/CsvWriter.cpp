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
#include <array>
#include <functional>
#include <memory>
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
        appendCsvField(
            line, text.startsWith(core::NumberMark) ? QStringView(text).mid(1) : QStringView(text));
        return;
    }
    const QStringView rest = QStringView(text).mid(1);
    appendCsvField(line, rest,
                   rest.startsWith(u'\'') || rest.startsWith(u'=') || core::IsNumericText(rest));
}

/// The lines of a block of rows, made column by column: the texts of a column lie close
/// together in memory, those of a row do not. `ends` holds the end of each field of a line.
struct RowLines {
    static constexpr int Size = 64;
    int first = 0;
    int count = 0;
    std::array<QString, Size> lines;
    std::array<std::vector<qsizetype>, Size> ends;

    void start(int firstRow, int rows)
    {
        first = firstRow;
        count = rows;
        for (int j = 0; j < count; ++j) {
            lines[std::size_t(j)].resize(0);
            ends[std::size_t(j)].clear();
        }
    }
};

/// CSV rows; an empty line for a row whose cells are all empty.
void makeCsvLines(const App& app, core::DisplayTexts& shown, const Block& b, int filterIndex,
                  RowLines& rows)
{
    const core::Sheet& sheet = app.sheet;
    std::array<bool, RowLines::Size> any{};
    for (int c = b.c1; c <= b.c2; ++c)
        for (int j = 0; j < rows.count; ++j)
            any[std::size_t(j)] =
                any[std::size_t(j)] || !sheet.CellText[c][rows.first + j].isEmpty();
    for (int c = b.c1; c <= b.c2; ++c) {
        for (int j = 0; j < rows.count; ++j) {
            if (!any[std::size_t(j)])
                continue;
            QString& line = rows.lines[std::size_t(j)];
            const int r = rows.first + j;
            if (c > b.c1)
                line += u',';
            if (filterIndex == 3)
                appendCsvField(line, shown.at(c, r));
            else
                appendFormulaField(line, sheet.CellText[c][r]);
            rows.ends[std::size_t(j)].push_back(line.size());
        }
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

void makeTxtLines(const App& app, core::DisplayTexts& shown, const Block& b, RowLines& rows)
{
    for (int c = b.c1; c <= b.c2; ++c) {
        for (int j = 0; j < rows.count; ++j) {
            QString& line = rows.lines[std::size_t(j)];
            line += txtField(app, shown, c, rows.first + j);
            rows.ends[std::size_t(j)].push_back(line.size());
        }
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
    ExportText(bool unicode, SafeFileWriter& file)
        : m_unicode(unicode)
        , m_file(file)
    {
        if (m_unicode)
            m_file.write(QByteArrayView("\xFF\xFE", 2));
    }

    /// Adds the line of row r, its fields ending at `ends` and parted by separators of
    /// separatorSize characters.
    void addLine(const QString& line, const std::vector<qsizetype>& ends, qsizetype separatorSize,
                 int c1, int r)
    {
        if (m_unicode) {
            m_text += line;
            m_text += u"\r\n";
            if (m_text.size() >= ChunkChars)
                flush();
            return;
        }
        bool lossless = true;
        m_ansi += toAnsi(line, &lossless);
        m_ansi += "\r\n";
        if (m_ansi.size() >= ChunkChars)
            flush();
        if (lossless || m_lossyCol > 0)
            return;
        qsizetype start = 0;
        for (std::size_t i = 0; i < ends.size(); ++i) {
            bool ok = true;
            toAnsi(line.mid(start, ends[i] - start), &ok);
            if (!ok) {
                m_lossyCol = c1 + int(i);
                m_lossyRow = r;
                return;
            }
            start = ends[i] + separatorSize;
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
    QString m_text;
    QByteArray m_ansi;
    int m_lossyCol = 0;
    int m_lossyRow = 0;
};

/// Rows r1..r2 of the block, made by makeLines(rows) a block of rows at a time.
template <typename MakeLines>
void forEachLine(const Block& b, MakeLines makeLines,
                 const std::function<void(const RowLines&, int)>& use)
{
    auto rows = std::make_unique<RowLines>();
    for (int first = b.r1; first <= b.r2; first += RowLines::Size) {
        rows->start(first, std::min(RowLines::Size, b.r2 - first + 1));
        makeLines(*rows);
        for (int j = 0; j < rows->count; ++j)
            use(*rows, j);
    }
}

template <typename MakeLines>
core::Result<core::Unit> writeRows(App& app, const QString& path, const Block& b,
                                   qsizetype separatorSize, MakeLines makeLines)
{
    core::BusyGuard busy(app);
    SafeFileWriter file(path);
    if (!file.isOpen())
        return file.commit();
    ExportText text(app.SaveUnicode, file);
    forEachLine(b, makeLines, [&](const RowLines& rows, int j) {
        text.addLine(rows.lines[std::size_t(j)], rows.ends[std::size_t(j)], separatorSize, b.c1,
                     rows.first + j);
        app.ui().processEvents();
    });
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

template <typename MakeLines> QStringList lines(const Block& b, MakeLines makeLines)
{
    QStringList lines;
    forEachLine(b, makeLines, [&](const RowLines& rows, int j) {
        lines.append(QString(rows.lines[std::size_t(j)]));
    });
    return lines;
}

} // namespace

QStringList CsvLines(const App& app, int c1, int c2, int filterIndex, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return lines(b, [&](RowLines& rows) { makeCsvLines(app, shown, b, filterIndex, rows); });
}

QStringList TxtLines(const App& app, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return lines(b, [&](RowLines& rows) { makeTxtLines(app, shown, b, rows); });
}

core::Result<core::Unit> WriteCsv(App& app, const QString& path, int c1, int c2, int filterIndex,
                                  int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return writeRows(app, path, b, 1,
                     [&](RowLines& rows) { makeCsvLines(app, shown, b, filterIndex, rows); });
}

core::Result<core::Unit> WriteTxt(App& app, const QString& path, int c1, int c2, int r1, int r2)
{
    const Block b = clampBlock(app, c1, c2, r1, r2);
    core::DisplayTexts shown(app);
    return writeRows(app, path, b, 0, [&](RowLines& rows) { makeTxtLines(app, shown, b, rows); });
}

} // namespace files
