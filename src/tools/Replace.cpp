#include "tools/Replace.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "edit/Entry.h"
#include "platform/Ui.h"
#include "tools/Search.h"
#include "tools/SearchDialogState.h"

namespace tools {

namespace {

/// The before-text as compared: upper-cased unless letter case must match.
QString comparedBefore(const ReplaceDialogState& d)
{
    return d.chkCase ? d.cbBefore : SearchUpper(d.cbBefore);
}

void updateHistories(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    if (d.cbBefore.isEmpty())
        return;
    AddToHistory(d.beforeItems, d.cbBefore);
    app.sheet.SearchHistory = d.beforeItems;
    AddToHistory(d.afterItems, d.cbAfter);
}

/// Replaces the first occurrence in the cursor cell; warn: ClassifyEntry's warning, and the
/// recalculation at once. Returns whether the cell changed.
bool replaceInCursorCell(App& app, const QString& before, bool warn)
{
    ReplaceDialogState& d = app.replaceDialog;
    core::Sheet& sheet = app.sheet;
    const int c = d.col;
    const int r = d.row;
    const QString& stored = sheet.CellText[c][r];
    const QChar mark = stored.isEmpty() ? QChar() : stored.front();
    const QStringView s = core::WithoutLeadingMark(stored);
    const qsizetype p = before.isEmpty() ? -1
                        : d.chkCase      ? s.indexOf(before)
                                         : QStringView(SearchUpper(s)).indexOf(before);
    if (p < 0)
        return false;
    QString text;
    text.reserve(s.size() + d.cbAfter.size() + 1);
    text += s.left(p);
    text += d.cbAfter;
    text += s.mid(p + before.size());
    // A forced text stays forced; other marks are decided anew.
    if (mark == u'\'')
        text.prepend(u'\'');
    sheet.Modified = true;
    const QString entry = edit::ClassifyEntry(app, text, warn);
    sheet.CellText[c][r] = entry;
    sheet.CellValue[c][r] = core::NumericValue(entry);
    core::ShowCell(app, c, r);
    if (warn) {
        calc::RecalcAll(app);
        core::ShowStatus(app, core::StripMark(entry));
        core::RefreshColumnHeadings(app);
    }
    return true;
}

/// The replace cursor steps to the next cell holding the before-text, or past the range.
/// True on a hit.
bool stepToNextHit(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    const QString before = comparedBefore(d);
    for (;;) {
        if (++d.col > d.range.right) {
            d.col = d.range.left;
            ++d.row;
        }
        if (d.pastEnd())
            return false;
        if (before.isEmpty())
            continue;
        const QStringView s = core::WithoutLeadingMark(app.sheet.CellText[d.col][d.row]);
        if (d.chkCase ? s.contains(before) : QStringView(SearchUpper(s)).contains(before))
            return true;
    }
}

} // namespace

void ReplaceCommand(App& app)
{
    if (app.sheet.LastCol == 0) {
        platform::Message warning;
        warning.icon = platform::Icon::Warning;
        warning.text = QStringLiteral("何もデータが無いので置換できません.");
        app.ui().message(warning);
        return;
    }
    OpenReplaceDialog(app);
    app.ui().showReplaceDialog(app.replaceDialog);
    core::ShowStatus(app, QStringLiteral("置換終了."));
    core::ShowCellName(app);
}

void OpenReplaceDialog(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    core::Sheet& sheet = app.sheet;
    const core::CellBlock& s = app.grid.selection;
    if (s.left == s.right && s.top == s.bottom) {
        d.range = core::CellBlock{1, sheet.LastCol, 1, sheet.LastRow};
        d.lblArea = QStringLiteral("全範囲 (A1 ～ ") + core::CellName(sheet.LastCol, sheet.LastRow)
                    + u')';
    } else {
        d.range = s;
        d.lblArea = core::CellName(s.left, s.top) + QStringLiteral(" ～ ")
                    + core::CellName(s.right, s.bottom);
    }
    d.col = d.range.left - 1;
    d.row = d.range.top;
    d.lblCell.clear();
    d.btnRep1Enabled = false;
    const QString current =
        core::WithoutLeadingMark(sheet.CellText[app.grid.col][app.grid.row]).toString();
    d.beforeItems = sheet.SearchHistory;
    if (!sheet.ReplaceHistory.isEmpty()) {
        d.afterItems = sheet.ReplaceHistory;
        sheet.ReplaceHistory.clear();
    }
    d.opened = true;
    d.cbBefore = current;
    d.cbAfter = current;
}

void FindNextReplace(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    if (!stepToNextHit(app))
        return;
    edit::MoveCurrentCell(app, d.col, d.row);
    d.lblCell = core::CellName(d.col, d.row);
}

bool ReplaceSkip(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    updateHistories(app);
    FindNextReplace(app);
    d.btnRep1Enabled = true;
    return d.pastEnd();
}

bool ReplaceAndNext(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    if (d.col < d.range.left)
        return false;
    replaceInCursorCell(app, comparedBefore(d), true);
    FindNextReplace(app);
    return d.pastEnd();
}

void ReplaceAll(App& app)
{
    ReplaceDialogState& d = app.replaceDialog;
    core::BusyGuard busy(app);
    updateHistories(app);
    if (d.col < d.range.left)
        ++d.col;
    const QString before = comparedBefore(d);
    // The cursor and the message panel show only the last cell: what each step would have
    // shown is overwritten by the next at once.
    core::CellPos last{0, 0};
    QString lastEntry;
    while (!d.pastEnd()) {
        if (replaceInCursorCell(app, before, false)) {
            last = core::CellPos{d.col, d.row};
            lastEntry = app.sheet.CellText[d.col][d.row];
        }
        stepToNextHit(app);
    }
    if (last.col > 0) {
        edit::MoveCurrentCell(app, last.col, last.row);
        d.lblCell = core::CellName(last.col, last.row);
        core::ShowStatus(app, core::StripMark(lastEntry));
    }
    if (app.sheet.Modified) {
        calc::RecalcAll(app);
        core::RefreshColumnHeadings(app);
    }
}

void ReplaceInRange(App& app, const core::CellBlock& range, const QString& before,
                    const QString& after, bool matchCase)
{
    ReplaceDialogState& d = app.replaceDialog;
    d.range = range;
    d.col = range.left - 1;
    d.row = range.top;
    d.cbBefore = before;
    d.cbAfter = after;
    d.chkCase = matchCase;
    ReplaceAll(app);
}

} // namespace tools
