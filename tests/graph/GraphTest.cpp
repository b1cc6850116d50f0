// The graph settings dialog's filling and checks, and the chart they describe over the sheet.
#include "commands/Commands.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "graph/Graph.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

using graph::ChartKind;

/// A sheet of sales: A1..D1 headings, A2..A5 months, B..D numbers, typed as a user would.
class GraphTest : public ::testing::Test {
protected:
    GraphTest()
    {
        core::ResetSheetState(app);
        const QStringList rows[] = {
            {u"月"_s, u"Sales"_s, u""_s, u"'Total"_s},
            {u"1月"_s, u"1234"_s, u"10"_s, u"=B2+C2"_s},
            {u"2月"_s, u"text"_s, u"20"_s, u"0.1"_s},
            {u"3月"_s, u"-5"_s, u"30"_s, u"=1/3"_s},
            {u"4月"_s, u"1E20"_s, u"40"_s, u"=0.1+0.2"_s},
        };
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c)
                enter(c, r, rows[r - 1][c - 1]);
        fakes.ui.statuses.clear();
    }
    void enter(int c, int r, const QString& text)
    {
        if (text.isEmpty())
            return;
        app.grid.col = c;
        app.grid.row = r;
        edit::CommitEntry(app, text);
    }
    graph::ChartModel chart(int kind, const QString& columns, int r1, int r2, int label = 0)
    {
        app.graph.rbGkind = kind;
        app.graph.edClms = columns;
        app.graph.edRow1 = QString::number(r1);
        app.graph.edRow2 = QString::number(r2);
        app.graph.cbXclm = label;
        return graph::BuildChartModel(app);
    }
    static QStringList titles(const graph::ChartModel& m)
    {
        QStringList out;
        for (const graph::ChartSeries& s : m.series)
            out << s.title;
        return out;
    }
    static std::vector<double> values(const graph::ChartSeries& s)
    {
        std::vector<double> out;
        for (const graph::ChartPoint& p : s.points)
            out.push_back(p.value);
        return out;
    }
    static QStringList labels(const graph::ChartSeries& s)
    {
        QStringList out;
        for (const graph::ChartPoint& p : s.points)
            out << p.label;
        return out;
    }

    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(GraphTest, FreshSettingsAreThoseOfTheDialogsFirstShowing)
{
    const graph::GraphSettings& g = app.graph;
    EXPECT_EQ(g.rbGkind, 0);
    EXPECT_EQ(g.rbBar, 0);
    EXPECT_TRUE(g.ckMax);
    EXPECT_EQ(g.edMax, u"0");
    EXPECT_EQ(g.edMin, u"0");
    EXPECT_EQ(g.edRow1, u"1");
    EXPECT_EQ(g.edRow2, u"1");
    EXPECT_EQ(g.edClms, u"");
    EXPECT_EQ(g.cbXclm, 0);
    EXPECT_TRUE(g.ck3D);
    EXPECT_TRUE(g.ckLegend);
    EXPECT_FALSE(g.ckMarker);
}

TEST_F(GraphTest, TheDialogIsFilledFromASelectionOfMoreThanOneCell)
{
    struct Case {
        core::CellBlock selection;
        int chosenLabel; // cbXclm before the command
        QString columns;
        QString row1;
        QString row2;
        int label;
    };
    const Case cases[] = {
        {{2, 4, 2, 10}, 0, u"BCD"_s, u"2"_s, u"10"_s, 1}, // B2:D10, label column A
        {{2, 4, 2, 10}, 5, u"BCD"_s, u"2"_s, u"10"_s, 5}, // a chosen label column stays
        {{1, 3, 4, 4}, 0, u"ABC"_s, u"4"_s, u"4"_s, 0},   // from column A: no label column
        {{26, 26, 1, 7}, 0, u"Z"_s, u"1"_s, u"7"_s, 25},  // one column, several rows
        {{3, 3, 5, 5}, 0, u"XY"_s, u"8"_s, u"9"_s, 0},    // one cell: the last settings
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns.toStdString());
        app.graph.edClms = u"XY"_s;
        app.graph.edRow1 = u"8"_s;
        app.graph.edRow2 = u"9"_s;
        app.graph.cbXclm = c.chosenLabel;
        graph::FillFromSelection(app.graph, c.selection);
        const graph::GraphSettings& shown = app.graph;
        EXPECT_EQ(shown.edClms, c.columns);
        EXPECT_EQ(shown.edRow1, c.row1);
        EXPECT_EQ(shown.edRow2, c.row2);
        EXPECT_EQ(shown.cbXclm, c.label);
    }
}

TEST_F(GraphTest, TheCommandOpensTheDialogFilledFromTheGridsSelection)
{
    app.grid.selection = core::CellBlock{2, 4, 2, 10};
    app.sheet.Modified = false;
    graph::GraphSettings shown;
    fakes.ui.graphDialog = [&shown](graph::GraphSettings& g) {
        shown = g;
        g.rbGkind = 3; // the dialog's edits are the settings
    };
    commands::RunCommand(app, commands::CommandId::Graph);
    EXPECT_EQ(fakes.ui.dialogs, QStringList{u"TfGset"_s});
    EXPECT_EQ(shown.edClms, u"BCD");
    EXPECT_EQ(shown.edRow1, u"2");
    EXPECT_EQ(shown.edRow2, u"10");
    EXPECT_EQ(shown.cbXclm, 1);
    EXPECT_EQ(app.graph.rbGkind, 3);
    EXPECT_FALSE(app.sheet.Modified);
}

TEST_F(GraphTest, TheGraphButtonRefusesWhatCannotBeDrawn)
{
    struct Case {
        QString columns;
        QString row1;
        QString row2;
        std::optional<QString> error;
        QString columnsAfter;
    };
    app.sheet.SheetRows = 20;
    const Case cases[] = {
        {u"bcd"_s, u"2"_s, u"10"_s, std::nullopt, u"BCD"_s},
        {u"aCa"_s, u"20"_s, u"20"_s, std::nullopt, u"ACA"_s},
        {u""_s, u"1"_s, u"1"_s, u"\"列\"を指定してください."_s, u""_s},
        {u"a1"_s, u"1"_s, u"1"_s, u"\"列\"の指定に使えない文字\"1\"が使われています."_s, u"a1"_s},
        {u"A B"_s, u"1"_s, u"1"_s, u"\"列\"の指定に使えない文字\" \"が使われています."_s, u"A B"_s},
        {u"ａ"_s, u"1"_s, u"1"_s, u"\"列\"の指定に使えない文字\"ａ\"が使われています."_s, u"ａ"_s},
        {u"A😀"_s, u"1"_s, u"1"_s, u"\"列\"の指定に使えない文字\"😀\"が使われています."_s, u"A😀"_s},
        {u"b"_s, u"21"_s, u"21"_s, u"行範囲の値が大きすぎます."_s, u"B"_s},
        {u"b"_s, u"1"_s, u"21"_s, u"行範囲の値が大きすぎます."_s, u"B"_s},
        {u"b"_s, u"5"_s, u"4"_s, u"行範囲の値が逆転しています."_s, u"B"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns.toStdString() + " " + c.row1.toStdString() + ".."
                     + c.row2.toStdString());
        graph::GraphSettings g;
        g.edClms = c.columns;
        g.edRow1 = c.row1;
        g.edRow2 = c.row2;
        EXPECT_EQ(graph::CheckGraphSettings(g, app.sheet.SheetRows), c.error);
        EXPECT_EQ(g.edClms, c.columnsAfter);
    }
}

TEST_F(GraphTest, EachLetterIsASeriesNamedByItsHeadingAndEachRowAPoint)
{
    app.sheet.HeadingRow = 1;
    graph::ChartModel m = chart(0, u"BCDB"_s, 2, 5, 1);
    EXPECT_EQ(m.kind, ChartKind::Line);
    // A heading without its mark; an empty heading is one blank.
    EXPECT_EQ(titles(m), (QStringList{u"Sales"_s, u" "_s, u"Total"_s, u"Sales"_s}));
    ASSERT_EQ(m.series.size(), 4u);
    // A text counts as 0; values pass through 15 significant digits.
    EXPECT_EQ(values(m.series[0]), (std::vector<double>{1234, 0, -5, 1e20}));
    EXPECT_EQ(values(m.series[2]), (std::vector<double>{1244, 0.1, 0.333333333333333, 0.3}));
    EXPECT_EQ(values(m.series[3]), values(m.series[0]));
    EXPECT_EQ(labels(m.series[1]), (QStringList{u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s}));

    // Without a heading row the letters name the series; without a label column the
    // points have no labels.
    app.sheet.HeadingRow = 0;
    m = chart(4, u"ACA"_s, 1, 2);
    EXPECT_EQ(m.kind, ChartKind::Area);
    EXPECT_EQ(titles(m), (QStringList{u"A"_s, u"C"_s, u"A"_s}));
    EXPECT_EQ(labels(m.series[0]), (QStringList{QString(), QString()}));
    // A heading row beyond the sheet counts as none.
    app.sheet.HeadingRow = app.sheet.SheetRows + 1;
    EXPECT_EQ(titles(chart(1, u"B"_s, 1, 1)), QStringList{u"B"_s});
}

TEST_F(GraphTest, LabelsAreTheLabelColumnsDisplayTexts)
{
    const graph::ChartModel m = chart(2, u"C"_s, 2, 3, 2);
    EXPECT_EQ(m.kind, ChartKind::Bar);
    ASSERT_EQ(m.series.size(), 1u);
    EXPECT_EQ(labels(m.series[0]),
              (QStringList{app.sheet.GridText[2][2], app.sheet.GridText[2][3]}));
    EXPECT_TRUE(m.series[0].points[0].label.contains(u"1,234"));
}

TEST_F(GraphTest, PieTakesTheFirstLetterFromTheLastRowStartingAt90Degrees)
{
    const graph::ChartModel pie = chart(3, u"CB"_s, 2, 5, 1);
    EXPECT_EQ(pie.kind, ChartKind::Pie);
    ASSERT_EQ(pie.series.size(), 1u);
    EXPECT_EQ(pie.series[0].title, u"C");
    EXPECT_EQ(values(pie.series[0]), (std::vector<double>{40, 30, 20, 10}));
    EXPECT_EQ(labels(pie.series[0]), (QStringList{u"4月"_s, u"3月"_s, u"2月"_s, u"1月"_s}));
    EXPECT_EQ(pie.rotation, 90);
    EXPECT_EQ(pie.markStyle, graph::MarkStyle::LabelPercent);

    // Horizontal bars from the last row too, so that the first is drawn at the top;
    // vertical bars from the first.
    const graph::ChartModel across = chart(5, u"CB"_s, 2, 4);
    EXPECT_EQ(values(across.series[0]), (std::vector<double>{30, 20, 10}));
    EXPECT_EQ(values(across.series[1]), (std::vector<double>{-5, 0, 1234}));
    EXPECT_EQ(across.markStyle, graph::MarkStyle::Value);
    EXPECT_EQ(values(chart(2, u"C"_s, 2, 4).series[0]), (std::vector<double>{10, 20, 30}));
}

TEST_F(GraphTest, OptionsTitleAndFootComeFromTheSettingsAndTheCentreBoxes)
{
    graph::GraphSettings& g = app.graph;
    g.ckMax = false;
    g.edMax = u"100"_s;
    g.edMin = u"-50"_s;
    g.rbBar = 3;
    g.ck3D = false;
    g.ckLegend = false;
    g.ckMarker = true;
    app.sheet.FileName = u"/data/Book1.MVX"_s;
    app.pageLayout.txtHdr[1] = u"&F p&P &CB2"_s;
    app.pageLayout.hdrFont[1] = print::HeaderFont{{u"IPAPMincho"_s, 16, true, false}, 0xFF, true};
    app.pageLayout.txtHdr[4] = u"foot && more"_s;
    app.pageLayout.txtHdr[0] = u"left box"_s;
    const graph::ChartModel m = chart(5, u"B"_s, 2, 3);
    EXPECT_FALSE(m.autoAxis);
    EXPECT_EQ(m.axisMax, 100);
    EXPECT_EQ(m.axisMin, -50);
    EXPECT_EQ(m.bars, graph::BarLayout::Stacked100);
    EXPECT_FALSE(m.view3D);
    EXPECT_FALSE(m.legend);
    EXPECT_TRUE(m.marks);
    EXPECT_EQ(m.title.text, u"Book1.MVX p1 "_s + app.sheet.GridText[2][2]);
    EXPECT_EQ(m.title.font, app.pageLayout.hdrFont[1]);
    EXPECT_EQ(m.foot.text, u"foot & more");
    EXPECT_EQ(m.foot.font, app.pageLayout.hdrFont[4]);
    EXPECT_TRUE(fakes.ui.messages.empty());

    // A wrong cell placeholder shows its error and the title keeps what came before it.
    app.pageLayout.txtHdr[1] = u"T &C1"_s;
    EXPECT_EQ(chart(0, u"B"_s, 2, 3).title.text, u"T &C1");
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text, u"\"T &C1\": ヘッダー・フッターの書式エラー");
}

TEST_F(GraphTest, UncheckedSettingsFromAFileNeverReachBeyondTheSheet)
{
    app.graph.edClms = u"B,c!"_s;
    app.graph.edRow1 = u"x"_s;
    app.graph.edRow2 = u"99999"_s;
    app.graph.cbXclm = 40;
    const graph::ChartModel m = graph::BuildChartModel(app);
    ASSERT_EQ(m.series.size(), 1u);
    EXPECT_EQ(m.series[0].points.size(), std::size_t(app.sheet.SheetRows));
    EXPECT_EQ(m.series[0].points[0].label, u"");
}

TEST_F(GraphTest, MarkTextsAndValuesThroughFifteenDigits)
{
    EXPECT_EQ(graph::ValueMarkText(1234.5), u"1,234.5");
    EXPECT_EQ(graph::ValueMarkText(-1234567), u"-1,234,567");
    EXPECT_EQ(graph::ValueMarkText(0.12345), u"0.123");
    EXPECT_EQ(graph::PercentMarkText(14.117647), u"14.12 %");
    EXPECT_EQ(graph::PercentMarkText(25), u"25 %");
    EXPECT_EQ(graph::ChartValue(0.1 + 0.2), 0.3);
    EXPECT_EQ(graph::ChartValue(2.0 / 3), 0.666666666666667);
    EXPECT_EQ(graph::ChartValue(-1e-7), -1e-7);
    EXPECT_EQ(graph::ChartValue(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(graph::ChartValue(std::numeric_limits<double>::infinity()), 0);
}

TEST_F(GraphTest, TheBitmapNameFollowsTheWorksheetsName)
{
    const std::pair<QString, QString> cases[] = {
        {u""_s, u".BMP"_s},
        {u"/home/u/売上.mvx"_s, u"/home/u/売上.BMP"_s},
        {u"/home/u/a.b.MVX"_s, u"/home/u/a.b.BMP"_s},
        {u"/home/u.d/book"_s, u"/home/u.d/book.BMP"_s},
    };
    for (const auto& [file, bitmap] : cases)
        EXPECT_EQ(graph::BitmapFileName(file), bitmap) << file.toStdString();
}

TEST_F(GraphTest, ThePrintRectangleIsThePageInsideTheMargins)
{
    print::PageLayout layout;
    layout.txtOfs1 = u"20"_s; // top
    layout.txtOfs2 = u"5"_s;  // bottom
    layout.txtOfs3 = u"15"_s; // left
    layout.txtOfs4 = u"10"_s; // right
    // 600 dpi: 23.62 pixels a millimetre.
    EXPECT_EQ(graph::GraphPrintRect(layout, 600, 4760, 6816),
              (graph::PixelRect{354, 472, 4760 - 236 - 1, 6816 - 118 - 1}));
    // No margins: the whole page.
    EXPECT_EQ(graph::GraphPrintRect(print::PageLayout{}, 300, 2380, 3408),
              (graph::PixelRect{0, 0, 2379, 3407}));
}

} // namespace
