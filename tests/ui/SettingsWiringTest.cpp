// The main window reads the user settings when it is made and writes them when it closes:
// geometry, grid font, toolbar, wheel, design and the recent-file menu.
#include "ModalBoxes.h"
#include "core/App.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtSettingsStore.h"
#include "ui/Startup.h"
#include "ui/TF.h"

#include <QScreen>
#include <QTableView>
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

class SettingsWiringTest : public ::testing::Test {
protected:
    void store(const char* name, const QVariant& value)
    {
        fakes.settings.values[QString::fromUtf8(name)] = value;
    }
    QVariant stored(const char* name) const
    {
        return fakes.settings.values.value(QString::fromUtf8(name));
    }
    /// A window over an App of its own, as the program makes them; the Apps outlive the
    /// test's windows.
    std::unique_ptr<ui::TF> makeWindow(ui::StartupOptions options = {})
    {
        apps.push_back(std::make_unique<App>(fakes.services()));
        return std::make_unique<ui::TF>(*apps.back(), std::move(options));
    }
    std::vector<std::unique_ptr<App>> apps;
    static QStringList recentItems(ui::TF& window)
    {
        QStringList items;
        for (int n = 0; n < 10; ++n) {
            QAction* item = window.menuAction(ui::CommandId(int(ui::CommandId::Recent0) + n));
            if (item->isVisible())
                items.append(item->text());
        }
        return items;
    }

    platform::FakePlatform fakes;
};

TEST_F(SettingsWiringTest, StoredSettingsShapeTheNewWindow)
{
    store("Version", u"4.00"_s);
    store("Form", int32s({5000, 40, 700, 420}));
    store("Wheel", 0);
    store("GridStyle", 0);
    store("FontName", u"DejaVu Sans Mono"_s);
    store("FontType", int32s({14, -1, 0}));
    QByteArray buttons(40, '\0');
    buttons[0] = 1; // new: hidden by default
    buttons[3] = 1; // save; open (button 2) stays hidden
    store("Buttons", buttons);
    store("File0", u"/data/b.mvx"_s);
    store("File1", u"/data/東京 本社.csv"_s);

    auto window = makeWindow();
    window->show();
    window->FormActivate();
    App& app = window->app();
    // A left beyond the screen comes back to 0; the rest is as stored.
    EXPECT_EQ(app.settings.screenSize, window->screen()->size());
    EXPECT_EQ(window->pos(), QPoint(0, 40));
    EXPECT_EQ(window->size(), QSize(700, 420));
    EXPECT_FALSE(app.settings.Wheel);
    EXPECT_EQ(app.settings.GridStyle, 0);
    const QFont font = window->grid()->font();
    EXPECT_EQ(font.family(), u"DejaVu Sans Mono");
    EXPECT_EQ(font.pointSize(), 14);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(window->buttonAction(1)->isVisible());
    EXPECT_FALSE(window->buttonAction(2)->isVisible());
    EXPECT_TRUE(window->buttonAction(4)->isVisible());
    EXPECT_EQ(recentItems(*window),
              (QStringList{u"&0 /data/b.mvx"_s, u"&1 /data/東京 本社.csv"_s}));
}

TEST_F(SettingsWiringTest, CloseWritesTheNormalGeometryAndAMaximizedCloseKeepsIt)
{
    auto window = makeWindow();
    window->show();
    window->move(30, 50);
    window->resize(640, 400);
    window->app().sheet.RecentFiles = QStringList{u"/data/a.mvx"_s};
    ASSERT_TRUE(window->close());
    EXPECT_EQ(stored("Version"), u"4.00"_s);
    EXPECT_EQ(stored("Form"), int32s({30, 50, 640, 400}));
    EXPECT_EQ(stored("File0"), u"/data/a.mvx"_s);

    ui::StartupOptions maximized;
    maximized.show = ui::ShowCommand::Maximized;
    auto big = makeWindow(maximized);
    big->show();
    ASSERT_TRUE(big->windowState() & Qt::WindowMaximized);
    ASSERT_TRUE(big->close());
    EXPECT_EQ(stored("Form"), int32s({30, 50, 640, 400}));

    // The next normal start takes the saved place.
    auto again = makeWindow();
    EXPECT_EQ(again->pos(), QPoint(30, 50));
    EXPECT_EQ(again->size(), QSize(640, 400));
}

TEST_F(SettingsWiringTest, AFailedWriteIsShownAndTheProgramStillCloses)
{
    auto window = makeWindow();
    window->show();
    fakes.settings.failWrites = true;
    auto box = answerNextBox(u"OK"_s);
    EXPECT_TRUE(window->close());
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->text, u"レジストリ書き込みエラー.");
}

TEST_F(SettingsWiringTest, RecentFilesComeBackThroughTheIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Mavix.conf"_s);
    {
        platform::QtSettingsStore settings(ini);
        platform::Services services = fakes.services();
        services.settings = &settings;
        App app{services};
        ui::TF window(app);
        window.show();
        window.app().sheet.RecentFiles = QStringList{u"/d/second.csv"_s, u"/d/first.mvx"_s};
        window.app().sheet.SearchHistory = QStringList{u"東京 本社"_s, u"x"_s};
        ASSERT_TRUE(window.close());
    }
    platform::QtSettingsStore settings(ini);
    platform::Services services = fakes.services();
    services.settings = &settings;
    App app{services};
    ui::TF window(app);
    EXPECT_EQ(recentItems(window),
              (QStringList{u"&0 /d/second.csv"_s, u"&1 /d/first.mvx"_s}));
    EXPECT_EQ(window.app().sheet.SearchHistory, (QStringList{u"東京 本社"_s, u"x"_s}));
}

} // namespace
