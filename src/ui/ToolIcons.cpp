#include "ui/ToolIcons.h"

#include "platform/qt/QtTextMeasure.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {

namespace {

constexpr int IconSize = 24;

/// A glyph per button and the colour of its group.
struct IconFace {
    char16_t glyph;
    QRgb color;
};

constexpr QRgb FileColor = 0x2f6fb3;
constexpr QRgb PrintColor = 0x2a8a7a;
constexpr QRgb EditColor = 0xc46a1a;
constexpr QRgb ClipColor = 0x7a4bb0;
constexpr QRgb DataColor = 0x3d8b37;
constexpr QRgb ToolColor = 0x9a5b2e;
constexpr QRgb SetColor = 0x4f5f7a;
constexpr QRgb HelpColor = 0xc03a3a;

constexpr IconFace Faces[] = {
    {u'新', FileColor}, {u'開', FileColor}, {u'追', FileColor}, {u'保', FileColor},
    {u'名', FileColor}, {u'頁', PrintColor}, {u'範', PrintColor}, {u'覧', PrintColor},
    {u'印', PrintColor}, {u'戻', EditColor}, {u'挿', EditColor}, {u'削', EditColor},
    {u'写', ClipColor}, {u'貼', ClipColor}, {u'ク', ClipColor}, {u'消', ClipColor},
    {u'検', DataColor}, {u'↑', DataColor}, {u'↓', DataColor}, {u'探', DataColor},
    {u'置', DataColor}, {u'リ', ToolColor}, {u'並', ToolColor}, {u'グ', ToolColor},
    {u'行', SetColor}, {u'字', SetColor}, {u'列', SetColor}, {u'見', SetColor},
    {u'罫', SetColor}, {u'改', SetColor}, {u'？', HelpColor},
};

QPixmap paintFace(const IconFace& face, bool greyed)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = greyed ? QColor(0xa8, 0xa8, 0xa8) : QColor(face.color);
    QLinearGradient fill(0, 0, 0, IconSize);
    fill.setColorAt(0, base.lighter(135));
    fill.setColorAt(1, base);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1.5, 1.5, IconSize - 3, IconSize - 3), 4, 4);
    painter.fillPath(tile, fill);
    painter.setPen(QPen(base.darker(140), 1));
    painter.drawPath(tile);
    QFont font = platform::GridQFont(platform::FontSpec{QStringLiteral("ＭＳ ゴシック"), 0,
                                                         true, false});
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(greyed ? QColor(0xf0, 0xf0, 0xf0) : QColor(Qt::white));
    painter.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, QString(QChar(face.glyph)));
    return pixmap;
}

QPixmap paintProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    // A sheet with a green heading row and ruled cells.
    const QRectF sheet(4.5, 3.5, 36, 41);
    painter.setPen(QPen(QColor(0x4a, 0x5a, 0x4a), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(sheet, 2, 2);
    painter.fillRect(QRectF(5, 4, 35, 8), QColor(DataColor));
    painter.setPen(QPen(QColor(0xb0, 0xc4, 0xb0), 1));
    for (int y = 20; y <= 44; y += 8)
        painter.drawLine(QPointF(5, y - 0.5), QPointF(40, y - 0.5));
    for (int x = 16; x <= 40; x += 12)
        painter.drawLine(QPointF(x - 0.5, 12), QPointF(x - 0.5, 44));
    // The badge with the letter.
    const QRectF badge(22, 22, 24, 24);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(FileColor).lighter(130));
    fill.setColorAt(1, QColor(FileColor));
    painter.setPen(QPen(QColor(FileColor).darker(150), 1));
    painter.setBrush(fill);
    painter.drawEllipse(badge);
    QFont font = platform::GridQFont(platform::FontSpec{QStringLiteral("ＭＳ ゴシック"), 0,
                                                         true, false});
    font.setPixelSize(17);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("M"));
    return pixmap;
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(paintProgramIcon(size));
    return icon;
}

QIcon ToolIcon(int n, bool greyed)
{
    if (n < 1 || n > int(std::size(Faces)))
        return {};
    QIcon icon;
    const IconFace& face = Faces[n - 1];
    icon.addPixmap(paintFace(face, greyed), QIcon::Normal);
    icon.addPixmap(paintFace(face, true), QIcon::Disabled);
    return icon;
}

} // namespace ui
