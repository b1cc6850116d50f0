// Extraction: rows with a hit close up at the top, the others go; a stop loses no row.
#include "ToolsFixture.h"

#include "commands/Commands.h"
#include "core/Busy.h"
#include "tools/Search.h"
#include "tools/SearchDialogState.h"

using namespace Qt::StringLiterals;

namespace {

using tools::SearchDialogState;

class ExtractTest : public ToolsFixture {
protected:
    ExtractTest() { setRows(30); }
    /// Rows 1..n: A holds "hit" in the given rows, "no" in the others; B a formula over the
    /// row's own A and the row above; C the row's original number.
    void fill(int n, std::initializer_list<int> hitRows)
    {
        for (int r = 1; r <= n; ++r) {
            const bool hit = std::find(hitRows.begin(), hitRows.end(), r) != hitRows.end();
            put(1, r, hit ? u"hit"_s : u"no"_s);
            put(2, r, u"=C"_s + QString::number(r) + u"*1"_s);
            put(3, r, QString::number(r));
        }
        recalc();
        sheet.Modified = false;
    }
    /// The search dialog answered for an extraction of "hit" over the whole used extent.
    void extract()
    {
        fakes.ui.searchDialog = [](SearchDialogState& d) {
            d.cbStr = u"hit"_s;
            d.optCond = SearchDialogState::Equal;
            d.optWay = 0;
            d.optOut = 1;
            d.optArea = 1; // 全範囲
            return true;
        };
        tools::RunSearch(app);
    }
    QString column(int c, int from, int to) const
    {
        QStringList out;
        for (int r = from; r <= to; ++r)
            out.append(cell(c, r));
        return out.join(u'|');
    }
};

TEST_F(ExtractTest, HitRowsCloseUpAndTheirFormulasFollow)
{
    fill(10, {2, 5, 9});
    put(3, 12, u"below"_s);
    recalc();
    select(1, 1, 3, 10);
    extract();
    EXPECT_EQ(column(3, 1, 3), u"2|5|9");
    // References moved with their rows: by -1, -3 and -6.
    EXPECT_EQ(column(2, 1, 3), u"=C1*1|=C2*1|=C3*1");
    EXPECT_EQ(sheet.GridText[2][3].trimmed(), u"9");
    EXPECT_EQ(sheet.SheetRows, 23);
    EXPECT_EQ(cell(3, 5), u"below"); // rows below the range moved up by 7
    EXPECT_EQ(fakes.ui.lastStatus(), u"3行抽出しました.");
    EXPECT_TRUE(fakes.ui.statuses.contains(u"行9抽出."_s));
    EXPECT_TRUE(fakes.ui.statuses.contains(u"行10検索中."_s));
    EXPECT_TRUE(sheet.Modified);
    EXPECT_FALSE(app.ExtractBusy);
    EXPECT_EQ(app.BusyDepth, 0);
}

TEST_F(ExtractTest, EveryRowAHitChangesNothing)
{
    fill(4, {1, 2, 3, 4});
    extract();
    EXPECT_EQ(column(3, 1, 4), u"1|2|3|4");
    EXPECT_EQ(sheet.SheetRows, 30);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(fakes.ui.lastStatus(), u"4行抽出しました.");
}

TEST_F(ExtractTest, NoHitInAFullSheetLeavesOneEmptyRow)
{
    setRows(5);
    fill(5, {});
    extract();
    EXPECT_EQ(sheet.SheetRows, 1);
    EXPECT_EQ(column(1, 1, 1), u"");
    EXPECT_EQ(sheet.LastRow, 0);
    EXPECT_EQ(fakes.ui.lastStatus(), u"0行抽出しました.");
}

TEST_F(ExtractTest, TheSearchCommandStopsItAndNoRowIsLost)
{
    fill(20, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20});
    bool otherCommandRan = false;
    fakes.ui.duringProcessEvents = [&] {
        // The user clicks 検索 while row 9 is being examined; a paste is refused.
        if (fakes.ui.lastStatus() == u"行9検索中.") {
            fakes.clipboard.setText(u"pasted"_s);
            commands::RunCommand(app, commands::CommandId::Paste);
            otherCommandRan = cell(1, 9) == u"pasted";
            EXPECT_TRUE(commands::CommandEnabled(app, commands::CommandId::Search));
            EXPECT_FALSE(commands::CommandEnabled(app, commands::CommandId::New));
            commands::RunCommand(app, commands::CommandId::Search);
        }
    };
    extract();
    EXPECT_FALSE(otherCommandRan);
    // Rows 1..9 were examined: 2, 4, 6, 8 close up; 10..20 follow unexamined.
    EXPECT_EQ(column(3, 1, 15), u"2|4|6|8|10|11|12|13|14|15|16|17|18|19|20");
    EXPECT_EQ(sheet.SheetRows, 25);
    EXPECT_EQ(fakes.ui.lastStatus(), u"4行抽出しました.");
    EXPECT_FALSE(app.ExtractStop && app.ExtractBusy);
    EXPECT_EQ(app.BusyDepth, 0);
}

TEST_F(ExtractTest, DownwardsStartsRightOfTheCursor)
{
    fill(6, {1, 3, 5});
    moveTo(3, 2); // C2: nothing right of it, so row 3 is the first examined
    fakes.ui.searchDialog = [](SearchDialogState& d) {
        d.cbStr = u"hit"_s;
        d.optCond = SearchDialogState::Equal;
        d.setOptOut(1);
        d.optArea = 0; // 下方向 while extracting
        return true;
    };
    tools::RunSearch(app);
    // Rows above the start stay; of rows 3..6 only 3 and 5 remain.
    EXPECT_EQ(column(3, 1, 4), u"1|2|3|5");
    EXPECT_EQ(fakes.ui.lastStatus(), u"2行抽出しました.");
}

} // namespace
