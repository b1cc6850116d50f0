#include "files/WorksheetWriter.h"

#include "core/App.h"
#include "files/Fields.h"
#include "files/TextFile.h"
#include "platform/Ui.h"

#include <QStringEncoder>
#include <QSysInfo>

#include <algorithm>

namespace files {

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

QString num(int value)
{
    return QString::number(value);
}

QString record(QStringView keyword, std::initializer_list<QString> fields)
{
    QString line = keyword.toString();
    bool first = true;
    for (const QString& field : fields) {
        if (!first)
            line += u',';
        line += field;
        first = false;
    }
    return line;
}

/// Where the lines go: a list, or a file.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void add(const QString& line) = 0;
    LineSink& operator<<(const QString& line)
    {
        add(line);
        return *this;
    }
};

class ListSink : public LineSink {
public:
    explicit ListSink(QStringList& lines)
        : m_lines(lines)
    {
    }
    void add(const QString& line) override { m_lines.append(line); }

private:
    QStringList& m_lines;
};

/// UTF-16 LE with a byte-order mark and CR LF line ends, written in pieces.
class FileSink : public LineSink {
public:
    explicit FileSink(SafeFileWriter& file)
        : m_file(file)
    {
        m_file.write(QByteArrayView("\xFF\xFE", 2));
    }
    void add(const QString& line) override
    {
        m_text += line;
        m_text += u"\r\n";
        if (m_text.size() >= 128 * 1024)
            flush();
    }
    void flush()
    {
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
            m_file.write(
                QByteArrayView(reinterpret_cast<const char*>(m_text.utf16()), m_text.size() * 2));
        else
            m_file.write(QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(m_text)));
        m_text.resize(0);
    }

private:
    SafeFileWriter& m_file;
    QString m_text;
};

void appendSettings(App& app, LineSink& lines, int c1, int c2, int r1, int r2)
{
    const core::Sheet& sheet = app.sheet;
    const platform::FontSpec& font = app.settings.gridFont;
    lines << QStringLiteral("[Mavix],4.00")
          << record(u"Size,", {num(sheet.SheetCols), num(sheet.SheetRows)})
          << record(u"Area,", {num(c2 - c1 + 1), num(r2 - r1 + 1)})
          << record(u"Move,", {num(app.grid.col), num(app.grid.row)})
          << record(u"Font,", {QuoteWorksheetText(font.name), num(sheet.FontSize),
                               flag(font.bold), flag(font.italic)});
    const core::CellBlock& area = sheet.PrintArea;
    if (area.left > 0)
        lines << record(u"PrintArea,",
                        {num(area.left), num(area.top), num(area.right), num(area.bottom)});
    for (int c = c1; c <= c2; ++c) {
        const core::column_type& format = sheet.ColFormat[c];
        lines << QStringLiteral("C ") + num(c - c1 + 1) + u','
                     + record(u"", {num(format.wid), num(format.shosu), num(format.comma),
                                    num(format.align)});
    }
    lines << record(u"Top,", {num(sheet.HeadingRow)});
    const print::PageLayout& layout = app.pageLayout;
    lines << record(u"Offset,", {QuoteWorksheetText(layout.txtOfs1),
                                 QuoteWorksheetText(layout.txtOfs2),
                                 QuoteWorksheetText(layout.txtOfs3),
                                 QuoteWorksheetText(layout.txtOfs4),
                                 QuoteWorksheetText(layout.txtTop), flag(layout.chkGrid),
                                 QStringLiteral("0"), QStringLiteral("0")});
    for (int k = 0; k < 6; ++k) {
        if (layout.txtHdr[k].isEmpty())
            continue;
        const print::HeaderFont& hf = layout.hdrFont[k];
        lines << record(u"Header,", {num(k), QuoteWorksheetText(layout.txtHdr[k])})
              << record(u"", {QuoteWorksheetText(hf.font.name), num(hf.font.size),
                              flag(hf.font.bold), flag(hf.font.italic), num(hf.color),
                              flag(hf.underline), QStringLiteral("0")});
    }
    lines << record(u"Gridline,", {flag(app.lineDialog.chkGrid)});
    const graph::GraphSettings& g = app.graph;
    lines << record(u"Ugraph,",
                    {num(g.rbGkind), num(g.rbBar), flag(g.ckMax), QuoteWorksheetText(g.edMax),
                     QuoteWorksheetText(g.edMin), QuoteWorksheetText(g.edRow1),
                     QuoteWorksheetText(g.edRow2), QuoteWorksheetText(g.edClms),
                     num(g.cbXclm), flag(g.ck3D), flag(g.ckLegend), flag(g.ckMarker)});
    for (const QString& row : sheet.PageBreaks)
        lines << QStringLiteral("NewPage,") + QuoteWorksheetText(row);
}

void appendHex(QString& line, std::uint8_t byte)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    line += QChar(digits[byte >> 4]);
    line += QChar(digits[byte & 15]);
}

void appendCellsAndLines(App& app, LineSink& lines, int c1, int c2, int r1, int r2)
{
    const core::Sheet& sheet = app.sheet;
    lines << QStringLiteral("Data");
    QString line;
    for (int r = r1; r <= r2; ++r) {
        line.resize(0);
        for (int c = c1; c <= c2; ++c) {
            if (c > c1)
                line += u',';
            AppendWorksheetText(line, sheet.CellText[c][r]);
        }
        lines << line;
        app.ui().processEvents();
    }
    lines << QStringLiteral("Lines");
    for (int r = r1; r <= r2; ++r) {
        bool any = false;
        for (int c = c1; c <= c2 && !any; ++c)
            any = sheet.hasLines(c, r);
        if (!any)
            continue;
        QString line = num(r - r1 + 1).rightJustified(5, u' ');
        for (int c = c1; c <= c2; ++c) {
            line += u',';
            if (!sheet.hasLines(c, r)) {
                line += u'0';
                continue;
            }
            for (int plane = 1; plane <= 4; ++plane)
                appendHex(line, sheet.CellLines[plane][c][r]);
        }
        lines << line;
        app.ui().processEvents();
    }
    lines << QStringLiteral("LinesEnd");
}

} // namespace

namespace {

void appendWorksheet(App& app, LineSink& lines, int c1, int c2, int r1, int r2)
{
    if (c2 < c1)
        c2 = c1;
    if (r2 < r1)
        r2 = r1;
    appendSettings(app, lines, c1, c2, r1, r2);
    appendCellsAndLines(app, lines, c1, c2, r1, r2);
}

} // namespace

QStringList WorksheetLines(App& app, int c1, int c2, int r1, int r2)
{
    QStringList lines;
    lines.reserve(std::max(r2 - r1, 0) + 1 + 2 * (std::max(c2 - c1, 0) + 1) + 40);
    ListSink sink(lines);
    appendWorksheet(app, sink, c1, c2, r1, r2);
    return lines;
}

core::Result<core::Unit> WriteWorksheet(App& app, const QString& path, int c1, int c2, int r1,
                                        int r2)
{
    SafeFileWriter file(path);
    if (!file.isOpen())
        return file.commit();
    FileSink sink(file);
    appendWorksheet(app, sink, c1, c2, r1, r2);
    sink.flush();
    return file.commit();
}

} // namespace files
