#pragma once

struct App;

namespace calc {

/// Recalculates the whole sheet: classifies every cell, evaluates formulas in passes,
/// writes results or error marks into the grid strings, warns about circular references.
/// Gives exactly the results of RecalcAllPlain, but evaluates a waiting formula again only
/// when a pending cell it looked at has been evaluated since.
void RecalcAll(App& app);

/// The pass algorithm as it is defined: every waiting formula is evaluated again in every
/// pass. Quadratic for chains that refer downwards; the reference for RecalcAll.
void RecalcAllPlain(App& app);

} // namespace calc
