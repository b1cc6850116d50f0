#include "edit/Paste.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/AdjustFormula.h"
#include "edit/Entry.h"
#include "edit/Undo.h"
#include "platform/Clipboard.h"
#include "platform/Ui.h"

namespace edit {

namespace {

/// Cells counted beyond the first along both sides: 0 for a single cell.
int extraCells(const core::CellBlock& b)
{
    return b.right + b.bottom - b.left - b.top;
}

void warn(App& app, const QString& text)
{
    platform::Message message;
    message.icon = platform::Icon::Warning;
    message.text = text;
    app.ui().message(message);
}

/// Moves the current cell as a paste does, the selection collapsing onto it.
void setCurrentCell(App& app, int c, int r)
{
    core::GridState& grid = app.grid;
    grid.col = c;
    grid.row = r;
    grid.selection = core::CellBlock{c, c, r, r};
}

/// Cell (c, r) becomes what source cell (sc, sr) holds, its formula re-referenced to the
/// new place, with its value and its four cell edges.
void copyCell(App& app, int sc, int sr, int c, int r)
{
    core::Sheet& sheet = app.sheet;
    sheet.CellText[c][r] = AdjustFormula(app, sc, sr, c - sc, r - sr);
    sheet.CellValue[c][r] = sheet.CellValue[sc][sr];
    core::ShowCell(app, c, r);
    for (int p = 1; p <= 4; ++p)
        sheet.CellLines[p][c][r] = sheet.CellLines[p][sc][sr];
}

/// A line ends at CR LF, or at LF alone as this desktop's programs end their lines.
qsizetype lineEnd(QStringView text, qsizetype from, qsizetype& next)
{
    const qsizetype lf = text.indexOf(u'\n', from);
    if (lf < 0) {
        next = text.size();
        return text.size();
    }
    next = lf + 1;
    return lf > from && text[lf - 1] == u'\r' ? lf - 1 : lf;
}

/// The text without the line end that ends it, when that is its only line end.
QString singleValue(const QString& text)
{
    qsizetype next = 0;
    const qsizetype end = lineEnd(text, 0, next);
    return next == text.size() && end < text.size() ? text.left(end) : text;
}

} // namespace

QString CopyText(const App& app, const core::CellBlock& block)
{
    const core::Sheet& sheet = app.sheet;
    QString text;
    for (int r = block.top; r <= block.bottom; ++r) {
        for (int c = block.left; c <= block.right; ++c) {
            if (c > block.left)
                text += u'\t';
            text += core::WithoutLeadingMark(sheet.GridText[c][r]);
        }
        text += u"\r\n";
    }
    return text;
}

void SetCopySource(App& app)
{
    const core::CellBlock block = app.grid.selection;
    app.sheet.CopySource = block;
    app.clipboard().setTextWithMarker(CopyText(app, block), app.InstanceId);
    core::ShowStatus(app, QStringLiteral("コピー元を ") + core::CellName(block.left, block.top)
                              + QStringLiteral("～") + core::CellName(block.right, block.bottom)
                              + QStringLiteral(" に設定しました"));
}

void Paste(App& app)
{
    core::Sheet& sheet = app.sheet;
    const core::CellBlock target = app.grid.selection;
    const int d = extraCells(target);
    core::CellBlock& source = sheet.CopySource;
    platform::Clipboard& clipboard = app.clipboard();
    const bool internal = clipboard.marker() == app.InstanceId;
    QString text;
    QString value;
    if (internal) {
        if (source.left == 0 || source.right == 0 || source.top == 0 || source.bottom == 0) {
            warn(app, QStringLiteral("コピー元が指定されていません"));
            return;
        }
        // The rows it named are gone (the sheet has fewer rows now).
        if (source.top > sheet.SheetRows || source.bottom > sheet.SheetRows) {
            warn(app, QStringLiteral("コピー元が指定されていません"));
            source.top = 0;
            source.bottom = 0;
            return;
        }
        if (extraCells(source) > 0 && d > 0) {
            warn(app, QStringLiteral("コピー元、貼り付け先とも複数セルが\r\n"
                                     "指定されているので貼り付けを行いません。"));
            return;
        }
    } else {
        if (!clipboard.hasText())
            return;
        text = clipboard.text();
        value = singleValue(text);
        const bool single = !value.contains(u'\t') && !value.contains(u'\n');
        if (!single && d > 0) {
            warn(app, QStringLiteral("コピー元、貼り付け先とも複数セルが\r\n"
                                     "指定されているので貼り付けを行いません."));
            return;
        }
    }
    core::BusyGuard busy(app);
    SaveUndo(app, app.grid.col, app.grid.row);
    if (internal && d > 0)
        FillFromSource(app, target);
    else if (internal)
        PasteSourceBlock(app);
    else if (d > 0)
        FillWithText(app, target, value);
    else
        PasteTextBlock(app, text);
    sheet.Modified = true;
    calc::RecalcAll(app);
    app.ui().gridChanged(platform::GridChange::Cells);
    app.ui().gridChanged(platform::GridChange::CurrentCell);
    core::RefreshColumnHeadings(app);
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("貼り付け処理終了."));
}

void FillFromSource(App& app, const core::CellBlock& block)
{
    const int sc = app.sheet.CopySource.left;
    const int sr = app.sheet.CopySource.top;
    for (int r = block.top; r <= block.bottom; ++r)
        for (int c = block.left; c <= block.right; ++c)
            copyCell(app, sc, sr, c, r);
    core::RescanExtent(app);
}

void PasteSourceBlock(App& app)
{
    const core::Sheet& sheet = app.sheet;
    const int x = app.grid.col;
    const int y = app.grid.row;
    const core::CellBlock s = sheet.CopySource;
    const int dx = x - s.left;
    const int dy = y - s.top;
    const int right = std::min(s.right, core::MaxCols - dx);
    const int bottom = std::min(s.bottom, sheet.SheetRows - dy);
    // An overlapping source is read before its cells are overwritten.
    const bool leftward = s.left < x && x <= right;
    const bool upward = s.top < y && y <= bottom;
    for (int i = 0; i <= right - s.left; ++i) {
        const int c = leftward ? right - i : s.left + i;
        for (int j = 0; j <= bottom - s.top; ++j) {
            const int r = upward ? bottom - j : s.top + j;
            copyCell(app, c, r, c + dx, r + dy);
        }
    }
    core::RescanExtent(app);
}

void FillWithText(App& app, const core::CellBlock& block, const QString& value)
{
    for (int r = block.top; r <= block.bottom; ++r)
        for (int c = block.left; c <= block.right; ++c) {
            setCurrentCell(app, c, r);
            StoreEntry(app, value);
        }
}

void PasteTextBlock(App& app, const QString& text)
{
    const int x = app.grid.col;
    const int y = app.grid.row;
    const QStringView all(text);
    qsizetype at = 0;
    int r = y;
    do {
        qsizetype next = 0;
        const QStringView line = all.mid(at, lineEnd(all, at, next) - at);
        at = next;
        qsizetype field = 0;
        int c = x;
        do {
            const qsizetype tab = line.indexOf(u'\t', field);
            const qsizetype end = tab < 0 ? line.size() : tab;
            setCurrentCell(app, c, r);
            StoreEntry(app, line.mid(field, end - field).toString());
            field = tab < 0 ? line.size() : tab + 1;
            if (c == core::MaxCols)
                break;
            ++c;
        } while (field < line.size());
        if (r == app.sheet.SheetRows)
            break;
        ++r;
    } while (at < all.size());
    setCurrentCell(app, x, y);
}

} // namespace edit
