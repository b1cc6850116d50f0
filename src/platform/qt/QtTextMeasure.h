#pragma once

#include "platform/TextMeasure.h"

#include <QFont>
#include <QFontMetrics>

namespace platform {

/// QFont of the grid: fixed pitch, "ＭＳ ゴシック" substituted by IPAGothic.
QFont GridQFont(const FontSpec& wanted);
/// Registers the substitutions of the program's Windows font names (once per process).
void InstallFontSubstitutions();

class QtTextMeasure : public TextMeasure {
public:
    QtTextMeasure();
    void setFont(const FontSpec& font) override;
    int textPixels(const QString& text) const override;
    int textHeight(const QString& text) const override;
    const QFont& font() const { return m_font; }

private:
    QFont m_font;
    QFontMetrics m_metrics;
};

} // namespace platform
