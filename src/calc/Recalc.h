#pragma once

struct App;

namespace calc {

/// Recalculates the whole sheet: classifies every cell, evaluates formulas in passes,
/// writes results or error marks into the grid strings, warns about circular references.
void RecalcAll(App& app);

} // namespace calc
