#pragma once

#include <QStringList>

namespace ui {

/// How the window starts; the command-line options that stand for the show commands.
enum class ShowCommand {
    Normal,
    Minimized, // --minimized
    Maximized, // --maximized
    Hidden,    // --hidden: minimized, and minimizing later hides the window
};

struct StartupOptions {
    ShowCommand show = ShowCommand::Normal;
    /// The arguments after the options: a worksheet or CSV path, then a cell name.
    QStringList arguments;
    /// Options that were not understood, for a warning.
    QStringList unknown;
};

/// Reads the command line without the program name: options come before the file and the
/// cell; "--" ends them, and so does the first argument that is not an option.
StartupOptions ParseStartupArguments(const QStringList& arguments);

} // namespace ui
