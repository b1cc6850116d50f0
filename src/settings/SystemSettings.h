#pragma once

#include "settings/SystemSettingsState.h"

#include <QString>
#include <QStringList>

struct App;

namespace settings {

/// The program option that shows only the help window's contents: the target of the menu
/// entry "Mavixのヘルプ", the help being part of the program.
inline constexpr char16_t ShowHelpOption[] = u"--show-help";

/// The system settings dialog (mnuSysSet) over App::systemSettings: the design and the
/// wheel start from the settings, NewShellMode from the desktop. After the dialog: the
/// association's status text, AddToStartMenu or UninstallSettings, as it closed.
void SystemSettingsCommand(App& app);
/// The about box (mnuAbout).
void AboutCommand(App& app);

// What the dialog's controls do.

/// A design clicked: the grid shows it at once, as a preview.
void SysSetDesignClick(App& app, SystemSettingsState& d, int design);
/// Another page shown: leaving the design page shows GridStyle again, entering it shows the
/// chosen design.
void SysSetPageChange(App& app, SystemSettingsState& d, SysSetPage page);
/// OK on the design page: the chosen design and the wheel become the settings.
void SysSetDesignOk(App& app, const SystemSettingsState& d);
/// Cancel on any page, or the dialog closed otherwise: the preview is undone.
void SysSetCancel(App& app);
/// 実行 on the association page: AssociateViaShell in NewShellMode, else
/// AssociateInRegistry. True when the dialog closes (SysSetClose::Associated).
bool SysSetAssociate(App& app, const SystemSettingsState& d);
/// The help topic of a page's Help button.
QString SysSetHelpTopic(const SystemSettingsState& d, SysSetPage page);

/// Writes the association of the chosen extensions; true when done.
bool AssociateInRegistry(App& app, const SystemSettingsState& d);
/// Opens the sample file of the chosen extension so that the desktop asks for its program.
void AssociateViaShell(App& app, const SystemSettingsState& d);

/// The menu folder "Mavix" with the entries "Mavix" and "Mavixのヘルプ"; the result in
/// the status bar.
void AddToStartMenu(App& app);
enum class ShortcutResult { Created, Failed, FolderFailed };
/// One entry of the current user's menu folder, made when missing. A folder that cannot be
/// made is reported here and ends the command (FolderFailed).
ShortcutResult CreateMenuShortcut(App& app, const QString& name, const QString& program,
                                  const QStringList& arguments, const QString& workingFolder);

/// Removes the settings, the association and the menu folders after the user agreed; the
/// program writes no settings any more.
void UninstallSettings(App& app);
/// Deletes a folder with everything in it; nothing there counts as success. A symbolic
/// link is removed, never followed. A folder that stays is reported.
bool DeleteFolderTree(App& app, const QString& path);

} // namespace settings
