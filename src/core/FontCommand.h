#pragma once

#include "platform/TextMeasure.h"

struct App;

namespace core {

/// The font command: the font dialog over the grid font, then ChangeGridFont.
void FontCommand(App& app);
/// The font dialog's OK: the style applies at once and the message panel empties; when
/// name, size or style differ from what the dialog started with, the grid takes the chosen
/// font and size, ApplyFont lays the grid out again and the message names the font.
/// Returns whether the font changed.
bool ChangeGridFont(App& app, const platform::FontSpec& before, const platform::FontSpec& chosen);

} // namespace core
