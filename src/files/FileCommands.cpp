#include "files/FileCommands.h"

namespace files {

// FIXME: the file commands are not built yet.
void OpenFile(App&, const QString&) {}
void OpenCommand(App&) {}
void OpenRecent(App&, int) {}
void AppendCommand(App&) {}
bool SaveCommand(App&, bool)
{
    return false;
}
void UpdateTitle(App&) {}

} // namespace files
