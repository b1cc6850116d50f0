#pragma once

#include "core/Sheet.h"

#include <QString>

struct App;

namespace edit {

/// The copy command: the selection becomes the copy source; its display texts go to the
/// clipboard for other programs (TAB between cells, CR LF after every row) with the marker
/// that names this running program.
void SetCopySource(App& app);
/// The clipboard text of a copy of the block: display texts, a leading mark dropped.
QString CopyText(const App& app, const core::CellBlock& block);

/// The paste command at the selection: an internal paste of the copy source when the
/// clipboard's marker names this program, else the clipboard text entered as if typed.
void Paste(App& app);

/// Internal paste of the single source cell into every cell of the block.
void FillFromSource(App& app, const core::CellBlock& block);
/// Internal paste of the whole copy source with its top-left corner at the current cell,
/// clipped to the sheet, copied in the order that reads an overlapping source first.
void PasteSourceBlock(App& app);
/// Text paste of one value into every cell of the block; the current cell ends at the
/// block's bottom-right corner.
void FillWithText(App& app, const core::CellBlock& block, const QString& value);
/// Text paste of lines (CR LF or LF) of TAB-separated fields from the current cell on,
/// stopping at column Z and at the last row; the current cell stays.
void PasteTextBlock(App& app, const QString& text);

} // namespace edit
