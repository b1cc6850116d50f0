#include "calc/Recalc.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"

namespace calc {

// FIXME: formulas are not evaluated yet; this only classifies the cells.
void RecalcAll(App& app)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= core::MaxCols; ++c)
        for (int r = 1; r <= sheet.SheetRows; ++r) {
            const QString& t = sheet.CellText[c][r];
            const bool used = c <= sheet.LastCol && r <= sheet.LastRow;
            if (used && !t.isEmpty() && t[0] == u'=') {
                sheet.CellKind[c][r] = core::kindPending;
                continue;
            }
            sheet.CellKind[c][r] = core::kindConst;
            sheet.CellValue[c][r] = used ? core::NumericValue(t) : 0.0;
        }
}

} // namespace calc
