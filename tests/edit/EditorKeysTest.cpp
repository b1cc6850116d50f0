#include "edit/EditFixture.h"

namespace {

using edittest::EditFixture;
using edit::Key;

class EditorKeysTest : public EditFixture {
protected:
    void at(int c, int r) { edit::MoveCurrentCell(app, c, r); }
    std::pair<int, int> pos() const { return {grid.col, grid.row}; }
};

TEST_F(EditorKeysTest, CommittingKeysWhileTyping)
{
    const struct {
        int c, r;
        Key key;
        Qt::KeyboardModifiers mods;
        int toC, toR;
    } cases[] = {
        {2, 2, Key::Enter, Qt::NoModifier, 2, 2},
        {2, 2, Key::Enter, Qt::ShiftModifier, 3, 2},
        {26, 2, Key::Enter, Qt::ShiftModifier, 26, 2},
        {2, 2, Key::Enter, Qt::ShiftModifier | Qt::ControlModifier, 2, 2},
        {2, 2, Key::PageDown, Qt::NoModifier, 3, 2},
        {26, 2, Key::PageDown, Qt::NoModifier, 26, 2},
        {2, 2, Key::Up, Qt::NoModifier, 2, 1},
        {2, 1, Key::Up, Qt::NoModifier, 2, 1},
        {2, 2, Key::Down, Qt::NoModifier, 2, 3},
        {2, 20, Key::Down, Qt::NoModifier, 2, 20},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.c << "," << k.r << " key " << int(k.key));
        const edit::KeyResult res = type(k.c, k.r, QStringLiteral("v"), k.key, k.mods);
        EXPECT_TRUE(res.consumed);
        EXPECT_EQ(cell(k.c, k.r), text(u"v"));
        EXPECT_EQ(pos(), std::make_pair(k.toC, k.toR));
        EXPECT_EQ(app.InputMode, 0);
        sheet.CellText[k.c][k.r].clear();
    }
}

TEST_F(EditorKeysTest, CaretKeysWhileTypingGoToTheEditor)
{
    at(3, 3);
    startTyping(QStringLiteral("abc"));
    for (Key key : {Key::Left, Key::Right, Key::Home, Key::End, Key::Other, Key::F2}) {
        const edit::KeyResult res = press(key);
        EXPECT_FALSE(res.consumed) << int(key);
        EXPECT_FALSE(res.placeEditor);
    }
    EXPECT_EQ(app.InputMode, 1);
    EXPECT_TRUE(cell(3, 3).isEmpty());
    EXPECT_EQ(pos(), std::make_pair(3, 3));
}

TEST_F(EditorKeysTest, IdleMovementStopsAtTheSheetsEdges)
{
    const struct {
        int c, r;
        Key key;
        Qt::KeyboardModifiers mods;
        int toC, toR;
    } cases[] = {
        {3, 3, Key::Up, Qt::NoModifier, 3, 2},       {3, 1, Key::Up, Qt::NoModifier, 3, 1},
        {3, 3, Key::Down, Qt::NoModifier, 3, 4},     {3, 20, Key::Down, Qt::NoModifier, 3, 20},
        {3, 3, Key::Left, Qt::NoModifier, 2, 3},     {1, 3, Key::Left, Qt::NoModifier, 1, 3},
        {3, 3, Key::Right, Qt::NoModifier, 4, 3},    {26, 3, Key::Right, Qt::NoModifier, 26, 3},
        {5, 9, Key::Home, Qt::NoModifier, 1, 1},     {5, 9, Key::End, Qt::NoModifier, 5, 9},
        {5, 9, Key::Left, Qt::ControlModifier, 1, 9}, {5, 9, Key::Up, Qt::ControlModifier, 5, 1},
        {5, 9, Key::Right, Qt::ControlModifier, 26, 9},
        {5, 9, Key::Down, Qt::ControlModifier, 5, 20},
        {5, 9, Key::Home, Qt::ControlModifier, 5, 9}, {5, 9, Key::Home, Qt::ShiftModifier, 5, 9},
        {5, 9, Key::Enter, Qt::NoModifier, 5, 9},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.c << "," << k.r << " key " << int(k.key));
        at(k.c, k.r);
        const edit::KeyResult res = press(k.key, k.mods);
        EXPECT_EQ(pos(), std::make_pair(k.toC, k.toR));
        EXPECT_TRUE(res.placeEditor);
        EXPECT_EQ(app.InputMode, 0);
    }
}

TEST_F(EditorKeysTest, PageKeysMoveByTheFullyVisibleRows)
{
    grid.visibleRows = 5;
    at(2, 1);
    const int expectedDown[] = {6, 11, 16, 16};
    for (int top : expectedDown) {
        press(Key::PageDown);
        EXPECT_EQ(grid.topRow, top);
        EXPECT_EQ(grid.row, top);
    }
    press(Key::PageUp);
    EXPECT_EQ(grid.topRow, 11);
    EXPECT_EQ(grid.row, 11);
    grid.topRow = 7;
    press(Key::PageUp);
    EXPECT_EQ(grid.topRow, 2);
    grid.topRow = 6;
    press(Key::PageUp);
    EXPECT_EQ(grid.topRow, 1);
    EXPECT_EQ(grid.row, 1);
    EXPECT_EQ(grid.col, 2);
}

TEST_F(EditorKeysTest, ShiftArrowsGrowAndShrinkTheSelectionAroundTheAnchor)
{
    at(3, 3);
    EXPECT_FALSE(press(Key::Shift, Qt::ShiftModifier).placeEditor);
    const struct {
        Key key;
        core::CellBlock selection;
        int c, r;
    } steps[] = {
        {Key::Right, {3, 4, 3, 3}, 4, 3}, {Key::Right, {3, 5, 3, 3}, 5, 3},
        {Key::Left, {3, 4, 3, 3}, 4, 3},  {Key::Left, {3, 3, 3, 3}, 3, 3},
        {Key::Left, {2, 3, 3, 3}, 2, 3},  {Key::Down, {2, 3, 3, 4}, 2, 4},
        {Key::Up, {2, 3, 3, 3}, 2, 3},    {Key::Up, {2, 3, 2, 3}, 2, 2},
        {Key::Up, {2, 3, 1, 3}, 2, 1},    {Key::Up, {2, 3, 1, 3}, 2, 1},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << int(s.key));
        const edit::KeyResult res = press(s.key, Qt::ShiftModifier);
        EXPECT_TRUE(res.placeEditor);
        EXPECT_EQ(grid.selection, s.selection);
        EXPECT_EQ(pos(), std::make_pair(s.c, s.r));
    }
    // A new anchor at B1, the selection's left edge: moving left pulls the right edge in.
    press(Key::Shift, Qt::ShiftModifier);
    press(Key::Left, Qt::ShiftModifier);
    EXPECT_EQ(grid.selection, (core::CellBlock{2, 2, 1, 3}));
    EXPECT_EQ(pos(), std::make_pair(1, 1));
    press(Key::Left, Qt::ShiftModifier);
    EXPECT_EQ(grid.selection, (core::CellBlock{2, 2, 1, 3}));
    EXPECT_EQ(pos(), std::make_pair(1, 1));
}

TEST_F(EditorKeysTest, ShortcutsAndPickListRequests)
{
    at(2, 2);
    edit::KeyResult res = press(Key::C, Qt::ControlModifier);
    EXPECT_EQ(res.command, edit::EditorCommand::Copy);
    EXPECT_FALSE(res.placeEditor);
    res = press(Key::V, Qt::ControlModifier);
    EXPECT_EQ(res.command, edit::EditorCommand::Paste);
    EXPECT_FALSE(res.placeEditor);
    res = press(Key::Down, Qt::AltModifier);
    EXPECT_TRUE(res.openPickList);
    EXPECT_EQ(pos(), std::make_pair(2, 2));
    EXPECT_EQ(app.InputMode, 0);
    res = press(Key::Down, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_FALSE(res.openPickList);
    EXPECT_EQ(pos(), std::make_pair(2, 20));
    at(2, 2);
    startTyping(QStringLiteral("x"));
    EXPECT_FALSE(press(Key::Down, Qt::AltModifier).openPickList);
    EXPECT_EQ(cell(2, 2), text(u"x"));
    EXPECT_EQ(pos(), std::make_pair(2, 3));
}

TEST_F(EditorKeysTest, F2EditsTheEntryAsTyped)
{
    type(1, 1, QStringLiteral("=sum(b1:b2)"));
    press(Key::F2);
    EXPECT_EQ(fakes.ui.editor, u"=SUM(B1:B2)");
    EXPECT_EQ(app.InputMode, 1);
    fakes.ui.editor += QStringLiteral("*2");
    press(Key::Enter);
    EXPECT_EQ(cell(1, 1), u"=SUM(B1:B2)*2");
}

TEST_F(EditorKeysTest, KeyPressStartsTypingOnlyWithPrintableCharactersWhileIdle)
{
    type(1, 1, QStringLiteral("old"));
    fakes.ui.editor = QStringLiteral("stale");
    EXPECT_FALSE(edit::EdKeyPress(app, QChar(u'\t')));
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_FALSE(edit::EdKeyPress(app, QChar(u'n')));
    EXPECT_EQ(app.InputMode, 1);
    EXPECT_TRUE(fakes.ui.typingMode);
    EXPECT_TRUE(fakes.ui.editor.isEmpty());
    EXPECT_TRUE(edit::EdKeyPress(app, QChar(u'e')));
}

TEST_F(EditorKeysTest, PickListModeKeys)
{
    at(1, 2);
    edit::SetPickListMode(app, true);
    const struct {
        Key key;
        edit::ListFocus focus;
    } cases[] = {
        {Key::Left, edit::ListFocus::First},     {Key::Up, edit::ListFocus::First},
        {Key::Right, edit::ListFocus::First},    {Key::Down, edit::ListFocus::First},
        {Key::Home, edit::ListFocus::First},     {Key::PageUp, edit::ListFocus::First},
        {Key::PageDown, edit::ListFocus::PageDown}, {Key::End, edit::ListFocus::Last},
        {Key::F2, edit::ListFocus::None},
    };
    for (const auto& k : cases) {
        const edit::KeyResult res = press(k.key);
        EXPECT_EQ(res.listFocus, k.focus) << int(k.key);
        EXPECT_EQ(app.InputMode, 2);
    }
    EXPECT_EQ(pos(), std::make_pair(1, 2));
    for (Key key : {Key::Enter, Key::Escape}) {
        edit::SetPickListMode(app, true);
        EXPECT_TRUE(press(key).consumed);
        EXPECT_EQ(app.InputMode, 0);
        EXPECT_FALSE(fakes.ui.pickListMode);
    }
    EXPECT_EQ(edit::ListFocusIndex(edit::ListFocus::PageDown, 10), 7);
    EXPECT_EQ(edit::ListFocusIndex(edit::ListFocus::PageDown, 3), 2);
    EXPECT_EQ(edit::ListFocusIndex(edit::ListFocus::Last, 3), 2);
    EXPECT_EQ(edit::ListFocusIndex(edit::ListFocus::First, 0), -1);
}

TEST(EditorGeometryTest, PlaceAndWidenTheEditor)
{
    using edit::Rect;
    EXPECT_EQ(edit::PlaceEditor(0, 30, Rect{50, 40, 82, 16}), (Rect{50, 70, 86, 20}));
    const Rect ed{100, 70, 86, 20};
    EXPECT_EQ(edit::WidenEditor(ed, 85, 80, 800), ed);
    EXPECT_EQ(edit::WidenEditor(ed, 86, 80, 800), (Rect{100, 70, 166, 20}));
    EXPECT_EQ(edit::WidenEditor(ed, 700, 80, 800), (Rect{20, 70, 780, 20}));
    EXPECT_EQ(edit::WidenEditor(ed, 750, 80, 800), (Rect{0, 70, 800, 20}));
}

TEST(KeyFromQtTest, MapsTheTableKeys)
{
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_Return), Key::Enter);
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_Enter), Key::Enter);
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_PageDown), Key::PageDown);
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_Shift), Key::Shift);
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_Y), Key::Y);
    EXPECT_EQ(edit::KeyFromQt(Qt::Key_Delete), Key::Other);
}

} // namespace
