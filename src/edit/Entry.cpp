#include "edit/Entry.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "edit/Undo.h"
#include "platform/Ui.h"

#include <algorithm>

namespace edit {

void CommitEntry(App& app, const QString& text)
{
    core::Sheet& sheet = app.sheet;
    app.InputMode = 0;
    app.ui().setTypingMode(false);
    sheet.Modified = true;
    const int c = app.grid.col;
    const int r = app.grid.row;
    SaveUndo(app, c, r);
    const QString s = ClassifyEntry(app, text, true);
    sheet.CellText[c][r] = s;
    sheet.CellValue[c][r] = core::NumericValue(s);
    core::ShowCell(app, c, r);
    // An empty entry still widens the used area: the cell was touched.
    sheet.LastCol = std::max(sheet.LastCol, c);
    sheet.LastRow = std::max(sheet.LastRow, r);
    calc::RecalcAll(app);
    if (r == sheet.HeadingRow)
        core::RefreshColumnHeadings(app);
    app.ui().gridChanged(platform::GridChange::Cells);
    core::ShowStatus(app, core::StripMark(s));
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

} // namespace edit
