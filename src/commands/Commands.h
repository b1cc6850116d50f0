#pragma once

#include "commands/CommandTable.h"

struct App;

namespace commands {

/// Whether the command may run now: it exists, the editor is idle (only the help menu
/// works while typing or choosing from the pick list), and no long loop is running unless
/// the command changes nothing of the sheet, the file or the window.
bool CommandEnabled(const App& app, CommandId id);
/// Runs the command of a menu item, toolbar button or popup item. A command refused
/// because a long loop is running says so in the message panel.
void RunCommand(App& app, CommandId id);

/// The main window's close query: the save question when the sheet has changed, then the
/// user settings are saved and the help viewer closes. False: the window stays open.
bool CloseQuery(App& app);

} // namespace commands
