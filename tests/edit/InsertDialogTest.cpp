#include "edit/EditFixture.h"

#include "edit/InsertDelete.h"
#include "edit/InsertDialogState.h"

namespace {

using edittest::EditFixture;
using Dialog = edit::InsertDialogState;

class InsertDialogTest : public EditFixture {
protected:
    /// Runs the insert command over a selection with the current cell at its end, and
    /// returns the dialog as it was shown; Cancel.
    Dialog shownFor(const core::CellBlock& selection, int tag = Dialog::TagInsert)
    {
        edit::MoveCurrentCell(app, selection.right, selection.bottom);
        grid.selection = selection;
        Dialog shown;
        fakes.ui.insertDialog = [&shown](Dialog& d) {
            shown = d;
            d.txtNum = 99; // typed, then cancelled
            return false;
        };
        if (tag == Dialog::TagInsert)
            edit::InsertCommand(app);
        else
            edit::DeleteCommand(app);
        return shown;
    }
};

TEST_F(InsertDialogTest, SelectionProposesCountDirectionAndStart)
{
    app.insertDialog.optAdd = Dialog::Columns;
    Dialog d = shownFor({2, 2, 3, 7});
    EXPECT_EQ(d.txtNum, 5);
    EXPECT_TRUE(d.rowsChosen());
    EXPECT_EQ(grid.row, 3);
    EXPECT_EQ(grid.col, 2);

    d = shownFor({2, 6, 3, 3});
    EXPECT_EQ(d.txtNum, 5);
    EXPECT_FALSE(d.rowsChosen());
    EXPECT_EQ(grid.col, 2);

    // A block keeps the last choice and proposes 1.
    d = shownFor({2, 3, 3, 4});
    EXPECT_EQ(d.txtNum, 1);
    EXPECT_FALSE(d.rowsChosen());
    EXPECT_EQ(d.caption(), u"行／列の挿入");
    EXPECT_EQ(d.helpTopic(), u"列／行の挿入");
    EXPECT_EQ(d.tag, Dialog::TagInsert);

    // The delete direction is its own choice.
    d = shownFor({4, 4, 4, 4}, Dialog::TagDelete);
    EXPECT_TRUE(d.rowsChosen());
    EXPECT_EQ(d.helpTopic(), u"列／行の削除");
    EXPECT_EQ(fakes.ui.statuses.filter(QStringLiteral("処理")), QStringList{});
}

TEST_F(InsertDialogTest, OkChecksTheLimits)
{
    Dialog d;
    d.tag = Dialog::TagDelete;
    d.optDel = Dialog::Rows;
    const QString max19 = QStringLiteral("指定可能な最大値は19 です.");
    const QString max16 = QStringLiteral("指定可能な最大値は16 です.");
    const QString cols = QStringLiteral("列で指定可能な最大値は 25 です.");
    const struct {
        int tag, direction, count, row;
        std::optional<QString> warning;
    } cases[] = {
        {Dialog::TagDelete, Dialog::Rows, 19, 1, std::nullopt},
        {Dialog::TagDelete, Dialog::Rows, 20, 1, max19},
        {Dialog::TagDelete, Dialog::Rows, 16, 5, std::nullopt},
        {Dialog::TagDelete, Dialog::Rows, 17, 5, max16},
        {Dialog::TagDelete, Dialog::Columns, 25, 5, std::nullopt},
        {Dialog::TagDelete, Dialog::Columns, 26, 5, cols},
        {Dialog::TagInsert, Dialog::Columns, 26, 1, cols},
        {Dialog::TagInsert, Dialog::Rows, 32000, 5, std::nullopt},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.tag << " " << k.direction << " " << k.count);
        d.tag = k.tag;
        d.setDirection(k.direction);
        d.txtNum = k.count;
        EXPECT_EQ(edit::CheckInsertDialog(d, 20, k.row), k.warning);
    }
}

TEST_F(InsertDialogTest, OkInsertsRowsAtTheCurrentRow)
{
    sheet.CellText[2][3] = QStringLiteral("\bx");
    core::RescanExtent(app);
    edit::MoveCurrentCell(app, 2, 3);
    fakes.ui.insertDialog = [](Dialog& d) {
        d.optAdd = Dialog::Rows;
        d.txtNum = 2;
        return true;
    };
    edit::InsertCommand(app);
    EXPECT_EQ(cell(2, 5), u"\bx");
    EXPECT_EQ(sheet.SheetRows, 22);
    EXPECT_EQ(sheet.LastRow, 5);
    EXPECT_EQ(fakes.ui.lastStatus(), u"挿入処理終了.");
    EXPECT_GE(fakes.ui.processEventsCalls, 2);
}

} // namespace
