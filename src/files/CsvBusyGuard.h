#pragma once

#include "core/App.h"

namespace files {

/// Keeps other commands from changing the sheet while a CSV or TXT loop lets window
/// messages run; restores the previous state when it ends.
class CsvBusyGuard
{
public:
    explicit CsvBusyGuard(App& app) : m_app(app), m_was(app.ExtractBusy)
    {
        m_app.ExtractBusy = true;
    }
    ~CsvBusyGuard() { m_app.ExtractBusy = m_was; }
    CsvBusyGuard(const CsvBusyGuard&) = delete;
    CsvBusyGuard& operator=(const CsvBusyGuard&) = delete;

private:
    App& m_app;
    bool m_was;
};

} // namespace files
