#include "print/RuledLines.h"

#include "core/App.h"
#include "core/Cells.h"
#include "print/Lines.h"
#include "platform/Ui.h"

namespace print {

void RuledLinesCommand(App& app)
{
    const core::CellBlock s = app.grid.selection;
    LineDialogState& d = app.lineDialog;
    d.caption = core::CellName(s.left, s.top);
    if (s.left != s.right || s.top != s.bottom)
        d.caption += QStringLiteral(" ～ ") + core::CellName(s.right, s.bottom);
    d.caption += QStringLiteral("の罫線");
    if (!app.ui().askLineDialog(d))
        return;
    ApplyGridLines(app, d.chkGrid);
    ApplyRangeLines(app, s.left, s.right, s.top, s.bottom);
    app.sheet.Modified = true;
    app.ui().gridChanged(platform::GridChange::Cells);
}

void ApplyRangeLines(App& app, int left, int right, int top, int bottom)
{
    const LineDialogState& d = app.lineDialog;
    auto& lines = app.sheet.CellLines;
    const auto code = std::uint8_t((d.style + 1) * 16 + d.color);
    if (d.chkSide[0]) {
        for (int r = top; r <= bottom; ++r)
            lines[1][left][r] = code;
        for (int r = top; r <= bottom; ++r)
            lines[2][right][r] = code;
        for (int c = left; c <= right; ++c)
            lines[3][c][top] = code;
        for (int c = left; c <= right; ++c)
            lines[4][c][bottom] = code;
    }
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r)
            for (int side = 1; side <= 4; ++side)
                if (d.chkSide[side])
                    lines[side][c][r] = code;
}

void TogglePageBreak(App& app)
{
    core::Sheet& sheet = app.sheet;
    const int r = app.grid.row;
    qsizetype match = -1;
    for (qsizetype i = 0; i < sheet.PageBreaks.size() && match < 0; ++i)
        if (sheet.PageBreaks[i].toInt() == r)
            match = i;
    const std::uint8_t mark = match >= 0 ? 0 : core::PageBreakMark;
    if (match >= 0)
        sheet.PageBreaks.removeAt(match);
    else
        sheet.PageBreaks.append(QString::number(r));
    for (int c = 1; c <= core::MaxCols; ++c)
        sheet.CellLines[5][c][r] = mark;
    sheet.Modified = true;
    app.ui().gridChanged(platform::GridChange::Cells);
}

} // namespace print
