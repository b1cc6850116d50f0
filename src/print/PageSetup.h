#pragma once

struct App;

namespace print {

/// The page layout command: its dialog over the page settings, which keep what was edited
/// whichever way it closes; its 印刷 button goes on to the print command.
void PageLayoutCommand(App& app);

} // namespace print
