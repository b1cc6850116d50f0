#pragma once

#include <QString>

struct App;

namespace settings {

constexpr int MaxRecentFiles = 10;

/// Puts the path at the front of RecentFiles (at most 10, no two equal ignoring case) and
/// rebuilds the recent-file menu items.
void AddRecentFile(App& app, const QString& path);
void ShowRecentFiles(App& app);

} // namespace settings
