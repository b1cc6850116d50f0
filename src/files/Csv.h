#pragma once

#include "core/Result.h"

#include <QString>

struct App;

namespace files {

/// The CSV open command: replaces the sheet with the file's fields.
void OpenCsv(App& app, const QString& path);
/// Writes rows r1..r2 of columns c1..c2: filter 2 the formulas, 3 the displayed results.
core::Result<core::Unit> WriteCsv(App& app, const QString& path, int c1, int c2, int filterIndex,
                                  int r1, int r2);
/// Writes rows r1..r2 of columns c1..c2 as fixed-width text.
core::Result<core::Unit> WriteTxt(App& app, const QString& path, int c1, int c2, int r1, int r2);
/// The stored form of an imported field.
QString CsvFieldToCellText(const QString& field);

} // namespace files
