#pragma once

#include <QString>

struct App;

namespace core {

/// Held while a long loop lets window messages run. Guards nest: the first shows the busy
/// cursor, the last to end takes it away. While one is held, commands that change the sheet,
/// the file or the window are refused, typing and commits are blocked and closing waits.
class BusyGuard {
public:
    explicit BusyGuard(App& app);
    ~BusyGuard() { end(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    /// Ends the guard before its scope does; a second call does nothing.
    void end();

private:
    App& m_app;
    bool m_held = true;
};

/// Whether a long loop is running.
bool IsBusy(const App& app);
/// The status text of something refused while a long loop runs.
QString BusyRefusal();

} // namespace core
