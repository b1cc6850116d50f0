#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/TF.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mavix"));
    platform::InstallFontSubstitutions();

    platform::QtTextMeasure measure;
    platform::QtClipboard clipboard;
    // FIXME: settings, file hold, help and shell get their desktop implementations later.
    platform::FakePlatform placeholders;
    platform::Services services = placeholders.services();
    services.measure = &measure;
    services.clipboard = &clipboard;

    ui::TF window(services);
    window.show();
    return QApplication::exec();
}
