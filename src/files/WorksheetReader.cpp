#include "files/WorksheetReader.h"

#include "core/App.h"
#include "core/Cells.h"
#include "files/Fields.h"
#include "files/TextFile.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cmath>

namespace files {

namespace {

/// Ends the parse: the file is not read and the sheet stays as it was.
struct ReadFailure {};

/// The lines of the file, one after another.
class Lines {
public:
    virtual ~Lines() = default;
    virtual bool atEnd() const = 0;
    /// The next line, valid until the next call.
    virtual QStringView next() = 0;
};

class ListLines : public Lines {
public:
    explicit ListLines(const QStringList& lines)
        : m_lines(lines)
    {
    }
    bool atEnd() const override { return m_next >= m_lines.size(); }
    QStringView next() override { return m_lines[m_next++]; }

private:
    const QStringList& m_lines;
    qsizetype m_next = 0;
};

class FileLines : public Lines {
public:
    explicit FileLines(TextLines& lines)
        : m_lines(lines)
    {
    }
    bool atEnd() const override { return m_lines.atEnd(); }
    QStringView next() override { return m_lines.next(); }

private:
    TextLines& m_lines;
};

/// The 16 colours of older files' ruled lines, as 0x00BBGGRR values, in index order.
constexpr std::array<qint32, 16> OldLineColours = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

int hexDigit(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    throw ReadFailure{};
}

QString restored(QString field)
{
    RestoreWorksheetText(field);
    return field;
}

class Parser {
public:
    Parser(App& app, Lines& lines, bool append)
        : m_app(app)
        , m_lines(lines)
        , m_append(append)
        , m_offset(app.sheet.SheetRows)
    {
        if (append)
            m_image.version = app.FileVersion;
    }

    WorksheetImage run()
    {
        const bool data = readSettings();
        checkExtent();
        if (data)
            readCells();
        return std::move(m_image);
    }

private:
    /// The fields of a record, at least `count` of them.
    static const QStringList& need(const QStringList& fields, qsizetype count)
    {
        if (fields.size() < count)
            throw ReadFailure{};
        return fields;
    }
    /// The fields of the next line, at least `count` of them.
    QStringList needNext(qsizetype count)
    {
        if (m_lines.atEnd())
            throw ReadFailure{};
        QStringList fields = SplitFields(m_lines.next());
        need(fields, count);
        return fields;
    }

    bool readSettings();
    void readRecord(QChar key, const QStringList& f, QStringView line);
    void readVersion(const QStringList& f, QStringView line);
    void readSize(const QStringList& f);
    void readFont(const QStringList& f);
    void readColumn(const QStringList& f);
    void readHeader(const QStringList& f);
    void readGraph(const QStringList& f);
    void readOldLine(const QStringList& f);
    void checkExtent();
    void readCells();
    void readLines();

    App& m_app;
    Lines& m_lines;
    bool m_append;
    int m_offset;     // rows of the sheet before an append
    int m_sheetRows;  // rows the sheet has when the cells are read
    WorksheetImage m_image;
};

/// Dispatches the settings records until "Data"; false when the file has none (then it has
/// no cells either).
bool Parser::readSettings()
{
    while (!m_lines.atEnd()) {
        const QStringView line = m_lines.next();
        const QStringList f = SplitFields(line);
        // An empty first field is skipped like an unknown record, so that the cells are
        // always the lines after "Data".
        if (f[0].isEmpty())
            continue;
        const QChar key = f[0][0];
        if (key == u'D')
            return true;
        readRecord(key, f, line);
        m_app.ui().processEvents();
    }
    return false;
}

void Parser::readRecord(QChar key, const QStringList& f, QStringView line)
{
    WorksheetImage& im = m_image;
    switch (key.unicode()) {
    case u'[':
        readVersion(f, line);
        return;
    case u'S':
        readSize(need(f, 3));
        return;
    case u'A': {
        const QStringList& a = need(f, 3);
        im.cols = FieldInt(a[1]);
        im.rows = FieldInt(a[2]);
        if (im.cols < 1 || im.rows < 1)
            throw ReadFailure{};
        return;
    }
    case u'H':
        readHeader(f);
        return;
    default:
        break;
    }
    if (m_append) // only the records above count for an append
        return;
    switch (key.unicode()) {
    case u'M': {
        const QStringList& m = need(f, 3);
        im.cursorCol = FieldInt(m[1]);
        im.cursorRow = FieldInt(m[2]);
        return;
    }
    case u'F':
        readFont(need(f, 5));
        return;
    case u'P': {
        const QStringList& p = need(f, 5);
        im.printArea = core::CellBlock{FieldInt(p[1]), FieldInt(p[3]), FieldInt(p[2]),
                                       FieldInt(p[4])};
        return;
    }
    case u'C':
        readColumn(f);
        return;
    case u'T':
        im.headingRow = std::max(0, FieldInt(need(f, 2)[1]));
        return;
    case u'O': {
        const QStringList& o = need(f, 7);
        WorksheetImage::Offset offset;
        for (int k = 0; k < 4; ++k)
            offset.margins[k] = restored(o[k + 1]);
        offset.firstPage = restored(o[5]);
        offset.chkGrid = FieldBool(o[6]);
        im.offset = offset;
        return;
    }
    case u'G':
        im.gridLines = FieldBool(need(f, 2)[1]);
        return;
    case u'U':
        readGraph(need(f, 13));
        return;
    case u'N': {
        const int row = FieldInt(need(f, 2)[1]);
        if (row >= 1)
            im.pageBreaks.push_back(row);
        return;
    }
    case u'L':
        readOldLine(need(f, 7));
        return;
    default: // unknown records are skipped
        return;
    }
}

void Parser::readVersion(const QStringList& f, QStringView line)
{
    const double version = f.size() > 1 ? core::ParseNumber(f[1].trimmed()) : 0.0;
    if (version == 0) {
        platform::Message error;
        error.icon = platform::Icon::Error;
        error.text =
            u'"' + line.toString() + QStringLiteral(":『Mavix』のデータファイルではありません");
        m_app.ui().message(error);
        throw ReadFailure{};
    }
    m_image.version = version;
    if (m_append && version < 2.2) {
        platform::Message question;
        question.icon = platform::Icon::Question;
        question.text =
            QStringLiteral("このファイルはMavixの古いバージョンのデータなので\r\n"
                           "正常に読み込めない可能性があります.\r\n"
                           "ファイルの追加読み込みを行いますか ?");
        question.buttons = platform::Buttons::OkCancel;
        if (m_app.ui().message(question) == platform::Answer::Cancel)
            throw ReadFailure{};
    }
}

void Parser::readSize(const QStringList& f)
{
    const qint64 rows = FieldInt(f[2]);
    if (rows < 1)
        throw ReadFailure{};
    const qint64 total = m_append ? m_offset + rows : rows;
    m_image.sheetRows = int(total > core::MaxRows ? core::MaxRows - 1 : total);
}

void Parser::readFont(const QStringList& f)
{
    WorksheetImage::Font font;
    font.name = restored(f[1]);
    const double size = std::nearbyint(core::ParseNumber(f[2].trimmed()));
    if (size >= 1 && size <= 99)
        font.size = int(size);
    font.bold = FieldBool(f[3]);
    font.italic = FieldBool(f[4]);
    m_image.font = font;
}

void Parser::readColumn(const QStringList& f)
{
    WorksheetImage::Column column;
    column.col = FieldInt(QStringView(f[0]).mid(2, 2));
    if (column.col < 1 || column.col > core::MaxCols)
        return;
    const bool hasAlign = m_image.version > 1.0;
    if (f.size() < (hasAlign ? 5 : 4))
        throw ReadFailure{};
    // Out-of-range values are brought to the nearest bound, as the format dialog does.
    column.wid = std::clamp(FieldInt(f[1]), 1, 255);
    column.shosu = std::clamp(FieldInt(f[2]), -1, 16);
    column.comma = FieldInt(f[3]);
    if (hasAlign)
        column.align = FieldInt(f[4]);
    m_image.columns.push_back(column);
}

void Parser::readHeader(const QStringList& f)
{
    if (m_append) { // the font line is skipped unread
        if (!m_lines.atEnd())
            m_lines.next();
        return;
    }
    if (f.size() < 3)
        throw ReadFailure{};
    const bool hasUnderline = m_image.version > 1.15;
    const QStringList font = needNext(hasUnderline ? 6 : 5);
    WorksheetImage::Header header;
    header.index = FieldInt(f[1]);
    header.text = restored(f[2]);
    header.font.font.name = restored(font[0]);
    header.font.font.size = FieldInt(font[1]);
    header.font.font.bold = FieldBool(font[2]);
    header.font.font.italic = FieldBool(font[3]);
    header.font.color = FieldInt(font[4]);
    header.font.underline = hasUnderline && FieldBool(font[5]);
    if (header.index >= 0 && header.index < 6)
        m_image.headers.push_back(header);
}

void Parser::readGraph(const QStringList& f)
{
    graph::GraphSettings g;
    g.rbGkind = std::clamp(FieldInt(f[1]), 0, 5);
    g.rbBar = std::clamp(FieldInt(f[2]), 0, 3);
    g.ckMax = FieldBool(f[3]);
    g.edMax = restored(f[4]);
    g.edMin = restored(f[5]);
    g.edRow1 = restored(f[6]);
    g.edRow2 = restored(f[7]);
    g.edClms = restored(f[8]);
    g.cbXclm = std::clamp(FieldInt(f[9]), 0, core::MaxCols);
    g.ck3D = FieldBool(f[10]);
    g.ckLegend = FieldBool(f[11]);
    g.ckMarker = FieldBool(f[12]);
    m_image.graph = g;
}

void Parser::readOldLine(const QStringList& f)
{
    WorksheetImage::OldLine line;
    line.plane = FieldInt(f[1]);
    const int style = FieldInt(f[2]);
    const qint32 colour = FieldInt(f[3]);
    line.position = FieldInt(f[4]);
    line.first = FieldInt(f[5]);
    line.last = FieldInt(f[6]);
    if (line.plane < 1 || line.plane > 5 || style < 0 || style > 15)
        return;
    if (line.plane == 5) {
        if (line.position >= 1)
            m_image.pageBreaks.push_back(line.position);
        return;
    }
    const auto it = std::find(OldLineColours.begin(), OldLineColours.end(), colour);
    const int index = it == OldLineColours.end() ? 0 : int(it - OldLineColours.begin());
    line.code = std::uint8_t(style * 16 + index);
    m_image.oldLines.push_back(line);
}

/// A used area below 1 or beyond the sheet fails before anything is read into the sheet.
void Parser::checkExtent()
{
    m_sheetRows = m_image.sheetRows.value_or(m_offset);
    const qint64 lastRow = qint64(m_append ? m_offset : 0) + m_image.rows;
    if (m_image.cols > core::MaxCols || lastRow > m_sheetRows)
        throw ReadFailure{};
}

void Parser::readCells()
{
    const int cols = m_image.cols;
    m_image.cells.reserve(std::size_t(m_image.rows));
    QString scratch;
    QStringView field;
    for (int r = 1; r <= m_image.rows && !m_lines.atEnd(); ++r) {
        const QStringView line = m_lines.next();
        QStringList fields;
        fields.reserve(cols);
        qsizetype pos = 0;
        while (fields.size() < cols && pos <= line.size()) {
            pos = NextField(line, pos, field, scratch);
            QString text = field.toString();
            RestoreWorksheetText(text);
            fields.append(std::move(text));
        }
        if (fields.size() < cols)
            throw ReadFailure{};
        m_image.cells.push_back(std::move(fields));
        if (!m_append && r % 100 == 0)
            m_app.ui().showStatus(QString::number(r) + QStringLiteral("行目 読み込み中"));
        m_app.ui().processEvents();
    }
    // The line after the cells is "Lines".
    if (!m_lines.atEnd())
        m_lines.next();
    readLines();
}

void Parser::readLines()
{
    const int cols = m_image.cols;
    const int offset = m_append ? m_offset : 0;
    while (!m_lines.atEnd()) {
        const QStringView line = m_lines.next();
        if (line == u"LinesEnd")
            break;
        const QStringList f = need(SplitFields(line), cols + 1);
        WorksheetImage::LineRow row;
        row.row = FieldInt(f[0]);
        for (int j = 1; j <= cols; ++j) {
            const QString& hex = f[j];
            if (hex.size() != 8)
                continue;
            std::array<std::uint8_t, 4> planes{};
            for (int p = 0; p < 4; ++p)
                planes[p] = std::uint8_t(hexDigit(hex[2 * p]) * 16 + hexDigit(hex[2 * p + 1]));
            row.cells.emplace_back(j, planes);
        }
        // A row outside the sheet is ignored, like a column record outside A..Z.
        if (row.row >= 1 && qint64(offset) + row.row <= m_sheetRows)
            m_image.lines.push_back(std::move(row));
        m_app.ui().processEvents();
    }
}

} // namespace

namespace {

core::Result<WorksheetImage> parse(App& app, Lines& lines, bool append)
{
    try {
        return Parser(app, lines, append).run();
    } catch (const ReadFailure&) {
        return core::Error{core::ErrorCode::BadFormat, 0, QString()};
    }
}

} // namespace

core::Result<WorksheetImage> ParseWorksheet(App& app, const QStringList& lines, bool append)
{
    ListLines list(lines);
    return parse(app, list, append);
}

core::Result<WorksheetImage> LoadWorksheet(App& app, const QString& path, bool append)
{
    core::Result<std::unique_ptr<TextLines>> text = TextLines::open(path);
    if (!text)
        return text.error();
    FileLines lines(*text.value());
    return parse(app, lines, append);
}

} // namespace files
