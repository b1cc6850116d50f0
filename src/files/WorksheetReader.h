#pragma once

#include "core/Result.h"
#include "core/Sheet.h"
#include "graph/GraphSettings.h"
#include "print/PageLayout.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct App;

namespace files {

/// A worksheet file read and checked, not yet applied to the sheet.
struct WorksheetImage {
    struct Font {
        QString name;
        std::optional<int> size; // points, 1..99
        bool bold = false;
        bool italic = false;
    };
    struct Column {
        int col = 0;
        int wid = 10;
        int shosu = 0;
        int comma = -1;
        std::optional<int> align;
    };
    struct Offset {
        std::array<QString, 4> margins; // txtOfs1..txtOfs4
        QString firstPage;
        bool chkGrid = false;
    };
    struct Header {
        int index = 0; // 0..5
        QString text;
        print::HeaderFont font;
    };
    /// Record "L" of older files.
    struct OldLine {
        int plane = 0;
        std::uint8_t code = 0;
        int position = 0;
        int first = 0;
        int last = 0;
    };
    /// One ruled-line line: the row (1 = first saved row) and its 8-digit cells.
    struct LineRow {
        int row = 0;
        std::vector<std::pair<int, std::array<std::uint8_t, 4>>> cells; // column 1.., planes 1..4
    };

    double version = 2.0;
    std::optional<int> sheetRows;
    int cols = 1;
    int rows = 1;
    int cursorCol = 1;
    int cursorRow = 1;
    std::optional<Font> font;
    std::optional<core::CellBlock> printArea;
    std::vector<Column> columns;
    std::optional<int> headingRow;
    std::optional<Offset> offset;
    std::vector<Header> headers;
    std::optional<bool> gridLines;
    std::optional<graph::GraphSettings> graph;
    std::vector<int> pageBreaks;
    std::vector<OldLine> oldLines;
    /// Cell texts of rows 1..cells.size(), each with `cols` fields, quoting undone.
    std::vector<QStringList> cells;
    std::vector<LineRow> lines;
};

/// Reads and checks the whole file without changing the sheet. Shows the message of a file
/// that is not a worksheet, and for append asks before an old version's file is read.
/// For append only the version, size and area records and the cells and lines count, and
/// the size and area are checked against the rows the sheet will have.
core::Result<WorksheetImage> LoadWorksheet(App& app, const QString& path, bool append);
core::Result<WorksheetImage> ParseWorksheet(App& app, const QStringList& lines, bool append);

/// Replaces the sheet's content and the dialog states with the image; the caller cleared
/// the sheet before. The cell texts are moved out of the image.
void ApplyWorksheet(App& app, WorksheetImage& image);
/// Grows the sheet by the file's rows and fills them below the current last sheet row; the
/// cell texts are moved out of the image.
void ApplyWorksheetAppend(App& app, WorksheetImage& image);

/// LoadWorksheet and ApplyWorksheet; false when the file could not be read.
bool ReadWorksheet(App& app, const QString& path);
bool ReadWorksheetAppend(App& app, const QString& path);

/// Brings the used cells of rows firstRow..LastRow of an older file (FileVersion 3.25 or
/// less) to the current kind marks and two-argument ROUND.
void ConvertOldCells(App& app, int firstRow);
/// For files of version 3.05 or less: warns about formulas that mix operator groups.
void CheckMixedOperators(App& app);
/// The formula with ",0" added to each one-argument ROUND call.
QString AddRoundDigits(const QString& formula);

} // namespace files
