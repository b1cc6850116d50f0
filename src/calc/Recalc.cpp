#include "calc/Recalc.h"

#include "calc/CriteriaCache.h"
#include "calc/Evaluator.h"
#include "calc/RecalcSteps.h"
#include "core/App.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

// The passes are simulated exactly, formula by formula in pass order, but a waiting formula
// is evaluated again only when one of the pending cells its last evaluation depended on has
// been evaluated since: the cell that made it wait, or a pending cell that one of its
// criteria skipped, when the skipping could change the outcome. Done and constant cells
// never change during a recalculation, so any other formula would repeat its last result.
// A cell done at position x in pass k wakes its watchers behind x for pass k and those
// before x for pass k + 1, which is exactly when the pass algorithm would first see the
// change. COUNTIF is answered from counts kept up to date as cells get done, SUMIF from
// sums kept until a cell of their ranges gets done.

namespace calc {

namespace {

class PassSimulation
{
public:
    PassSimulation(App& app, const detail::FormulaTexts& texts)
        : m_app(app), m_sheet(app.sheet), m_texts(texts), m_formulas(texts.formulas()),
          m_collator(detail::CriteriaCollator()), m_evaluator(m_sheet, m_collator), m_cache(m_sheet),
          m_pending(int(m_formulas.size())), m_generation(m_formulas.size(), 0),
          m_scheduled(m_formulas.size(), 1), m_inError(m_formulas.size(), 0),
          m_cellWatchers(m_formulas.size(), -1)
    {
        m_evaluator.setCriteriaCache(&m_cache);
        // Rows in pass order, and where each column starts: indexOf searches one column.
        m_rows.reserve(m_formulas.size());
        for (const auto& formula : m_formulas) {
            m_rows.push_back(formula.cell.row);
            m_columnEnd[std::size_t(formula.cell.col)] = int(m_rows.size());
        }
        for (std::size_t c = 1; c < m_columnEnd.size(); ++c)
            m_columnEnd[c] = std::max(m_columnEnd[c], m_columnEnd[c - 1]);
    }

    void run();

private:
    struct CellWatch
    {
        int formula;
        int generation;
        int next;
    };
    struct AreaWatch
    {
        int formula;
        int generation;
        int firstRow;
        int lastRow;
    };

    void runPass(std::vector<int>& current);
    void prefetchFormula(int i) const
    {
        const core::CellPos& cell = m_formulas[std::size_t(i)].cell;
        detail::Prefetch(m_texts.text(i).utf16());
        detail::PrefetchText(m_sheet.GridText[cell.col][cell.row]);
    }
    void evaluate(int i);
    void watch(int i);
    void wake(int i);
    void schedule(int j, int pass);
    int indexOf(const core::CellPos& cell) const;
    void warnIfCircular();

    App& m_app;
    core::Sheet& m_sheet;
    const detail::FormulaTexts& m_texts;
    const detail::ColumnFormats m_formats = detail::ParseColumnFormats(m_app);
    const std::vector<detail::FormulaTexts::Formula>& m_formulas; // pass order
    std::vector<int> m_rows;                                       // their rows
    std::array<int, core::MaxCols + 1> m_columnEnd{};              // by column
    const QCollator m_collator;
    Evaluator m_evaluator;
    CriteriaCache m_cache;
    int m_pending;
    int m_errors = 0; // waiting formulas whose latest result is an error
    int m_pass = 1;
    bool m_progress = false;
    std::vector<int> m_generation; // evaluations so far; watches of older ones are stale
    std::vector<int> m_scheduled;  // the latest pass a formula is to be evaluated in
    std::vector<char> m_inError;
    std::vector<int> m_cellWatchers; // first CellWatch waiting on the formula's cell
    std::vector<CellWatch> m_cellWatches;
    std::array<std::vector<AreaWatch>, core::MaxCols + 1> m_areaWatches; // by column
    std::priority_queue<int, std::vector<int>, std::greater<>> m_later;  // woken this pass
    std::vector<int> m_next;                                             // woken for next pass
};

void PassSimulation::run()
{
    std::vector<int> current(m_formulas.size());
    for (std::size_t i = 0; i < current.size(); ++i)
        current[i] = int(i);
    for (;;) {
        m_progress = false;
        runPass(current);
        if (!m_progress) {
            warnIfCircular();
            return;
        }
        if (m_pending == 0)
            return;
        ++m_pass;
        std::sort(m_next.begin(), m_next.end());
        current.swap(m_next);
        m_next.clear();
    }
}

void PassSimulation::runPass(std::vector<int>& current)
{
    std::size_t k = 0;
    while (k < current.size() || !m_later.empty()) {
        int i;
        if (m_later.empty() || (k < current.size() && current[k] < m_later.top())) {
            if (k + detail::PrefetchDistance < current.size())
                prefetchFormula(current[k + detail::PrefetchDistance]);
            i = current[k++];
        } else {
            i = m_later.top();
            m_later.pop();
        }
        evaluate(i);
    }
}

void PassSimulation::evaluate(int i)
{
    const core::CellPos& cell = m_formulas[std::size_t(i)].cell;
    if (m_sheet.CellKind[cell.col][cell.row] != core::kindPending)
        return;
    ++m_generation[std::size_t(i)];
    const FormulaResult result = m_evaluator.EvaluateFormula(m_texts.text(i));
    const detail::Outcome outcome = detail::StoreFormulaResult(m_app, cell.col, cell.row, result, m_formats);
    const char inError = outcome == detail::Outcome::Error;
    m_errors += inError - m_inError[std::size_t(i)];
    m_inError[std::size_t(i)] = inError;
    if (outcome == detail::Outcome::Done) {
        --m_pending;
        m_progress = true;
        m_cache.cellDone(cell.col, cell.row);
        wake(i);
    } else {
        watch(i);
    }
}

void PassSimulation::watch(int i)
{
    const int generation = m_generation[std::size_t(i)];
    if (const auto& cell = m_evaluator.waitingOn()) {
        const int x = indexOf(*cell);
        m_cellWatches.push_back(CellWatch{i, generation, m_cellWatchers[std::size_t(x)]});
        m_cellWatchers[std::size_t(x)] = int(m_cellWatches.size()) - 1;
    }
    if (!m_evaluator.outcomeUsesSkipped())
        return;
    for (const CellArea& area : m_evaluator.pendingAreas())
        for (int c = area.firstCol; c <= area.lastCol; ++c)
            m_areaWatches[std::size_t(c)].push_back(
                AreaWatch{i, generation, area.firstRow, area.lastRow});
}

void PassSimulation::wake(int i)
{
    const core::CellPos& cell = m_formulas[std::size_t(i)].cell;
    for (int w = m_cellWatchers[std::size_t(i)]; w >= 0; w = m_cellWatches[std::size_t(w)].next) {
        const CellWatch& watch = m_cellWatches[std::size_t(w)];
        if (watch.generation == m_generation[std::size_t(watch.formula)])
            schedule(watch.formula, watch.formula > i ? m_pass : m_pass + 1);
    }
    m_cellWatchers[std::size_t(i)] = -1;
    auto& areas = m_areaWatches[std::size_t(cell.col)];
    for (std::size_t k = 0; k < areas.size();) {
        const AreaWatch& watch = areas[k];
        if (watch.generation != m_generation[std::size_t(watch.formula)]) {
            areas[k] = areas.back(); // superseded by a later evaluation
            areas.pop_back();
            continue;
        }
        if (cell.row >= watch.firstRow && cell.row <= watch.lastRow)
            schedule(watch.formula, watch.formula > i ? m_pass : m_pass + 1);
        ++k;
    }
}

void PassSimulation::schedule(int j, int pass)
{
    if (m_scheduled[std::size_t(j)] >= pass)
        return;
    m_scheduled[std::size_t(j)] = pass;
    if (pass == m_pass)
        m_later.push(j);
    else
        m_next.push_back(j);
}

int PassSimulation::indexOf(const core::CellPos& cell) const
{
    // Only formula cells of the used area are ever pending.
    const auto first = m_rows.begin() + m_columnEnd[std::size_t(cell.col) - 1];
    const auto last = m_rows.begin() + m_columnEnd[std::size_t(cell.col)];
    const auto it = std::lower_bound(first, last, cell.row);
    Q_ASSERT(it != last && *it == cell.row);
    return int(it - m_rows.begin());
}

void PassSimulation::warnIfCircular()
{
    // The pass changed nothing: every formula still pending was tried again and waited or
    // failed. The warning names the last of them in pass order.
    if (m_errors != 0)
        return;
    for (auto it = m_formulas.rbegin(); it != m_formulas.rend(); ++it)
        if (m_sheet.CellKind[it->cell.col][it->cell.row] == core::kindPending) {
            detail::WarnCircular(m_app, it->cell.col, it->cell.row);
            return;
        }
}

} // namespace

void RecalcAll(App& app)
{
    detail::FormulaTexts formulas;
    if (detail::ClassifyCells(app, &formulas) == 0)
        return;
    PassSimulation(app, formulas).run();
}

} // namespace calc
