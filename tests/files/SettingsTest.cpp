#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtSettingsStore.h"
#include "settings/RecentFiles.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray int32s(std::initializer_list<qint32> values)
{
    QByteArray bytes;
    for (const qint32 v : values) {
        char le[4];
        qToLittleEndian(v, le);
        bytes.append(le, 4);
    }
    return bytes;
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { core::ResetSheetState(app); }
    QVariant stored(const char* name) const
    {
        return fakes.settings.values.value(QString::fromUtf8(name));
    }
    void store(const char* name, const QVariant& value)
    {
        fakes.settings.values[QString::fromUtf8(name)] = value;
    }

    platform::FakePlatform fakes;
    App app{fakes.services()};
    settings::UserSettings& s = app.settings;
};

TEST_F(SettingsTest, FirstStartKeepsTheDefaults)
{
    s.Wheel = false;
    s.GridStyle = 2;
    settings::LoadSettings(app);
    EXPECT_TRUE(s.Wheel);
    EXPECT_EQ(s.GridStyle, 1);
    EXPECT_TRUE(app.sheet.SearchHistory.isEmpty());
    EXPECT_TRUE(app.sheet.ReplaceHistory.isEmpty());
    EXPECT_TRUE(app.sheet.RecentFiles.isEmpty());
    EXPECT_EQ(s.ButtonVisible, settings::DefaultButtonVisible);
    EXPECT_EQ(s.windowGeometry, QRect(0, 0, 600, 360));
    EXPECT_TRUE(fakes.ui.recentFiles.isEmpty());
}

TEST_F(SettingsTest, SaveThenLoadRestoresEverything)
{
    s.Wheel = false;
    s.GridStyle = 0;
    s.windowGeometry = QRect(40, 30, 800, 500);
    s.gridFont = platform::FontSpec{u"IPAGothic"_s, 12, true, true};
    app.sheet.FontSize = 12;
    app.sheet.SearchHistory = QStringList{u"東京 本社"_s, u"a,b"_s, u"say \"x\""_s, u"plain"_s};
    app.sheet.ReplaceHistory = QStringList{QString()};
    app.sheet.RecentFiles = QStringList{u"/a/one.mvx"_s, u"/b/two.csv"_s};
    s.ButtonVisible[1] = 1;
    s.ButtonVisible[31] = 0;
    settings::SaveSettings(app);
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(stored("Version"), u"4.00"_s);
    EXPECT_EQ(stored("Form"), int32s({40, 30, 800, 500}));
    EXPECT_EQ(stored("FontType"), int32s({12, -1, -1}));
    EXPECT_EQ(stored("SrchHist"), u"\"東京 本社\",\"a,b\",\"say \"\"x\"\"\",plain"_s);
    EXPECT_EQ(stored("ReplHist"), u"\"\""_s);
    EXPECT_EQ(stored("Buttons").toByteArray().size(), 40);
    EXPECT_EQ(stored("File1"), u"/b/two.csv"_s);

    platform::FakePlatform nextFakes;
    nextFakes.settings.values = fakes.settings.values;
    App next{nextFakes.services()};
    settings::LoadSettings(next);
    EXPECT_FALSE(next.settings.Wheel);
    EXPECT_EQ(next.settings.GridStyle, 0);
    EXPECT_EQ(next.settings.windowGeometry, s.windowGeometry);
    EXPECT_EQ(next.settings.gridFont, s.gridFont);
    EXPECT_EQ(next.sheet.FontSize, 12);
    EXPECT_EQ(next.sheet.SearchHistory, app.sheet.SearchHistory);
    EXPECT_EQ(next.sheet.ReplaceHistory, app.sheet.ReplaceHistory);
    EXPECT_EQ(next.sheet.RecentFiles, app.sheet.RecentFiles);
    EXPECT_EQ(next.settings.ButtonVisible, s.ButtonVisible);
    EXPECT_EQ(nextFakes.ui.recentFiles, app.sheet.RecentFiles);
}

TEST_F(SettingsTest, WindowIsKeptOnScreen)
{
    s.screenSize = QSize(1920, 1080);
    store("Form", int32s({5000, 200, 640, 480}));
    settings::LoadSettings(app);
    EXPECT_EQ(s.windowGeometry, QRect(0, 200, 640, 480));
    store("Form", int32s({-5, 1071, 640, 480}));
    settings::LoadSettings(app);
    EXPECT_EQ(s.windowGeometry, QRect(0, 0, 640, 480));
    store("Form", int32s({1910, 1070, 640, 480}));
    settings::LoadSettings(app);
    EXPECT_EQ(s.windowGeometry, QRect(1910, 1070, 640, 480));
    store("Form", QByteArray(15, '\1')); // not 16 bytes: ignored
    settings::LoadSettings(app);
    EXPECT_EQ(s.windowGeometry, QRect(1910, 1070, 640, 480));
}

TEST_F(SettingsTest, MaximizedStartAndCloseLeaveTheSavedForm)
{
    store("Form", int32s({10, 20, 700, 400}));
    s.windowState = settings::WindowState::Maximized;
    settings::LoadSettings(app);
    EXPECT_EQ(s.windowGeometry, QRect(0, 0, 600, 360));
    s.windowGeometry = QRect(0, 0, 1920, 1080);
    settings::SaveSettings(app);
    EXPECT_EQ(stored("Form"), int32s({10, 20, 700, 400}));
    s.windowState = settings::WindowState::Minimized;
    settings::SaveSettings(app);
    EXPECT_EQ(stored("Form"), int32s({10, 20, 700, 400}));
}

TEST_F(SettingsTest, OldButtonOrderIsRemapped)
{
    QByteArray old(40, '\0');
    for (int i = 1; i <= 27; ++i)
        old[i - 1] = char(i % 2); // odd old buttons shown
    store("Version", u"3.20"_s);
    store("Buttons", old);
    settings::LoadSettings(app);
    auto want = settings::DefaultButtonVisible;
    for (int i = 1; i <= 27; ++i)
        want[settings::ButtonRemap[i]] = std::uint8_t(i % 2);
    EXPECT_EQ(s.ButtonVisible, want);
    EXPECT_EQ(s.ButtonVisible[21], 0); // old 18
    EXPECT_EQ(s.ButtonVisible[23], 1); // old 19
    EXPECT_EQ(s.ButtonVisible[18], 1); // not in the old order: default
    EXPECT_EQ(s.ButtonVisible[31], 1); // old 27

    settings::SaveSettings(app);
    EXPECT_EQ(stored("Version"), u"4.00"_s);
    QByteArray current(40, '\0');
    for (int i = 1; i <= 40; ++i)
        current[i - 1] = char(want[i]);
    EXPECT_EQ(stored("Buttons"), current);
    // The current order is read as it is.
    settings::LoadSettings(app);
    EXPECT_EQ(s.ButtonVisible, want);
}

TEST_F(SettingsTest, FontTypeRules)
{
    s.gridFont.bold = true;
    s.gridFont.italic = true;
    store("Wheel", 0);
    settings::LoadSettings(app); // absent: bold and italic cleared
    EXPECT_FALSE(s.gridFont.bold);
    EXPECT_FALSE(s.gridFont.italic);
    store("FontType", int32s({100, 1}));
    settings::LoadSettings(app);
    EXPECT_EQ(app.sheet.FontSize, 0); // 100 is not a size
    EXPECT_TRUE(s.gridFont.bold);
    store("FontType", QByteArray("\x0B\0\0\0", 4)); // short: missing bytes are 0
    store("FontName", QString());
    settings::LoadSettings(app);
    EXPECT_EQ(app.sheet.FontSize, 11);
    EXPECT_FALSE(s.gridFont.bold);
    EXPECT_EQ(s.gridFont.name, u"ＭＳ ゴシック");
    store("GridStyle", u"text"_s); // unreadable: the default stays
    settings::LoadSettings(app);
    EXPECT_EQ(s.GridStyle, 1);
}

TEST_F(SettingsTest, WriteFailureIsReportedAndUninstallWritesNothing)
{
    fakes.settings.failWrites = true;
    settings::SaveSettings(app);
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"レジストリ書き込みエラー."_s});
    settings::SaveToolbarSettings(app);
    EXPECT_EQ(fakes.ui.messages.size(), 2u);

    fakes.settings.failWrites = false;
    s.SettingsWritable = false;
    settings::SaveSettings(app);
    settings::SaveToolbarSettings(app);
    EXPECT_TRUE(fakes.settings.values.isEmpty());
    s.SettingsWritable = true;
    settings::SaveToolbarSettings(app);
    EXPECT_EQ(fakes.settings.values.keys(), (QStringList{u"Buttons"_s, u"Version"_s}));
}

TEST_F(SettingsTest, RecentFilesIgnoreCaseAndKeepTen)
{
    settings::AddRecentFile(app, u"D:\\A\\Book.MVX"_s);
    settings::AddRecentFile(app, u"D:\\other.mvx"_s);
    settings::AddRecentFile(app, u"d:\\a\\book.mvx"_s);
    EXPECT_EQ(app.sheet.RecentFiles, (QStringList{u"d:\\a\\book.mvx"_s, u"D:\\other.mvx"_s}));
    for (int i = 1; i <= 10; ++i)
        settings::AddRecentFile(app, u"/f"_s + QString::number(i));
    EXPECT_EQ(app.sheet.RecentFiles.size(), 10);
    EXPECT_EQ(app.sheet.RecentFiles.first(), u"/f10");
    EXPECT_EQ(app.sheet.RecentFiles.last(), u"/f1");
    EXPECT_EQ(fakes.ui.recentFiles, app.sheet.RecentFiles);
}

struct CommaCase {
    const char16_t* text;
    QStringList items;
};

TEST(CommaTextTest, SplitsLikeTheStoredForm)
{
    const CommaCase cases[] = {
        {u"", {}},
        {u"\"\"", {QString()}},
        {u"a,b", {u"a"_s, u"b"_s}},
        {u"a,", {u"a"_s, QString()}},
        {u"a,,b", {u"a"_s, QString(), u"b"_s}},
        {u"東京 本社", {u"東京"_s, u"本社"_s}},
        {u"\"東京 本社\"", {u"東京 本社"_s}},
        {u"  x ,  y", {u"x"_s, u"y"_s}},
        {u"\"say \"\"x\"\"\",z", {u"say \"x\""_s, u"z"_s}},
        {u"\"open", {u"open"_s}},
        {u"a\tb", {u"a"_s, u"b"_s}},
    };
    for (const CommaCase& k : cases) {
        SCOPED_TRACE(QString::fromUtf16(k.text).toStdString());
        EXPECT_EQ(settings::SplitCommaText(QString::fromUtf16(k.text)), k.items);
    }
    const QStringList lists[] = {{}, {QString()}, {u"a"_s, QString()}, {u"x y"_s, u"\t"_s},
                                 {u"\"q\""_s, u"a,b"_s, u"東京"_s}};
    for (const QStringList& list : lists)
        EXPECT_EQ(settings::SplitCommaText(settings::JoinCommaText(list)), list);
}

TEST(QtSettingsStoreTest, ValuesKeepTheirKindInTheIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Mavix.conf"_s);
    {
        platform::QtSettingsStore store(ini);
        EXPECT_FALSE(store.exists());
        EXPECT_TRUE(store.writeString(u"Version"_s, u"4.00"_s));
        EXPECT_TRUE(store.writeInt(u"Wheel"_s, 0));
        EXPECT_TRUE(store.writeBinary(u"Form"_s, int32s({1, 2, 3, 4})));
        EXPECT_TRUE(store.writeString(u"SrchHist"_s, u"\"東京 本社\",x"_s));
        EXPECT_TRUE(store.sync());
    }
    platform::QtSettingsStore store(ini);
    EXPECT_TRUE(store.exists());
    EXPECT_EQ(store.readString(u"Version"_s), u"4.00"_s);
    EXPECT_EQ(store.readInt(u"Wheel"_s), 0);
    EXPECT_EQ(store.readBinary(u"Form"_s), int32s({1, 2, 3, 4}));
    EXPECT_EQ(store.readString(u"SrchHist"_s), u"\"東京 本社\",x"_s);
    EXPECT_EQ(store.readString(u"Form"_s), std::nullopt);
    EXPECT_EQ(store.readBinary(u"Version"_s), std::nullopt);
    EXPECT_EQ(store.readInt(u"Version"_s), std::nullopt);
    EXPECT_EQ(store.readString(u"Missing"_s), std::nullopt);
    EXPECT_TRUE(store.removeKey());
    EXPECT_FALSE(store.exists());
}

TEST(QtSettingsStoreTest, SettingsThroughTheIniFileAndAFailedWrite)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Mavix.conf"_s);
    platform::QtSettingsStore store(ini);
    platform::FakePlatform fakes;
    fakes.settings.values.clear();
    platform::Services services = fakes.services();
    services.settings = &store;
    App app{services};
    app.sheet.SearchHistory = QStringList{u"東京 本社"_s};
    app.settings.Wheel = false;
    settings::SaveSettings(app);
    EXPECT_TRUE(fakes.ui.messages.empty());

    platform::QtSettingsStore again(ini);
    services.settings = &again;
    App next{services};
    settings::LoadSettings(next);
    EXPECT_EQ(next.sheet.SearchHistory, QStringList{u"東京 本社"_s});
    EXPECT_FALSE(next.settings.Wheel);

    // A settings file in a folder that does not exist cannot be written.
    platform::QtSettingsStore broken(dir.filePath(u"none/none/Mavix.conf"_s));
    QFile blocker(dir.filePath(u"none"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    services.settings = &broken;
    App failing{services};
    settings::SaveSettings(failing);
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"レジストリ書き込みエラー."_s});
}

} // namespace
