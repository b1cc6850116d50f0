// The in-place editor driven by real key and input-method events: its modes as the window
// shows them, the key table, Japanese input and undo.
#include "EditorWindowFixture.h"
#include "ModalBoxes.h"

#include <QInputMethodEvent>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

using ui::CommandId;

QStringList menuNames()
{
    return {QStringLiteral("FileMenu"), QStringLiteral("EditMenu"), QStringLiteral("DataMenu"),
            QStringLiteral("SetMenu")};
}

class EditorWidgetTest : public EditorWindowTest {
protected:
    QMenu* menu(const char* name) { return window->findChild<QMenu*>(QString::fromLatin1(name)); }
    /// Which of the four editing menus, the toolbar buttons and the help menu are usable.
    void expectCommandsEnabled(bool on)
    {
        for (const QString& name : menuNames()) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(window->findChild<QMenu*>(name)->menuAction()->isEnabled(), on);
        }
        EXPECT_TRUE(menu("HelpMenu")->menuAction()->isEnabled());
        const QList<QAction*> buttons = window->toolBar()->actions();
        ASSERT_GE(buttons.size(), 3);
        // The buttons of the commands built so far; the others are greyed in any mode.
        const QStringList built = {
            u"btP1"_s,  u"btP2"_s,  u"btP3"_s,  u"btP4"_s,  u"btP5"_s,  u"btP6"_s,
            u"btP7"_s,  u"btP8"_s,  u"btP9"_s,  u"btP10"_s, u"btP11"_s, u"btP12"_s,
            u"btP13"_s, u"btP14"_s, u"btP16"_s, u"btP17"_s, u"btP18"_s, u"btP19"_s,
            u"btP20"_s, u"btP21"_s, u"btP22"_s, u"btP23"_s, u"btP24"_s, u"btP25"_s,
            u"btP26"_s, u"btP27"_s, u"btP28"_s, u"btP29"_s, u"btP30"_s};
        // A hidden button counts as disabled whatever its own state.
        for (qsizetype i = 0; i + 2 < buttons.size(); ++i)
            if (buttons[i]->isVisible() && !buttons[i]->isSeparator()) {
                const QString name = buttons[i]->objectName();
                EXPECT_EQ(buttons[i]->isEnabled(), on && built.contains(name))
                    << name.toStdString();
            }
        // The final separator and the help button stay usable.
        EXPECT_TRUE(buttons[buttons.size() - 2]->isSeparator());
        EXPECT_TRUE(buttons.back()->isEnabled());
        EXPECT_EQ(buttons.back()->objectName(), u"btP31");
    }
};

TEST_F(EditorWidgetTest, TypingShowsTheModeAndLocksTheCommandsUntilEnter)
{
    go(2, 3);
    type(QStringLiteral("abc"));
    EXPECT_EQ(app().InputMode, 1);
    EXPECT_EQ(ed()->text(), u"abc");
    // The editor lies over the cell, 4 pixels larger, in front of the grid.
    const QRect cell = cellRect(2, 3);
    EXPECT_EQ(ed()->geometry(), QRect(cell.topLeft(), cell.size() + QSize(4, 4)));
    EXPECT_TRUE(ed()->hasFocus());
    QLabel* label = window->modeLabel();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), u" 入力中 ");
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_EQ(label->pos(), QPoint(0, 0));
    expectCommandsEnabled(false);
    emit grid()->customContextMenuRequested(cellRect(2, 2).center());
    EXPECT_FALSE(window->popupMenu()->isVisible());
    // Menu shortcuts of the locked menus do not run while typing.
    key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(fakes.fileDialogs.openTitles.isEmpty());
    EXPECT_EQ(app().InputMode, 1);

    key(Qt::Key_Return);
    EXPECT_EQ(sheet().CellText[2][3], entry(QStringLiteral("abc")));
    EXPECT_EQ(sheet().GridText[2][3], u"abc");
    EXPECT_EQ(grid()->model()->index(2, 1).data().toString(), u"abc");
    EXPECT_EQ(panel(1), u"abc");
    EXPECT_EQ(app().grid.col, 2);
    EXPECT_EQ(app().grid.row, 3);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(ed()->text().isEmpty());
    EXPECT_TRUE(ed()->hasFocus());
    expectCommandsEnabled(true);
    // Idle again, the shortcut opens: first the question about the changed sheet.
    const auto box = answerNextBox(QStringLiteral("破棄(&D)"));
    key(Qt::Key_O, Qt::ControlModifier); // the fake dialog is cancelled
    EXPECT_TRUE(box->seen);
    EXPECT_EQ(fakes.fileDialogs.openTitles.size(), 1);
}

TEST_F(EditorWidgetTest, KeysWhileTypingCommitAndMoveWithinTheSheet)
{
    setRows(20);
    struct Case {
        const char* name;
        int col, row;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int toCol, toRow;
    };
    const Case cases[] = {
        {"Enter stays", 3, 3, Qt::Key_Return, Qt::NoModifier, 3, 3},
        {"keypad Enter stays", 3, 3, Qt::Key_Enter, Qt::KeypadModifier, 3, 3},
        {"Shift+Enter right", 3, 3, Qt::Key_Return, Qt::ShiftModifier, 4, 3},
        {"Shift+Enter in Z stays", 26, 3, Qt::Key_Return, Qt::ShiftModifier, 26, 3},
        {"PgDn right", 3, 3, Qt::Key_PageDown, Qt::NoModifier, 4, 3},
        {"PgDn in Z stays", 26, 5, Qt::Key_PageDown, Qt::NoModifier, 26, 5},
        {"Up", 3, 3, Qt::Key_Up, Qt::NoModifier, 3, 2},
        {"Up in row 1 stays", 3, 1, Qt::Key_Up, Qt::NoModifier, 3, 1},
        {"Down", 3, 3, Qt::Key_Down, Qt::NoModifier, 3, 4},
        {"Down in the last row stays", 3, 20, Qt::Key_Down, Qt::NoModifier, 3, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        go(c.col, c.row);
        type(QStringLiteral("=sum(a1:a3)"));
        key(c.key, c.mods);
        EXPECT_EQ(sheet().CellText[c.col][c.row], u"=SUM(A1:A3)");
        EXPECT_EQ(app().grid.col, c.toCol);
        EXPECT_EQ(app().grid.row, c.toRow);
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(c.toRow - 1, c.toCol - 1));
        EXPECT_EQ(panel(0), core::CellName(c.toCol, c.toRow));
        EXPECT_EQ(app().InputMode, 0);
        sheet().CellText[c.col][c.row].clear();
    }
}

TEST_F(EditorWidgetTest, CaretKeysStayInTheEditorAndEscDiscards)
{
    put(2, 2, entry(QStringLiteral("old")));
    go(1, 1);
    type(QStringLiteral("5"));
    key(Qt::Key_Return); // the undo record now names A1
    const core::undodata before = sheet().UndoData;
    const QString caption = window->menuAction(CommandId::Undo)->text();

    go(2, 2);
    type(QStringLiteral("ac"));
    key(Qt::Key_Left);
    type(QStringLiteral("b"));
    key(Qt::Key_Home);
    type(QStringLiteral("x"));
    key(Qt::Key_End);
    EXPECT_EQ(ed()->text(), u"xabc");
    EXPECT_EQ(app().grid.col, 2);
    key(Qt::Key_Escape);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_EQ(sheet().CellText[2][2], entry(QStringLiteral("old")));
    EXPECT_EQ(sheet().GridText[2][2], u"old");
    EXPECT_EQ(sheet().UndoData.col, before.col);
    EXPECT_EQ(sheet().UndoData.row, before.row);
    EXPECT_EQ(sheet().UndoData.str, before.str);
    EXPECT_EQ(window->menuAction(CommandId::Undo)->text(), caption);
    EXPECT_TRUE(ed()->text().isEmpty());
    EXPECT_FALSE(window->modeLabel()->isVisible());
}

TEST_F(EditorWidgetTest, IdleMovementStopsAtTheSheetsEdges)
{
    setRows(30);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int col, row;
    };
    const Step steps[] = {
        {Qt::Key_Left, Qt::NoModifier, 1, 1},  {Qt::Key_Up, Qt::NoModifier, 1, 1},
        {Qt::Key_Right, Qt::NoModifier, 2, 1}, {Qt::Key_Down, Qt::NoModifier, 2, 2},
        {Qt::Key_Right, Qt::ControlModifier, 26, 2},
        {Qt::Key_Right, Qt::NoModifier, 26, 2},
        {Qt::Key_Down, Qt::ControlModifier, 26, 30},
        {Qt::Key_Down, Qt::NoModifier, 26, 30},
        {Qt::Key_Left, Qt::ControlModifier, 1, 30},
        {Qt::Key_Up, Qt::ControlModifier, 1, 1},
        {Qt::Key_Down, Qt::NoModifier, 1, 2},
        {Qt::Key_End, Qt::NoModifier, 1, 2},
        {Qt::Key_Right, Qt::NoModifier, 2, 2},
        {Qt::Key_Home, Qt::NoModifier, 1, 1},
    };
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(n++);
        key(s.key, s.mods);
        EXPECT_EQ(app().grid.col, s.col);
        EXPECT_EQ(app().grid.row, s.row);
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(s.row - 1, s.col - 1));
        // The hidden editor follows the current cell, and the view shows it.
        EXPECT_EQ(ed()->pos(), cellRect(s.col, s.row).topLeft());
        EXPECT_TRUE(grid()->viewport()->rect().contains(
            grid()->visualRect(grid()->currentIndex())));
        EXPECT_EQ(app().InputMode, 0);
        EXPECT_TRUE(ed()->text().isEmpty());
    }
}

TEST_F(EditorWidgetTest, PageKeysMoveByTheFullyVisibleRows)
{
    go(3, 2);
    const int v = app().grid.visibleRows;
    ASSERT_GT(v, 3);
    key(Qt::Key_PageDown);
    EXPECT_EQ(app().grid.topRow, 1 + v);
    EXPECT_EQ(app().grid.row, 1 + v);
    EXPECT_EQ(grid()->verticalScrollBar()->value(), v);
    EXPECT_EQ(app().grid.col, 3);
    key(Qt::Key_PageDown);
    EXPECT_EQ(app().grid.topRow, 1 + 2 * v);
    key(Qt::Key_PageUp);
    EXPECT_EQ(app().grid.topRow, 1 + v);
    EXPECT_EQ(app().grid.row, 1 + v);
    EXPECT_EQ(grid()->verticalScrollBar()->value(), v);
    // Less than a page above: to row 1.
    key(Qt::Key_Up);
    key(Qt::Key_PageUp);
    EXPECT_EQ(app().grid.topRow, 1);
    EXPECT_EQ(app().grid.row, 1);
    EXPECT_EQ(grid()->verticalScrollBar()->value(), 0);

    // Near the end PgDn does nothing once the top row plus a page reaches the last row.
    go(3, 100);
    const int top = app().grid.topRow;
    ASSERT_GE(top + v, 100);
    key(Qt::Key_PageDown);
    EXPECT_EQ(app().grid.topRow, top);
    EXPECT_EQ(app().grid.row, 100);
}

TEST_F(EditorWidgetTest, ShiftArrowsGrowAndShrinkTheSelectionAroundTheAnchor)
{
    go(3, 3);
    QTest::keyPress(ed(), Qt::Key_Shift);
    keyWithShiftHeld(Qt::Key_Down);
    keyWithShiftHeld(Qt::Key_Down);
    keyWithShiftHeld(Qt::Key_Right);
    EXPECT_EQ(app().grid.selection, (core::CellBlock{3, 4, 3, 5}));
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 6);
    EXPECT_EQ(app().grid.col, 4);
    EXPECT_EQ(app().grid.row, 5);
    keyWithShiftHeld(Qt::Key_Up);
    EXPECT_EQ(app().grid.selection, (core::CellBlock{3, 4, 3, 4}));
    keyWithShiftHeld(Qt::Key_Up);
    keyWithShiftHeld(Qt::Key_Up);
    // Past the anchor the far edge turns over: the block now runs upwards from row 3.
    EXPECT_EQ(app().grid.selection, (core::CellBlock{3, 4, 2, 3}));
    keyWithShiftHeld(Qt::Key_Left);
    keyWithShiftHeld(Qt::Key_Left);
    EXPECT_EQ(app().grid.selection, (core::CellBlock{2, 3, 2, 3}));
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 4);
    QTest::keyRelease(ed(), Qt::Key_Shift);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_EQ(panel(0), core::CellName(app().grid.col, app().grid.row));

    // Shift+arrows stop at the sheet's edges.
    go(1, 1);
    QTest::keyPress(ed(), Qt::Key_Shift);
    keyWithShiftHeld(Qt::Key_Left);
    keyWithShiftHeld(Qt::Key_Up);
    EXPECT_EQ(app().grid.selection, (core::CellBlock{1, 1, 1, 1}));
    QTest::keyRelease(ed(), Qt::Key_Shift);
    // A plain arrow collapses the selection again.
    go(3, 3);
    QTest::keyPress(ed(), Qt::Key_Shift);
    keyWithShiftHeld(Qt::Key_Right);
    QTest::keyRelease(ed(), Qt::Key_Shift);
    key(Qt::Key_Down);
    EXPECT_EQ(app().grid.selection, (core::CellBlock{4, 4, 4, 4}));
}

TEST_F(EditorWidgetTest, F2OffersTheEntryAsTyped)
{
    put(2, 2, QStringLiteral("'abc"));
    put(2, 3, QStringLiteral("=A1*2"));
    go(2, 2);
    key(Qt::Key_F2);
    EXPECT_EQ(app().InputMode, 1);
    EXPECT_EQ(ed()->text(), u"'abc");
    EXPECT_TRUE(window->modeLabel()->isVisible());
    type(QStringLiteral("d"));
    key(Qt::Key_Down);
    EXPECT_EQ(sheet().CellText[2][2], u"'abcd");
    EXPECT_EQ(sheet().GridText[2][2], u"abcd");
    key(Qt::Key_F2);
    EXPECT_EQ(ed()->text(), u"=A1*2");
    key(Qt::Key_Escape);
    EXPECT_EQ(sheet().CellText[2][3], u"=A1*2");
}

TEST_F(EditorWidgetTest, OnlyCharactersStartTypingWhileIdle)
{
    for (Qt::Key k : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Escape}) {
        key(k);
        EXPECT_EQ(app().InputMode, 0) << k;
    }
    key(Qt::Key_Q, Qt::AltModifier);
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_TRUE(ed()->text().isEmpty());
    // A blank is a character too: it starts an entry that would replace the content.
    put(1, 1, entry(QStringLiteral("old")));
    key(Qt::Key_Space);
    EXPECT_EQ(app().InputMode, 1);
    EXPECT_EQ(ed()->text(), u" ");
    key(Qt::Key_Escape);
    EXPECT_EQ(sheet().CellText[1][1], entry(QStringLiteral("old")));
    // 12 followed by a blank is a number.
    type(QStringLiteral("12 "));
    key(Qt::Key_Return);
    EXPECT_EQ(sheet().CellText[1][1], QChar(core::NumberMark) + QStringLiteral("12 "));
    EXPECT_DOUBLE_EQ(sheet().CellValue[1][1], 12);
}

TEST_F(EditorWidgetTest, TheEditorWidensForLongTextWithinTheWindow)
{
    go(7, 2);
    type(QStringLiteral("a"));
    const int start = ed()->width();
    EXPECT_EQ(start, cellRect(7, 2).width() + 4);
    const int unit = platform::FakeTextMeasure::Unit;
    QString text = QStringLiteral("a");
    while (unit * (text.size() + 1) < start) {
        type(QStringLiteral("b"));
        text += u'b';
    }
    // The text with the next character no longer fits: width for it and ten digits more.
    EXPECT_EQ(ed()->width(), start);
    type(QStringLiteral("c"));
    EXPECT_EQ(ed()->width(), unit * (text.size() + 1) + unit * 10);
    // Far wider than the window: the whole client width from the left edge.
    type(QString(80, u'x'));
    EXPECT_EQ(ed()->x(), 0);
    EXPECT_EQ(ed()->width(), window->centralWidget()->width());
    key(Qt::Key_Return);
    EXPECT_EQ(sheet().CellText[7][2].size(), 1 + text.size() + 1 + 80);
    // The next entry starts at the cell's size again.
    type(QStringLiteral("z"));
    EXPECT_EQ(ed()->geometry().size(), cellRect(7, 2).size() + QSize(4, 4));
    key(Qt::Key_Escape);
}

TEST_F(EditorWidgetTest, InputMethodCompositionTypesJapaneseIntoTheCell)
{
    go(2, 4);
    ASSERT_TRUE(ed()->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent preedit(QStringLiteral("とうきょう"), {});
    QApplication::sendEvent(ed(), &preedit);
    EXPECT_EQ(app().InputMode, 1);
    EXPECT_TRUE(window->modeLabel()->isVisible());
    EXPECT_TRUE(ed()->hasFocus());
    EXPECT_TRUE(ed()->isVisible());
    EXPECT_FALSE(menu("FileMenu")->menuAction()->isEnabled());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("東京"));
    QApplication::sendEvent(ed(), &commit);
    EXPECT_EQ(ed()->text(), u"東京");
    key(Qt::Key_Return);
    EXPECT_EQ(sheet().CellText[2][4], entry(QStringLiteral("東京")));
    EXPECT_EQ(sheet().GridText[2][4], u"東京");
    EXPECT_EQ(panel(1), u"東京");

    // A composition while typing continues the entry; an empty event starts nothing.
    go(2, 5);
    QInputMethodEvent nothing;
    QApplication::sendEvent(ed(), &nothing);
    EXPECT_EQ(app().InputMode, 0);
    type(QStringLiteral("a"));
    QInputMethodEvent more;
    more.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(ed(), &more);
    key(Qt::Key_Down);
    EXPECT_EQ(sheet().CellText[2][5], entry(QStringLiteral("a日本")));
}

TEST_F(EditorWidgetTest, CtrlYDeletesTheCurrentRow)
{
    put(1, 3, entry(QStringLiteral("three")));
    put(1, 4, entry(QStringLiteral("four")));
    go(1, 3);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(sheet().SheetRows, 99);
    EXPECT_EQ(sheet().CellText[1][3], entry(QStringLiteral("four")));
    EXPECT_EQ(grid()->model()->rowCount(), 99);
    EXPECT_EQ(grid()->model()->index(2, 0).data().toString(), u"four");
    EXPECT_EQ(panel(1), u"一行削除処理終了.");
    EXPECT_TRUE(ed()->text().isEmpty());

    go(1, 1);
    setRows(1);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(sheet().SheetRows, 1);
    EXPECT_EQ(panel(1), u"これ以上行削除できません.");
}

TEST_F(EditorWidgetTest, CtrlCAndCtrlVCopyABlockSelectedWithShiftArrows)
{
    put(1, 1, entry(QStringLiteral("a")));
    put(2, 2, QStringLiteral("=A2+1"));
    go(1, 1);
    QTest::keyPress(ed(), Qt::Key_Shift);
    keyWithShiftHeld(Qt::Key_Right);
    keyWithShiftHeld(Qt::Key_Down);
    QTest::keyRelease(ed(), Qt::Key_Shift);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(panel(1), u"コピー元を A1～B2 に設定しました");
    go(3, 5);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(sheet().CellText[3][5], entry(QStringLiteral("a")));
    EXPECT_EQ(sheet().CellText[4][6], u"=C6+1");
    EXPECT_EQ(grid()->model()->index(4, 2).data().toString(), u"a");
    EXPECT_EQ(panel(1), u"貼り付け処理終了.");
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_TRUE(ed()->text().isEmpty());
}

TEST_F(EditorWidgetTest, UndoFromTheMenuKeyButtonAndPopup)
{
    QAction* item = window->menuAction(CommandId::Undo);
    QAction* popup = window->popupAction(CommandId::Undo);
    EXPECT_EQ(item->text(), u"元に戻す(&U)");
    go(1, 1);
    type(QStringLiteral("5"));
    key(Qt::Key_Return);
    EXPECT_EQ(item->text(), u"元に戻す(&U) A1");
    EXPECT_EQ(popup->text(), u"元に戻す(&U)");

    go(3, 3);
    key(Qt::Key_Z, Qt::ControlModifier); // the menu's shortcut
    EXPECT_TRUE(sheet().CellText[1][1].isEmpty());
    EXPECT_TRUE(sheet().GridText[1][1].isEmpty());
    EXPECT_EQ(app().grid.col, 1);
    EXPECT_EQ(app().grid.row, 1);
    EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(0, 0));
    EXPECT_EQ(panel(0), u"A1");
    EXPECT_EQ(item->text(), u"元に戻す(&U) A1");

    // Undoing the undo: the toolbar button, then the popup item.
    window->buttonAction(10)->trigger();
    EXPECT_EQ(sheet().CellText[1][1], QChar(core::NumberMark) + QStringLiteral("5"));
    popup->trigger();
    EXPECT_TRUE(sheet().CellText[1][1].isEmpty());

    // A structural change above the remembered cell forgets it.
    go(1, 1);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(item->text(), u"元に戻す(&U)");
    EXPECT_EQ(sheet().UndoData.col, 0);
}

} // namespace
