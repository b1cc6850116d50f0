#pragma once

#include <QString>

namespace platform {

/// Points of a font whose size is 0 (the platform's default height).
constexpr int DefaultFontPoints = 11;

/// The grid font as the core knows it.
struct FontSpec {
    QString name;
    int size = 0; // points; 0 = the platform's default height
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec&) const = default;
};

/// Pixel measurement of texts in the grid font.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual void setFont(const FontSpec& font) = 0;
    /// Width in pixels of the text drawn in the grid font.
    virtual int textPixels(const QString& text) const = 0;
    /// Height in pixels of the text drawn in the grid font.
    virtual int textHeight(const QString& text) const = 0;
};

} // namespace platform
