#pragma once

#include <QString>

struct App;

namespace files {

struct WorksheetImage;

/// Opens a worksheet (.MVX) or, for any other extension, a CSV file.
void OpenFile(App& app, const QString& path);
/// The menu command: unsaved-changes question, open dialog, OpenFile.
void OpenCommand(App& app);
/// Opens RecentFiles[index] after the unsaved-changes question.
void OpenRecent(App& app, int index);
/// Replaces the sheet with the worksheet file; false when it was not opened (the sheet,
/// FileName and the hold are then as before).
bool OpenWorksheet(App& app, const QString& path);
/// Appends the rows of a worksheet file below the sheet's last row.
void AppendCommand(App& app);
/// What opening does once the file's image replaced the sheet: column formats, extent,
/// font, cursor, recent files, headers, conversion of older files, recalculation, display,
/// headings, operator check, status texts and title.
void FinishWorksheetOpen(App& app, const QString& path, const WorksheetImage& image);
/// What appending does once the file's rows were added from firstRow on: extent, headers,
/// conversion of older files, recalculation, display, headings, operator check and status
/// texts; Modified becomes wasModified.
void FinishWorksheetAppend(App& app, int firstRow, bool wasModified);
/// False when nothing was saved: the read-only rule refused the save, the dialog was
/// cancelled, the file cannot be written or the write failed.
bool SaveCommand(App& app, bool saveAs);
void UpdateTitle(App& app);

/// The save confirmation TfConf: true to go on (saved, or discarded), false to stop.
bool AskSaveChanges(App& app, const QString& caption, const QString& text);
/// The file named on the command line, then the cell of the second argument when it lies
/// inside the grid (an empty cellName moves nowhere).
void OpenStartupFile(App& app, const QString& path, const QString& cellName);

} // namespace files
