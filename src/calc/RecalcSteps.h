#pragma once

#include "calc/Evaluator.h"
#include "core/NumberFormat.h"

#include <QCollator>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct App;

namespace calc::detail {

/// The formulas of one recalculation in pass order (column by column, top to bottom) and
/// their texts. Cell texts lie wherever they were allocated: when that is row by row (a file
/// read) the passes, which read them column by column, would jump through memory, so the
/// texts are then copied and packed by column.
class FormulaTexts
{
public:
    struct Formula
    {
        core::CellPos cell;
        std::uint32_t length = 0;
        const char16_t* data = nullptr;
    };

    /// Formulas in pass order.
    const std::vector<Formula>& formulas() const { return m_formulas; }
    QStringView text(int i) const
    {
        const Formula& f = m_formulas[std::size_t(i)];
        return QStringView(f.data, qsizetype(f.length));
    }

private:
    friend int ClassifyCells(App& app, FormulaTexts* formulas);
    /// Formulas met in pass order; their texts are used where they are.
    void add(int c, int r, const QString& text);
    /// Formulas met row by row; their texts are packed.
    void addCopy(int c, int r, const QString& text);
    void finish();

    std::vector<Formula> m_formulas;
    // Packed texts: blocks that never move, filled column by column; and each column's
    // formulas while classifying row by row.
    static constexpr std::size_t BlockChars = 32768;
    struct Packing
    {
        std::vector<std::unique_ptr<char16_t[]>> blocks;
        char16_t* next = nullptr;
        std::size_t left = 0;
        std::vector<Formula> formulas;
    };
    std::array<Packing, core::MaxCols + 1> m_packed;
};

/// Sets CellValue and CellKind of every cell from its text: formulas of the used area become
/// kindPending, everything else kindConst with its numeric value. Collects the formulas
/// when `formulas` is given; returns their number.
int ClassifyCells(App& app, FormulaTexts* formulas);

/// The collator that orders criterion texts (Japanese); which texts are equal is decided by
/// their folded forms, not by it.
QCollator CriteriaCollator();

enum class Outcome { Done, Waiting, Error };

/// Stores one evaluation of cell (c, r): its value, and its display when it is done or in
/// error. Done cells become kindDone.
Outcome StoreResult(App& app, int c, int r, const FormulaResult& result);

/// The number formats of the columns, parsed once for a recalculation.
using ColumnFormats = std::array<std::optional<core::NumberFormat>, core::MaxCols + 1>;
ColumnFormats ParseColumnFormats(const App& app);

/// StoreResult for a formula cell, with its column's format already parsed.
Outcome StoreFormulaResult(App& app, int c, int r, const FormulaResult& result,
                           const ColumnFormats& formats);

/// How many cells ahead of use PrefetchText is called.
constexpr int PrefetchDistance = 16;

/// Asks for memory ahead of use: cell texts are scattered over the heap, so walking many of
/// them is bound by memory latency.
inline void Prefetch(const void* address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

/// Prefetch of a text's characters.
inline void PrefetchText(const QString& text)
{
    Prefetch(text.constData());
}

/// The circular-reference warning naming cell (c, r).
void WarnCircular(App& app, int c, int r);

} // namespace calc::detail
