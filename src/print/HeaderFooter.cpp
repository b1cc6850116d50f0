#include "print/HeaderFooter.h"

#include "core/App.h"
#include "core/AsciiChars.h"
#include "platform/Ui.h"

#include <QFileInfo>

namespace print {

namespace {

void formatError(App& app, const QString& text, const QString& what)
{
    platform::Message message;
    message.icon = platform::Icon::Error;
    message.text = u'"' + text + QStringLiteral("\": ") + what;
    app.ui().message(message);
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0').right(2);
}

} // namespace

int JapaneseEraYear(const QDate& date)
{
    // The first day of each era, newest first.
    static const QDate starts[] = {QDate(2019, 5, 1), QDate(1989, 1, 8), QDate(1926, 12, 25),
                                   QDate(1912, 7, 30), QDate(1868, 10, 23)};
    for (const QDate& start : starts)
        if (date >= start)
            return date.year() - start.year() + 1;
    return date.year();
}

QString ExpandHeaderFooter(App& app, const QString& text, int page)
{
    return ExpandHeaderFooter(app, text, page, QDateTime::currentDateTime());
}

QString ExpandHeaderFooter(App& app, const QString& text, int page, const QDateTime& now)
{
    const core::Sheet& sheet = app.sheet;
    const QDate date = now.date();
    QString s = text;
    qsizetype p = 0; // 0-based scan position
    do {
        const qsizetype i = s.indexOf(u'&', p);
        if (i < 0)
            break;
        const QChar c = i + 1 < s.size() ? s[i + 1] : QChar();
        QString insert;
        qsizetype taken = 2;
        switch (c.toUpper().unicode()) {
        case u'&': insert = QStringLiteral("&"); break;
        case u'D':
            insert = twoDigits(date.year()) + u'-' + twoDigits(date.month()) + u'-'
                     + twoDigits(date.day());
            break;
        case u'T':
            insert = twoDigits(now.time().hour()) + u':' + twoDigits(now.time().minute());
            break;
        case u'J':
            insert = QString::number(JapaneseEraYear(date)) + u'.' + twoDigits(date.month())
                     + u'.' + twoDigits(date.day());
            break;
        case u'P': insert = QString::number(page); break;
        case u'F':
            insert = QFileInfo(sheet.FileName).fileName();
            if (c == u'f')
                insert = insert.toLower();
            break;
        case u'C': {
            const QChar letter = i + 2 < s.size() ? s[i + 2].toUpper() : QChar();
            if (letter < u'A' || letter > u'Z') {
                formatError(app, s, QStringLiteral("ヘッダー・フッターの書式エラー"));
                return s;
            }
            qsizetype end = i + 3;
            int row = 0;
            while (end < s.size() && end < i + 8 && core::IsAsciiDigit(s[end].unicode()))
                row = row * 10 + (s[end++].unicode() - u'0');
            if (row < 1 || row > sheet.SheetRows) {
                formatError(app, s, QStringLiteral("ヘッダー・フッターの行指定範囲エラー"));
                return s;
            }
            insert = sheet.GridText[letter.unicode() - u'A' + 1][row];
            taken = end - i;
            break;
        }
        default:
            // Anything else after "&", or nothing, stays as it is.
            p = i + 1;
            continue;
        }
        s.replace(i, taken, insert);
        p = i + insert.size();
        // The scan goes on while a character follows the scan position.
    } while (p + 1 < s.size());
    return s;
}

} // namespace print
