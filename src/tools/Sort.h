#pragma once

struct App;

namespace tools {

/// The sort command: its dialog over the selection's key column and rows, then SortRows and
/// the new display.
void RunSort(App& app);
/// What the command does once its dialog closed with OK: the sort, the cells shown and
/// recalculated, the status texts.
void SortAndShow(App& app, int key, int top, int bottom, int order, int method);
/// Reorders rows top..bottom by the key column (order 0 ascending, 1 descending; method 0
/// text, 1 number) exactly as the selection sort below does, equal keys included, in
/// O(n log n) comparisons.
void SortRows(App& app, int key, int top, int bottom, int order, int method);
/// The selection sort itself, quadratic: the reference the fast sort is held to.
void SortRowsPlain(App& app, int key, int top, int bottom, int order, int method);
/// Exchanges the texts and values of two rows in columns 1..LastCol; ruled lines, page
/// breaks and the recalculation state stay with the row positions.
void SwapRows(App& app, int a, int b);

} // namespace tools
