#pragma once

#include <QString>
#include <QStringView>

struct App;

namespace edit {

/// The row number spelt by digits plus dr, clamped to 1..sheetRows, in decimal.
QString AdjustRowNumber(QStringView digits, int dr, int sheetRows);
/// A formula with its relative references shifted by dc columns and dr rows (clamped to
/// A..Z and 1..sheetRows); "$" parts and quoted strings stay. Texts that are not formulas
/// come back unchanged.
QString AdjustFormula(const QString& text, int dc, int dr, int sheetRows);
/// AdjustFormula of a text, written back into it (reusing its buffer where the result fits).
void AdjustFormulaInPlace(QString& text, int dc, int dr, int sheetRows);
/// AdjustFormula of CellText[c][r] against the sheet's row count.
QString AdjustFormula(const App& app, int c, int r, int dc, int dr);

} // namespace edit
