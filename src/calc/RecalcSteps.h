#pragma once

#include "calc/Evaluator.h"

#include <QCollator>
#include <vector>

struct App;

namespace calc::detail {

/// Sets CellValue and CellKind of every cell from its text: formulas of the used area become
/// kindPending, everything else kindConst with its numeric value. Appends the formula
/// cells in pass order (column by column, top to bottom) when `formulas` is given; returns
/// their number.
int ClassifyCells(App& app, std::vector<core::CellPos>* formulas);

/// The collator that orders criterion texts (Japanese); which texts are equal is decided by
/// their folded forms, not by it.
QCollator CriteriaCollator();

enum class Outcome { Done, Waiting, Error };

/// Stores one evaluation of cell (c, r): its value, and its display when it is done or in
/// error. Done cells become kindDone.
Outcome StoreResult(App& app, int c, int r, const FormulaResult& result);

/// How many cells ahead of use PrefetchText is called.
constexpr int PrefetchDistance = 16;

/// Asks for a text's characters ahead of use: cell texts are scattered over the heap, so
/// walking many of them is bound by memory latency.
inline void PrefetchText(const QString& text)
{
#if defined(__GNUC__)
    __builtin_prefetch(text.constData());
#else
    (void)text;
#endif
}

/// The circular-reference warning naming cell (c, r).
void WarnCircular(App& app, int c, int r);

} // namespace calc::detail
