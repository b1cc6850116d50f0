#pragma once

#include <array>
#include <cstdint>

struct App;

namespace print {

/// Pen patterns of the ruled lines; each drawing target maps them onto its own pens.
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

struct LineStyle {
    const char16_t* caption; // the style's radio button in the ruled-line dialog
    PenStyle pen;
    int width; // device pixels: screen pixels on the grid, printer pixels on paper
};

/// Styles 1..7 of a LineCode's high nibble; index 0 (no line) is unused.
constexpr int LineStyleCount = 7;
extern const std::array<LineStyle, LineStyleCount + 1> LineStyles;

/// The sixteen line colours of a LineCode's low nibble, as 0xRRGGBB.
extern const std::array<std::uint32_t, 16> LinePalette;
/// Their names, as the colour pickers offer them.
extern const std::array<const char16_t*, 16> LineColorNames;

/// A LineCode is style * 16 + colour.
constexpr int LineCodeStyle(std::uint8_t code) { return code / 16; }
constexpr int LineCodeColor(std::uint8_t code) { return code % 16; }
/// Whether a code draws a line: a style from LineStyles (codes of styles 8..15 draw nothing).
constexpr bool LineCodeDraws(std::uint8_t code)
{
    return LineCodeStyle(code) >= 1 && LineCodeStyle(code) <= LineStyleCount;
}

/// Switches the grid's own cell separator lines on or off.
void ApplyGridLines(App& app, bool on);

} // namespace print
