// Every keyword and context number the program asks for opens a topic shipped with it.
#include "platform/fake/FakePlatform.h"
#include "ui/HelpTopics.h"
#include "ui/HelpWindow.h"
#include "ui/TF.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const char* const Keywords[] = {
    "マウスとキーの操作", "列／行の挿入", "列／行の削除", "セルの消去", "全体行数", "検索",
    "置換", "ファイル検索", "ソート", "列の表示形式", "列見出し", "グラフ", "ページ設定",
    "罫線設定", "印刷プレビュー", "ツールボタンの編集", "デザイン", "拡張子関連付け",
    "拡張子関連付け-XP", "スタートメニューへの登録", "アンインストール"};
const int Contexts[] = {18, 412, 415};

/// The page shown, with its title; fails when it is the contents or has no text.
void expectTopicShown(ui::QtHelp& help, const QString& what)
{
    SCOPED_TRACE(what.toStdString());
    ASSERT_NE(help.window(), nullptr);
    QTextBrowser* browser = help.window()->browser();
    const QUrl source = browser->source();
    EXPECT_NE(source, ui::helpContentsUrl());
    EXPECT_TRUE(QFile::exists(ui::helpResourcePath(source))) << source.toString().toStdString();
    EXPECT_FALSE(browser->documentTitle().isEmpty());
    // A topic says something about its place in Japanese, not just a heading.
    EXPECT_GT(browser->document()->toPlainText().size(), 120);
    EXPECT_TRUE(help.window()->isVisible());
}

TEST(HelpTest, EveryKeywordOpensItsOwnTopic)
{
    ui::QtHelp help;
    QStringList seen;
    for (const char* keyword : Keywords) {
        help.showKeyword(QString::fromUtf8(keyword));
        expectTopicShown(help, QString::fromUtf8(keyword));
        seen.append(help.window()->browser()->source().toString());
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), qsizetype(std::size(Keywords)));
}

TEST(HelpTest, EveryContextNumberOpensATopic)
{
    ui::QtHelp help;
    for (int context : Contexts) {
        help.showContext(context);
        expectTopicShown(help, QString::number(context));
    }
}

TEST(HelpTest, ContentsLinkToEveryTopicAndCloseHidesTheWindow)
{
    ui::QtHelp help;
    help.showContents();
    QTextBrowser* browser = help.window()->browser();
    EXPECT_EQ(browser->source(), ui::helpContentsUrl());
    QFile contents(ui::helpResourcePath(ui::helpContentsUrl()));
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(contents.readAll());
    for (const ui::HelpTopic& topic : ui::helpTopics())
        EXPECT_TRUE(html.contains(QString::fromLatin1(topic.file))) << topic.file;
    help.close();
    EXPECT_FALSE(help.window()->isVisible());
}

TEST(HelpTest, UnknownKeywordShowsTheContents)
{
    ui::QtHelp help;
    help.showKeyword(QStringLiteral("存在しない項目"));
    EXPECT_EQ(help.window()->browser()->source(), ui::helpContentsUrl());
    help.showContext(9999);
    EXPECT_EQ(help.window()->browser()->source(), ui::helpContentsUrl());
}

TEST(HelpTest, LinksBetweenTopicsLeadToExistingPages)
{
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    EXPECT_GT(pages.size(), qsizetype(std::size(Keywords)));
    for (const QString& page : pages) {
        QFile file(QStringLiteral(":/help/") + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        qsizetype at = 0;
        while ((at = html.indexOf(QStringLiteral("href=\""), at)) >= 0) {
            at += 6;
            const QString target = html.mid(at, html.indexOf(u'"', at) - at).section(u'#', 0, 0);
            if (!target.isEmpty()) {
                EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                    << page.toStdString() << " -> " << target.toStdString();
            }
        }
    }
}

} // namespace

namespace {

TEST(HelpTest, TheWindowOpensInsideTheScreenNearItsOwner)
{
    const QRect screen(0, 0, 1280, 800);
    struct Case {
        QRect owner;
        QSize wanted;
        QRect expected;
    };
    const Case cases[] = {
        // Room enough: below and to the right of the main window.
        {QRect(0, 0, 600, 360), QSize(680, 540), QRect(40, 40, 680, 540)},
        // The main window far down and right: pulled back inside, frame included.
        {QRect(700, 300, 600, 360), QSize(680, 540), QRect(592, 252, 680, 540)},
        // A screen smaller than the window: as large as fits.
        {QRect(0, 0, 600, 360), QSize(2000, 2000), QRect(8, 32, 1264, 760)},
        // No owner: centred.
        {QRect(), QSize(680, 540), QRect(299, 129, 680, 540)},
    };
    for (const Case& c : cases) {
        const QRect got = ui::HelpWindowGeometry(screen, c.owner, c.wanted);
        EXPECT_EQ(got, c.expected);
        EXPECT_TRUE(screen.contains(got));
    }
}

} // namespace
