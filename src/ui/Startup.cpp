#include "ui/Startup.h"

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
        else
            options.unknown.append(arg);
    }
    options.arguments = arguments.mid(i);
    return options;
}

} // namespace ui
