#include "edit/EditFixture.h"

#include "edit/PickList.h"

namespace {

using edittest::EditFixture;

class PickListTest : public EditFixture
{
protected:
    void putText(int c, int r, const QString& t)
    {
        sheet.CellText[c][r] = QChar(core::TextMark) + t;
    }
};

TEST_F(PickListTest, GathersTextEntriesOnceIgnoringCaseAndSorts)
{
    putText(2, 1, QStringLiteral("pear"));
    putText(2, 2, QStringLiteral("Apple"));
    sheet.CellText[2][3] = QStringLiteral("'banana");
    putText(2, 4, QStringLiteral("APPLE"));
    sheet.CellText[2][5] = QChar(core::NumberMark) + QStringLiteral("12");
    sheet.CellText[2][6] = QStringLiteral("=A1");
    putText(2, 7, QStringLiteral("apple"));
    sheet.CellText[2][8] = QStringLiteral("'Pear");
    putText(1, 9, QStringLiteral("other column"));
    EXPECT_EQ(
        edit::PickListItems(sheet, 2, 10),
        (QStringList{QStringLiteral("Apple"), QStringLiteral("banana"), QStringLiteral("pear")}));
}

TEST_F(PickListTest, LooksAtAThousandRowsFromTheSpanStart)
{
    setRows(3000);
    putText(1, 499, QStringLiteral("r499"));
    putText(1, 500, QStringLiteral("r500"));
    putText(1, 1500, QStringLiteral("r1500"));
    putText(1, 1501, QStringLiteral("r1501"));
    EXPECT_EQ(edit::PickListItems(sheet, 1, 1500),
              (QStringList{QStringLiteral("r1500"), QStringLiteral("r500")}));
    // Up to row 1000 the span starts at row 1 and reaches row 1001.
    putText(2, 1001, QStringLiteral("r1001"));
    putText(2, 1002, QStringLiteral("r1002"));
    EXPECT_EQ(edit::PickListItems(sheet, 2, 5), (QStringList{QStringLiteral("r1001")}));
}

TEST_F(PickListTest, EnterInTheListCommitsTheChosenItem)
{
    putText(3, 1, QStringLiteral("abc"));
    edit::MoveCurrentCell(app, 3, 4);
    const QStringList items = edit::OpenPickList(app);
    EXPECT_EQ(items, QStringList{QStringLiteral("abc")});
    EXPECT_EQ(app.InputMode, 2);
    EXPECT_TRUE(fakes.ui.pickListMode);
    EXPECT_TRUE(edit::lsWordKeyDown(app, edit::Key::Enter, &items[0]));
    EXPECT_EQ(cell(3, 4), text(u"abc"));
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(fakes.ui.pickListMode);
    EXPECT_EQ(sheet.UndoData.row, 4);
    edit::lsWordExit(app);
    EXPECT_EQ(app.InputMode, 0);
}

TEST_F(PickListTest, EnterWithoutItemEscapeAndFocusLossCommitNothing)
{
    edit::MoveCurrentCell(app, 1, 3);
    EXPECT_TRUE(edit::OpenPickList(app).isEmpty());
    EXPECT_TRUE(edit::lsWordKeyDown(app, edit::Key::Enter, nullptr));
    EXPECT_EQ(app.InputMode, 0);
    edit::OpenPickList(app);
    EXPECT_FALSE(edit::lsWordKeyDown(app, edit::Key::Down, nullptr));
    EXPECT_TRUE(edit::lsWordKeyDown(app, edit::Key::Escape, nullptr));
    EXPECT_EQ(app.InputMode, 0);
    edit::OpenPickList(app);
    edit::lsWordExit(app);
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(fakes.ui.pickListMode);
    edit::OpenPickList(app);
    edit::MoveCurrentCell(app, 2, 2);
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(sheet.UndoData.col, 0);
}

TEST(PickListGeometryTest, BelowTheCellOrAboveNearTheGridsBottom)
{
    edit::PickListFrame f;
    f.gridLeft = 0;
    f.gridTop = 30;
    f.gridBottom = 430;
    f.cell = edit::Rect{60, 100, 82, 18};
    f.itemHeight = 16;
    // 10 items: 8 shown with a scroll bar.
    edit::PickListPlace p = edit::PickListGeometry(f, 10);
    EXPECT_TRUE(p.scrollBar);
    EXPECT_EQ(p.rect, (edit::Rect{48, 150, 108, 132}));
    p = edit::PickListGeometry(f, 3);
    EXPECT_FALSE(p.scrollBar);
    EXPECT_EQ(p.rect, (edit::Rect{60, 150, 84, 52}));
    EXPECT_EQ(edit::PickListGeometry(f, 0).rect.height, 20);
    // Near the bottom: above the cell.
    f.cell.top = 340;
    EXPECT_EQ(edit::PickListGeometry(f, 8).rect.top, 30 + 340 - 132);
    // Above would pass the top: it stays below.
    f.gridBottom = 200;
    f.cell.top = 60;
    EXPECT_EQ(edit::PickListGeometry(f, 8).rect.top, 30 + 60 + 18 + 2);
}

} // namespace
