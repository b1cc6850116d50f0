#include "core/App.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/PosixFileHold.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtTextMeasure.h"
#include "platform/qt/XdgDesktop.h"
#include "ui/HelpWindow.h"
#include "ui/Startup.h"
#include "ui/TF.h"
#include "ui/ToolIcons.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLockFile>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mavix"));
    QApplication::setWindowIcon(ui::ProgramIcon());
    // Qt's own dialogs and buttons speak Japanese, as the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    platform::InstallFontSubstitutions();

    ui::StartupOptions options = ui::ParseStartupArguments(application.arguments().mid(1));
    for (const QString& option : options.unknown)
        std::fprintf(stderr, "mavix: unknown option %s\n", qPrintable(option));
    ui::QtHelp help;
    if (options.showHelp) {
        help.showContents();
        return QApplication::exec();
    }
    std::unique_ptr<QLockFile> instanceLock;
    options.instance = ui::TakeInstanceSlot(instanceLock);

    platform::QtTextMeasure measure;
    platform::QtClipboard clipboard;
    platform::QtSettingsStore settings;
    platform::PosixFileHold fileHold;
    platform::QtFileDialogs fileDialogs(help);
    platform::QtPrinter printer;
    platform::QtShell shell;
    platform::XdgDesktop desktop;
    platform::FakePlatform placeholders;
    platform::Services services = placeholders.services();
    services.measure = &measure;
    services.clipboard = &clipboard;
    services.help = &help;
    services.settings = &settings;
    services.fileHold = &fileHold;
    services.fileDialogs = &fileDialogs;
    services.printer = &printer;
    services.shell = &shell;
    services.desktop = &desktop;

    // The window shows the App and is its Ui while it exists; the App outlives it.
    App app(services);
    ui::TF window(app, options);
    fileDialogs.setOwner(&window, [&window] { window.modalReturned(); });
    window.show();
    return QApplication::exec();
}
