// Associations and menu entries written into a temporary home folder, checked with the
// desktop's own tools: xdg-mime, xdg-open, gio and desktop-file-validate.
#include "platform/qt/XdgDesktop.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class XdgDesktopTest : public ::testing::Test {
protected:
    XdgDesktopTest() { QDir().mkpath(path(u"Mavix Tools"_s)); }

    QString path(const QString& relative) const { return home.filePath(relative); }
    QString read(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"(none)"_s;
    }
    void write(const QString& relative, const QString& text) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    platform::XdgDesktop::Folders folders() const
    {
        return {path(u".local/share"_s), path(u".config"_s), {path(u"system"_s)}, {}};
    }
    /// A desktop tool run with the temporary home as the user's, outside any desktop
    /// session (xdg-utils' generic mode); its trimmed output, or "exit n: output".
    QString tool(const QString& program, const QStringList& arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"HOME"_s, home.path());
        env.insert(u"XDG_DATA_HOME"_s, path(u".local/share"_s));
        env.insert(u"XDG_CONFIG_HOME"_s, path(u".config"_s));
        env.insert(u"XDG_DATA_DIRS"_s, path(u"system"_s) + u":/usr/share"_s);
        env.insert(u"DISPLAY"_s, u":999"_s); // xdg-open looks for a default program only then
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return u"(timed out)"_s;
        const QString out = QString::fromUtf8(process.readAll()).trimmed();
        return process.exitCode() == 0
            ? out
            : u"exit "_s + QString::number(process.exitCode()) + u": "_s + out;
    }
    /// A stand-in for the program that writes its arguments, one a line, to `record`.
    QString recordingProgram(const QString& relative, const QString& record) const
    {
        write(relative, u"#!/bin/sh\nprintf '%s\\n' \"$@\" > '"_s + record + u"'\n"_s);
        QFile::setPermissions(path(relative),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path(relative);
    }
    /// The recorded arguments once the program has run (it may run after its starter ended).
    QString recorded() const
    {
        for (int i = 0; i < 500 && !QFile::exists(path(u"arguments"_s)); ++i)
            QThread::msleep(10);
        QThread::msleep(20);
        return read(u"arguments"_s);
    }
    platform::Association association(bool mvx, bool csv) const
    {
        return {mvx, csv, program, u"Mavix のワークシート"_s};
    }

    QTemporaryDir home;
    QString program = path(u"Mavix Tools/mavix"_s);
    platform::XdgDesktop desktop{folders(), program};
};

TEST_F(XdgDesktopTest, OnlyCsvMakesTheProgramTheCsvDefaultAndLeavesWorksheetsAlone)
{
    ASSERT_TRUE(desktop.associate(association(false, true)));
    EXPECT_EQ(read(u".config/mimeapps.list"_s),
              u"[Default Applications]\ntext/csv=mavix.desktop;\n");
    EXPECT_EQ(read(u".local/share/mime/packages/x-mavix.xml"_s), u"(none)");
    EXPECT_EQ(read(u".local/share/applications/mavix.desktop"_s),
              u"[Desktop Entry]\nType=Application\nName=Mavix\n"
              u"Exec=\""_s
                  + program
                  + u"\" %f\nMimeType=text/csv;\nNoDisplay=true\n"
                    u"Terminal=false\n"_s);
    EXPECT_EQ(tool(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"text/csv"_s}), u"mavix.desktop");
    EXPECT_EQ(tool(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"application/x-mavix"_s}), u"");
    EXPECT_EQ(
        tool(u"desktop-file-validate"_s, {path(u".local/share/applications/mavix.desktop"_s)}),
        u"");
}

TEST_F(XdgDesktopTest, WorksheetsGetTheirOwnTypeAndOtherDefaultsStayBehindTheProgram)
{
    const QString before = u"# mine\n[Default Applications]\ntext/csv=calc.desktop;\n"
                           u"text/plain=editor.desktop\n\n[Added Associations]\n"
                           u"text/csv=calc.desktop;viewer.desktop;\n"_s;
    write(u".config/mimeapps.list"_s, before);
    ASSERT_TRUE(desktop.associate(association(true, true)));
    EXPECT_EQ(read(u".config/mimeapps.list"_s),
              u"# mine\n[Default Applications]\ntext/csv=mavix.desktop;calc.desktop;\n"
              u"text/plain=editor.desktop\napplication/x-mavix=mavix.desktop;\n\n"
              u"[Added Associations]\ntext/csv=calc.desktop;viewer.desktop;\n");
    EXPECT_TRUE(read(u".local/share/mime/packages/x-mavix.xml"_s)
                    .contains(u"<comment>Mavix のワークシート</comment>"));
    EXPECT_TRUE(read(u".local/share/applications/mavix.desktop"_s)
                    .contains(u"\nMimeType=text/csv;application/x-mavix;\n"));
    EXPECT_EQ(tool(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"application/x-mavix"_s}),
              u"mavix.desktop");
    EXPECT_EQ(tool(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"text/csv"_s}), u"mavix.desktop");
    write(u"Book.MVX"_s, u"[Mavix],4.00\n"_s);
    EXPECT_EQ(tool(u"xdg-mime"_s, {u"query"_s, u"filetype"_s, path(u"Book.MVX"_s)}),
              u"application/x-mavix");

    // A second run changes nothing.
    const QString list = read(u".config/mimeapps.list"_s);
    ASSERT_TRUE(desktop.associate(association(true, true)));
    EXPECT_EQ(read(u".config/mimeapps.list"_s), list);
}

TEST_F(XdgDesktopTest, RemovalTakesBackTheCsvDefaultOnlyWhileItNamesTheProgram)
{
    struct Case {
        const char16_t* csvBefore;
        const char16_t* csvAfter; // nullptr: no line left
    };
    const Case cases[] = {
        {u"mavix.desktop;", nullptr},
        {u"mavix.desktop;calc.desktop;", u"calc.desktop;"},
        {u"other.desktop", u"other.desktop"}, // another program took .csv since
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.csvBefore).toStdString());
        ASSERT_TRUE(desktop.associate(association(true, true)));
        write(u".config/mimeapps.list"_s,
              u"[Default Applications]\napplication/x-mavix=mavix.desktop;\ntext/csv="_s
                  + QString::fromUtf16(c.csvBefore) + u"\n[Added Associations]\nx/y=z;\n"_s);
        desktop.removeAssociation();
        EXPECT_EQ(
            read(u".config/mimeapps.list"_s),
            u"[Default Applications]\n"_s
                + (c.csvAfter ? u"text/csv="_s + QString::fromUtf16(c.csvAfter) + u'\n' : QString())
                + u"[Added Associations]\nx/y=z;\n"_s);
        EXPECT_EQ(read(u".local/share/applications/mavix.desktop"_s), u"(none)");
        EXPECT_EQ(read(u".local/share/mime/packages/x-mavix.xml"_s), u"(none)");
    }
    write(u"Book.mvx"_s, u"[Mavix],4.00\n"_s);
    EXPECT_NE(tool(u"xdg-mime"_s, {u"query"_s, u"filetype"_s, path(u"Book.mvx"_s)}),
              u"application/x-mavix");
}

TEST_F(XdgDesktopTest, TheOpenCommandStartsTheProgramWithTheDocumentWhereverItLies)
{
    // gio reads the Exec line as the desktop entry format says; the program path needs
    // its quoting.
    struct Case {
        const char16_t* program;
        const char16_t* exec;
    };
    const Case cases[] = {
        {u"bin/mavix", u"Exec=%1/bin/mavix %f"},
        {u"Mavix Tools/mavix", u"Exec=\"%1/Mavix Tools/mavix\" %f"},
        {u"it's $HOME/mavix", u"Exec=\"%1/it's \\\\$HOME/mavix\" %f"},
    };
    const QString record = path(u"arguments"_s);
    write(u"Book 1.csv"_s, u"1,2\n"_s);
    for (const Case& c : cases) {
        const QString program = recordingProgram(QString::fromUtf16(c.program), record);
        SCOPED_TRACE(program.toStdString());
        platform::XdgDesktop at(folders(), program);
        ASSERT_TRUE(at.associate({false, true, program, {}}));
        const QString entryFile = u".local/share/applications/mavix.desktop"_s;
        const QString entry = path(entryFile);
        EXPECT_TRUE(read(entryFile).contains(QString::fromUtf16(c.exec).arg(home.path()) + u'\n'))
            << read(entryFile).toStdString();
        EXPECT_EQ(tool(u"desktop-file-validate"_s, {entry}), u"");
        QFile::remove(record);
        EXPECT_EQ(tool(u"gio"_s, {u"launch"_s, entry, path(u"Book 1.csv"_s)}), u"");
        EXPECT_EQ(recorded(), path(u"Book 1.csv"_s) + u'\n');
    }
}

TEST(ExecValueTest, QuotesAndEscapesAsTheEntryFormatSays)
{
    struct Case {
        const char16_t* program;
        QStringList arguments;
        const char16_t* exec;
    };
    const Case cases[] = {
        {u"/usr/bin/mavix", {}, u"/usr/bin/mavix"},
        {u"/opt/100%/mavix", {u"--show-help"_s}, u"/opt/100%%/mavix --show-help"},
        {u"/opt/say \"hi\"/mavix", {}, u"\"/opt/say \\\\\"hi\\\\\"/mavix\""},
        {u"/opt/a\\b`c/mavix", {u""_s}, u"\"/opt/a\\\\\\\\b\\\\`c/mavix\" \"\""},
        {u"/opt/tab\there/mavix", {}, u"\"/opt/tab\\there/mavix\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::XdgDesktop::ExecValue(QString::fromUtf16(c.program), c.arguments),
                  QString::fromUtf16(c.exec));
}

TEST_F(XdgDesktopTest, XdgOpenStartsTheProgramOnAWorksheet)
{
    const QString record = path(u"arguments"_s);
    const QString program = recordingProgram(u"bin/mavix"_s, record);
    platform::XdgDesktop at(folders(), program);
    ASSERT_TRUE(at.associate({true, false, program, u"Mavix のワークシート"_s}));
    write(u"Book.mvx"_s, u"[Mavix],4.00\n"_s);
    EXPECT_EQ(tool(u"xdg-open"_s, {path(u"Book.mvx"_s)}), u"");
    EXPECT_EQ(recorded(), path(u"Book.mvx"_s) + u'\n');
}

TEST_F(XdgDesktopTest, MenuEntriesShowAsTheSubmenuMavix)
{
    const QString folder = desktop.menuFolder(false);
    EXPECT_EQ(folder, path(u".local/share/applications/Mavix"_s));
    EXPECT_EQ(desktop.menuFolder(true), path(u"system/applications/Mavix"_s));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString tools = path(u"Mavix Tools"_s);
    ASSERT_TRUE(desktop.createMenuEntry(folder, u"Mavix"_s, program, {}, tools));
    ASSERT_TRUE(
        desktop.createMenuEntry(folder, u"Mavixのヘルプ"_s, program, {u"--show-help"_s}, tools));
    EXPECT_EQ(read(u".local/share/applications/Mavix/Mavixのヘルプ.desktop"_s),
              u"[Desktop Entry]\nType=Application\nName=Mavixのヘルプ\nExec=\""_s + program
                  + u"\" --show-help\nPath="_s + tools + u"\nTerminal=false\n"_s);
    for (const QString& file : {u".local/share/applications/Mavix/Mavix.desktop"_s,
                                u".local/share/applications/Mavix/Mavixのヘルプ.desktop"_s,
                                u".local/share/desktop-directories/Mavix.directory"_s})
        EXPECT_EQ(tool(u"desktop-file-validate"_s, {path(file)}), u"") << file.toStdString();
    const QString menu = u".config/menus/applications-merged/Mavix.menu"_s;
    EXPECT_TRUE(read(menu).contains(u"    <Directory>Mavix.directory</Directory>\n    <Include>\n"
                                    u"      <Filename>Mavix-Mavix.desktop</Filename>\n"
                                    u"      <Filename>Mavix-Mavixのヘルプ.desktop</Filename>\n"
                                    u"    </Include>\n"))
        << read(menu).toStdString();
    EXPECT_EQ(tool(u"xmllint"_s, {u"--noout"_s, path(menu)}), u"");

    desktop.removeMenu();
    EXPECT_EQ(read(menu), u"(none)");
    EXPECT_EQ(read(u".local/share/desktop-directories/Mavix.directory"_s), u"(none)");
}

} // namespace
