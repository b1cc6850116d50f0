#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

struct App;

namespace files {

/// The CSV open command: replaces the sheet with the file's fields. The file is read with
/// ReadTextLines (byte-order mark, else UTF-8 when valid, else Windows-31J). A file of more
/// than 32000 lines fills all 32000 rows; a warning tells how many lines were left out.
/// A file that cannot be read leaves the sheet as it was.
void OpenCsv(App& app, const QString& path);
/// The part of OpenCsv after the file was read: clears the sheet, stores the lines' fields
/// (at most 32000 lines, 26 fields each) and finishes as the open command does.
void ImportCsvLines(App& app, const QString& path, const QStringList& lines);

/// Lines of the CSV export of rows r1..r2, columns c1..c2: filter 2 the cell texts without
/// their kind marks, 3 the displayed texts. A field with a double quote, a comma or a line
/// break is quoted, its inner double quotes doubled.
QStringList CsvLines(const App& app, int c1, int c2, int filterIndex, int r1, int r2);
/// Lines of the fixed-width export: each displayed text padded by the column's align or cut
/// to exactly wid units (a wide character crossing the edge becomes a blank).
QStringList TxtLines(const App& app, int c1, int c2, int r1, int r2);

/// Writes rows r1..r2 of columns c1..c2: filter 2 the formulas, 3 the displayed results.
/// Encoding by SaveUnicode: UTF-16 LE with a byte-order mark, or Windows-31J. In
/// Windows-31J the Yen sign U+00A5 (of currency formats) is written as byte 0x5C, the yen
/// position of that code page, and counts as converted; characters without a form there
/// become "?", and the first cell holding one is named in a warning after the file is
/// written. A write failure is returned, not shown; the previous file stays intact.
core::Result<core::Unit> WriteCsv(App& app, const QString& path, int c1, int c2, int filterIndex,
                                  int r1, int r2);
/// Writes rows r1..r2 of columns c1..c2 as fixed-width text, encoded as WriteCsv does.
core::Result<core::Unit> WriteTxt(App& app, const QString& path, int c1, int c2, int r1, int r2);
/// The stored form of an imported field.
QString CsvFieldToCellText(const QString& field);

} // namespace files
