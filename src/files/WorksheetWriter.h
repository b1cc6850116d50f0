#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

struct App;

namespace files {

/// The worksheet file's lines for the block of columns c1..c2 and rows r1..r2, with the
/// sheet's settings and the dialog states; an empty block is saved as the one cell (c1, r1).
QStringList WorksheetLines(App& app, int c1, int c2, int r1, int r2);
/// Writes WorksheetLines as UTF-16 LE with a byte-order mark and CR LF line ends; the
/// previous file stays intact when the write fails.
core::Result<core::Unit> WriteWorksheet(App& app, const QString& path, int c1, int c2, int r1,
                                        int r2);

} // namespace files
