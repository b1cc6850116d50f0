#pragma once

#include <array>

namespace settings {

/// The pages of the system settings dialog, in their order.
enum class SysSetPage { Design, Association, StartMenu, Uninstall };

/// How the system settings dialog closed: the buttons that close it, or Cancel (also the
/// window's close button).
enum class SysSetClose { Cancel, DesignOk, Associated, StartMenuOk, UninstallOk };

/// The system settings dialog TfSysSet: made once, it keeps its page and its association
/// choices for the whole run; the design and the wheel are read from the settings each
/// time it opens.
struct SystemSettingsState {
    SysSetPage page = SysSetPage::Design;
    /// The desktop makes associations itself (the dialog then offers one extension at a
    /// time and opens a sample file); read each time the dialog opens.
    bool NewShellMode = false;
    /// optDesign: 0 スタイルA, 1 スタイルB, 2 スタイルC.
    int optDesign = 1;
    bool chkWheel = true;
    /// The extensions chosen to associate when the program writes the association.
    bool chkMvx = false;
    bool chkCsv = false;
    /// The item chosen in NewShellMode: 0 ".mvx", 1 ".csv".
    int optExt = 0;
};

/// The toolbar editor's check list: item k stands for ToolbarItems()[k].
struct ToolbarEditorState {
    std::array<bool, 30> checked{};
};

} // namespace settings
