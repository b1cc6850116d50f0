#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtTextMeasure.h"
#include "core/FontCommand.h"

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
    EXPECT_FALSE(core::ChangeGridFont(*app, before, before));
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
    EXPECT_TRUE(core::ChangeGridFont(*app, before, chosen));
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
    EXPECT_TRUE(core::ChangeGridFont(*app, before, chosen));
    EXPECT_TRUE(app->settings.gridFont.bold);
    EXPECT_TRUE(measure.font().bold());
    EXPECT_EQ(fakes.ui.lastStatus(), u"フォントを ＭＳ ゴシック 11ポイントに変更しました.");
}

} // namespace

#include "ui/GridFontDialog.h"
#include "ui/TF.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

namespace {

TEST(GridFontDialogTest, OffersFixedPitchFamiliesIncludingJapaneseGothic)
{
    const QStringList families = ui::GridFontDialog::fixedPitchFamilies();
    EXPECT_FALSE(families.isEmpty());
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        EXPECT_TRUE(families.contains(QStringLiteral("IPAGothic")));
        EXPECT_FALSE(families.contains(QStringLiteral("IPAPGothic")));
    }
}

/// Runs the font command, choosing a size in its dialog (0: cancel).
void chooseSize(ui::TF& window, int size)
{
    QTimer::singleShot(0, [size] {
        auto* dialog = qobject_cast<ui::GridFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (size == 0) {
            dialog->reject();
            return;
        }
        dialog->findChild<QSpinBox*>()->setValue(size);
        dialog->accept();
    });
    window.runCommand(ui::CommandId::Font);
}

TEST(FontCommandWindowTest, TheDialogsChoiceReachesTheGridAndTheMessagePanel)
{
    platform::FakePlatform fakes;
    App app{fakes.services()};
    ui::TF window(app);
    window.show();
    const int before = window.grid()->font().pointSize();
    chooseSize(window, 0);
    EXPECT_EQ(window.grid()->font().pointSize(), before);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Info.Panel1"))->text(),
              u"Mavix  Version 4.00");

    chooseSize(window, 16);
    EXPECT_EQ(window.app().sheet.FontSize, 16);
    EXPECT_EQ(window.grid()->font().pointSize(), 16);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Info.Panel1"))->text(),
              u"フォントを ＭＳ ゴシック 16ポイントに変更しました.");
}

} // namespace
