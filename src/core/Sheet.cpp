#include "core/Sheet.h"

namespace core {

Sheet::Sheet()
{
    const std::size_t rows = SheetRows + 1;
    for (int c = 0; c <= MaxCols; ++c) {
        GridText[c].assign(rows, QString());
        CellText[c].assign(rows, QString());
        CellValue[c].assign(rows, 0.0);
        CellKind[c].assign(rows, 0);
        for (int p = 1; p <= LinePlanes; ++p)
            CellLines[p][c].assign(rows, 0);
    }
}

} // namespace core
