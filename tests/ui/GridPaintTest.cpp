// What the grid paints: ruled lines of every style and colour, page-break marks, the grid's
// own separator lines, and the three drawing styles.
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtTextMeasure.h"
#include "print/Lines.h"
#include "ui/TF.h"

#include <QDir>
#include <QPainter>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

/// Grabs of the grid are written here for a person to look at, when the variable is set.
void keepShot(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("MAVIX_SHOT_DIR");
    if (!dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

class GridPaintTest : public ::testing::Test {
protected:
    GridPaintTest()
    {
        services = fakes.services();
        services.measure = &measure;
    }
    void start(bool activate = true)
    {
        app = std::make_unique<App>(services);
        window = std::make_unique<ui::TF>(*app);
        window->resize(800, 500);
        if (!activate)
            core::ResetSheetState(window->app());
        else
            window->show();
        // A shown window: offscreen or not, the viewport then has its real size.
        window->setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    core::Sheet& sheet() { return window->app().sheet; }
    void setLine(int plane, int c, int r, int code) { sheet().CellLines[plane][c][r] = code; }
    /// The cell's rectangle inside the viewport, without its separator pixels.
    QRect cell(int c, int r)
    {
        const QRect section = window->grid()->visualRect(window->grid()->model()->index(r - 1, c - 1));
        return section.adjusted(0, 0, -1, -1);
    }
    QImage grab() { return window->grid()->viewport()->grab().toImage(); }
    static QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xffffff; }

    platform::FakePlatform fakes;
    platform::QtTextMeasure measure;
    platform::Services services;
    std::unique_ptr<App> app;
    std::unique_ptr<ui::TF> window;
};

TEST_F(GridPaintTest, LinesFollowTheirPlaneStyleAndColour)
{
    start();
    setLine(1, 2, 2, 0x10); // left, style 1 black
    setLine(3, 3, 2, 0x19); // top, style 1 red
    setLine(4, 4, 2, 0x2C); // bottom, style 2 blue
    setLine(2, 5, 2, 0x32); // right, style 3 green
    const QImage image = grab();
    const QRect b2 = cell(2, 2), c2 = cell(3, 2), d2 = cell(4, 2), e2 = cell(5, 2);
    EXPECT_EQ(rgb(image, b2.left(), b2.center().y()), 0x000000u);
    EXPECT_EQ(rgb(image, c2.center().x(), c2.top()), 0xFF0000u);
    EXPECT_EQ(rgb(image, d2.center().x(), d2.top() + d2.height()), 0x0000FFu);
    EXPECT_EQ(rgb(image, d2.center().x(), d2.top() + d2.height() - 1), 0x0000FFu);
    // Width 3 covers the separator pixel and one pixel either side of it.
    const int right = e2.left() + e2.width();
    // Width 3 is centred on the separator pixel; its outer pixel lies in the next cell, which
    // paints over it.
    for (int x = right - 1; x <= right; ++x)
        EXPECT_EQ(rgb(image, x, e2.center().y()), 0x008000u) << x;
    // Other edges of those cells stay clear.
    EXPECT_NE(rgb(image, b2.left() + b2.width(), b2.center().y()), 0x000000u);
}

TEST_F(GridPaintTest, CodesWithoutADrawableStyleDrawNothing)
{
    start();
    const QImage before = grab();
    setLine(3, 2, 3, 5);    // a colour without a style
    setLine(3, 3, 3, 0x9C); // style 9 has no pen
    setLine(3, 4, 3, 0xF0);
    window->grid()->viewport()->update();
    EXPECT_EQ(grab(), before);
}

TEST_F(GridPaintTest, SharedBoundaryDrawsBothCellsLines)
{
    start();
    setLine(2, 2, 4, 0x19); // B4 right, red
    setLine(1, 3, 4, 0x1C); // C4 left, blue
    const QImage image = grab();
    const QRect b4 = cell(2, 4);
    const int y = b4.center().y();
    EXPECT_EQ(rgb(image, b4.left() + b4.width(), y), 0xFF0000u);
    EXPECT_EQ(rgb(image, b4.left() + b4.width() + 1, y), 0x0000FFu);
}

TEST_F(GridPaintTest, DashedStylesLeaveGapsAndThePageBreakIsADashedTopEdge)
{
    start();
    for (int c = 1; c <= core::MaxCols; ++c)
        setLine(5, c, 6, core::PageBreakMark);
    for (int style = 4; style <= 7; ++style)
        setLine(4, style - 1, 8, style * 16); // C8..F8 bottoms, dashed and dotted
    setLine(4, 7, 8, 0x10);                   // G8 bottom, solid
    const QImage image = grab();
    const auto countBlack = [&](int c, int y) {
        const QRect r = cell(c, 6);
        int black = 0;
        for (int x = r.left(); x < r.left() + r.width(); ++x)
            black += rgb(image, x, y) == 0;
        return std::pair(black, r.width());
    };
    const auto [breakBlack, width] = countBlack(2, cell(2, 6).top());
    EXPECT_GT(breakBlack, width / 4);
    EXPECT_LT(breakBlack, width);
    for (int c = 3; c <= 6; ++c) {
        const auto [black, w] = countBlack(c, cell(c, 8).top() + cell(c, 8).height());
        EXPECT_GT(black, 0) << c;
        EXPECT_LT(black, w) << c;
    }
    const auto [solid, w] = countBlack(7, cell(7, 8).top() + cell(7, 8).height());
    EXPECT_EQ(solid, w);
}

TEST_F(GridPaintTest, NoLinesBeforeTheFirstActivation)
{
    start(false);
    setLine(1, 2, 2, 0x10);
    // Paint the cell as the grid would, without the window ever being shown.
    const auto paintB2 = [&] {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 40, 20);
        option.palette = window->grid()->palette();
        window->grid()->itemDelegate()->paint(&painter, option,
                                              window->grid()->model()->index(1, 1));
        return image;
    };
    EXPECT_NE(rgb(paintB2(), 0, 10), 0x000000u);
    window->app().FirstActivationDone = true;
    EXPECT_EQ(rgb(paintB2(), 0, 10), 0x000000u);
}

TEST_F(GridPaintTest, GridLinesSwitchOffAndOn)
{
    start();
    const QRect b2 = cell(2, 2);
    const QPoint separator(b2.left() + b2.width(), b2.center().y());
    const QRgb base = rgb(grab(), b2.center().x(), b2.center().y());
    EXPECT_NE(rgb(grab(), separator.x(), separator.y()), base);
    print::ApplyGridLines(window->app(), false);
    EXPECT_EQ(rgb(grab(), separator.x(), separator.y()), base);
    print::ApplyGridLines(window->app(), true);
    EXPECT_NE(rgb(grab(), separator.x(), separator.y()), base);
}

TEST_F(GridPaintTest, SheetWithLinesOfSeveralStylesAndColours)
{
    start();
    App& app = window->app();
    for (int c = 2; c <= 8; ++c)
        for (int r = 2; r <= 9; ++r) {
            const int style = c - 1;     // 1..7 across
            const int colour = (r * 3) % 16;
            setLine(4, c, r, style * 16 + colour);
            setLine(1, c, r, style * 16 + colour);
        }
    for (int c = 1; c <= core::MaxCols; ++c)
        setLine(5, c, 11, core::PageBreakMark);
    sheet().CellText[2][1] = QStringLiteral("\b罫線の見本");
    sheet().CellText[2][11] = QStringLiteral("\b改ページ");
    sheet().CellText[3][3] = QStringLiteral("\t1234567");
    sheet().CellValue[3][3] = 1234567;
    sheet().LastCol = 8;
    sheet().LastRow = 11;
    core::ShowAllCells(app);
    const QImage image = window->grid()->grab().toImage();
    keepShot(image, "grid-lines.png");
    // Spot checks: the first style's column and the page break row carry their lines.
    EXPECT_EQ(rgb(grab(), cell(2, 2).left(), cell(2, 2).center().y()),
              print::LinePalette[6] & 0xffffffu);
    EXPECT_EQ(rgb(grab(), cell(1, 11).left() + 1, cell(1, 11).top()), 0u);
}

TEST_F(GridPaintTest, ThreeGridStylesLookDifferentAndOtherValuesAreThemed)
{
    start();
    sheet().CellText[1][1] = QStringLiteral("\bA1");
    sheet().LastCol = 1;
    sheet().LastRow = 1;
    core::ShowAllCells(window->app());
    std::vector<QImage> looks;
    for (int style : {0, 1, 2, 5}) {
        window->app().settings.GridStyle = style;
        window->FormActivate();
        looks.push_back(window->grid()->grab().toImage());
        keepShot(looks.back(), ("grid-style-" + std::to_string(style) + ".png").c_str());
    }
    EXPECT_NE(looks[0], looks[1]);
    EXPECT_NE(looks[0], looks[2]);
    EXPECT_NE(looks[1], looks[2]);
    EXPECT_EQ(looks[2], looks[3]);
}

} // namespace
