// The pick list as the window shows it: opened by Alt+Down, its place beside the current
// cell, its keys, and how it ends.
#include "EditorWindowFixture.h"

#include <QListWidget>
#include <QMenu>
#include <QScrollBar>

namespace {

using namespace Qt::StringLiterals;

class PickListWidgetTest : public EditorWindowTest {
protected:
    QListWidget* list() { return window->pickList(); }
    QStringList shownItems()
    {
        QStringList items;
        for (int i = 0; i < list()->count(); ++i)
            items.append(list()->item(i)->text());
        return items;
    }
    /// How many items lie wholly inside the list's visible area.
    int wholeItemsShown()
    {
        const QRect view = list()->viewport()->rect();
        int n = 0;
        for (int i = 0; i < list()->count(); ++i) {
            const QRect item = list()->visualItemRect(list()->item(i));
            if (item.top() >= view.top() && item.bottom() <= view.bottom())
                ++n;
        }
        return n;
    }
    /// Ten texts in column B, a duplicate differing only in case, a number and a formula.
    void fillColumnB()
    {
        const QStringList texts{u"梨"_s,   u"kiwi"_s, u"Apple"_s, u"fig"_s,  u"lime"_s,
                                u"plum"_s, u"date"_s, u"pear"_s,  u"yuzu"_s, u"banana"_s};
        int r = 1;
        for (const QString& t : texts)
            put(2, r++, entry(t));
        put(2, r++, entry(u"APPLE"_s));
        put(2, r++, QChar(core::NumberMark) + u"12"_s);
        put(2, r++, u"=1+1"_s);
    }
};

TEST_F(PickListWidgetTest, AltDownListsTheColumnsTextsAndEnterEntersTheChoice)
{
    window->resize(600, 700);
    QTest::qWait(10);
    fillColumnB();
    go(2, 14);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(app().InputMode, 2);
    EXPECT_TRUE(list()->isVisible());
    EXPECT_EQ(shownItems(), (QStringList{u"Apple"_s, u"banana"_s, u"date"_s, u"fig"_s,
                                         u"kiwi"_s, u"lime"_s, u"pear"_s, u"plum"_s,
                                         u"yuzu"_s, u"梨"_s}));
    QLabel* label = window->modeLabel();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), u"リストから選択");
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::cyan));
    EXPECT_FALSE(window->findChild<QMenu*>(u"EditMenu"_s)->menuAction()->isEnabled());

    // Below the cell, eight items shown and a scroll bar for the rest.
    const QRect cell = cellRect(2, 14);
    EXPECT_GE(list()->geometry().top(), cell.bottom());
    EXPECT_EQ(wholeItemsShown(), 8);
    EXPECT_TRUE(list()->verticalScrollBar()->isVisible());
    EXPECT_EQ(list()->x(), cell.x() - 12);
    EXPECT_EQ(list()->width(), cell.width() + 2 + 24);

    // Down gives the list the focus on its first item; moving on and Enter enter that item.
    key(Qt::Key_Down);
    EXPECT_TRUE(list()->hasFocus());
    EXPECT_EQ(list()->currentRow(), 0);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(sheet().CellText[2][14], entry(u"banana"_s));
    EXPECT_EQ(sheet().GridText[2][14], u"banana");
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_FALSE(list()->isVisible());
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(ed()->hasFocus());
    EXPECT_TRUE(window->findChild<QMenu*>(u"EditMenu"_s)->menuAction()->isEnabled());
}

TEST_F(PickListWidgetTest, EscapeAndFocusLossEndTheListWithoutEntering)
{
    fillColumnB();
    go(2, 14);
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_End);
    EXPECT_EQ(list()->currentRow(), 9);
    QTest::keyClick(list(), Qt::Key_Escape);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_TRUE(sheet().CellText[2][14].isEmpty());
    EXPECT_FALSE(list()->isVisible());

    // Escape in the editor, before the list has the focus.
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Escape);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_FALSE(list()->isVisible());

    // Clicking into the grid takes the focus from the list.
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down);
    ASSERT_TRUE(list()->hasFocus());
    go(3, 3);
    EXPECT_EQ(app().InputMode, 0);
    EXPECT_FALSE(list()->isVisible());
    EXPECT_TRUE(sheet().CellText[2][14].isEmpty());
}

TEST_F(PickListWidgetTest, AFewItemsNearTheGridsBottomOpenAboveTheCell)
{
    put(2, 1, entry(u"one"_s));
    put(2, 2, entry(u"two"_s));
    // The last row the view shows whole.
    const auto wholeInView = [this](int r) {
        return grid()->viewport()->rect().contains(
            grid()->visualRect(grid()->model()->index(r - 1, 1)));
    };
    int bottom = 1;
    while (wholeInView(bottom + 1))
        ++bottom;
    ASSERT_GT(bottom, 4);
    go(2, bottom);
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(list()->isVisible());
    EXPECT_EQ(shownItems(), (QStringList{u"one"_s, u"two"_s}));
    const QRect cell = cellRect(2, bottom);
    EXPECT_LE(list()->geometry().bottom(), cell.top());
    EXPECT_EQ(list()->x(), cell.x());
    EXPECT_EQ(list()->width(), cell.width() + 2);
    EXPECT_FALSE(list()->verticalScrollBar()->isVisible());
    EXPECT_EQ(wholeItemsShown(), 2);
}

} // namespace
