#pragma once

#include <QString>
#include <QStringList>

struct App;

namespace edit {

/// A command line's arguments: split at blanks, double quotes grouping and removed.
QStringList SplitCommandLine(const QString& line);

/// The link command: the text of every non-empty selected cell opened in turn.
void RunLinks(App& app);
/// Opens one link text; n is the number of selected cells. False stops the command.
bool RunLink(App& app, const QString& text, int n);

} // namespace edit
