#include "files/Access.h"

#include "core/App.h"
#include "core/Display.h"
#include "platform/FileHold.h"
#include "platform/Ui.h"

namespace files {

bool TryAccess(App& app, const QString& path, bool forWrite)
{
    app.fileHold().release();
    return app.fileHold().tryAccess(path, forWrite);
}

bool CheckOpenAccess(App& app, const QString& path)
{
    app.sheet.ReadOnly = false;
    if (TryAccess(app, path, false))
        return true;
    platform::Message question;
    question.icon = platform::Icon::Warning;
    question.text = path + QStringLiteral(" は書き込めません。") + QStringLiteral("\r\n")
                    + QStringLiteral("（アクセス権、読み取り専用、使用中 など）")
                    + QStringLiteral("\r\n") + QStringLiteral("読み取り専用で開きますか？");
    question.buttons = platform::Buttons::YesCancel;
    question.helpContext = 18;
    if (app.ui().message(question) != platform::Answer::Yes)
        return false;
    app.sheet.ReadOnly = true;
    return true;
}

bool CheckWriteAccess(App& app, const QString& path)
{
    if (!TryAccess(app, path, true)) {
        platform::Message warning;
        warning.icon = platform::Icon::Warning;
        warning.text = path + QStringLiteral(" はアクセス権が無いので書き込めません。");
        warning.buttons = platform::Buttons::Ok;
        warning.helpContext = 18;
        app.ui().message(warning);
        return false;
    }
    app.sheet.FileName = path;
    return true;
}

void HoldFile(App& app, const QString& path)
{
    if (app.sheet.ReadOnly)
        return;
    // Without locks another instance would open the file for writing without being told.
    if (app.fileHold().hold(path) == platform::HoldResult::NoLocks)
        core::ShowStatus(app, QStringLiteral("このファイルシステムではファイルを保護できません."));
}

void ReleaseFile(App& app)
{
    app.fileHold().release();
}

} // namespace files
