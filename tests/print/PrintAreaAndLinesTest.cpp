// The print area and its indicators, ruled lines on a range, page breaks.
#include "commands/Commands.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "edit/InsertDelete.h"
#include "platform/fake/FakePlatform.h"
#include "print/LineDialogState.h"
#include "print/PageLayout.h"
#include "print/PageSetup.h"
#include "print/RuledLines.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

class PrintAreaAndLinesTest : public ::testing::Test {
protected:
    PrintAreaAndLinesTest() { core::ResetSheetState(app); }
    void select(int left, int top, int right, int bottom)
    {
        app.grid.col = left;
        app.grid.row = top;
        app.grid.selection = core::CellBlock{left, right, top, bottom};
    }
    void run(CommandId id) { commands::RunCommand(app, id); }
    /// OK in the ruled-line dialog with these sides (0 the outer frame), style item and colour.
    void lines(std::initializer_list<int> sides, int style, int color, bool grid = true)
    {
        fakes.ui.lineDialog = [=](print::LineDialogState& d) {
            for (bool& side : d.chkSide)
                side = false;
            for (int s : sides)
                d.chkSide[s] = true;
            d.style = style;
            d.color = color;
            d.chkGrid = grid;
            return true;
        };
        run(CommandId::RuledLines);
    }
    int line(int plane, int c, int r) const { return app.sheet.CellLines[plane][c][r]; }

    platform::FakePlatform fakes;
    App app{fakes.services()};
};

TEST_F(PrintAreaAndLinesTest, ThePrintAreaIsSetClearedAndShown)
{
    select(2, 2, 4, 9);
    run(CommandId::PrintArea);
    EXPECT_EQ(fakes.ui.lastStatus(), u"印刷範囲を B2～D9 に設定しました");
    EXPECT_EQ(app.pageLayout.printAreaLabel, u"印刷範囲: B2～D9");
    EXPECT_TRUE(fakes.ui.printAreaIndicator);
    EXPECT_FALSE(app.sheet.Modified);

    // Rows inserted above it move it; the indicators follow.
    select(1, 1, 1, 1);
    edit::InsertRows(app, 1, 2);
    EXPECT_EQ(app.pageLayout.printAreaLabel, u"印刷範囲: B4～D11");

    select(3, 3, 3, 3);
    run(CommandId::PrintArea);
    EXPECT_EQ(fakes.ui.lastStatus(), u"印刷範囲の設定を解除しました");
    EXPECT_TRUE(app.sheet.PrintArea.isEmpty());
    EXPECT_TRUE(app.pageLayout.printAreaLabel.isEmpty());
    EXPECT_FALSE(fakes.ui.printAreaIndicator);

    run(CommandId::PrintArea);
    EXPECT_EQ(fakes.ui.lastStatus(), u"印刷範囲を C3～C3 に設定しました");
    EXPECT_EQ(app.sheet.PrintArea, (core::CellBlock{3, 3, 3, 3}));

    // Deleting its only row takes it away.
    edit::DeleteRows(app, 3, 1);
    EXPECT_TRUE(app.sheet.PrintArea.isEmpty());
    EXPECT_FALSE(fakes.ui.printAreaIndicator);
}

TEST_F(PrintAreaAndLinesTest, TheDialogsCaptionNamesTheRange)
{
    QStringList captions;
    fakes.ui.lineDialog = [&](print::LineDialogState& d) {
        captions.append(d.caption);
        return false;
    };
    select(2, 3, 2, 3);
    run(CommandId::RuledLines);
    select(1, 1, 3, 5);
    run(CommandId::RuledLines);
    EXPECT_EQ(captions, (QStringList{u"B3の罫線"_s, u"A1 ～ C5の罫線"_s}));
    EXPECT_FALSE(app.sheet.Modified); // Cancel
}

TEST_F(PrintAreaAndLinesTest, TheFrameAndTheSidesTakeTheStyleAndColour)
{
    select(2, 2, 2, 2);
    lines({0}, 3, 9); // the frame of one cell: all four sides
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(line(p, 2, 2), 0x49) << p;
    EXPECT_TRUE(app.sheet.Modified);

    select(1, 5, 3, 5);
    lines({0}, 0, 0); // a one-row range: top and bottom on every cell
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(line(3, c, 5), 0x10);
        EXPECT_EQ(line(4, c, 5), 0x10);
    }
    EXPECT_EQ(line(1, 1, 5), 0x10);
    EXPECT_EQ(line(1, 2, 5), 0);
    EXPECT_EQ(line(2, 3, 5), 0x10);

    // Sides go on every cell; unchosen sides keep what they had.
    select(1, 5, 2, 6);
    lines({1}, 6, 15);
    EXPECT_EQ(line(1, 2, 6), 0x7F);
    EXPECT_EQ(line(1, 1, 5), 0x7F);
    EXPECT_EQ(line(3, 1, 5), 0x10);

    // Nothing chosen: only the grid-line display changes.
    const auto before = app.sheet.CellLines;
    app.sheet.Modified = false;
    lines({}, 1, 1, false);
    EXPECT_EQ(app.sheet.CellLines, before);
    EXPECT_FALSE(app.grid.gridLines);
    EXPECT_TRUE(app.sheet.Modified);
}

TEST_F(PrintAreaAndLinesTest, APageBreakToggledTwiceLeavesTheRowAsItWas)
{
    select(1, 5, 1, 5);
    run(CommandId::PageBreak);
    select(1, 9, 1, 9);
    run(CommandId::PageBreak);
    EXPECT_EQ(app.sheet.PageBreaks, (QStringList{u"5"_s, u"9"_s}));
    for (int c = 1; c <= 26; ++c)
        ASSERT_EQ(line(5, c, 5), core::PageBreakMark);
    select(1, 5, 1, 5);
    run(CommandId::PageBreak);
    EXPECT_EQ(app.sheet.PageBreaks, QStringList{u"9"_s});
    EXPECT_EQ(line(5, 26, 5), 0);
    run(CommandId::PageBreak);
    // Back on, the row now comes last in the list.
    EXPECT_EQ(app.sheet.PageBreaks, (QStringList{u"9"_s, u"5"_s}));
    EXPECT_EQ(line(5, 1, 5), core::PageBreakMark);
    EXPECT_TRUE(app.sheet.Modified);
}

TEST_F(PrintAreaAndLinesTest, ThePageLayoutKeepsEditsAndGoesOnToPrint)
{
    bool offered = false;
    platform::LayoutAnswer answer = platform::LayoutAnswer::Cancel;
    fakes.ui.layoutDialog = [&](print::PageLayout& layout, bool canPrint) {
        offered = canPrint;
        layout.txtOfs1 = u"15"_s;
        return answer;
    };
    run(CommandId::PageLayout);
    EXPECT_EQ(app.pageLayout.txtOfs1, u"15"); // Cancel keeps what was edited
    EXPECT_TRUE(offered);
    EXPECT_FALSE(app.sheet.Modified);
    EXPECT_EQ(app.pageLayout.txtOfs2, u"0");
    EXPECT_EQ(fakes.ui.dialogs, QStringList{u"TfLay"_s});

    // The print button goes on to the print dialog.
    answer = platform::LayoutAnswer::Print;
    run(CommandId::PageLayout);
    EXPECT_EQ(fakes.ui.dialogs, (QStringList{u"TfLay"_s, u"TfLay"_s, u"Print"_s}));
}

} // namespace
