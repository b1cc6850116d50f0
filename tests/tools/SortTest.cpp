// Sort: the selection sort's exact result, reached in O(n log n); what moves and what stays.
#include "ToolsFixture.h"

#include "core/Display.h"
#include "tools/Sort.h"
#include "tools/SortDialogState.h"

#include <random>

using namespace Qt::StringLiterals;

namespace {

class SortTest : public ToolsFixture {
protected:
    void sortAt(int left, int top, int right, int bottom, int order, int method)
    {
        select(left, top, right, bottom);
        fakes.ui.sortDialog = [=](tools::SortDialogState& d) {
            d.optSeq = order;
            d.optWay = method;
            return true;
        };
        tools::RunSort(app);
    }
    QString column(int c, int from, int to) const
    {
        QStringList out;
        for (int r = from; r <= to; ++r)
            out.append(cell(c, r));
        return out.join(u'|');
    }
};

TEST_F(SortTest, EqualKeysEndWhereTheSelectionSortPutsThem)
{
    put(1, 1, u"B"_s);
    put(2, 1, u"1"_s);
    put(1, 2, u"B"_s);
    put(2, 2, u"2"_s);
    put(1, 3, u"A"_s);
    put(2, 3, u"3"_s);
    recalc();
    sortAt(1, 1, 1, 3, 0, 0);
    // A comes first; swapping it there carries row 1 past row 2.
    EXPECT_EQ(column(1, 1, 3) + u' ' + column(2, 1, 3), u"A|B|B 3|2|1");
    EXPECT_EQ(app.sortDialog.lblArea, u"キー = A列 ， 行 1 ～ 3");
    EXPECT_EQ(fakes.ui.lastStatus(), u"並べ替え終了.");
    EXPECT_TRUE(fakes.ui.statuses.contains(u"並べ替え中..."_s));
    sortAt(1, 1, 1, 3, 1, 0);
    EXPECT_EQ(column(1, 1, 3) + u' ' + column(2, 1, 3), u"B|B|A 2|1|3");
}

TEST_F(SortTest, EmptyKeysAndWhatStaysWithTheRowPosition)
{
    put(1, 1, u"5"_s);
    put(1, 2, u""_s);
    put(1, 3, u"-1"_s);
    put(1, 4, u"0"_s);
    put(2, 1, u"five"_s);
    put(2, 3, u"=A3*2"_s);
    put(2, 4, u"zero"_s);
    for (int r = 3; r <= 5; ++r)
        sheet.CellLines[4][2][r] = 0x21;
    recalc();
    // By number the empty key counts as 0 and stays before the later 0.
    sortAt(1, 1, 1, 4, 0, 1);
    EXPECT_EQ(column(1, 1, 4), u"-1||0|5");
    EXPECT_EQ(column(2, 1, 4), u"=A3*2||zero|five");
    // The formula kept its text and was computed again in its new row.
    EXPECT_EQ(sheet.GridText[2][1].trimmed(), u"0");
    EXPECT_EQ(sheet.CellLines[4][2][3], 0x21);
    EXPECT_EQ(sheet.CellLines[4][2][5], 0x21);
    EXPECT_EQ(sheet.CellLines[4][2][1], 0);
    // By text the empty key comes first.
    sortAt(1, 1, 1, 4, 0, 0);
    EXPECT_EQ(column(1, 1, 1), u"");
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(SortTest, ASingleCellMovesNothingButCountsAsASort)
{
    put(1, 1, u"b"_s);
    put(1, 2, u"a"_s);
    sheet.Modified = false;
    sortAt(1, 1, 1, 1, 0, 0);
    EXPECT_EQ(column(1, 1, 2), u"b|a");
    EXPECT_EQ(fakes.ui.lastStatus(), u"並べ替え終了.");
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(SortTest, TextKeysGroupByKindThenByWhatTheyShow)
{
    const QStringList typed = {u"=B1"_s, u"'b"_s, u"b"_s, u"10"_s, u"a"_s, u""_s, u"9"_s,
                               u"'a"_s, u"=A1"_s};
    for (int r = 1; r <= typed.size(); ++r)
        put(3, r, typed[r - 1]);
    sortAt(3, 1, 3, int(typed.size()), 0, 0);
    // Empty, numbers as typed, texts, forced texts, formulas; each by its visible text.
    EXPECT_EQ(column(3, 1, 9), u"|10|9|a|b|'a|'b|=A1|=B1");
}

/// Sheets of random keys with many equal ones and every kind of cell: the fast sort and the
/// plain selection sort leave the same rows in the same places.
TEST_F(SortTest, TheFastSortMatchesTheSelectionSortOnRandomSheets)
{
    const QStringList pool = {u"あ"_s, u"ア"_s, u"ｱ"_s, u"abc"_s, u"ABC"_s, u"Abc"_s, u"ａｂｃ"_s,
                              u"東京"_s, u"大阪"_s, u"1"_s, u"01"_s, u"1.0"_s, u"-3"_s, u"12"_s,
                              u"'12"_s, u"'abc"_s, u"=1+1"_s, u"=A1"_s, u""_s, u"x y"_s};
    std::mt19937 random(20261210);
    for (int round = 0; round < 64; ++round) {
        const int rows = 1 + int(random() % 300);
        const int method = round % 2;
        const int order = (round / 2) % 2;
        SCOPED_TRACE("round " + std::to_string(round) + " rows " + std::to_string(rows));
        platform::FakePlatform fastFakes;
        platform::FakePlatform plainFakes;
        App fast{fastFakes.services()};
        App plain{plainFakes.services()};
        for (App* a : {&fast, &plain}) {
            core::ResetSheetState(*a);
            a->sheet.SheetRows = rows + 2;
            core::ResizeSheet(*a);
        }
        for (int r = 1; r <= rows; ++r) {
            const QString key = pool[int(random() % pool.size())];
            for (App* a : {&fast, &plain}) {
                a->grid.row = r;
                a->grid.col = 2;
                edit::StoreEntry(*a, key);
                a->grid.col = 3;
                edit::StoreEntry(*a, QString::number(r)); // the row's identity
            }
        }
        calc::RecalcAll(fast);
        calc::RecalcAll(plain);
        const int top = 1 + int(random() % 2);
        tools::SortRows(fast, 2, top, rows, order, method);
        tools::SortRowsPlain(plain, 2, top, rows, order, method);
        for (int r = 1; r <= rows; ++r)
            ASSERT_EQ(fast.sheet.CellText[3][r], plain.sheet.CellText[3][r]) << "row " << r;
    }
}

} // namespace
