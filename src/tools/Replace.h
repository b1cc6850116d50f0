#pragma once

#include "core/Sheet.h"

#include <QString>

struct App;

namespace tools {

/// The replace command: its dialog, then "置換終了." in the message panel.
void ReplaceCommand(App& app);
/// The dialog opens: range and label from the selection, the cursor before the range, the
/// current cell's entry in both boxes, the lists from the histories.
void OpenReplaceDialog(App& app);
/// 次を検索: the histories, then the next hit. True when the dialog closes (past the end).
bool ReplaceSkip(App& app);
/// 置換して次に: the found cell's first occurrence replaced, then the next hit. True when the
/// dialog closes.
bool ReplaceAndNext(App& app);
/// すべて置換: every cell from the found one on, one replacement per cell. The dialog closes.
void ReplaceAll(App& app);
/// Moves the replace cursor to the next cell of the range holding the before-text.
void FindNextReplace(App& app);
/// すべて置換 over a range without the dialog: its state set to the range and the texts.
void ReplaceInRange(App& app, const core::CellBlock& range, const QString& before,
                    const QString& after, bool matchCase);

} // namespace tools
