#pragma once

#include <QString>
#include <QStringList>

struct App;

namespace tools {

/// The file search dialog's controls; they keep their values for the whole run.
struct FileSearchDialogState {
    QString txDir;       // folder of the chosen files, with a trailing separator
    QStringList lbFiles; // file names without folder
    QString cbStr;
    int optCase = 1; // 0 letter case counts, 1 ignored
};

/// The dialog's OK: a search text goes to the top of the history.
void AcceptFileSearch(FileSearchDialogState& state, QStringList& history);

/// The file search command: the dialog, a fresh result sheet, the search.
void RunFileSearch(App& app);
/// An empty sheet for the results, after the question about unsaved changes; false when
/// the user cancelled or the save did not happen.
bool PrepareResultSheet(App& app);
/// Searches the dialog's files and lists every hit in the sheet. False when a file could not
/// be read (the run stopped there, after its message; the hits so far stay).
bool SearchFiles(App& app);

} // namespace tools
