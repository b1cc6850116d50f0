#include "core/Busy.h"

#include "core/App.h"
#include "core/Display.h"

namespace core {

BusyGuard::BusyGuard(App& app)
    : m_app(app)
{
    if (m_app.BusyDepth++ == 0)
        SetBusy(m_app, true);
}

void BusyGuard::end()
{
    if (!m_held)
        return;
    m_held = false;
    if (--m_app.BusyDepth == 0)
        SetBusy(m_app, false);
}

bool IsBusy(const App& app)
{
    return app.BusyDepth > 0;
}

QString BusyRefusal()
{
    return QStringLiteral("処理中のため実行できません.");
}

} // namespace core
