#include "ui/Startup.h"

#include "settings/SystemSettings.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>

namespace ui {

StartupOptions ParseStartupArguments(const QStringList& arguments)
{
    StartupOptions options;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == u"--") {
            ++i;
            break;
        }
        if (!arg.startsWith(u"--"))
            break;
        if (arg == u"--minimized")
            options.show = ShowCommand::Minimized;
        else if (arg == u"--maximized")
            options.show = ShowCommand::Maximized;
        else if (arg == u"--hidden")
            options.show = ShowCommand::Hidden;
        else if (arg == u"--normal")
            options.show = ShowCommand::Normal;
        else if (arg == QStringView(settings::ShowHelpOption))
            options.showHelp = true;
        else
            options.unknown.append(arg);
    }
    options.arguments = arguments.mid(i);
    return options;
}

int TakeInstanceSlot(std::unique_ptr<QLockFile>& lock)
{
    constexpr int Slots = 8;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    for (int n = 0; n < Slots; ++n) {
        auto file = std::make_unique<QLockFile>(folder + QStringLiteral("/mavix-window-")
                                                + QString::number(n) + QStringLiteral(".lock"));
        // Held as long as its program runs; the slot of a program that died is free again
        // (the lock names a process that no longer exists).
        file->setStaleLockTime(0);
        if (file->tryLock()) {
            lock = std::move(file);
            return n;
        }
    }
    return Slots - 1;
}

QPoint CascadedPosition(QPoint saved, int instance, const QRect& screen, QSize size)
{
    constexpr int Step = 24;
    if (instance <= 0)
        return saved;
    const QPoint shift(Step * instance, Step * instance);
    // Top-left positions at which the whole window stays on the screen.
    const QRect room(screen.topLeft(), screen.size() - size + QSize(1, 1));
    QPoint p = saved + shift;
    if (!room.isValid() || room.contains(p))
        return p;
    p = saved - shift;
    if (room.contains(p))
        return p;
    return QPoint(std::clamp(saved.x() + shift.x(), room.left(), room.right()),
                  std::clamp(saved.y() + shift.y(), room.top(), room.bottom()));
}

} // namespace ui
