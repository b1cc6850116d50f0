#include "ui/HelpTopics.h"

namespace ui {

namespace {

// clang-format off
constexpr HelpTopic Topics[] = {
    {"マウスとキーの操作", 0, "mouse-keys.html"},
    {"列／行の挿入", 0, "insert.html"},
    {"列／行の削除", 0, "delete.html"},
    {"セルの消去", 0, "clear.html"},
    {"全体行数", 0, "row-count.html"},
    {"検索", 0, "search.html"},
    {"置換", 0, "replace.html"},
    {"ファイル検索", 0, "file-search.html"},
    {"ソート", 0, "sort.html"},
    {"列の表示形式", 0, "column-format.html"},
    {"列見出し", 0, "column-headings.html"},
    {"グラフ", 0, "graph.html"},
    {"ページ設定", 0, "page-layout.html"},
    {"罫線設定", 0, "ruled-lines.html"},
    {"印刷プレビュー", 0, "preview.html"},
    {"ツールボタンの編集", 0, "toolbar-editor.html"},
    {"デザイン", 0, "design.html"},
    {"拡張子関連付け", 0, "association.html"},
    {"拡張子関連付け-XP", 0, "association-xp.html"},
    {"スタートメニューへの登録", 0, "start-menu.html"},
    {"アンインストール", 0, "uninstall.html"},
    {"", 18, "files-and-fonts.html"},
    {"", 412, "open.html"},
    {"", 415, "print.html"},
};
// clang-format on

QUrl topicUrl(const char* file)
{
    return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(file));
}

} // namespace

std::span<const HelpTopic> helpTopics()
{
    return Topics;
}

QUrl helpContentsUrl()
{
    return topicUrl("index.html");
}

QUrl helpKeywordUrl(const QString& keyword)
{
    for (const HelpTopic& topic : Topics)
        if (!keyword.isEmpty() && keyword == QString::fromUtf8(topic.keyword))
            return topicUrl(topic.file);
    return helpContentsUrl();
}

QUrl helpContextUrl(int context)
{
    for (const HelpTopic& topic : Topics)
        if (context != 0 && topic.context == context)
            return topicUrl(topic.file);
    return helpContentsUrl();
}

QString helpResourcePath(const QUrl& url)
{
    return u':' + url.path();
}

} // namespace ui
