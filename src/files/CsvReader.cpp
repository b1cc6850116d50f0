#include "files/Csv.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "edit/Undo.h"
#include "files/Access.h"
#include "files/CsvBusyGuard.h"
#include "files/Fields.h"
#include "files/FileCommands.h"
#include "files/TextFile.h"
#include "platform/Ui.h"
#include "settings/RecentFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace files {

namespace {

/// Column widths are kept inside the range the column format allows.
constexpr int MaxColumnWidth = 255;

void showMessage(App& app, platform::Icon icon, const QString& text)
{
    platform::Message message;
    message.icon = icon;
    message.text = text;
    app.ui().message(message);
}

void resetHeaderFooter(App& app)
{
    for (int k = 0; k < 6; ++k) {
        app.pageLayout.txtHdr[std::size_t(k)].clear();
        print::HeaderFont& font = app.pageLayout.hdrFont[std::size_t(k)];
        font = print::HeaderFont{};
        font.font = app.settings.gridFont;
        font.font.size = app.sheet.FontSize;
    }
}

/// Stores the fields of the first `rows` lines; returns each column's widest field in units.
std::array<int, core::MaxCols + 1> storeFields(App& app, const QStringList& lines, int rows)
{
    core::Sheet& sheet = app.sheet;
    std::array<int, core::MaxCols + 1> widest{};
    const int unit = core::CharUnit(app, 1);
    for (int j = 1; j <= rows; ++j) {
        QStringList fields = SplitFields(lines[j - 1]);
        const int n = std::min(int(fields.size()), core::MaxCols);
        for (int i = 1; i <= n; ++i) {
            QString& field = fields[i - 1];
            if (!field.isEmpty() && unit > 0) {
                const int units = (core::TextPixels(app, field) + unit - 1) / unit;
                widest[std::size_t(i)] = std::max(widest[std::size_t(i)], units);
            }
            sheet.CellText[i][j] = std::move(field);
        }
        if (j % 100 == 0)
            core::ShowStatus(app, QString::number(j) + QStringLiteral("行目 読み込み中"));
        app.ui().processEvents();
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

/// Gives every used cell its kind mark. A numeric cell gets its value at once so that its
/// display, written before the recalculation, shows the number.
void markCells(App& app)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol; ++c)
        for (int r = 1; r <= sheet.LastRow; ++r) {
            QString& text = sheet.CellText[c][r];
            if (text.isEmpty())
                continue;
            text = CsvFieldToCellText(text);
            sheet.CellValue[c][r] = core::NumericValue(text);
        }
}

void clearPrintArea(App& app)
{
    app.sheet.PrintArea = core::CellBlock{};
    app.pageLayout.printAreaLabel.clear();
    app.ui().setPrintAreaIndicator(false);
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
    showMessage(
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
        showMessage(app, platform::Icon::Error, path + QStringLiteral(" が読み込めません."));
        return;
    }
    if (!CheckOpenAccess(app, path))
        return;
    core::SetBusy(app, true);
    core::ShowStatus(app, QStringLiteral("CSVファイル読み込み開始..."));
    // Read before clearing: a file that cannot be read costs the sheet nothing.
    core::Result<QStringList> lines = ReadTextLines(path);
    if (!lines) {
        core::SetBusy(app, false);
        showMessage(app, platform::Icon::Error, QStringLiteral("データの読み込みに失敗しました"));
        return;
    }
    ImportCsvLines(app, path, lines.value());
}

void ImportCsvLines(App& app, const QString& path, const QStringList& lines)
{
    CsvBusyGuard guard(app);
    core::Sheet& sheet = app.sheet;
    core::SetBusy(app, true);
    resetHeaderFooter(app);
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
    HoldFile(app, path);

    core::RescanExtent(app);
    markCells(app);
    core::RefreshHeaders(app);
    core::ShowAllCells(app);
    calc::RecalcAll(app);
    clearPrintArea(app);
    settings::AddRecentFile(app, path);
    sheet.Modified = false;
    app.SaveUnicode = true;
    moveToFirstCell(app);
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("ＣＳＶファイル読み込み終了."));
    sheet.FileName = path;
    UpdateTitle(app);
    core::SetBusy(app, false);
    edit::SaveUndo(app, 0, 0);
    if (total > core::MaxRows)
        warnLinesLeftOut(app, path, total);
}

QString CsvFieldToCellText(const QString& field)
{
    if (field.isEmpty())
        return field;
    if (field[0] == u'\'') {
        if (core::IsNumericText(QStringView(field).mid(1)))
            return field;
        QString text = field;
        text[0] = QChar(core::TextMark);
        return text;
    }
    if (field[0] == u'=')
        return edit::NormalizeFormula(field);
    if (core::IsNumericText(field))
        return QChar(core::NumberMark) + field;
    return QChar(core::TextMark) + field;
}

} // namespace files
