// The search command: the cell test, the pointer search, search again and the history.
#include "ToolsFixture.h"

#include "tools/Search.h"
#include "tools/SearchDialogState.h"

using namespace Qt::StringLiterals;

namespace {

using platform::Answer;
using tools::SearchDialogState;

class SearchTest : public ToolsFixture {
protected:
    SearchDialogState& dialog() { return app.searchDialog; }
    /// The dialog is answered with OK after the test's settings.
    void search(const QString& text, int cond = SearchDialogState::Contains, int way = 0)
    {
        fakes.ui.searchDialog = [=](SearchDialogState& d) {
            d.cbStr = text;
            d.optCond = cond;
            d.optWay = way;
            return true;
        };
        tools::RunSearch(app);
    }
    /// The cells where the question came up, in order.
    QStringList asked() const
    {
        QStringList cells;
        for (const platform::Message& m : fakes.ui.messages)
            if (m.buttons == platform::Buttons::YesNo)
                cells.append(m.text.section(u' ', 0, 0));
        return cells;
    }
    bool matches(int c, int r, const QString& text, int cond, int way = 0, int caseMode = 0)
    {
        SearchDialogState d;
        d.cbStr = text;
        d.optCond = cond;
        d.optWay = way;
        d.optCase = caseMode;
        return tools::CellMatcher(sheet, tools::SearchOptionsOf(d)).CellMatches(c, r);
    }
};

TEST_F(SearchTest, CellMatchesTextsFormulasAndNumbers)
{
    put(1, 1, u"=SUM(A3:A4)"_s);
    put(1, 2, u"'ABC"_s);
    put(1, 3, u"xABCx"_s);
    put(1, 4, u"12"_s);
    put(1, 5, u"ｘａｂｃ"_s);
    recalc();
    struct Case {
        int row;
        const char16_t* text;
        int cond;
        int way;
        int caseMode;
        bool match;
    };
    using C = SearchDialogState;
    const Case cases[] = {
        {1, u"SUM", C::Contains, 0, 0, true}, // a formula is searched as its text
        {2, u"ABC", C::Equal, 0, 0, true},    // a forced text without its apostrophe
        {3, u"abc", C::Contains, 0, 0, false},
        {3, u"abc", C::Contains, 0, 1, true},
        {5, u"ＡＢＣ", C::Contains, 0, 1, true}, // full-width letters fold too
        {5, u"ＡＢＣ", C::Contains, 0, 0, false},
        {4, u"12", C::Equal, 1, 0, true},
        {4, u"11", C::Greater, 1, 0, true},
        {4, u"12", C::Less, 1, 0, false},
        {1, u"12", C::GreaterEqual, 1, 0, true}, // a formula by its result
        {6, u"0", C::Equal, 1, 0, true},         // an empty cell's value is 0
        {2, u"0", C::Equal, 1, 0, true},         // so is a text's
        {4, u"1", C::Contains, 1, 0, false},     // numbers never "contain"
        {6, u"a", C::Less, 0, 0, true},          // an empty text sorts first
        {6, u"", C::Contains, 0, 0, false},
        {3, u"", C::Contains, 0, 0, false},
        {2, u"ABD", C::Less, 0, 0, true},
        {2, u"ABC", C::GreaterEqual, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString() + " row " + std::to_string(c.row)
                     + " cond " + std::to_string(c.cond));
        EXPECT_EQ(matches(1, c.row, QString::fromUtf16(c.text), c.cond, c.way, c.caseMode),
                  c.match);
    }
}

TEST_F(SearchTest, AllRangeAsksAtEveryHitFromA1)
{
    put(2, 1, u"x1"_s);
    put(1, 2, u"x2"_s);
    put(3, 3, u"x3"_s);
    moveTo(3, 3);
    dialog().optArea = 2; // 全範囲
    search(u"x"_s);
    EXPECT_EQ(asked(), (QStringList{u"B1"_s, u"A2"_s, u"C3"_s}));
    EXPECT_EQ(fakes.ui.messages[0].text, u"B1 に検索対象データを発見しました.次を検索しますか?");
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以降には検索対象データはありません.");
    EXPECT_EQ(at(), u"C3");
    EXPECT_TRUE(fakes.ui.dialogs.contains(u"TfSrch"_s));
    EXPECT_EQ(dialog().lblArea, u"全範囲 (A1 ～ C3)");
}

TEST_F(SearchTest, DownwardsFromTheCursorSaysWhetherItFoundAnything)
{
    put(1, 1, u"a"_s);
    put(1, 2, u"b"_s);
    put(1, 3, u"a"_s);
    moveTo(1, 3);
    dialog().optArea = 1; // 下方向
    search(u"a"_s);
    EXPECT_TRUE(asked().isEmpty());
    EXPECT_EQ(fakes.ui.lastStatus(), u"検索対象データはありません.");

    moveTo(1, 1);
    search(u"a"_s);
    EXPECT_EQ(asked(), QStringList{u"A3"_s});
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以降には検索対象データはありません.");

    // No: the search stops where it is, with nothing said.
    fakes.ui.messages.clear();
    moveTo(1, 1);
    fakes.ui.answers = {Answer::No};
    search(u"a"_s);
    EXPECT_EQ(at(), u"A3");
    EXPECT_EQ(fakes.ui.lastStatus(), u"");
}

TEST_F(SearchTest, UpwardsAndWithinASelection)
{
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c)
            put(c, r, u"k"_s);
    moveTo(2, 3);
    dialog().optArea = 0; // 上方向
    search(u"k"_s);
    EXPECT_EQ(asked(), (QStringList{u"A3"_s, u"C2"_s, u"B2"_s, u"A2"_s, u"C1"_s, u"B1"_s,
                                    u"A1"_s}));
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以前には検索対象データはありません.");

    fakes.ui.messages.clear();
    select(2, 2, 3, 3);
    search(u"k"_s);
    EXPECT_FALSE(dialog().areaShown);
    EXPECT_EQ(dialog().lblArea, u"B2 ～ C3");
    EXPECT_EQ(asked(), (QStringList{u"B2"_s, u"C2"_s, u"B3"_s, u"C3"_s}));
}

TEST_F(SearchTest, SearchAgainStepsWithoutDialogOrWrapping)
{
    put(1, 1, u"q"_s);
    put(2, 2, u"q"_s);
    moveTo(1, 2);
    tools::SearchAgain(app, true);
    EXPECT_EQ(fakes.ui.lastStatus(), u"検索データが指定されていません．");
    dialog().cbStr = u"q"_s;
    tools::SearchAgain(app, true);
    EXPECT_EQ(at(), u"B2");
    tools::SearchAgain(app, true);
    EXPECT_EQ(at(), u"B2");
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以降には検索対象データはありません.");
    tools::SearchAgain(app, false);
    EXPECT_EQ(at(), u"A1");
    tools::SearchAgain(app, false);
    EXPECT_EQ(at(), u"A1");
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以前には検索対象データはありません.");
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());
}

TEST_F(SearchTest, NoDataAndTheNumberContainsWarning)
{
    tools::RunSearch(app);
    EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"何もデータが無いので検索できません."_s});
    EXPECT_TRUE(fakes.ui.dialogs.isEmpty());

    put(1, 1, u"1"_s);
    search(u"1"_s, SearchDialogState::Contains, 1);
    EXPECT_EQ(fakes.ui.messageTexts().last(), u"数値検索で「含む」の条件は指定できません.");
    EXPECT_TRUE(sheet.SearchHistory.isEmpty());
}

TEST_F(SearchTest, TheHistoryKeepsTwentyNewestFirst)
{
    QStringList history;
    SearchDialogState d;
    for (int i = 1; i <= 22; ++i) {
        d.cbStr = QString::number(i);
        EXPECT_FALSE(tools::AcceptSearchDialog(d, history));
    }
    EXPECT_EQ(history.size(), 20);
    EXPECT_EQ(history.first(), u"22");
    EXPECT_EQ(history.last(), u"3");
    d.cbStr = u"10"_s;
    tools::AcceptSearchDialog(d, history);
    EXPECT_EQ(history.size(), 20);
    EXPECT_EQ(history.mid(0, 3), (QStringList{u"10"_s, u"22"_s, u"21"_s}));
    d.cbStr.clear();
    tools::AcceptSearchDialog(d, history);
    EXPECT_EQ(history.first(), u"10");
}

TEST_F(SearchTest, ExtractionDropsUpAndDownTheFirstArea)
{
    SearchDialogState d;
    EXPECT_EQ(d.areaItems(), (QStringList{u"上方向(&U)"_s, u"下方向(&D)"_s, u"全範囲(&A)"_s}));
    d.optArea = 0;
    d.setOptOut(1);
    EXPECT_EQ(d.areaItems(), (QStringList{u"下方向(&D)"_s, u"全範囲(&A)"_s}));
    EXPECT_EQ(d.optArea, 0); // 上方向 became 下方向
    d.optArea = 1;
    d.setOptOut(0);
    EXPECT_EQ(d.optArea, 2); // 全範囲 stays 全範囲
    d.setOptOut(1);
    EXPECT_EQ(d.optArea, 1);
}

} // namespace

namespace {

/// The searches read the sheet in blocks of rows; the hits and their order must be those
/// of a plain walk row by row, in both directions.
TEST_F(SearchTest, HitsComeInRowOrderOnLargeSheets)
{
    setRows(400);
    std::srand(7);
    for (int r = 1; r <= 400; ++r)
        for (int c = 1; c <= 26; ++c)
            if (std::rand() % 60 == 0)
                put(c, r, u"x"_s);
    put(26, 400, u"end"_s);
    const core::CellBlock ranges[] = {{1, 26, 1, 400}, {3, 17, 40, 333}, {26, 26, 1, 400},
                                      {5, 5, 7, 7}};
    SearchDialogState d;
    d.cbStr = u"x"_s;
    const tools::SearchOptions options = tools::SearchOptionsOf(d);
    const tools::CellMatcher matcher(sheet, options);
    for (const core::CellBlock& range : ranges) {
        SCOPED_TRACE(core::CellName(range.left, range.top).toStdString() + ":"
                     + core::CellName(range.right, range.bottom).toStdString());
        QStringList plain;
        for (int r = range.top; r <= range.bottom; ++r)
            for (int c = range.left; c <= range.right; ++c)
                if (matcher.CellMatches(c, r))
                    plain.append(core::CellName(c, r));
        QStringList found;
        for (const core::CellPos& hit : tools::FindAll(sheet, options, range))
            found.append(core::CellName(hit.col, hit.row));
        EXPECT_EQ(found, plain);

        // Backwards, one step at a time from the range's last cell.
        app.searchDialog = d;
        if (range.left == range.right && range.top == range.bottom)
            continue;
        QStringList back;
        select(range.left, range.top, range.right, range.bottom);
        app.grid.col = range.right;
        app.grid.row = range.bottom;
        if (matcher.CellMatches(range.right, range.bottom))
            back.append(core::CellName(range.right, range.bottom));
        for (;;) {
            const core::CellPos before{app.grid.col, app.grid.row};
            // The range stays the selection, as it was when the first search started.
            app.grid.selection = range;
            tools::SearchAgain(app, false);
            if (app.grid.col == before.col && app.grid.row == before.row)
                break;
            back.prepend(core::CellName(app.grid.col, app.grid.row));
        }
        EXPECT_EQ(back, plain);
    }
}

} // namespace
