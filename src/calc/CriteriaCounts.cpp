#include "calc/CriteriaCounts.h"

#include "core/Sheet.h"

#include <QHashFunctions>
#include <algorithm>

namespace calc {

std::size_t CriteriaCounts::KeyHash::operator()(const Key& key) const noexcept
{
    std::size_t seed = qHash(key.text);
    seed = qHashMulti(seed, key.range.firstCol, key.range.lastCol, key.range.firstRow,
                      key.range.lastRow);
    return seed;
}

CriteriaCounts::CriteriaCounts(const core::Sheet& sheet) : m_sheet(sheet) {}

CriteriaCounts::Entry* CriteriaCounts::find(const CellArea& range, QStringView criterionText)
{
    const auto it = m_index.find(Key{range, criterionText});
    return it == m_index.end() ? nullptr : &m_entries[it->second];
}

void CriteriaCounts::add(const CellArea& range, QStringView criterionText, Criterion criterion,
                         int count, int skipped)
{
    Entry entry{range, std::move(criterion), count, skipped, {}};
    if (skipped > 0) {
        m_tracking = true;
        for (int c = range.firstCol; c <= range.lastCol; ++c)
            entry.seen[std::size_t(c)] = int(m_done[std::size_t(c)].size());
    }
    m_index.emplace(Key{range, criterionText}, m_entries.size());
    m_entries.push_back(std::move(entry));
}

int CriteriaCounts::count(Entry& entry, const Evaluator& evaluator)
{
    const CellArea& range = entry.range;
    for (int c = range.firstCol; c <= range.lastCol && entry.skipped > 0; ++c) {
        const std::vector<int>& done = m_done[std::size_t(c)];
        int& seen = entry.seen[std::size_t(c)];
        for (; seen < int(done.size()); ++seen) {
            const int r = done[std::size_t(seen)];
            if (r < range.firstRow || r > range.lastRow ||
                !evaluator.ComparesNumber(range.firstCol, c, r, entry.criterion))
                continue;
            --entry.skipped;
            if (NumberMatches(entry.criterion.code, m_sheet.CellValue[c][r],
                              entry.criterion.value))
                ++entry.count;
        }
    }
    return entry.count;
}

CellArea CriteriaCounts::pendingBlock(const CellArea& range) const
{
    // Only formulas of the used area are ever pending.
    CellArea block = range;
    block.lastCol = std::min(block.lastCol, std::max(m_sheet.LastCol, block.firstCol));
    block.lastRow = std::min(block.lastRow, std::max(m_sheet.LastRow, block.firstRow));
    return block;
}

} // namespace calc
