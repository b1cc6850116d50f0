#include "files/Csv.h"
#include "files/OpenSteps.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/NumberFormat.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "edit/Undo.h"
#include "files/Access.h"
#include "files/Fields.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"
#include "settings/RecentFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace files {

namespace {

/// Column widths are kept inside the range the column format allows.
constexpr int MaxColumnWidth = 255;

/// The width of a field in whole units. A number is as wide as it will be shown at least:
/// thousands separators must not cut 9800 to "9,80".
int unitsOf(const App& app, QStringView field, const QString& text, double value, int unit,
            QString& scratch)
{
    // The measure only reads the text: a view of the field needs no copy.
    int px = core::TextPixels(app, QString::fromRawData(field.data(), field.size()));
    if (text[0] == core::NumberMark && std::abs(value) >= 999.5
        && core::FormatNumberInto(value, core::NumberFormat{1, 0, u'n'}, scratch))
        px = std::max(px, core::TextPixels(app, scratch));
    return (px + unit - 1) / unit;
}

/// The text with a kind mark in front, in one allocation.
QString withMark(char16_t mark, QStringView rest)
{
    QString text(rest.size() + 1, Qt::Uninitialized);
    QChar* out = text.data();
    out[0] = QChar(mark);
    std::copy(rest.begin(), rest.end(), out + 1);
    return text;
}

/// The stored form of a non-empty imported field.
QString cellTextOf(QStringView field)
{
    if (field[0] == u'\'') {
        if (core::IsNumericText(field.mid(1)))
            return field.toString();
        return withMark(core::TextMark, field.mid(1));
    }
    if (field[0] == u'=')
        return edit::NormalizeFormula(field.toString());
    return withMark(core::IsNumericText(field) ? core::NumberMark : core::TextMark, field);
}

/// Fields 1..26 of a block of lines, their characters copied one after another: the lines
/// themselves do not outlive their turn.
class FieldBlock {
public:
    void clear()
    {
        m_chars.resize(0);
        m_rows.clear();
    }
    void addLine(QStringView line)
    {
        std::array<Ref, core::MaxCols>& refs = m_rows.emplace_back();
        qsizetype pos = 0;
        QStringView field;
        for (int i = 0; i < core::MaxCols && pos <= line.size(); ++i) {
            pos = NextField(line, pos, field, m_scratch);
            refs[std::size_t(i)] = Ref{m_chars.size(), field.size()};
            m_chars += field;
        }
    }
    /// Field i (0-based) of line j of the block; empty when the line has no such field.
    QStringView field(int j, int i) const
    {
        const Ref& ref = m_rows[std::size_t(j)][std::size_t(i)];
        return QStringView(m_chars).mid(ref.start, ref.size);
    }

private:
    struct Ref {
        qsizetype start = 0;
        qsizetype size = 0;
    };
    QString m_chars;
    QString m_scratch;
    std::vector<std::array<Ref, core::MaxCols>> m_rows;
};

/// Stores the fields of the first `rows` lines with their kind marks (a numeric field gets
/// its value at once, so that its display, written before the recalculation, shows the
/// number); returns each column's widest field in units.
template <typename Lines>
std::array<int, core::MaxCols + 1> storeFields(App& app, Lines& lines, int rows)
{
    core::Sheet& sheet = app.sheet;
    std::array<int, core::MaxCols + 1> widest{};
    const int unit = core::CharUnit(app, 1);
    QString scratch;
    // Lines are split in blocks and their cells stored column by column, so that the texts
    // of a column lie close together in memory for the column-wise passes that follow.
    constexpr int Block = 128;
    FieldBlock block;
    for (int first = 1; first <= rows; first += Block) {
        const int last = std::min(rows, first + Block - 1);
        block.clear();
        for (int j = first; j <= last; ++j) {
            block.addLine(lines.next());
            if (j % 100 == 0)
                core::ShowStatus(app, QString::number(j) + QStringLiteral("行目 読み込み中"));
            app.ui().processEvents();
        }
        for (int i = 1; i <= core::MaxCols; ++i) {
            int& wide = widest[std::size_t(i)];
            for (int j = first; j <= last; ++j) {
                const QStringView field = block.field(j - first, i - 1);
                if (field.isEmpty())
                    continue;
                QString text = cellTextOf(field);
                if (text[0] == core::NumberMark)
                    sheet.CellValue[i][j] = core::NumericValue(text);
                if (unit > 0)
                    wide = std::max(
                        wide, unitsOf(app, field, text, sheet.CellValue[i][j], unit, scratch));
                sheet.CellText[i][j] = std::move(text);
            }
        }
    }
    return widest;
}

/// The lines of a list, as TextLines gives them.
class ListLines {
public:
    explicit ListLines(const QStringList& lines)
        : m_lines(lines)
    {
    }
    qsizetype count() const { return m_lines.size(); }
    QStringView next() { return m_lines[m_next++]; }

private:
    const QStringList& m_lines;
    qsizetype m_next = 0;
};

void applyColumnWidths(App& app, const std::array<int, core::MaxCols + 1>& widest)
{
    for (int c = 1; c <= core::MaxCols; ++c) {
        core::column_type& format = app.sheet.ColFormat[c];
        const int w = widest[std::size_t(c)];
        format.wid = w == 0 ? 10 : std::min(w, MaxColumnWidth);
        format.shosu = 0;
        format.comma = -1;
        format.align = 0;
        core::BuildColumnFormat(app, c);
    }
}

void moveToFirstCell(App& app)
{
    core::GridState& grid = app.grid;
    grid.col = 1;
    grid.row = 1;
    grid.selection = core::CellBlock{1, 1, 1, 1};
    grid.topRow = 1;
    grid.leftCol = 1;
    app.ui().gridChanged(platform::GridChange::CurrentCell);
}

void warnLinesLeftOut(App& app, const QString& path, qsizetype total)
{
    detail::ShowFileMessage(
        app, platform::Icon::Warning,
        path + QStringLiteral(" は") + QString::number(total) + QStringLiteral("行あります．") +
            QStringLiteral("\r\n") + QStringLiteral("シートに入る") +
            QString::number(core::MaxRows) + QStringLiteral("行目までを読み込み，残りの") +
            QString::number(total - core::MaxRows) + QStringLiteral("行は読み込みませんでした．"));
}

template <typename Lines> void importLines(App& app, const QString& path, Lines& lines)
{
    core::BusyGuard busy(app);
    core::Sheet& sheet = app.sheet;
    print::ResetHeaderBoxes(app);
    core::ClearCells(app, false);
    sheet.HeadingRow = 0;
    const qsizetype total = lines.count();
    // Lines beyond the last row of the sheet are left out.
    const int rows = int(std::min<qsizetype>(total, core::MaxRows));
    sheet.SheetRows = int(std::min<qsizetype>(total + 2, core::MaxRows));
    core::ResizeSheet(app);
    const auto widest = storeFields(app, lines, rows);

    core::ShowStatus(app, QString::number(rows) + QStringLiteral("行読み込み完了．計算中..."));
    app.ui().processEvents();
    applyColumnWidths(app, widest);

    // The fields got their kind marks as they were stored.
    core::RescanExtent(app);
    core::RefreshHeaders(app);
    core::ShowAllCells(app);
    calc::RecalcAll(app);
    print::ShowPrintArea(app, false);
    settings::AddRecentFile(app, path);
    sheet.Modified = false;
    app.SaveUnicode = true;
    moveToFirstCell(app);
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("ＣＳＶファイル読み込み終了."));
    sheet.FileName = path;
    UpdateTitle(app);
    busy.end();
    edit::SaveUndo(app, 0, 0);
    if (total > core::MaxRows)
        warnLinesLeftOut(app, path, total);
    // Last, so that a note about the hold stays in the status bar.
    HoldFile(app, path);
}

} // namespace

void OpenCsv(App& app, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        detail::ShowFileMessage(app, platform::Icon::Error,
                                path + QStringLiteral(" が読み込めません."));
        return;
    }
    const bool wasReadOnly = app.sheet.ReadOnly;
    if (!CheckOpenAccess(app, path)) {
        detail::RestoreCurrentFile(app, wasReadOnly);
        return;
    }
    core::BusyGuard busy(app);
    core::ShowStatus(app, QStringLiteral("CSVファイル読み込み開始..."));
    // Read before clearing: a file that cannot be read costs the sheet nothing.
    const core::Result<std::unique_ptr<TextLines>> lines = TextLines::open(path);
    if (!lines) {
        busy.end();
        detail::RestoreCurrentFile(app, wasReadOnly);
        detail::ShowFileMessage(app, platform::Icon::Error,
                                QStringLiteral("データの読み込みに失敗しました"));
        return;
    }
    importLines(app, path, *lines.value());
}

void ImportCsvLines(App& app, const QString& path, const QStringList& lines)
{
    ListLines list(lines);
    importLines(app, path, list);
}

QString CsvFieldToCellText(const QString& field)
{
    if (field.isEmpty())
        return field;
    if (field[0] == u'\'' && core::IsNumericText(QStringView(field).mid(1)))
        return field;
    return cellTextOf(field);
}

} // namespace files
