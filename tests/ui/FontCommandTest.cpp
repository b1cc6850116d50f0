#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/FontCommand.h"

#include <gtest/gtest.h>

namespace {

class FontCommandTest : public ::testing::Test {
protected:
    FontCommandTest()
    {
        services = fakes.services();
        services.measure = &measure;
        app = std::make_unique<App>(services);
        core::ResetSheetState(*app);
        before = app->settings.gridFont;
        before.size = 11;
        fakes.ui.statuses.clear();
    }
    platform::FakePlatform fakes;
    platform::QtTextMeasure measure;
    platform::Services services;
    std::unique_ptr<App> app;
    platform::FontSpec before;
};

TEST_F(FontCommandTest, TheSameFontChangesNothingAndWritesNoMessage)
{
    const auto widths = app->grid.colWidths;
    EXPECT_FALSE(ui::ChangeGridFont(*app, before, before));
    EXPECT_EQ(fakes.ui.statuses, QStringList{QString()});
    EXPECT_EQ(app->sheet.FontSize, 0);
    EXPECT_EQ(app->grid.colWidths, widths);
}

TEST_F(FontCommandTest, ANewSizeReLaysTheColumnsAndNamesTheFont)
{
    app->sheet.Modified = false;
    const int oldWidth = app->grid.colWidths[1];
    const int oldHeight = app->grid.rowHeight;
    platform::FontSpec chosen = before;
    chosen.size = 20;
    EXPECT_TRUE(ui::ChangeGridFont(*app, before, chosen));
    EXPECT_EQ(app->sheet.FontSize, 20);
    EXPECT_EQ(measure.font().pointSize(), 20);
    EXPECT_GT(app->grid.colWidths[1], oldWidth);
    EXPECT_GT(app->grid.rowHeight, oldHeight);
    EXPECT_EQ(app->grid.colWidths[1], measure.textPixels(QString(10, u'W')) + 2);
    EXPECT_EQ(fakes.ui.lastStatus(), u"フォントを ＭＳ ゴシック 20ポイントに変更しました.");
    EXPECT_FALSE(app->sheet.Modified);
}

TEST_F(FontCommandTest, AStyleChangeAloneCountsAsAChange)
{
    platform::FontSpec chosen = before;
    chosen.bold = true;
    EXPECT_TRUE(ui::ChangeGridFont(*app, before, chosen));
    EXPECT_TRUE(app->settings.gridFont.bold);
    EXPECT_TRUE(measure.font().bold());
    EXPECT_EQ(fakes.ui.lastStatus(), u"フォントを ＭＳ ゴシック 11ポイントに変更しました.");
}

} // namespace
