#pragma once

#include "core/NumberFormat.h"
#include "core/Sheet.h"

#include <QString>

#include <array>
#include <optional>

struct App;

namespace core {

/// Writes the display text of cell (c, r) into the grid strings.
void ShowCell(App& app, int c, int r);
/// ShowCell for columns 1..LastCol, rows 1..LastRow, column by column.
void ShowAllCells(App& app);
/// The display texts as a file writes them: the grid strings, or, for the cells whose
/// displays a batch run did not make, the same texts made as they are asked for.
class DisplayTexts {
public:
    explicit DisplayTexts(const App& app);
    /// The display text of cell (c, r); valid until the next call.
    const QString& at(int c, int r);

private:
    const App& m_app;
    std::array<std::optional<NumberFormat>, MaxCols + 1> m_formats;
    QString m_text;
};

/// Pads or clips a text entry by the column's align and wid; writes it into the grid.
void AlignText(App& app, int c, int r, const QString& text);
/// Leading characters of the text whose width does not exceed px.
int CharsThatFit(const App& app, const QString& text, int px);
int TextPixels(const App& app, const QString& text);
/// n times the pixel width of the letter w.
int CharUnit(const App& app, int n);
/// Column width in pixels from characters: c -1 the default width, 0 the row numbers.
void SetColumnWidth(App& app, int c);
/// SetColumnWidth, then rebuilds ColFormat[c].fmt from wid, shosu and comma.
void BuildColumnFormat(App& app, int c);
void RefreshColumnHeadings(App& app);
/// Column headings, then the row numbers of rows 1..SheetRows.
void RefreshHeaders(App& app);
/// Applies the grid font: measurement, row height, all column widths, repaint.
void ApplyFont(App& app);

/// The busy cursor on or off; core::BusyGuard calls it as the outermost long loop starts
/// and ends.
void SetBusy(App& app, bool on);
void ShowStatus(App& app, const QString& text);
/// Panel 0 shows the current cell's name.
void ShowCellName(App& app);

} // namespace core
