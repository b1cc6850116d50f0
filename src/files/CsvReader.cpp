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
int unitsOf(const App& app, const QString& field, const QString& text, double value, int unit)
{
    int px = core::TextPixels(app, field);
    if (text[0] == core::NumberMark && std::abs(value) >= 999.5) {
        const QString shown = core::FormatNumber(value, core::NumberFormat{1, 0, u'n'});
        if (!shown.isNull())
            px = std::max(px, core::TextPixels(app, shown));
    }
    return (px + unit - 1) / unit;
}

/// Stores the fields of the first `rows` lines with their kind marks (a numeric field gets
/// its value at once, so that its display, written before the recalculation, shows the
/// number); returns each column's widest field in units.
std::array<int, core::MaxCols + 1> storeFields(App& app, const QStringList& lines, int rows)
{
    core::Sheet& sheet = app.sheet;
    std::array<int, core::MaxCols + 1> widest{};
    const int unit = core::CharUnit(app, 1);
    // Lines are split in blocks and their cells stored column by column, so that the texts
    // of a column lie close together in memory for the column-wise passes that follow.
    constexpr int Block = 128;
    std::vector<QStringList> split(Block);
    for (int first = 1; first <= rows; first += Block) {
        const int last = std::min(rows, first + Block - 1);
        for (int j = first; j <= last; ++j) {
            split[std::size_t(j - first)] = SplitFields(lines[j - 1]);
            if (j % 100 == 0)
                core::ShowStatus(app, QString::number(j) + QStringLiteral("行目 読み込み中"));
            app.ui().processEvents();
        }
        for (int i = 1; i <= core::MaxCols; ++i) {
            int& wide = widest[std::size_t(i)];
            for (int j = first; j <= last; ++j) {
                const QStringList& fields = split[std::size_t(j - first)];
                if (fields.size() < i || fields[i - 1].isEmpty())
                    continue;
                const QString& field = fields[i - 1];
                QString text = CsvFieldToCellText(field);
                if (text[0] == core::NumberMark)
                    sheet.CellValue[i][j] = core::NumericValue(text);
                if (unit > 0)
                    wide = std::max(wide, unitsOf(app, field, text, sheet.CellValue[i][j], unit));
                sheet.CellText[i][j] = std::move(text);
            }
        }
    }
    return widest;
}

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

/// The text with a kind mark in front, in one allocation.
QString withMark(char16_t mark, QStringView rest)
{
    QString text(rest.size() + 1, Qt::Uninitialized);
    QChar* out = text.data();
    out[0] = QChar(mark);
    std::copy(rest.begin(), rest.end(), out + 1);
    return text;
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
    const core::Result<QStringList> lines = ReadTextLines(path);
    if (!lines) {
        busy.end();
        detail::RestoreCurrentFile(app, wasReadOnly);
        detail::ShowFileMessage(app, platform::Icon::Error,
                                QStringLiteral("データの読み込みに失敗しました"));
        return;
    }
    ImportCsvLines(app, path, lines.value());
}

void ImportCsvLines(App& app, const QString& path, const QStringList& lines)
{
    core::BusyGuard busy(app);
    core::Sheet& sheet = app.sheet;
    print::ResetHeaderBoxes(app);
    core::ClearCells(app, false);
    sheet.HeadingRow = 0;
    const qsizetype total = lines.size();
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

QString CsvFieldToCellText(const QString& field)
{
    if (field.isEmpty())
        return field;
    if (field[0] == u'\'') {
        if (core::IsNumericText(QStringView(field).mid(1)))
            return field;
        return withMark(core::TextMark, QStringView(field).mid(1));
    }
    if (field[0] == u'=')
        return edit::NormalizeFormula(field);
    return withMark(core::IsNumericText(field) ? core::NumberMark : core::TextMark, field);
}

} // namespace files
