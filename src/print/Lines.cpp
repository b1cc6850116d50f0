#include "print/Lines.h"

#include "core/App.h"
#include "platform/Ui.h"

namespace print {

const std::array<LineStyle, LineStyleCount + 1> LineStyles = {{
    {u"", PenStyle::Solid, 0},
    {u"&1", PenStyle::Solid, 1},
    {u"&2", PenStyle::Solid, 2},
    {u"&3", PenStyle::Solid, 3},
    {u"&4", PenStyle::Dash, 1},
    {u"&5", PenStyle::Dot, 1},
    {u"&6", PenStyle::DashDot, 1},
    {u"&7", PenStyle::DashDotDot, 1},
}};

const std::array<std::uint32_t, 16> LinePalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

const std::array<const char16_t*, 16> LineColorNames = {
    u"黒", u"茶", u"緑", u"オリーブ", u"紺", u"紫", u"青緑", u"灰色",
    u"銀", u"赤", u"黄緑", u"黄", u"青", u"赤紫", u"水色", u"白",
};

void ApplyGridLines(App& app, bool on)
{
    app.grid.gridLines = on;
    app.ui().gridChanged(platform::GridChange::Layout);
}

} // namespace print
