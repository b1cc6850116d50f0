#include "tools/Sort.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "platform/Ui.h"
#include "tools/SortDialogState.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace tools {

namespace {

/// Text keys order by their kind first, then by their visible text in the Japanese,
/// case-sensitive collation: empty cells, numbers as typed, texts, forced texts, formulas
/// (by their formula text), then anything else.
int kindOf(const QString& stored)
{
    if (stored.isEmpty())
        return 0;
    switch (stored.front().unicode()) {
    case core::NumberMark: return 1;
    case core::TextMark: return 2;
    case u'\'': return 3;
    case u'=': return 4;
    default: return 5;
    }
}

QStringView visibleText(const QString& stored)
{
    const int kind = kindOf(stored);
    return kind >= 1 && kind <= 4 ? QStringView(stored).mid(1) : QStringView(stored);
}

QCollator keyCollator()
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

/// The order of two text keys: negative when a comes first.
int compareTextKeys(const QCollator& collator, const QString& a, const QString& b)
{
    const int ka = kindOf(a);
    const int kb = kindOf(b);
    if (ka != kb)
        return ka - kb;
    return collator.compare(visibleText(a), visibleText(b));
}

/// Dense ranks of the rows' keys in ascending order: equal keys share a rank.
std::vector<int> textRanks(const App& app, int key, int top, int bottom)
{
    const QCollator collator = keyCollator();
    const int n = bottom - top + 1;
    std::vector<int> kinds(std::size_t(n), 0);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const QString& stored = app.sheet.CellText[key][top + i];
        kinds[std::size_t(i)] = kindOf(stored);
        keys.push_back(collator.sortKey(visibleText(stored).toString()));
    }
    const auto order3 = [&](int a, int b) {
        const int kind = kinds[std::size_t(a)] - kinds[std::size_t(b)];
        return kind != 0 ? kind : keys[std::size_t(a)].compare(keys[std::size_t(b)]);
    };
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return order3(a, b) < 0; });
    std::vector<int> rank(std::size_t(n), 0);
    for (int k = 1; k < n; ++k)
        rank[std::size_t(order[std::size_t(k)])] =
            rank[std::size_t(order[std::size_t(k - 1)])]
            + (order3(order[std::size_t(k - 1)], order[std::size_t(k)]) != 0);
    return rank;
}

std::vector<int> numberRanks(const App& app, int key, int top, int bottom)
{
    const int n = bottom - top + 1;
    const auto value = [&](int i) { return app.sheet.CellValue[key][top + i]; };
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return value(a) < value(b); });
    std::vector<int> rank(std::size_t(n), 0);
    for (int k = 1; k < n; ++k)
        rank[std::size_t(order[std::size_t(k)])] =
            rank[std::size_t(order[std::size_t(k - 1)])]
            + (value(order[std::size_t(k - 1)]) < value(order[std::size_t(k)]));
    return rank;
}

/// The positions of a row range with their keys' ranks, answering "which position holds the
/// first smallest rank from here on" in O(log n).
class FirstMinimum {
public:
    explicit FirstMinimum(std::vector<int> ranks)
        : m_rank(std::move(ranks))
    {
        m_size = 1;
        while (m_size < int(m_rank.size()))
            m_size *= 2;
        m_tree.assign(std::size_t(2 * m_size), -1);
        for (int i = 0; i < int(m_rank.size()); ++i)
            m_tree[std::size_t(m_size + i)] = i;
        for (int node = m_size - 1; node >= 1; --node)
            m_tree[std::size_t(node)] = better(m_tree[std::size_t(2 * node)],
                                               m_tree[std::size_t(2 * node + 1)]);
    }
    /// The first position of the smallest rank in from..end.
    int query(int from) const
    {
        int best = -1;
        for (int lo = from + m_size, hi = 2 * m_size - 1; lo <= hi; lo /= 2, hi /= 2) {
            if (lo % 2 == 1)
                best = better(best, m_tree[std::size_t(lo++)]);
            if (hi % 2 == 0)
                best = better(best, m_tree[std::size_t(hi--)]);
        }
        return best;
    }
    void swap(int a, int b)
    {
        std::swap(m_rank[std::size_t(a)], m_rank[std::size_t(b)]);
        refresh(a);
        refresh(b);
    }

private:
    int better(int a, int b) const
    {
        if (a < 0)
            return b;
        if (b < 0)
            return a;
        const int ra = m_rank[std::size_t(a)];
        const int rb = m_rank[std::size_t(b)];
        return rb < ra || (rb == ra && b < a) ? b : a;
    }
    void refresh(int position)
    {
        for (int node = (position + m_size) / 2; node >= 1; node /= 2)
            m_tree[std::size_t(node)] = better(m_tree[std::size_t(2 * node)],
                                               m_tree[std::size_t(2 * node + 1)]);
    }

    std::vector<int> m_rank;
    std::vector<int> m_tree;
    int m_size = 1;
};

} // namespace

void RunSort(App& app)
{
    const core::CellBlock& s = app.grid.selection;
    const int key = s.left;
    const int top = s.top;
    const int bottom = s.bottom;
    SortDialogState& state = app.sortDialog;
    state.lblArea = QStringLiteral("キー = ") + QChar(u'A' + key - 1) + QStringLiteral("列 ， 行 ")
                    + QString::number(top) + QStringLiteral(" ～ ") + QString::number(bottom);
    if (!app.ui().askSortDialog(state))
        return;
    SortAndShow(app, key, top, bottom, state.optSeq, state.optWay);
}

void SortAndShow(App& app, int key, int top, int bottom, int order, int method)
{
    core::ShowStatus(app, QStringLiteral("並べ替え中..."));
    core::BusyGuard busy(app);
    SortRows(app, key, top, bottom, order, method);
    core::ShowAllCells(app);
    calc::RecalcAll(app);
    core::RefreshColumnHeadings(app);
    core::ShowStatus(app, QStringLiteral("並べ替え終了."));
    app.sheet.Modified = true;
}

void SortRows(App& app, int key, int top, int bottom, int order, int method)
{
    if (bottom <= top)
        return;
    core::BusyGuard busy(app);
    std::vector<int> ranks =
        method == 1 ? numberRanks(app, key, top, bottom) : textRanks(app, key, top, bottom);
    // Descending looks for the first largest key: the first smallest of the negated ranks.
    if (order == 1)
        for (int& rank : ranks)
            rank = -rank;
    FirstMinimum rows(std::move(ranks));
    const int n = bottom - top + 1;
    for (int i = 0; i < n; ++i) {
        const int m = rows.query(i);
        if (m > i) {
            rows.swap(i, m);
            SwapRows(app, top + i, top + m);
        }
        app.ui().processEvents();
    }
}

void SortRowsPlain(App& app, int key, int top, int bottom, int order, int method)
{
    const QCollator collator = keyCollator();
    const core::Sheet& sheet = app.sheet;
    const auto comesFirst = [&](int j, int m) {
        if (method == 1) {
            const double a = sheet.CellValue[key][j];
            const double b = sheet.CellValue[key][m];
            return order == 0 ? a < b : a > b;
        }
        const int c = compareTextKeys(collator, sheet.CellText[key][j], sheet.CellText[key][m]);
        return order == 0 ? c < 0 : c > 0;
    };
    for (int i = top; i <= bottom; ++i) {
        int m = i;
        for (int j = i + 1; j <= bottom; ++j)
            if (comesFirst(j, m))
                m = j;
        if (m > i)
            SwapRows(app, i, m);
    }
}

void SwapRows(App& app, int a, int b)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol; ++c) {
        std::swap(sheet.CellText[c][a], sheet.CellText[c][b]);
        std::swap(sheet.CellValue[c][a], sheet.CellValue[c][b]);
    }
}

} // namespace tools
