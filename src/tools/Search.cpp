#include "tools/Search.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/AdjustFormula.h"
#include "edit/Entry.h"
#include "edit/InsertDelete.h"
#include "platform/Ui.h"
#include "tools/SearchDialogState.h"

#include <QLocale>
#include <optional>

namespace tools {

namespace {

using Cond = SearchDialogState::Cond;

template <typename T> bool compares(int cond, const T& order)
{
    switch (cond) {
    case Cond::Equal: return order == 0;
    case Cond::Greater: return order > 0;
    case Cond::GreaterEqual: return order >= 0;
    case Cond::Less: return order < 0;
    case Cond::LessEqual: return order <= 0;
    default: return false;
    }
}

int numberOrder(double v, double x)
{
    return v < x ? -1 : v > x ? 1 : 0;
}

void warn(App& app, const QString& text)
{
    platform::Message message;
    message.icon = platform::Icon::Warning;
    message.text = text;
    app.ui().message(message);
}

/// The first hit from (sc, sr) on, in the order of a search: forwards row by row to the
/// bottom right, backwards to the top left. The range is read in blocks of rows, column by
/// column inside a block, where a column's texts lie close together in memory.
std::optional<core::CellPos> nextHit(const CellMatcher& matcher, const core::CellBlock& range,
                                     int sc, int sr, bool forward)
{
    constexpr int BlockRows = 64;
    const int step = forward ? 1 : -1;
    // A start outside the range begins at its edge.
    if (forward && sr < range.top) {
        sr = range.top;
        sc = range.left;
    } else if (!forward && sr > range.bottom) {
        sr = range.bottom;
        sc = range.right;
    }
    sc = forward ? std::max(sc, range.left) : std::min(sc, range.right);
    // The start row alone, from the start column.
    if (sr >= range.top && sr <= range.bottom)
        for (int c = sc; forward ? c <= range.right : c >= range.left; c += step)
            if (matcher.CellMatches(c, sr))
                return core::CellPos{c, sr};
    for (int first = sr + step; forward ? first <= range.bottom : first >= range.top;
         first += step * BlockRows) {
        const int last = forward ? std::min(first + BlockRows - 1, range.bottom)
                                 : std::max(first - BlockRows + 1, range.top);
        // The best hit so far lies in row `limit`: later columns need only rows before it.
        std::optional<core::CellPos> best;
        int limit = last + step;
        for (int c = forward ? range.left : range.right;
             forward ? c <= range.right : c >= range.left; c += step)
            for (int r = first; r != limit; r += step)
                if (matcher.CellMatches(c, r)) {
                    best = core::CellPos{c, r};
                    limit = r;
                    break;
                }
        if (best)
            return best;
    }
    return std::nullopt;
}

void clearRow(App& app, int r)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= core::MaxCols; ++c) {
        sheet.CellText[c][r].clear();
        sheet.CellValue[c][r] = 0;
        sheet.GridText[c][r].clear();
        for (int p = 1; p <= core::LinePlanes; ++p)
            sheet.CellLines[p][c][r] = 0;
    }
}

/// The cell after (or before) the current one, wrapping to the next (previous) row.
core::CellPos stepFromCursor(const App& app, const core::CellBlock& range, bool forward)
{
    core::CellPos p{app.grid.col + (forward ? 1 : -1), app.grid.row};
    if (forward && p.col > range.right) {
        p.col = range.left;
        ++p.row;
    } else if (!forward && p.col < range.left) {
        p.col = range.right;
        --p.row;
    }
    return p;
}

} // namespace

QString SearchUpper(QStringView text)
{
    QString out = text.toString();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar ch = out[i];
        if (ch.isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(ch, out[i + 1]));
            if (QChar::requiresSurrogates(upper)) {
                out[i] = QChar(QChar::highSurrogate(upper));
                out[i + 1] = QChar(QChar::lowSurrogate(upper));
            }
            ++i;
        } else if (!ch.isSurrogate()) {
            const char32_t upper = QChar::toUpper(ch.unicode());
            if (!QChar::requiresSurrogates(upper))
                out[i] = QChar(char16_t(upper));
        }
    }
    return out;
}

SearchOptions SearchOptionsOf(const SearchDialogState& state)
{
    SearchOptions options;
    options.caseMode = state.optCase;
    options.text = state.optCase == 1 ? SearchUpper(state.cbStr) : state.cbStr;
    options.number = core::ParseNumber(state.cbStr);
    options.cond = state.optCond;
    options.way = state.optWay;
    return options;
}

CellMatcher::CellMatcher(const core::Sheet& sheet, const SearchOptions& options)
    : m_sheet(sheet)
    , m_options(options)
    , m_collator(QLocale(QLocale::Japanese, QLocale::Japan))
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
}

bool CellMatcher::CellMatches(int c, int r) const
{
    if (m_options.way == 1)
        return compares(m_options.cond, numberOrder(m_sheet.CellValue[c][r], m_options.number));
    const QStringView stored = core::WithoutLeadingMark(m_sheet.CellText[c][r]);
    QString upper;
    const QStringView text = m_options.caseMode == 1 ? QStringView(upper = SearchUpper(stored))
                                                     : stored;
    if (m_options.cond == Cond::Contains)
        return !text.isEmpty() && !m_options.text.isEmpty() && text.contains(m_options.text);
    return compares(m_options.cond, m_collator.compare(text, m_options.text));
}

core::CellBlock SearchRange(const App& app)
{
    const core::CellBlock& s = app.grid.selection;
    if (s.left != s.right || s.top != s.bottom)
        return s;
    return core::CellBlock{1, app.sheet.LastCol, 1, app.sheet.LastRow};
}

std::vector<core::CellPos> FindAll(const core::Sheet& sheet, const SearchOptions& options,
                                   const core::CellBlock& range)
{
    const CellMatcher matcher(sheet, options);
    std::vector<core::CellPos> hits;
    int sc = range.left;
    int sr = range.top;
    while (const std::optional<core::CellPos> hit = nextHit(matcher, range, sc, sr, true)) {
        hits.push_back(*hit);
        sc = hit->col + 1;
        sr = hit->row;
        if (sc > range.right) {
            sc = range.left;
            ++sr;
        }
    }
    return hits;
}

void RunSearch(App& app)
{
    core::Sheet& sheet = app.sheet;
    if (sheet.LastCol == 0) {
        warn(app, QStringLiteral("何もデータが無いので検索できません."));
        return;
    }
    if (app.ExtractBusy) {
        app.ExtractStop = true;
        return;
    }
    SearchDialogState& state = app.searchDialog;
    const core::CellBlock& s = app.grid.selection;
    state.areaShown = s.left == s.right && s.top == s.bottom;
    if (state.areaShown) {
        state.lblArea = QStringLiteral("全範囲 (A1 ～ ") + core::CellName(sheet.LastCol, sheet.LastRow)
                        + u')';
    } else {
        state.lblArea = core::CellName(s.left, s.top) + QStringLiteral(" ～ ")
                        + core::CellName(s.right, s.bottom);
    }
    const core::CellBlock range = SearchRange(app);
    if (!app.ui().askSearchDialog(state, sheet.SearchHistory))
        return;
    core::BusyGuard busy(app);
    core::ShowStatus(app, QStringLiteral("検索中..."));
    app.ui().processEvents();
    if (state.optOut == 0) {
        PromptedSearch(app, range);
    } else {
        core::CellPos start{range.left, range.top};
        if (state.searchesDown())
            start = stepFromCursor(app, range, true);
        ExtractRows(app, range, SearchOptionsOf(state), start.col, start.row);
    }
    core::ShowCellName(app);
}

void PromptedSearch(App& app, const core::CellBlock& range)
{
    const SearchDialogState& state = app.searchDialog;
    const CellMatcher matcher(app.sheet, SearchOptionsOf(state));
    const bool forward = !state.searchesUp();
    QString prefix = forward ? QStringLiteral("これ以降には") : QStringLiteral("これ以前には");
    core::CellPos start{range.left, range.top};
    if (!forward) {
        start = stepFromCursor(app, range, false);
    } else if (state.searchesDown()) {
        prefix.clear();
        start = stepFromCursor(app, range, true);
    }
    bool stopped = false;
    int sc = start.col;
    int sr = start.row;
    while (const std::optional<core::CellPos> hit = nextHit(matcher, range, sc, sr, forward)) {
        edit::MoveCurrentCell(app, hit->col, hit->row);
        platform::Message question;
        question.icon = platform::Icon::Question;
        question.buttons = platform::Buttons::YesNo;
        question.text = core::CellName(hit->col, hit->row)
                        + QStringLiteral(" に検索対象データを発見しました.次を検索しますか?");
        if (app.ui().message(question) != platform::Answer::Yes) {
            stopped = true;
            break;
        }
        if (forward)
            prefix = QStringLiteral("これ以降には");
        sc = hit->col + (forward ? 1 : -1);
        sr = hit->row;
        if (forward && sc > range.right) {
            sc = range.left;
            ++sr;
        } else if (!forward && sc < range.left) {
            sc = range.right;
            --sr;
        }
    }
    core::ShowStatus(app, stopped ? QString() : prefix + QStringLiteral("検索対象データはありません."));
}

int ExtractRows(App& app, const core::CellBlock& range, const SearchOptions& options,
                int startCol, int startRow)
{
    core::BusyGuard busy(app);
    core::Sheet& sheet = app.sheet;
    app.ExtractBusy = true;
    app.ExtractStop = false;
    const CellMatcher matcher(sheet, options);
    int hits = 0;
    int dest = 0;
    int last = startRow - 1;
    for (int r = startRow; r <= range.bottom; ++r) {
        core::ShowStatus(app, QStringLiteral("行") + QString::number(r) + QStringLiteral("検索中."));
        bool hit = false;
        for (int c = r == startRow ? startCol : range.left; c <= range.right && !hit; ++c)
            hit = matcher.CellMatches(c, r);
        if (hit) {
            ++hits;
            core::ShowStatus(app, QStringLiteral("行") + QString::number(r) + QStringLiteral("抽出."));
            if (dest > 0)
                MoveRow(app, r, dest++);
        } else if (dest == 0) {
            dest = r;
        }
        last = r;
        app.ui().processEvents();
        if (app.ExtractStop)
            break;
    }
    // Only the rows examined close up: a stopped extraction keeps the rest as they were.
    if (dest > 0) {
        const int count = last - dest + 1;
        const int rows = sheet.SheetRows;
        edit::DeleteRows(app, dest, count);
        // Deleting never takes the sheet's last row: when every row went, it stays, empty.
        if (rows - sheet.SheetRows < count)
            clearRow(app, dest);
    }
    app.ExtractBusy = false;
    core::RescanExtent(app);
    core::RefreshHeaders(app);
    calc::RecalcAll(app);
    core::ShowStatus(app, QString::number(hits) + QStringLiteral("行抽出しました."));
    if (dest > 0)
        sheet.Modified = true;
    return hits;
}

void MoveRow(App& app, int src, int dest)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol; ++c) {
        sheet.CellText[c][dest] = edit::AdjustFormula(app, c, src, 0, dest - src);
        sheet.CellValue[c][dest] = sheet.CellValue[c][src];
        core::ShowCell(app, c, dest);
        for (int p = 1; p <= 4; ++p)
            sheet.CellLines[p][c][dest] = sheet.CellLines[p][c][src];
    }
}

void SearchAgain(App& app, bool forward)
{
    const SearchDialogState& state = app.searchDialog;
    if (state.cbStr.isEmpty()) {
        core::ShowStatus(app, QStringLiteral("検索データが指定されていません．"));
        return;
    }
    const core::CellBlock range = SearchRange(app);
    const CellMatcher matcher(app.sheet, SearchOptionsOf(state));
    const core::CellPos start = stepFromCursor(app, range, forward);
    const std::optional<core::CellPos> hit = nextHit(matcher, range, start.col, start.row, forward);
    const bool found = hit.has_value();
    if (found) {
        edit::MoveCurrentCell(app, hit->col, hit->row);
        core::ShowCellName(app);
    }
    if (!found)
        core::ShowStatus(app, (forward ? QStringLiteral("これ以降") : QStringLiteral("これ以前"))
                                  + QStringLiteral("には検索対象データはありません."));
}

} // namespace tools
