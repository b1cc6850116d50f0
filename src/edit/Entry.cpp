#include "edit/Entry.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "edit/Undo.h"
#include "platform/Ui.h"

#include <algorithm>

namespace edit {

void CommitEntry(App& app, const QString& text)
{
    const QString stored = StoreEntry(app, text);
    calc::RecalcAll(app);
    if (app.grid.row == app.sheet.HeadingRow)
        core::RefreshColumnHeadings(app);
    app.ui().gridChanged(platform::GridChange::Cells);
    core::ShowStatus(app, core::StripMark(stored));
}

QString StoreEntry(App& app, const QString& text)
{
    core::Sheet& sheet = app.sheet;
    // The editor empties itself on leaving typing mode; the caller's text may be its copy.
    const QString typed = text;
    SetTypingMode(app, false);
    sheet.Modified = true;
    const int c = app.grid.col;
    const int r = app.grid.row;
    SaveUndo(app, c, r);
    QString s = ClassifyEntry(app, typed, true);
    sheet.CellText[c][r] = s;
    sheet.CellValue[c][r] = core::NumericValue(s);
    core::ShowCell(app, c, r);
    // An empty entry still widens the used area: the cell was touched.
    sheet.LastCol = std::max(sheet.LastCol, c);
    sheet.LastRow = std::max(sheet.LastRow, r);
    return s;
}

QString ClassifyEntry(App& app, const QString& text, bool warn)
{
    if (text.isEmpty())
        return text;
    if (text[0] == u'\'')
        return text;
    if (text[0] == u'=') {
        const QString formula = NormalizeFormula(text);
        int depth = 0;
        for (QChar ch : formula)
            depth += ch == u'(' ? 1 : ch == u')' ? -1 : 0;
        if (warn && depth != 0) {
            platform::Message warning;
            warning.icon = platform::Icon::Warning;
            warning.text = QStringLiteral("計算式エラー.左右の括弧が対応していません.");
            app.ui().message(warning);
        }
        return formula;
    }
    if (core::IsNumericText(text))
        return QChar(core::NumberMark) + text;
    return QChar(core::TextMark) + text;
}

QString NormalizeFormula(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool inString = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (!inString) {
            out += (ch >= u'a' && ch <= u'z') ? QChar(ch.unicode() - 32) : ch;
            if (ch == u'"')
                inString = true;
        } else if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
            out += u"\"\"";
            ++i;
        } else {
            out += ch;
            if (ch == u'"')
                inString = false;
        }
    }
    return out;
}

void SetTypingMode(App& app, bool on)
{
    app.InputMode = on ? 1 : 0;
    app.ui().setTypingMode(on);
}

void SetPickListMode(App& app, bool on)
{
    app.InputMode = on ? 2 : 0;
    app.ui().setPickListMode(on);
}

bool BeginTyping(App& app)
{
    // Nothing is typed into a sheet that a long loop is changing.
    if (app.InputMode != 0 || core::IsBusy(app))
        return false;
    app.ui().setEditorText(QString());
    SetTypingMode(app, true);
    return true;
}

namespace {

/// Scrolls the grid state just enough to show the current cell.
void keepInView(core::GridState& g)
{
    const int rows = std::max(1, g.visibleRows);
    const int cols = std::max(1, g.visibleCols);
    if (g.row < g.topRow)
        g.topRow = g.row;
    else if (g.row >= g.topRow + rows)
        g.topRow = g.row - rows + 1;
    if (g.col < g.leftCol)
        g.leftCol = g.col;
    else if (g.col >= g.leftCol + cols)
        g.leftCol = g.col - cols + 1;
}

} // namespace

void MoveCurrentCell(App& app, int c, int r)
{
    if (app.InputMode == 1)
        CommitEntry(app, app.ui().editorText());
    else if (app.InputMode == 2)
        SetPickListMode(app, false);
    core::GridState& g = app.grid;
    g.col = std::clamp(c, 1, core::MaxCols);
    g.row = std::clamp(r, 1, std::max(1, app.sheet.SheetRows));
    g.selection = core::CellBlock{g.col, g.col, g.row, g.row};
    keepInView(g);
    core::ShowCellName(app);
    core::ShowStatus(app, core::StripMark(app.sheet.CellText[g.col][g.row]));
    app.ui().gridChanged(platform::GridChange::CurrentCell);
}

} // namespace edit
