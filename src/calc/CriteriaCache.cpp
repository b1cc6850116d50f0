#include "calc/CriteriaCache.h"

#include "core/Sheet.h"

#include <QHashFunctions>
#include <algorithm>

namespace calc {

std::size_t CriteriaCache::KeyHash::operator()(const Key& key) const noexcept
{
    std::size_t seed = qHash(key.text);
    seed = qHashMulti(seed, key.range.firstCol, key.range.lastCol, key.range.firstRow,
                      key.range.lastRow);
    return seed;
}

CriteriaCache::CriteriaCache(const core::Sheet& sheet) : m_sheet(sheet) {}

CriteriaCache::Entry* CriteriaCache::find(const CellArea& range, QStringView criterionText)
{
    const auto it = m_index.find(Key{range, criterionText});
    return it == m_index.end() ? nullptr : &m_entries[it->second];
}

void CriteriaCache::add(const CellArea& range, QStringView criterionText, Criterion criterion,
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

int CriteriaCache::count(Entry& entry, const Evaluator& evaluator)
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

const CriteriaCache::SumEntry* CriteriaCache::findSum(const CellArea& criteria,
                                                      QStringView callText)
{
    const auto it = m_sumIndex.find(Key{criteria, callText});
    if (it == m_sumIndex.end())
        return nullptr;
    SumEntry& entry = m_sums[it->second];
    if (!entry.waitingOn && entry.skippedCells == 0)
        return &entry; // nothing it read can change
    // Any cell of its rows done since, in a criteria or a sum column, may change it.
    const auto stillHolds = [&](int c) {
        const std::vector<int>& done = m_done[std::size_t(c)];
        int& seen = entry.seen[std::size_t(c)];
        for (; seen < int(done.size()); ++seen) {
            const int r = done[std::size_t(seen)];
            if (r >= entry.rows.firstRow && r <= entry.rows.lastRow)
                return false;
        }
        return true;
    };
    for (int c = entry.rows.firstCol; c <= entry.rows.lastCol; ++c)
        if (!stillHolds(c))
            return nullptr;
    for (int c = entry.firstSumCol; c <= entry.lastSumCol; ++c)
        if (!stillHolds(c))
            return nullptr;
    return &entry;
}

void CriteriaCache::storeSum(QStringView callText, SumEntry entry)
{
    if (entry.waitingOn || entry.skippedCells > 0) {
        m_tracking = true;
        for (int c = 1; c <= core::MaxCols; ++c)
            entry.seen[std::size_t(c)] = int(m_done[std::size_t(c)].size());
    }
    const Key key{entry.criteria, callText};
    if (const auto it = m_sumIndex.find(key); it != m_sumIndex.end()) {
        m_sums[it->second] = std::move(entry);
        return;
    }
    m_sumIndex.emplace(key, m_sums.size());
    m_sums.push_back(std::move(entry));
}

CellArea CriteriaCache::pendingBlock(const CellArea& range) const
{
    // Only formulas of the used area are ever pending.
    CellArea block = range;
    block.lastCol = std::min(block.lastCol, std::max(m_sheet.LastCol, block.firstCol));
    block.lastRow = std::min(block.lastRow, std::max(m_sheet.LastRow, block.firstRow));
    return block;
}

} // namespace calc
