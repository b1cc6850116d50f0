#include "settings/SystemSettings.h"

#include "core/App.h"
#include "core/Display.h"
#include "platform/Desktop.h"
#include "platform/SettingsStore.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace settings {

namespace {

platform::Answer ask(App& app, platform::Icon icon, const QString& text,
                     platform::Buttons buttons = platform::Buttons::Ok)
{
    platform::Message message;
    message.icon = icon;
    message.text = text;
    message.buttons = buttons;
    return app.ui().message(message);
}

/// The radio item that stands for a GridStyle value: any value but 0 and 1 is themed.
int designOf(int gridStyle)
{
    return gridStyle == 0 || gridStyle == 1 ? gridStyle : 2;
}

QString programFolder(const App& app)
{
    return QFileInfo(app.desktop().programPath()).absolutePath();
}

} // namespace

void SystemSettingsCommand(App& app)
{
    SystemSettingsState& d = app.systemSettings;
    d.NewShellMode = app.desktop().newShellMode();
    d.chkWheel = app.settings.Wheel;
    d.optDesign = designOf(app.settings.GridStyle);
    // What follows a closing button runs once the dialog is gone, so that its messages and
    // the status text are the window's.
    switch (app.ui().showSystemSettings(d)) {
    case SysSetClose::Associated:
        core::ShowStatus(app, QStringLiteral("拡張子の関連付けを実行しました."));
        break;
    case SysSetClose::StartMenuOk:
        AddToStartMenu(app);
        break;
    case SysSetClose::UninstallOk:
        UninstallSettings(app);
        break;
    case SysSetClose::Cancel:
    case SysSetClose::DesignOk:
        break;
    }
}

void AboutCommand(App& app)
{
    app.ui().showAbout();
}

void SysSetDesignClick(App& app, SystemSettingsState& d, int design)
{
    d.optDesign = design;
    app.ui().ApplyGridDesign(design);
}

void SysSetPageChange(App& app, SystemSettingsState& d, SysSetPage page)
{
    if (page == d.page)
        return;
    if (page == SysSetPage::Design)
        app.ui().ApplyGridDesign(d.optDesign);
    else if (d.page == SysSetPage::Design)
        app.ui().ApplyGridDesign(app.settings.GridStyle);
    d.page = page;
}

void SysSetDesignOk(App& app, const SystemSettingsState& d)
{
    app.settings.GridStyle = d.optDesign;
    app.ui().ApplyGridDesign(app.settings.GridStyle);
    app.settings.Wheel = d.chkWheel;
}

void SysSetCancel(App& app)
{
    app.ui().ApplyGridDesign(app.settings.GridStyle);
}

bool SysSetAssociate(App& app, const SystemSettingsState& d)
{
    if (d.NewShellMode) {
        AssociateViaShell(app, d);
        return false;
    }
    return AssociateInRegistry(app, d);
}

QString SysSetHelpTopic(const SystemSettingsState& d, SysSetPage page)
{
    switch (page) {
    case SysSetPage::Design:
        return QStringLiteral("デザイン");
    case SysSetPage::Association:
        return d.NewShellMode ? QStringLiteral("拡張子関連付け")
                              : QStringLiteral("拡張子関連付け-XP");
    case SysSetPage::StartMenu:
        return QStringLiteral("スタートメニューへの登録");
    case SysSetPage::Uninstall:
        break;
    }
    return QStringLiteral("アンインストール");
}

bool AssociateInRegistry(App& app, const SystemSettingsState& d)
{
    if (!d.chkMvx && !d.chkCsv) {
        ask(app, platform::Icon::Warning, QStringLiteral("関連付けする拡張子を指定してください."));
        return false;
    }
    if (ask(app, platform::Icon::Question, QStringLiteral("指定の拡張子をMavixに関連付けます."),
            platform::Buttons::OkCancel)
        != platform::Answer::Ok)
        return false;
    platform::Association association;
    association.mvx = d.chkMvx;
    association.csv = d.chkCsv;
    association.program = app.desktop().programPath();
    association.description = QStringLiteral("Mavix のワークシート");
    if (!app.desktop().associate(association)) {
        ask(app, platform::Icon::Error,
            QStringLiteral("拡張子の関連付けに失敗しました.\r\n管理者モードで実行してください．"));
        return false;
    }
    return true;
}

void AssociateViaShell(App& app, const SystemSettingsState& d)
{
    const QString folder = programFolder(app);
    const QString sample = QDir(folder).filePath(d.optExt == 0 ? QStringLiteral("sample1.mvx")
                                                               : QStringLiteral("software.csv"));
    if (!QFileInfo::exists(sample)) {
        ask(app, platform::Icon::Warning,
            u'"' + QDir::toNativeSeparators(sample)
                + QStringLiteral("\" ファイルがありません．\r\n")
                + QStringLiteral("ヘルプに従って関連付けを設定してください．"));
        return;
    }
    if (const std::optional<QString> failure = app.desktop().openWithDefault(sample, folder))
        ask(app, platform::Icon::Error, *failure + QStringLiteral("\r\n関連付けに失敗しました．"));
}

ShortcutResult CreateMenuShortcut(App& app, const QString& name, const QString& program,
                                  const QStringList& arguments, const QString& workingFolder)
{
    const QString folder = app.desktop().menuFolder(false);
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error) {
        ask(app, platform::Icon::Error, QString::fromLocal8Bit(error.message()));
        return ShortcutResult::FolderFailed;
    }
    return app.desktop().createMenuEntry(folder, name, program, arguments, workingFolder)
        ? ShortcutResult::Created
        : ShortcutResult::Failed;
}

void AddToStartMenu(App& app)
{
    const QString program = app.desktop().programPath();
    const QString folder = programFolder(app);
    const ShortcutResult main =
        CreateMenuShortcut(app, QStringLiteral("Mavix"), program, {}, folder);
    if (main == ShortcutResult::FolderFailed)
        return;
    ShortcutResult help = ShortcutResult::Failed;
    if (main == ShortcutResult::Created) {
        help = CreateMenuShortcut(app, QStringLiteral("Mavixのヘルプ"), program,
                                  {QString::fromUtf16(ShowHelpOption)}, folder);
        if (help == ShortcutResult::FolderFailed)
            return;
    }
    core::ShowStatus(app,
                     help == ShortcutResult::Created
                         ? QStringLiteral("スタートメニューに登録しました．")
                         : QStringLiteral("スタートメニューへの登録に失敗しました．"));
}

void UninstallSettings(App& app)
{
    if (ask(app, platform::Icon::Warning,
            QStringLiteral("Mavixをアンインストールする準備をします．\r\n"
                           "Mavixのすべての設定情報を削除します．\r\n"
                           "よろしいですか？"),
            platform::Buttons::YesNo)
        != platform::Answer::Yes)
        return;
    app.settings.SettingsWritable = false;
    platform::SettingsStore& store = app.settingsStore();
    store.removeKey();
    store.removeMakerIfEmpty();
    platform::Desktop& desktop = app.desktop();
    const bool shellMode = desktop.newShellMode();
    if (!shellMode)
        desktop.removeAssociation();
    DeleteFolderTree(app, desktop.menuFolder(false));
    desktop.removeMenu();
    if (!shellMode)
        DeleteFolderTree(app, desktop.menuFolder(true));
    ask(app, platform::Icon::Information,
        QStringLiteral("すべての設定情報を削除しました.\r\n"
                       "全ユーザーアカウントの情報を削除し終えたら、\r\n"
                       "Mavixを終了して、Mavixのファイルを削除してください．"));
}

bool DeleteFolderTree(App& app, const QString& path)
{
    if (path.isEmpty())
        return true;
    const QFileInfo info(path);
    // A link goes itself: what it points to belongs to someone else.
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.exists())
        return true;
    if (info.isDir()) {
        // The counterpart of clearing a read-only folder's attributes: its entries can go.
        QFile::setPermissions(path,
                              info.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
        const QFileInfoList entries = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            const bool gone = entry.isDir() && !entry.isSymLink()
                ? DeleteFolderTree(app, entry.filePath())
                : QFile::remove(entry.filePath());
            if (!gone)
                return false;
        }
    }
    if (QDir().rmdir(path))
        return true;
    ask(app, platform::Icon::Error,
        u'<' + QDir::toNativeSeparators(path) + QStringLiteral("> フォルダが削除できません."));
    return false;
}

} // namespace settings
