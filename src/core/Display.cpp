#include "core/Display.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/NumberFormat.h"
#include "platform/TextMeasure.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

/// Sets dst to the characters of src, in its own buffer when that is unshared and large
/// enough: showing a sheet again then allocates nothing.
void setText(QString& dst, QStringView src)
{
    if (dst.isDetached() && dst.capacity() >= src.size()) {
        dst.resize(src.size());
        std::copy(src.begin(), src.end(), dst.data());
    } else {
        dst = src.toString();
    }
}

/// The text entry padded or clipped by the column's align and wid.
void alignText(const App& app, int c, QStringView text, QString& shown)
{
    const column_type& format = app.sheet.ColFormat[c];
    // Left alignment shows the text as it is; measuring it would change nothing.
    if (format.align != 1 && format.align != 2) {
        setText(shown, text);
        return;
    }
    const QString whole = text.toString();
    const int w = format.wid;
    const int u = CharUnit(app, 1);
    const int n = u > 0 ? (TextPixels(app, whole) + u - 1) / u : 0;
    if (format.align == 2) {
        if (n < w)
            shown = QString((w - n) / 2, u' ') + whole;
        else if (n > w)
            shown = whole.mid(CharsThatFit(app, whole, ((n - w) * u) / 2));
        else
            shown = whole;
    } else {
        if (n < w)
            shown = QString(w - n, u' ') + whole;
        else if (n > w)
            shown = whole.mid(CharsThatFit(app, whole, (n - w) * u));
        else
            shown = whole;
    }
}

/// The display text of cell (c, r) with the column's number format already parsed
/// (nullopt: formatting fails).
void displayText(const App& app, int c, int r, const std::optional<NumberFormat>& format,
                 QString& shown)
{
    const Sheet& sheet = app.sheet;
    const QString& s = sheet.CellText[c][r];
    if (s.isEmpty()) {
        shown.resize(0);
        return;
    }
    if (s[0] == u'\'' || s[0] == TextMark) {
        alignText(app, c, QStringView(s).mid(1), shown);
        return;
    }
    // A value that cannot be formatted (a number entry beyond the double range, 1e400)
    // shows the entry as typed.
    if (!format || !FormatNumberInto(sheet.CellValue[c][r], *format, shown))
        setText(shown, s[0] == NumberMark ? QStringView(s).mid(1) : QStringView(s));
}

/// ShowCell with the column's number format already parsed.
void showCellWith(App& app, int c, int r, const std::optional<NumberFormat>& format)
{
    QString& shown = app.sheet.GridText[c][r];
    if (app.sheet.CellText[c][r].isEmpty())
        shown.clear(); // an empty cell keeps no buffer
    else
        displayText(app, c, r, format, shown);
}

bool isFormula(const QString& text)
{
    return !text.isEmpty() && text[0] == u'=';
}

} // namespace

void ShowCell(App& app, int c, int r)
{
    if (app.Displays == CellDisplays::None)
        return;
    showCellWith(app, c, r, ParseNumberFormat(app.sheet.ColFormat[c].fmt));
}

void ShowAllCells(App& app)
{
    Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol && app.Displays != CellDisplays::None; ++c) {
        const auto format = ParseNumberFormat(sheet.ColFormat[c].fmt);
        const bool all = app.Displays == CellDisplays::All;
        for (int r = 1; r <= sheet.LastRow; ++r)
            if (all || isFormula(sheet.CellText[c][r]))
                showCellWith(app, c, r, format);
    }
    app.ui().gridChanged(platform::GridChange::Cells);
}

void AlignText(App& app, int c, int r, const QString& text)
{
    if (app.Displays != CellDisplays::None)
        alignText(app, c, text, app.sheet.GridText[c][r]);
}

DisplayTexts::DisplayTexts(const App& app)
    : m_app(app)
{
    if (app.Displays == CellDisplays::All)
        return;
    for (int c = 1; c <= MaxCols; ++c)
        m_formats[std::size_t(c)] = ParseNumberFormat(app.sheet.ColFormat[c].fmt);
}

const QString& DisplayTexts::at(int c, int r)
{
    const Sheet& sheet = m_app.sheet;
    if (m_app.Displays == CellDisplays::All
        || (m_app.Displays == CellDisplays::Formulas && isFormula(sheet.CellText[c][r])))
        return sheet.GridText[c][r];
    displayText(m_app, c, r, m_formats[std::size_t(c)], m_text);
    return m_text;
}

int CharsThatFit(const App& app, const QString& text, int px)
{
    // The first prefix at least px wide, by bisection: prefix widths never decrease.
    qsizetype lo = 1;
    qsizetype hi = text.size() + 1; // no prefix reaches px
    int hiWidth = 0;
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo) / 2;
        const int t = TextPixels(app, text.left(mid));
        if (t >= px) {
            hi = mid;
            hiWidth = t;
        } else {
            lo = mid + 1;
        }
    }
    if (hi > text.size())
        return 0;
    return hiWidth == px ? int(hi) : int(hi - 1);
}

int TextPixels(const App& app, const QString& text)
{
    return app.measure().textPixels(text);
}

int CharUnit(const App& app, int n)
{
    return n * TextPixels(app, QStringLiteral("w"));
}

void SetColumnWidth(App& app, int c)
{
    const int n = c == 0 ? 6 : c < 0 ? 10 : app.sheet.ColFormat[c].wid;
    const int px = TextPixels(app, QString(n, u'W')) + 2;
    if (c < 0)
        app.grid.defaultColWidth = px;
    else
        app.grid.colWidths[std::size_t(c)] = px;
    app.ui().gridChanged(platform::GridChange::Layout);
}

void BuildColumnFormat(App& app, int c)
{
    SetColumnWidth(app, c);
    column_type& format = app.sheet.ColFormat[c];
    if (format.shosu == -1)
        format.shosu = 0;
    const QChar type = format.comma == -1 ? u'n' : format.comma == -2 ? u'm' : u'f';
    format.fmt = u'%' + QString::number(format.wid) + u'.' + QString::number(format.shosu) + type;
}

void RefreshColumnHeadings(App& app)
{
    Sheet& sheet = app.sheet;
    const bool letters = sheet.HeadingRow == 0 || sheet.HeadingRow > sheet.SheetRows;
    for (int c = 1; c <= MaxCols; ++c) {
        QString heading(QChar(u'A' + c - 1));
        if (!letters) {
            heading += u'.';
            heading += WithoutLeadingMark(sheet.CellText[c][sheet.HeadingRow]);
        }
        sheet.GridText[c][0] = heading;
    }
    app.ui().gridChanged(platform::GridChange::Cells);
}

void RefreshHeaders(App& app)
{
    RefreshColumnHeadings(app);
    Sheet& sheet = app.sheet;
    for (int r = 1; r <= sheet.SheetRows; ++r)
        sheet.GridText[0][r] = QString::number(r).rightJustified(5, u' ');
    app.ui().gridChanged(platform::GridChange::Cells);
}

void ApplyFont(App& app)
{
    platform::FontSpec font = app.settings.gridFont;
    font.size = app.sheet.FontSize;
    app.measure().setFont(font);
    app.grid.rowHeight = app.measure().textHeight(QStringLiteral("p")) + 2;
    for (int c = -1; c <= MaxCols; ++c)
        SetColumnWidth(app, c);
    app.ui().gridChanged(platform::GridChange::Layout);
}

void SetBusy(App& app, bool on)
{
    app.ui().setBusy(on);
}

void ShowStatus(App& app, const QString& text)
{
    app.ui().showStatus(text);
}

void ShowCellName(App& app)
{
    app.ui().showCellNamePanel(CellName(app.grid.col, app.grid.row));
}

} // namespace core
