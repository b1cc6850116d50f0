#pragma once

#include <QString>

struct App;

namespace files {

/// Trial open for reading (the existing file, as for writing) or for writing; releases the
/// program's own hold first so that it never blocks its own check.
bool TryAccess(App& app, const QString& path, bool forWrite);
/// False: do not open. Offers a read-only open when the file cannot be written.
bool CheckOpenAccess(App& app, const QString& path);
/// False: do not write. On success FileName becomes the path.
bool CheckWriteAccess(App& app, const QString& path);
/// Holds the current file against other writers, unless it was opened read-only; says in
/// the status bar when the file system offers no way to hold it.
void HoldFile(App& app, const QString& path);
void ReleaseFile(App& app);

} // namespace files
