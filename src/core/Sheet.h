#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace core {

constexpr int MaxCols = 26;
constexpr int MaxRows = 32000;
constexpr int NewSheetRows = 20;

/// Kind marks that lead a stored cell text; never shown.
constexpr char16_t TextMark = u'\u0008';
constexpr char16_t NumberMark = u'\u0009';

/// Recalculation state of a cell (scratch of the formula engine).
enum : std::uint8_t { kindPending = 0, kindDone = 1, kindConst = 2 };

/// Plane 5 value on every cell of a row before which a page break is set (dashed, black).
constexpr std::uint8_t PageBreakMark = 64;
constexpr int LinePlanes = 5;

/// Per-column display settings.
struct column_type {
    int wid = 10;
    int shosu = 0;
    int comma = -1;
    int align = 0;
    QString fmt = QStringLiteral("%10.0n");
    QString yen;
    QString uleft;
    QString uright;
};

/// One-level undo record; col 0 = nothing to undo.
struct undodata {
    int col = 0;
    int row = 0;
    QString str;
};

/// Left column, right column, top row, bottom row; all 0 = not set.
struct CellBlock {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool isEmpty() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool operator==(const CellBlock&) const = default;
};

/// Which cells get display texts in the grid strings. A batch run that writes no displays
/// makes none; one that writes them makes those of formulas only (the recalculation decides
/// them) and leaves the others to be made as they are written.
enum class CellDisplays : std::uint8_t { All, Formulas, None };

/// A column of one cell array: index 0 is unused, rows are 1..SheetRows.
template <typename T> using Column = std::vector<T>;
/// One cell array: columns 1..26 (index 0 unused), each a Column.
template <typename T> using CellArray = std::array<Column<T>, MaxCols + 1>;

/// The one in-memory worksheet: four cell arrays, the grid's display strings and the
/// sheet-wide state. Indices are 1-based as the user sees them: CellText[c][r] is cell
/// (column c, row r).
struct Sheet {
    CellArray<QString> CellText;
    CellArray<double> CellValue;
    CellArray<std::uint8_t> CellKind;
    /// CellLines[plane][c][r], planes 1..5 (index 0 unused).
    std::array<CellArray<std::uint8_t>, LinePlanes + 1> CellLines;
    /// The grid's own strings: GridText[c][r] for c 0..26, r 0..SheetRows. Row 0 holds the
    /// column headings, column 0 the row numbers, the rest the display texts.
    std::array<Column<QString>, MaxCols + 1> GridText;

    int SheetCols = MaxCols;
    int SheetRows = NewSheetRows;
    int LastCol = 0;
    int LastRow = 0;
    bool Modified = false;
    QString FileName;
    bool ReadOnly = false;
    CellBlock PrintArea;
    int FontSize = 0;
    int HeadingRow = 0;
    std::array<column_type, MaxCols + 1> ColFormat; // 1..26
    QStringList PageBreaks;
    undodata UndoData;
    QStringList RecentFiles;
    QStringList SearchHistory;
    QStringList ReplaceHistory;
    CellBlock CopySource;

    Sheet();

    bool hasLines(int c, int r) const
    {
        return CellLines[1][c][r] | CellLines[2][c][r] | CellLines[3][c][r] | CellLines[4][c][r];
    }
};

} // namespace core
