#pragma once

#include <QDateTime>
#include <QString>

struct App;

namespace print {

/// The text of a header or footer box with its placeholders replaced for the page: &D date,
/// &T time, &J Japanese era date, &P page, &F / &f file name, &C<letter><row> a cell's
/// display, && one ampersand. A wrong cell placeholder shows its error box and leaves the
/// rest unexpanded. Replacements are never scanned again.
QString ExpandHeaderFooter(App& app, const QString& text, int page);
QString ExpandHeaderFooter(App& app, const QString& text, int page, const QDateTime& now);

/// The year of the Japanese era the date falls in (令和 1 began on 1 May 2019).
int JapaneseEraYear(const QDate& date);

} // namespace print
