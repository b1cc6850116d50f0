#pragma once

#include "platform/TextMeasure.h"

#include <QRect>
#include <array>
#include <cstdint>

namespace settings {

constexpr int ToolButtons = 31;

/// Default visibility of toolbar buttons 1..31 (index 0 unused).
constexpr std::array<std::uint8_t, 41> DefaultButtonVisible = {
    0, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};

/// User settings: live in the settings store, not in worksheets.
struct UserSettings {
    bool Wheel = true;
    int GridStyle = 1;
    std::array<std::uint8_t, 41> ButtonVisible = DefaultButtonVisible; // 1..40
    QRect windowGeometry{0, 0, 600, 360};
    platform::FontSpec gridFont{QStringLiteral("ＭＳ ゴシック"), 0, false, false};
    bool SettingsWritable = true;
};

} // namespace settings
