#pragma once

#include "platform/Printer.h"
#include "print/PageLayout.h"
#include "print/PrintState.h"

#include <QString>

struct App;

namespace print {

/// A margin box's millimetres (0..1000) in printer pixels, rounded half to even.
int MarginPixels(const QString& mm, double pixelsPerMm);

/// The warning that the margins leave no room on the page.
void WarnMargins(App& app);

/// The grid font as printed: name, size and style of the grid, black.
platform::PrintFont CellFont(const App& app);
/// A header/footer font as the printer asks for it (size 0: the default size).
platform::PrintFont PrintFontOf(const HeaderFont& font);
/// The font of header/footer box k (0..5).
platform::PrintFont BoxFont(const App& app, int k);

/// The page and the margins from the printer; false after the warning that the margins
/// leave no room.
bool SetupPage(App& app, platform::Printer& printer, PageGeometry& g);
/// Header and footer bands: GridTop, FooterTop; returns the rows that fit on a page.
int MeasureBands(const App& app, platform::Printer& printer, PageGeometry& g);
/// Column edges from the left margin; columns that do not fit wholly are left out (the
/// range's last column may come below its first).
void LayoutColumns(const App& app, platform::Printer& printer, PageGeometry& g, PrintRange& range);
/// SetupPage, MeasureBands and LayoutColumns; false after a warning (margins too large, or
/// no room for one row).
bool PrepareLayout(App& app, platform::Printer& printer, PrintLayout& layout);

/// The last row of the page starting at top: a page's worth of rows, cut short before a
/// page break and at the range's last row.
int PageBottom(const App& app, const PrintLayout& layout, int top);
/// Pages of the layout; at least one.
int CountPages(const App& app, const PrintLayout& layout);
/// The first row of page n (1-based).
int PageTop(const App& app, const PrintLayout& layout, int n);

/// "A1～F52": the cells of the page from top to bottom.
QString PageCells(const PrintLayout& layout, int top, int bottom);

/// One page into the target: cell texts and lines, grid lines, header and footer. While
/// printing, window messages run after every row, line and box, and a cancel stops it.
void PrintPage(App& app, platform::Printer& printer, platform::OutputTarget& target,
               const PrintLayout& layout, int top, int pageNumber, int bottom, bool printing);
/// The text as printed in a column: cut after the first character that reaches the
/// column's width on the screen.
QString PrintedCellText(const App& app, int c, const QString& text);

/// A print job of the range: pages through the printer, progress in the print dialog,
/// stopped by a cancel. True when every page went out.
bool RunPrintJob(App& app, platform::Printer& printer, PrintRange range);
/// The print command: the print dialog, the range, the job.
void PrintCommand(App& app);

/// The range to print: the print area when one is set and wanted, otherwise the used
/// cells; false (with "印字データがありません") when there is nothing.
bool PrintRangeOf(App& app, bool useArea, PrintRange& range);

} // namespace print
