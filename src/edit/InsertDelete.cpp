#include "edit/InsertDelete.h"

#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/AdjustFormula.h"
#include "edit/Undo.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"

#include <algorithm>

namespace edit {

namespace {

constexpr int MovingPlanes = 4; // plane 5 (page breaks) follows PageBreaks, not the cells

void adjustInPlace(QString& t, int dc, int dr, int sheetRows)
{
    AdjustFormulaInPlace(t, dc, dr, sheetRows);
}

/// A PageBreaks entry as a row number; 0 when it is not one.
int breakRow(const QString& entry)
{
    bool ok = false;
    const int row = entry.toInt(&ok);
    return ok ? row : 0;
}

/// Moves cell (c, from) to (c, to) within one column: texts by swapping (the source keeps
/// the target's old strings, which the caller blanks or overwrites), values and lines copied.
void moveInColumn(core::Sheet& s, int c, int from, int to)
{
    s.GridText[c][to].swap(s.GridText[c][from]);
    s.CellText[c][to].swap(s.CellText[c][from]);
    s.CellValue[c][to] = s.CellValue[c][from];
    for (int p = 1; p <= MovingPlanes; ++p)
        s.CellLines[p][c][to] = s.CellLines[p][c][from];
}

/// Moves cell (from, r) to (to, r), as moveInColumn does.
void moveInRow(core::Sheet& s, int from, int to, int r)
{
    s.GridText[to][r].swap(s.GridText[from][r]);
    s.CellText[to][r].swap(s.CellText[from][r]);
    s.CellValue[to][r] = s.CellValue[from][r];
    for (int p = 1; p <= MovingPlanes; ++p)
        s.CellLines[p][to][r] = s.CellLines[p][from][r];
}

/// Blanks one cell; lines take `lines` (one byte per plane 1..4).
void blankCell(core::Sheet& s, int c, int r, const std::uint8_t* lines)
{
    s.GridText[c][r].clear();
    s.CellText[c][r].clear();
    s.CellValue[c][r] = 0;
    for (int p = 1; p <= MovingPlanes; ++p)
        s.CellLines[p][c][r] = lines ? lines[p - 1] : 0;
}

/// Lines an inserted cell inherits: a line that runs through both neighbours (the cell at
/// `at` and the one before it) continues through the inserted cells.
void inheritedLines(const core::Sheet& s, int c0, int r0, int c1, int r1, std::uint8_t* out)
{
    for (int p = 1; p <= MovingPlanes; ++p) {
        const std::uint8_t here = s.CellLines[p][c1][r1];
        out[p - 1] = here == s.CellLines[p][c0][r0] ? here : 0;
    }
}

/// The print area's indicators show its new extent after a shift.
void refreshPrintArea(App& app)
{
    if (!app.sheet.PrintArea.isEmpty())
        print::ShowPrintArea(app, true);
}

/// Shrinks one side pair of the print area after removing n lines at a.
void shrinkArea(App& app, int& low, int& high, int a, int n)
{
    if (low >= a)
        low = std::max(low - n, a);
    if (high >= a) {
        high -= n;
        if (high < a)
            high = a - 1;
    }
    if (high < low)
        print::ShowPrintArea(app, false);
    refreshPrintArea(app);
}

/// Keeps the grid's current cell, selection and top row inside a shrunk sheet.
void clampGridRows(App& app)
{
    core::GridState& g = app.grid;
    const int rows = app.sheet.SheetRows;
    if (g.row <= rows && g.selection.bottom <= rows && g.topRow <= rows && g.anchorRow <= rows)
        return;
    g.row = std::min(g.row, rows);
    g.anchorRow = std::min(g.anchorRow, rows);
    g.topRow = std::min(g.topRow, rows);
    g.selection.top = std::min(g.selection.top, rows);
    g.selection.bottom = std::min(g.selection.bottom, rows);
    app.ui().gridChanged(platform::GridChange::CurrentCell);
}

} // namespace

void MarkPageBreaks(App& app, int a, std::uint8_t v)
{
    core::Sheet& s = app.sheet;
    for (const QString& entry : s.PageBreaks) {
        const int row = breakRow(entry);
        if (row < a || row < 1 || row > s.SheetRows)
            continue;
        for (int c = 1; c <= core::MaxCols; ++c)
            s.CellLines[5][c][row] = v;
    }
}

void InsertColumns(App& app, int a, int n)
{
    core::Sheet& s = app.sheet;
    if (s.UndoData.col >= a)
        SaveUndo(app, 0, 0);
    if (a < 1 || a > core::MaxCols)
        return;
    n = std::max(0, a + n > core::MaxCols ? core::MaxCols - a : n);
    // Nothing fits: the sheet stays as it is.
    if (n == 0)
        return;
    const int last = std::min(s.LastCol, core::MaxCols - n);
    for (int q = last; q >= a; --q) {
        s.ColFormat[q + n] = s.ColFormat[q];
        core::BuildColumnFormat(app, q + n);
        for (int r = 1; r <= s.LastRow; ++r) {
            moveInRow(s, q, q + n, r);
            adjustInPlace(s.CellText[q + n][r], n, 0, s.SheetRows);
        }
        app.ui().processEvents();
    }
    for (int r = 1; r <= s.LastRow; ++r) {
        std::uint8_t keep[MovingPlanes] = {};
        if (a > 1)
            inheritedLines(s, a - 1, r, a, r, keep);
        for (int c = a; c < a + n; ++c)
            blankCell(s, c, r, keep);
    }
    for (int c = a; c < a + n; ++c)
        core::BuildColumnFormat(app, c);
    if (s.LastCol >= a)
        s.LastCol = std::min(s.LastCol + n, core::MaxCols);
    core::CellBlock& area = s.PrintArea;
    if (area.left >= a)
        area.left = std::min(area.left + n, core::MaxCols);
    if (area.right >= a)
        area.right = std::min(area.right + n, core::MaxCols);
    refreshPrintArea(app);
}

void InsertRows(App& app, int a, int n)
{
    core::Sheet& s = app.sheet;
    if (s.UndoData.row >= a)
        SaveUndo(app, 0, 0);
    if (a < 1 || a > s.SheetRows || n <= 0)
        return;
    const int rows = std::min(s.SheetRows + n, core::MaxRows);
    MarkPageBreaks(app, a, 0);
    QStringList breaks;
    for (const QString& entry : std::as_const(s.PageBreaks)) {
        const int row = breakRow(entry);
        if (row < a)
            breaks.append(entry);
        // A break before a row pushed past the end goes with that row.
        else if (row + n <= rows)
            breaks.append(QString::number(row + n));
    }
    s.PageBreaks = breaks;
    s.SheetRows = rows;
    core::ResizeSheet(app);
    MarkPageBreaks(app, a, core::PageBreakMark);

    const int hi = std::min(s.LastRow, rows - n); // the last row that still fits
    for (int c = 1; c <= s.LastCol; ++c) {
        for (int r = hi; r >= a; --r) {
            moveInColumn(s, c, r, r + n);
            adjustInPlace(s.CellText[c][r + n], 0, n, rows);
        }
        app.ui().processEvents();
    }
    const int end = std::min(a + n - 1, rows);
    for (int c = 1; c <= core::MaxCols; ++c) {
        std::uint8_t keep[MovingPlanes] = {};
        if (a > 1)
            inheritedLines(s, c, a - 1, c, a, keep);
        for (int r = a; r <= end; ++r)
            blankCell(s, c, r, keep);
    }
    if (s.LastRow >= a)
        s.LastRow = std::min(s.LastRow + n, rows);
    core::CellBlock& area = s.PrintArea;
    if (area.top >= a)
        area.top = std::min(area.top + n, rows);
    if (area.bottom >= a)
        area.bottom = std::min(area.bottom + n, rows);
    refreshPrintArea(app);
    core::RefreshHeaders(app);
}

void DeleteColumns(App& app, int a, int n)
{
    core::Sheet& s = app.sheet;
    if (s.UndoData.col >= a)
        SaveUndo(app, 0, 0);
    if (a < 1 || a > core::MaxCols || n <= 0)
        return;
    for (int i = a; i <= s.LastCol - n; ++i) {
        s.ColFormat[i] = s.ColFormat[i + n];
        core::BuildColumnFormat(app, i);
        for (int r = 1; r <= s.LastRow; ++r) {
            moveInRow(s, i + n, i, r);
            adjustInPlace(s.CellText[i][r], -n, 0, s.SheetRows);
        }
        app.ui().processEvents();
    }
    for (int c = std::max({s.LastCol + 1 - n, 1, a}); c <= s.LastCol; ++c)
        for (int r = 1; r <= s.LastRow; ++r)
            blankCell(s, c, r, nullptr);
    shrinkArea(app, s.PrintArea.left, s.PrintArea.right, a, n);
}

void DeleteRows(App& app, int a, int n)
{
    core::Sheet& s = app.sheet;
    if (s.UndoData.row >= a)
        SaveUndo(app, 0, 0);
    // The sheet keeps at least one row.
    n = std::min({n, s.SheetRows - a + 1, s.SheetRows - 1});
    if (a < 1 || n <= 0)
        return;
    MarkPageBreaks(app, a, 0);
    QStringList breaks;
    for (const QString& entry : std::as_const(s.PageBreaks)) {
        const int row = breakRow(entry);
        if (row < a)
            breaks.append(entry);
        else if (row >= a + n)
            breaks.append(QString::number(row - n));
    }
    s.PageBreaks = breaks;

    const int lastRow = std::min(s.LastRow, s.SheetRows);
    for (int c = 1; c <= s.LastCol; ++c) {
        for (int i = a; i <= lastRow - n; ++i) {
            moveInColumn(s, c, i + n, i);
            adjustInPlace(s.CellText[c][i], 0, -n, s.SheetRows);
        }
        for (int r = std::max(lastRow + 1 - n, a); r <= lastRow; ++r)
            blankCell(s, c, r, nullptr);
        app.ui().processEvents();
    }
    s.SheetRows -= n;
    core::ResizeSheet(app);
    MarkPageBreaks(app, a, core::PageBreakMark);
    shrinkArea(app, s.PrintArea.top, s.PrintArea.bottom, a, n);
    s.LastRow = std::min(s.LastRow, s.SheetRows);
    clampGridRows(app);
}

} // namespace edit
