#pragma once

#include <QString>

namespace files {

/// The upper-cased extension of the last path component, with its dot (".MVX"), or "".
QString UpperExtension(const QString& path);
/// The path without the extension of its last component.
QString WithoutExtension(const QString& path);
/// The path as a save writes it: an extension that matches ext ignoring letter case is kept,
/// any other extension is replaced by ext (".MVX"), and a missing one is added.
QString PathWithExtension(const QString& path, const QString& ext);
/// The extension the save dialog's filter 1..4 writes: ".MVX", ".CSV", ".CSV", ".TXT".
QString SaveExtension(int filterIndex);
/// The save filter that fits the path's extension in any letter case: .MVX 1, .CSV 2,
/// .TXT 4, anything else 0.
int FilterOfPath(const QString& path);
/// The existing file that a save to path replaces: the path itself, or else a file in its
/// folder whose name differs only in letter case; a path with neither stays as it is.
QString ExistingSpelling(const QString& path);

} // namespace files
