#pragma once

#include "settings/SystemSettingsState.h"

#include <span>

struct App;

namespace settings {

/// One item of the toolbar editor's list: a toolbar button, its caption and the image of
/// the toolbar's image list it shows (0: the print-area button's greyed look).
struct ToolbarItem {
    int button;
    const char16_t* caption;
    int icon;
};

/// The 30 items of the list, buttons 1..14 and 16..31: the paste-from-clipboard button 15
/// is never offered.
std::span<const ToolbarItem> ToolbarItems();

/// The toolbar editor (mnuToolBar): the list starts from ButtonVisible; OK shows and hides
/// the buttons as checked and writes the choice at once.
void OpenToolbarEditor(App& app);

} // namespace settings
