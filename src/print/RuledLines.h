#pragma once

struct App;

namespace print {

/// The ruled-line command: its dialog over the selection, then the grid-line display and
/// the chosen lines on the selected cells.
void RuledLinesCommand(App& app);
/// The dialog's style and colour on the chosen sides of the range: the outer frame first,
/// then the sides of every cell. Unchosen sides keep their lines.
void ApplyRangeLines(App& app, int left, int right, int top, int bottom);
/// The page-break command: a break before the current row is set, or taken away.
void TogglePageBreak(App& app);

} // namespace print
