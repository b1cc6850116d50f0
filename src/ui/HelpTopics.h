#pragma once

#include <QString>
#include <QUrl>
#include <span>

namespace ui {

/// A help topic shipped with the program; keyword empty or context 0 when it has none.
struct HelpTopic {
    const char* keyword; // UTF-8
    int context;
    const char* file; // under the help resources
};

/// Every topic that the program opens by keyword or context number.
std::span<const HelpTopic> helpTopics();
/// The contents page.
QUrl helpContentsUrl();
/// The topic of a keyword or context number; the contents page when there is none.
QUrl helpKeywordUrl(const QString& keyword);
QUrl helpContextUrl(int context);
/// The resource path of a help URL (":/help/..."), for reading the page.
QString helpResourcePath(const QUrl& url);

} // namespace ui
