#include "calc/Recalc.h"

#include "calc/Evaluator.h"
#include "calc/RecalcSteps.h"
#include "core/App.h"

#include <algorithm>

namespace calc {

void RecalcAllPlain(App& app)
{
    core::Sheet& sheet = app.sheet;
    int pending = detail::ClassifyCells(app, nullptr);
    if (pending == 0)
        return;
    const QCollator collator = detail::CriteriaCollator();
    Evaluator evaluator(sheet, collator);
    const int lastCol = std::clamp(sheet.LastCol, 0, core::MaxCols);
    const int lastRow = std::clamp(sheet.LastRow, 0, sheet.SheetRows);
    for (;;) {
        const int passStart = pending;
        int passErrors = 0;
        core::CellPos lastWaiting;
        for (int c = 1; c <= lastCol; ++c)
            for (int r = 1; r <= lastRow; ++r) {
                if (sheet.CellKind[c][r] != core::kindPending)
                    continue;
                const FormulaResult result = evaluator.EvaluateFormula(sheet.CellText[c][r]);
                switch (detail::StoreResult(app, c, r, result)) {
                case detail::Outcome::Done:
                    --pending;
                    break;
                case detail::Outcome::Error:
                    ++passErrors;
                    [[fallthrough]];
                case detail::Outcome::Waiting:
                    lastWaiting = {c, r};
                    break;
                }
            }
        if (pending != passStart) {
            if (pending > 0)
                continue;
            return;
        }
        if (passErrors == 0)
            detail::WarnCircular(app, lastWaiting.col, lastWaiting.row);
        return;
    }
}

} // namespace calc
