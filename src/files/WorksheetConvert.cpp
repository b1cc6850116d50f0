#include "core/App.h"
#include "core/Cells.h"
#include "files/WorksheetReader.h"
#include "platform/Ui.h"

namespace files {

namespace {

QString convertedText(const QString& s)
{
    if (s.isEmpty() || s[0] == core::TextMark || s[0] == core::NumberMark)
        return s;
    if (s[0] == u'=')
        return s.contains(u"ROUND(") ? AddRoundDigits(s) : s;
    if (s[0] == u'\'') {
        // A quote before a number, a quote or "=" still forces a text in the current marks.
        const QStringView rest = QStringView(s).mid(1);
        if (s.size() > 1 && (s[1] == u'\'' || s[1] == u'='))
            return s;
        if (core::IsNumericText(rest))
            return s;
        return core::TextMark + rest.toString();
    }
    return (core::IsNumericText(s) ? core::NumberMark : core::TextMark) + s;
}

/// Operator groups of a formula: "^"; "*" or "/"; "+" or "-".
int operatorGroups(QStringView formula)
{
    bool power = false, product = false, sum = false;
    for (const QChar ch : formula.mid(1)) {
        power = power || ch == u'^';
        product = product || ch == u'*' || ch == u'/';
        sum = sum || ch == u'+' || ch == u'-';
    }
    return int(power) + int(product) + int(sum);
}

} // namespace

QString AddRoundDigits(const QString& formula)
{
    static const QString call = QStringLiteral("ROUND(");
    QString s = formula;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = s.indexOf(call, from);
        if (start < 0)
            break;
        from = start + call.size();
        int depth = 1;
        qsizetype i = from;
        for (; i < s.size(); ++i) {
            if (s[i] == u'(')
                ++depth;
            else if (s[i] == u')' && --depth == 0)
                break;
        }
        if (i < s.size())
            s.insert(i, QStringLiteral(",0"));
    }
    return s;
}

void ConvertOldCells(App& app, int firstRow)
{
    if (app.FileVersion > 3.25)
        return;
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol; ++c)
        for (int r = std::max(firstRow, 1); r <= sheet.LastRow; ++r) {
            QString& text = sheet.CellText[c][r];
            if (!text.isEmpty())
                text = convertedText(text);
        }
}

void CheckMixedOperators(App& app)
{
    if (app.FileVersion > 3.05)
        return;
    const core::Sheet& sheet = app.sheet;
    int count = 0;
    QStringList names;
    for (int r = 1; r <= sheet.LastRow; ++r)
        for (int c = 1; c <= sheet.LastCol; ++c) {
            const QString& text = sheet.CellText[c][r];
            if (text.isEmpty() || text[0] != u'=' || operatorGroups(text) < 2)
                continue;
            if (++count <= 10)
                names << core::CellName(c, r);
        }
    if (count == 0)
        return;
    platform::Message warning;
    warning.icon = platform::Icon::Warning;
    warning.text = names.join(u',') + (count > 10 ? QStringLiteral(" ...") : QString())
                   + QStringLiteral("\r\n") + QString::number(count)
                   + QStringLiteral("個のセルの式に演算子が混在しています.");
    app.ui().message(warning);
}

} // namespace files
