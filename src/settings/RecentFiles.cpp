#include "settings/RecentFiles.h"

#include "core/App.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace settings {

void AddRecentFile(App& app, const QString& path)
{
    QStringList& files = app.sheet.RecentFiles;
    const QString lower = path.toLower();
    for (qsizetype i = 0; i < files.size(); ++i)
        if (files[i].toLower() == lower) {
            files.removeAt(i);
            break;
        }
    if (files.size() >= MaxRecentFiles)
        files.resize(MaxRecentFiles - 1);
    files.prepend(path);
    if (app.services.shell)
        app.shell().noteRecentDocument(path);
    ShowRecentFiles(app);
}

void ShowRecentFiles(App& app)
{
    app.ui().setRecentFiles(app.sheet.RecentFiles);
}

} // namespace settings
