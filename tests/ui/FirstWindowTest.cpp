#include "core/App.h"
#include "platform/fake/FakePlatform.h"
#include "ui/TF.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <gtest/gtest.h>

TEST(FirstWindowTest, ShowsLetteredColumnsAndNumberedRows)
{
    platform::FakePlatform fakes;
    App app{fakes.services()};
    ui::TF window(app);
    window.FormActivate();
    QAbstractItemModel* model = window.grid()->model();
    EXPECT_EQ(model->columnCount(), 26);
    EXPECT_EQ(model->rowCount(), 20);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"A");
    EXPECT_EQ(model->headerData(25, Qt::Horizontal).toString(), u"Z");
    EXPECT_EQ(model->headerData(19, Qt::Vertical).toString(), u"   20");
    EXPECT_EQ(window.windowTitle(), u"Mavix");
}
