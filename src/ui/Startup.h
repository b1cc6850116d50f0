#pragma once

#include <QPoint>
#include <QRect>
#include <QStringList>
#include <memory>

class QLockFile;

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
    /// --show-help: only the help window, at its contents (the menu entry "Mavixのヘルプ").
    bool showHelp = false;
    /// How many other running programs the window steps aside for (see TakeInstanceSlot).
    int instance = 0;
};

/// Reads the command line without the program name: options come before the file and the
/// cell; "--" ends them, and so does the first argument that is not an option.
StartupOptions ParseStartupArguments(const QStringList& arguments);

/// The first of a few numbered slots that no running program holds, taken until `lock` is
/// released; 0 for the first program. Every slot taken: the last one.
int TakeInstanceSlot(std::unique_ptr<QLockFile>& lock);

/// Where a window saved at `saved` starts when `instance` programs run already: one step
/// down and to the right for each, so that it does not hide the others; the other way
/// when that leaves the screen.
QPoint CascadedPosition(QPoint saved, int instance, const QRect& screen, QSize size);

} // namespace ui
