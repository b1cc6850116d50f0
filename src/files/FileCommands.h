#pragma once

#include <QString>

struct App;

namespace files {

/// Opens a worksheet (.MVX) or, for any other extension, a CSV file.
void OpenFile(App& app, const QString& path);
void OpenCommand(App& app);
/// Opens RecentFiles[index] after the unsaved-changes question.
void OpenRecent(App& app, int index);
void AppendCommand(App& app);
/// False when the read-only rule refused the save or the save dialog was cancelled.
bool SaveCommand(App& app, bool saveAs);
void UpdateTitle(App& app);

} // namespace files
