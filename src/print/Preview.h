#pragma once

#include "platform/Printer.h"

#include <QString>

struct App;

namespace print {

/// The preview command: the range (always the print area when one is set), then the
/// preview window.
void PreviewCommand(App& app);
/// The preview's layout and page count for its range; the current page comes back within
/// the pages. False after a message (no printer, margins too large).
bool PreparePreview(App& app);
/// "2/5 ページ: A53～F104" for the current page.
QString PreviewStatus(const App& app);
/// The current page in printer pixels: the margin guides, then the page as printed.
void PaintPreview(App& app, platform::OutputTarget& target);

/// Printer pixels per preview pixel that fit the paper into a panel (a size of 0 counts
/// as 1).
float FitScale(int physWidth, int physHeight, int panelWidth, int panelHeight);

/// The scroll bars at 1:1: maxima, large and small steps.
struct ZoomBars {
    int vMax = 0;
    int hMax = 0;
    int vPage = 0;
    int hPage = 0;
    int vStep = 0;
    int hStep = 0;
};
ZoomBars ZoomBarsFor(int physWidth, int physHeight, int panelWidth, int panelHeight);

/// Page moves of the preview's buttons; false when the page stays.
bool PreviewGo(App& app, int page);

} // namespace print
