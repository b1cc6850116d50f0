#include "platform/qt/QtTextMeasure.h"

namespace platform {

namespace {
}

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
}

QFont GridQFont(const FontSpec& wanted)
{
    InstallFontSubstitutions();
    QFont font(wanted.name.isEmpty() ? QStringLiteral("ＭＳ ゴシック") : wanted.name);
    font.setPointSize(wanted.size > 0 ? wanted.size : DefaultFontPoints);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    return font;
}

QtTextMeasure::QtTextMeasure()
    : m_font(GridQFont(FontSpec{}))
    , m_metrics(m_font)
{
}

void QtTextMeasure::setFont(const FontSpec& font)
{
    m_font = GridQFont(font);
    m_metrics = QFontMetrics(m_font);
}

int QtTextMeasure::textPixels(const QString& text) const
{
    return m_metrics.horizontalAdvance(text);
}

int QtTextMeasure::textHeight(const QString&) const
{
    return m_metrics.height();
}

} // namespace platform
