// A second running program for the desktop tests: it stores its arguments in row 1 from
// column A, copies them through the real clipboard, says "copied" and keeps the clipboard
// until its standard input ends.
#include "calc/Recalc.h"
#include "commands/Commands.h"
#include "core/App.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtClipboard.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    platform::FakePlatform fakes;
    platform::QtClipboard clipboard;
    platform::Services services = fakes.services();
    services.clipboard = &clipboard;
    App app(services);
    core::ResetSheetState(app);
    const QStringList entries = QApplication::arguments().mid(1);
    for (int c = 1; c <= entries.size(); ++c) {
        app.grid.col = c;
        edit::CommitEntry(app, entries[c - 1]);
    }
    app.grid.col = 1;
    app.grid.selection = core::CellBlock{1, int(entries.size()), 1, 1};
    commands::RunCommand(app, commands::CommandId::Copy);
    std::printf("copied\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QApplication::quit();
    });
    return QApplication::exec();
}
