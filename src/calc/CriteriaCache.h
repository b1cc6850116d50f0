#pragma once

#include "calc/Evaluator.h"

#include <QStringView>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

namespace core {
struct Sheet;
}

namespace calc {

/// COUNTIF and SUMIF results kept for one recalculation, by range and the text of the rest
/// of the call. Formula cells only ever go from pending to done while it runs, so a count
/// needs only the cells that became done since it was last asked for: each of them either
/// was skipped by the count (a numeric criterion) and is now compared, or never counted
/// either way. A sum, added in row order, is kept while no cell of its ranges got done.
class CriteriaCache
{
public:
    struct SumEntry
    {
        CellArea criteria; // as written, before whole rows or columns are filled in
        CellArea rows;     // the rows and the criteria columns scanned
        int firstSumCol = 0;
        int lastSumCol = 0;
        int end = 0; // scan position after the call's ")"
        double total = 0;
        std::optional<core::CellPos> waitingOn;
        std::optional<CellArea> skipped;
        int skippedCells = 0;
        std::array<int, core::MaxCols + 1> seen{};
    };

    struct Entry
    {
        CellArea range;
        Criterion criterion;
        int count = 0;
        int skipped = 0; // pending cells the count skipped
        /// Per column of the range: how many of its done cells the count has seen.
        std::array<int, core::MaxCols + 1> seen{};
    };

    explicit CriteriaCache(const core::Sheet& sheet);

    /// The entry of a range and a criterion text (quotes included), if there is one.
    /// The text must stay valid for the whole recalculation.
    Entry* find(const CellArea& range, QStringView criterionText);
    void add(const CellArea& range, QStringView criterionText, Criterion criterion, int count,
             int skipped);
    /// The entry's count with every cell done so far.
    int count(Entry& entry, const Evaluator& evaluator);
    /// The kept SUMIF of criteria range and call text, if it still holds.
    const SumEntry* findSum(const CellArea& criteria, QStringView callText);
    /// Keeps (or replaces) the result of a SUMIF.
    void storeSum(QStringView callText, SumEntry entry);

    /// A block holding every pending cell of a range.
    CellArea pendingBlock(const CellArea& range) const;

    /// Formula cell (c, r) is done.
    void cellDone(int c, int r)
    {
        if (m_tracking)
            m_done[std::size_t(c)].push_back(r);
    }

private:
    struct Key
    {
        CellArea range;
        QStringView text;
        bool operator==(const Key& other) const
        {
            return range.firstCol == other.range.firstCol &&
                   range.lastCol == other.range.lastCol &&
                   range.firstRow == other.range.firstRow &&
                   range.lastRow == other.range.lastRow && text == other.text;
        }
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const noexcept;
    };

    const core::Sheet& m_sheet;
    std::unordered_map<Key, std::size_t, KeyHash> m_index;
    std::vector<Entry> m_entries;
    std::unordered_map<Key, std::size_t, KeyHash> m_sumIndex;
    std::vector<SumEntry> m_sums;
    std::array<std::vector<int>, core::MaxCols + 1> m_done; // rows, in the order they got done
    bool m_tracking = false; // no count needs the done cells until one skipped some
};

} // namespace calc
