#pragma once

#include "platform/TextMeasure.h"

#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

namespace settings {

constexpr int ToolButtons = 31;

/// Default visibility of toolbar buttons 1..31 (index 0 unused).
constexpr std::array<std::uint8_t, 41> DefaultButtonVisible = {
    0, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};

/// The main window's state: how it starts (before LoadSettings) and how it is when the
/// program ends (before SaveSettings); the window sets it.
enum class WindowState { Normal, Maximized, Minimized };

/// User settings: live in the settings store, not in worksheets.
struct UserSettings {
    bool Wheel = true;
    int GridStyle = 1;
    std::array<std::uint8_t, 41> ButtonVisible = DefaultButtonVisible; // 1..40
    QRect windowGeometry{0, 0, 600, 360};
    WindowState windowState = WindowState::Normal;
    /// Screen size in pixels; the window fills it in before LoadSettings.
    QSize screenSize{1920, 1080};
    platform::FontSpec gridFont{QStringLiteral("ＭＳ ゴシック"), 0, false, false};
    bool SettingsWritable = true;
};

} // namespace settings
