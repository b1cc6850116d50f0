// The system settings dialog's rules through its command, with the dialog's controls worked
// by a script: the design preview, the association, the menu entries and the uninstall.
#include "commands/Commands.h"
#include "core/App.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtSettingsStore.h"
#include "settings/SystemSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::Answer;
using settings::SysSetClose;
using settings::SysSetPage;
using settings::SystemSettingsState;

namespace {

class SystemSettingsTest : public ::testing::Test {
protected:
    /// Opens the dialog; the script works it and says how it closed.
    void open(std::function<SysSetClose(SystemSettingsState&)> script)
    {
        fakes.ui.systemSettingsDialog = std::move(script);
        commands::RunCommand(app, commands::CommandId::SystemSettings);
    }
    /// The association page's 実行 button: the dialog closes when the core says so.
    SysSetClose run(SystemSettingsState& d)
    {
        return settings::SysSetAssociate(app, d) ? SysSetClose::Associated : SysSetClose::Cancel;
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void makeFile(const QString& relative) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(SystemSettingsTest, StyleCThenCancelLeavesThePreviousDesign)
{
    app.settings.Wheel = true;
    open([&](SystemSettingsState& d) {
        EXPECT_EQ(d.optDesign, 1);
        EXPECT_TRUE(d.chkWheel);
        settings::SysSetDesignClick(app, d, 2);
        d.chkWheel = false;
        settings::SysSetCancel(app);
        return SysSetClose::Cancel;
    });
    EXPECT_EQ(fakes.ui.gridDesigns, (QList<int>{2, 1}));
    EXPECT_EQ(app.settings.GridStyle, 1);
    EXPECT_TRUE(app.settings.Wheel);
}

TEST_F(SystemSettingsTest, PagesShowTheSavedDesignAwayFromTheDesignPageAndOkKeepsTheChoice)
{
    app.settings.GridStyle = 7; // any style but A and B is C
    open([&](SystemSettingsState& d) {
        EXPECT_EQ(d.optDesign, 2);
        settings::SysSetDesignClick(app, d, 0);
        settings::SysSetPageChange(app, d, SysSetPage::Association);
        settings::SysSetPageChange(app, d, SysSetPage::Uninstall);
        settings::SysSetPageChange(app, d, SysSetPage::Design);
        d.chkWheel = false;
        settings::SysSetDesignOk(app, d);
        return SysSetClose::DesignOk;
    });
    EXPECT_EQ(fakes.ui.gridDesigns, (QList<int>{0, 7, 0, 0}));
    EXPECT_EQ(app.settings.GridStyle, 0);
    EXPECT_FALSE(app.settings.Wheel);
    // The dialog opens again on the page it showed last.
    open([&](SystemSettingsState& d) {
        EXPECT_EQ(d.page, SysSetPage::Design);
        EXPECT_EQ(d.optDesign, 0);
        EXPECT_FALSE(d.chkWheel);
        return SysSetClose::Cancel;
    });
}

TEST_F(SystemSettingsTest, AssociationWritesTheChosenExtensionsAfterTheQuestion)
{
    const QString question = u"指定の拡張子をMavixに関連付けます."_s;
    struct Case {
        const char* name;
        bool mvx, csv;
        std::optional<Answer> answer;
        bool fails;
        QStringList messages;
        QString call;   // what the desktop was asked, empty: nothing
        QString status; // empty: the dialog stayed open
    };
    const Case cases[] = {
        {"nothing chosen",
         false,
         false,
         {},
         false,
         {u"関連付けする拡張子を指定してください."_s},
         {},
         {}},
        {"only .csv",
         false,
         true,
         Answer::Ok,
         false,
         {question},
         u"associate .csv /opt/Mavix/mavix Mavix のワークシート"_s,
         u"拡張子の関連付けを実行しました."_s},
        {"both, cancelled", true, true, Answer::Cancel, false, {question}, {}, {}},
        {"both, failing",
         true,
         true,
         Answer::Ok,
         true,
         {question, u"拡張子の関連付けに失敗しました.\r\n管理者モードで実行してください．"_s},
         u"associate .mvx .csv /opt/Mavix/mavix Mavix のワークシート"_s,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::FakePlatform fakes;
        App app{fakes.services()};
        if (c.answer)
            fakes.ui.answers.push_back(*c.answer);
        fakes.desktop.failAssociate = c.fails;
        SysSetClose closedBy = SysSetClose::Cancel;
        fakes.ui.systemSettingsDialog = [&](SystemSettingsState& d) {
            EXPECT_FALSE(d.NewShellMode);
            d.page = SysSetPage::Association;
            d.chkMvx = c.mvx;
            d.chkCsv = c.csv;
            closedBy =
                settings::SysSetAssociate(app, d) ? SysSetClose::Associated : SysSetClose::Cancel;
            EXPECT_EQ(settings::SysSetHelpTopic(d, d.page), u"拡張子関連付け-XP");
            return closedBy;
        };
        commands::RunCommand(app, commands::CommandId::SystemSettings);
        EXPECT_EQ(fakes.ui.messageTexts(), c.messages);
        EXPECT_EQ(fakes.desktop.calls.join(u'|'), c.call);
        EXPECT_EQ(closedBy == SysSetClose::Associated, !c.status.isEmpty());
        EXPECT_EQ(fakes.ui.lastStatus(), c.status);
        if (c.messages.size() > 1)
            EXPECT_EQ(fakes.ui.messages[1].icon, platform::Icon::Error);
    }
}

TEST_F(SystemSettingsTest, WhereTheDesktopAssociatesTheSampleFileIsOpenedAndTheDialogStays)
{
    fakes.desktop.shellMode = true;
    fakes.desktop.program = path(u"bin/mavix"_s);
    QStringList topics;
    const auto runOnce = [&](int item) {
        open([&, item](SystemSettingsState& d) {
            EXPECT_TRUE(d.NewShellMode);
            d.optExt = item;
            topics.append(settings::SysSetHelpTopic(d, SysSetPage::Association));
            EXPECT_EQ(run(d), SysSetClose::Cancel);
            return SysSetClose::Cancel;
        });
    };
    runOnce(0);
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{
                  u"\""_s + path(u"bin/sample1.mvx"_s)
                  + u"\" ファイルがありません．\r\nヘルプに従って関連付けを設定してください．"_s});
    EXPECT_TRUE(fakes.desktop.calls.isEmpty());

    makeFile(u"bin/software.csv"_s);
    runOnce(1);
    EXPECT_EQ(fakes.desktop.calls,
              QStringList{u"open "_s + path(u"bin/software.csv"_s) + u' ' + path(u"bin"_s)});
    EXPECT_EQ(fakes.ui.messages.size(), 1u);

    fakes.desktop.openFailure = u"0:No such file or directory"_s;
    runOnce(1);
    EXPECT_EQ(fakes.ui.messageTexts().last(),
              u"0:No such file or directory\r\n関連付けに失敗しました．");
    EXPECT_EQ(topics, QStringList(3, u"拡張子関連付け"_s));
    EXPECT_TRUE(fakes.ui.statuses.isEmpty());
}

TEST_F(SystemSettingsTest, StartMenuMakesTheFolderAndBothEntries)
{
    fakes.desktop.program = u"/opt/Mavix Tools/mavix"_s;
    fakes.desktop.userFolder = path(u"applications/Mavix"_s);
    const QString entry = u"entry "_s + fakes.desktop.userFolder;
    struct Case {
        const char* name;
        QString failing;
        QStringList calls;
        QString status;
    };
    const Case cases[] = {
        {"both made",
         {},
         {entry + u" Mavix /opt/Mavix Tools/mavix  /opt/Mavix Tools"_s,
          entry + u" Mavixのヘルプ /opt/Mavix Tools/mavix --show-help /opt/Mavix Tools"_s},
         u"スタートメニューに登録しました．"_s},
        {"help failing",
         u"Mavixのヘルプ"_s,
         {entry + u" Mavix /opt/Mavix Tools/mavix  /opt/Mavix Tools"_s,
          entry + u" Mavixのヘルプ /opt/Mavix Tools/mavix --show-help /opt/Mavix Tools"_s},
         u"スタートメニューへの登録に失敗しました．"_s},
        {"program failing",
         u"Mavix"_s,
         {entry + u" Mavix /opt/Mavix Tools/mavix  /opt/Mavix Tools"_s},
         u"スタートメニューへの登録に失敗しました．"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.desktop.calls.clear();
        fakes.desktop.failEntry = c.failing;
        open([&](SystemSettingsState& d) {
            EXPECT_EQ(settings::SysSetHelpTopic(d, SysSetPage::StartMenu),
                      u"スタートメニューへの登録");
            return SysSetClose::StartMenuOk;
        });
        EXPECT_TRUE(QFileInfo(fakes.desktop.userFolder).isDir());
        EXPECT_EQ(fakes.desktop.calls, c.calls);
        EXPECT_EQ(fakes.ui.lastStatus(), c.status);
    }
    EXPECT_TRUE(fakes.ui.messages.empty());

    // A folder that cannot be made ends the command with the system's reason.
    makeFile(u"blocked"_s);
    fakes.desktop.userFolder = path(u"blocked/Mavix"_s);
    fakes.desktop.calls.clear();
    fakes.ui.statuses.clear();
    open([](SystemSettingsState&) { return SysSetClose::StartMenuOk; });
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Error);
    EXPECT_FALSE(fakes.ui.messages[0].text.isEmpty());
    EXPECT_TRUE(fakes.desktop.calls.isEmpty());
    EXPECT_TRUE(fakes.ui.statuses.isEmpty());
}

TEST_F(SystemSettingsTest, UninstallRemovesEverythingAfterYesAndClosingWritesNothing)
{
    const QString question = u"Mavixをアンインストールする準備をします．\r\n"
                             u"Mavixのすべての設定情報を削除します．\r\nよろしいですか？"_s;
    const QString done =
        u"すべての設定情報を削除しました.\r\n全ユーザーアカウントの情報を削除し終えたら、\r\n"
        u"Mavixを終了して、Mavixのファイルを削除してください．"_s;
    struct Case {
        const char* name;
        Answer answer;
        bool shellMode;
        QStringList otherProducts;
        bool removed, makerKept, allUsersKept;
        QStringList calls;
    };
    const Case cases[] = {
        {"no", Answer::No, false, {}, false, true, true, {}},
        {"yes",
         Answer::Yes,
         false,
         {},
         true,
         false,
         false,
         {u"removeAssociation"_s, u"removeMenu"_s}},
        {"another product of the maker",
         Answer::Yes,
         false,
         {u"Other"_s},
         true,
         true,
         false,
         {u"removeAssociation"_s, u"removeMenu"_s}},
        {"the desktop associates", Answer::Yes, true, {}, true, false, true, {u"removeMenu"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        platform::FakePlatform fakes;
        App app{fakes.services()};
        fakes.settings.values[u"Wheel"_s] = 0;
        fakes.settings.otherProducts = c.otherProducts;
        fakes.desktop.shellMode = c.shellMode;
        fakes.desktop.userFolder = dir.filePath(u"user/Mavix"_s);
        fakes.desktop.allUsersFolder = dir.filePath(u"all/Mavix"_s);
        for (const QString& folder : {fakes.desktop.userFolder, fakes.desktop.allUsersFolder})
            ASSERT_TRUE(QDir().mkpath(folder + u"/sub"_s));
        fakes.ui.answers.push_back(c.answer);
        fakes.ui.systemSettingsDialog = [](SystemSettingsState& d) {
            EXPECT_EQ(settings::SysSetHelpTopic(d, SysSetPage::Uninstall), u"アンインストール");
            return SysSetClose::UninstallOk;
        };
        commands::RunCommand(app, commands::CommandId::SystemSettings);
        const QStringList shown = c.removed ? QStringList{question, done} : QStringList{question};
        EXPECT_EQ(fakes.ui.messageTexts(), shown);
        EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Warning);
        EXPECT_EQ(fakes.ui.messages[0].buttons, platform::Buttons::YesNo);
        EXPECT_EQ(fakes.settings.values.isEmpty(), c.removed);
        EXPECT_EQ(fakes.settings.makerPresent, c.makerKept);
        EXPECT_EQ(fakes.desktop.calls, c.calls);
        EXPECT_EQ(QFileInfo::exists(fakes.desktop.userFolder), !c.removed);
        EXPECT_EQ(QFileInfo::exists(fakes.desktop.allUsersFolder), c.allUsersKept);

        app.settings.Wheel = true;
        EXPECT_TRUE(commands::CloseQuery(app));
        EXPECT_EQ(fakes.settings.values.isEmpty(), c.removed);
    }
}

TEST_F(SystemSettingsTest, UninstallRemovesTheSettingsFileAndTheMakersFolderWhenNothingElseIsThere)
{
    for (const bool otherProduct : {false, true}) {
        SCOPED_TRACE(otherProduct);
        QTemporaryDir config;
        const QString maker = config.filePath(u"Tarn"_s);
        platform::QtSettingsStore store(maker + u"/Mavix.conf"_s);
        if (otherProduct) {
            QDir().mkpath(maker);
            QFile other(maker + u"/Other.conf"_s);
            ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        }
        platform::FakePlatform fakes;
        platform::Services services = fakes.services();
        services.settings = &store;
        App app{services};
        ASSERT_TRUE(commands::CloseQuery(app)); // an earlier run's settings
        ASSERT_TRUE(QFileInfo::exists(maker + u"/Mavix.conf"_s));

        fakes.ui.systemSettingsDialog = [](SystemSettingsState&) {
            return SysSetClose::UninstallOk;
        };
        commands::RunCommand(app, commands::CommandId::SystemSettings);
        EXPECT_TRUE(commands::CloseQuery(app));
        EXPECT_FALSE(QFileInfo::exists(maker + u"/Mavix.conf"_s));
        EXPECT_EQ(QFileInfo::exists(maker + u"/Other.conf"_s), otherProduct);
        EXPECT_EQ(QFileInfo::exists(maker), otherProduct);
    }
}

TEST_F(SystemSettingsTest, DeleteFolderTreeRemovesEverythingButWhatALinkPointsTo)
{
    makeFile(u"Mavix/a.desktop"_s);
    makeFile(u"Mavix/.hidden"_s);
    makeFile(u"Mavix/sub/deeper/b.desktop"_s);
    makeFile(u"outside/keep.txt"_s);
    ASSERT_TRUE(QFile::link(path(u"outside"_s), path(u"Mavix/link"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"Mavix/dangling"_s)));
    QFile::setPermissions(path(u"Mavix/sub"_s), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(settings::DeleteFolderTree(app, path(u"Mavix"_s)));
    EXPECT_FALSE(QFileInfo::exists(path(u"Mavix"_s)));
    EXPECT_TRUE(QFileInfo::exists(path(u"outside/keep.txt"_s)));

    // Nothing there is done; a link in place of the folder goes alone.
    EXPECT_TRUE(settings::DeleteFolderTree(app, path(u"Mavix"_s)));
    ASSERT_TRUE(QFile::link(path(u"outside"_s), path(u"Mavix"_s)));
    EXPECT_TRUE(settings::DeleteFolderTree(app, path(u"Mavix"_s)));
    EXPECT_FALSE(QFileInfo(path(u"Mavix"_s)).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(path(u"outside/keep.txt"_s)));
    EXPECT_TRUE(fakes.ui.messages.empty());

    // A file where the folder should be stays, and says so.
    makeFile(u"Mavix"_s);
    EXPECT_FALSE(settings::DeleteFolderTree(app, path(u"Mavix"_s)));
    EXPECT_EQ(fakes.ui.messageTexts(),
              QStringList{u"<"_s + path(u"Mavix"_s) + u"> フォルダが削除できません."_s});
}

} // namespace
