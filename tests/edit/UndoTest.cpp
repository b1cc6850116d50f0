#include "edit/EditFixture.h"

#include "edit/InsertDelete.h"
#include "edit/Undo.h"

namespace {

using edittest::EditFixture;
using Key = edit::Key;

class UndoTest : public EditFixture {};

TEST_F(UndoTest, UndoRestoresTheOldTextAndASecondUndoRedoes)
{
    type(1, 1, QStringLiteral("5"));
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U) A1");
    edit::MoveCurrentCell(app, 4, 4);
    edit::UndoCommand(app);
    EXPECT_EQ(grid.col, 1);
    EXPECT_EQ(grid.row, 1);
    EXPECT_EQ(fakes.ui.cellNamePanel, u"A1");
    EXPECT_TRUE(cell(1, 1).isEmpty());
    EXPECT_TRUE(shown(1, 1).isEmpty());
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U) A1");
    EXPECT_EQ(sheet.UndoData.str, u"5");
    edit::UndoCommand(app);
    EXPECT_EQ(cell(1, 1), number(u"5"));
    EXPECT_EQ(shown(1, 1), u"         5");
}

TEST_F(UndoTest, UndoneEntriesAreClassifiedAgain)
{
    type(3, 3, QStringLiteral("7"));
    type(3, 3, QStringLiteral("=b1*2"));
    edit::UndoCommand(app);
    EXPECT_EQ(cell(3, 3), number(u"7"));
    EXPECT_EQ(sheet.CellValue[3][3], 7);

    type(2, 2, QStringLiteral("xyz"));
    type(2, 2, QStringLiteral("'abc"));
    EXPECT_EQ(sheet.UndoData.str, u"xyz");
    edit::UndoCommand(app);
    EXPECT_EQ(cell(2, 2), text(u"xyz"));
    EXPECT_EQ(sheet.UndoData.str, u"'abc");
    edit::UndoCommand(app);
    EXPECT_EQ(cell(2, 2), u"'abc");
}

TEST_F(UndoTest, NothingRememberedBeepsAndChangesNothing)
{
    sheet.CellText[1][1] = text(u"keep");
    edit::UndoCommand(app);
    EXPECT_EQ(fakes.ui.beeps, 1);
    EXPECT_EQ(cell(1, 1), text(u"keep"));
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U)");
}

TEST_F(UndoTest, EscapeLeavesTheCellAndTheRecordUntouched)
{
    type(1, 1, QStringLiteral("first"));
    type(2, 2, QStringLiteral("old"));
    edit::MoveCurrentCell(app, 2, 2);
    startTyping(QStringLiteral("new"));
    const edit::KeyResult res = press(Key::Escape);
    EXPECT_TRUE(res.consumed);
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(fakes.ui.typingMode);
    EXPECT_TRUE(fakes.ui.editor.isEmpty());
    EXPECT_EQ(cell(2, 2), text(u"old"));
    EXPECT_EQ(sheet.UndoData.col, 2);
    EXPECT_TRUE(sheet.UndoData.str.isEmpty());
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U) B2");
}

TEST_F(UndoTest, StructuralChangesForgetRecordsTheyCouldMove)
{
    type(3, 5, QStringLiteral("x"));
    edit::InsertRows(app, 6, 1);
    EXPECT_EQ(sheet.UndoData.col, 3);
    edit::InsertRows(app, 5, 1);
    EXPECT_EQ(sheet.UndoData.col, 0);
    EXPECT_EQ(fakes.ui.undoCaption, u"元に戻す(&U)");
    edit::UndoCommand(app);
    EXPECT_EQ(fakes.ui.beeps, 1);

    type(3, 5, QStringLiteral("y"));
    edit::DeleteColumns(app, 4, 1);
    EXPECT_EQ(sheet.UndoData.col, 3);
    edit::InsertColumns(app, 3, 1);
    EXPECT_EQ(sheet.UndoData.col, 0);
}

} // namespace
