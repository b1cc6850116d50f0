#include "edit/EditFixture.h"

#include "core/Display.h"
#include "edit/InsertDelete.h"

namespace {

using edittest::EditFixture;
using Dialog = edit::InsertDialogState;

class InsertDeleteTest : public EditFixture {
protected:
    void put(int c, int r, const QString& t)
    {
        sheet.CellText[c][r] = t;
        sheet.CellValue[c][r] = core::NumericValue(t);
        core::ShowCell(app, c, r);
        core::RescanExtent(app);
    }
    void putText(int c, int r, const QString& t) { put(c, r, QChar(core::TextMark) + t); }
    void setBreaks(const QStringList& rows)
    {
        edit::MarkPageBreaks(app, 1, 0);
        sheet.PageBreaks = rows;
        edit::MarkPageBreaks(app, 1, core::PageBreakMark);
    }
    /// Rows whose plane 5 is marked (checked to be marked in all 26 columns or none).
    QList<int> markedRows() const
    {
        QList<int> rows;
        for (int r = 1; r <= sheet.SheetRows; ++r) {
            int marked = 0;
            for (int c = 1; c <= 26; ++c)
                marked += sheet.CellLines[5][c][r] == core::PageBreakMark;
            EXPECT_TRUE(marked == 0 || marked == 26) << r;
            if (marked)
                rows.append(r);
        }
        return rows;
    }
    /// Display texts of columns from..to in row r.
    QStringList shownRow(int r, int from, int to) const
    {
        QStringList out;
        for (int c = from; c <= to; ++c)
            out.append(shown(c, r));
        return out;
    }
    void choose(int tag, int direction, int count)
    {
        app.insertDialog.tag = tag;
        app.insertDialog.setDirection(direction);
        app.insertDialog.txtNum = count;
    }
};

TEST_F(InsertDeleteTest, InsertedColumnShiftsFormulasOfMovedCellsOnly)
{
    put(3, 1, QStringLiteral("=A1+B1"));
    put(3, 2, QStringLiteral("=$A1+B1"));
    put(1, 1, number(u"4"));
    put(1, 3, QStringLiteral("=C1"));
    sheet.ColFormat[3].wid = 7;
    core::BuildColumnFormat(app, 3);
    edit::InsertColumns(app, 2, 1);
    EXPECT_EQ(column(4, 1, 2), u"=B1+C1|=$A1+C1");
    EXPECT_EQ(column(3, 1, 2), u"|");
    EXPECT_EQ(cell(1, 3), u"=C1");
    EXPECT_EQ(shown(1, 1), u"         4");
    EXPECT_EQ(sheet.ColFormat[4].fmt, u"%7.0n");
    EXPECT_EQ(app.grid.colWidths[4], 7 * platform::FakeTextMeasure::Unit + 2);
}

TEST_F(InsertDeleteTest, MovedFormulasKeepTheirValuesAfterTheCommand)
{
    // Every relative reference of a moved formula shifts with it; "$A$1" stays.
    put(1, 1, number(u"4"));
    put(2, 1, number(u"3"));
    put(3, 1, QStringLiteral("=A1*B1+$A$1"));
    app.grid.col = 1;
    choose(Dialog::TagInsert, Dialog::Columns, 1);
    edit::RunInsert(app);
    EXPECT_EQ(cell(4, 1), u"=B1*C1+$A$1");
    EXPECT_EQ(sheet.CellValue[4][1], 12);
    put(1, 1, number(u"100"));
    app.grid.row = 1;
    choose(Dialog::TagInsert, Dialog::Rows, 2);
    edit::RunInsert(app);
    EXPECT_EQ(cell(4, 3), u"=B3*C3+$A$1");
    EXPECT_EQ(shown(4, 3), u"        12");
    EXPECT_EQ(shown(1, 3), u"       100");
}

TEST_F(InsertDeleteTest, InsertingAtZChangesNothingButStillCompletes)
{
    putText(26, 1, QStringLiteral("z"));
    sheet.CellLines[4][26][1] = 0x11;
    app.grid.col = 26;
    choose(Dialog::TagInsert, Dialog::Columns, 1);
    edit::RunInsert(app);
    EXPECT_EQ(cell(26, 1), text(u"z"));
    EXPECT_EQ(sheet.CellLines[4][26][1], 0x11);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(fakes.ui.statuses, (QStringList{QStringLiteral("挿入処理中..."),
                                              QStringLiteral("挿入処理終了.")}));
    EXPECT_FALSE(fakes.ui.busy);
    EXPECT_EQ(fakes.ui.cellNamePanel, u"Z1");
}

TEST_F(InsertDeleteTest, ColumnsPushedPastZAreLost)
{
    for (int c = 22; c <= 26; ++c)
        putText(c, 1, QString(QChar(u'A' + c - 1)));
    app.grid.col = 24;
    choose(Dialog::TagInsert, Dialog::Columns, 3);
    edit::RunInsert(app);
    EXPECT_EQ(shownRow(1, 22, 26), (QStringList{QStringLiteral("V"), QStringLiteral("W"),
                                                QString(), QString(), QStringLiteral("X")}));
    EXPECT_EQ(sheet.LastCol, 26);
}

TEST_F(InsertDeleteTest, DeletedRowShiftsFormulasAndShrinksTheSheet)
{
    put(3, 5, QStringLiteral("=C3*2"));
    put(1, 1, number(u"1"));
    put(1, 2, number(u"2"));
    put(1, 3, number(u"3"));
    edit::DeleteRows(app, 2, 1);
    EXPECT_EQ(cell(3, 4), u"=C2*2");
    EXPECT_TRUE(cell(3, 5).isEmpty());
    EXPECT_EQ(column(1, 1, 3), u"#1|#3|");
    EXPECT_EQ(sheet.CellValue[1][2], 3);
    EXPECT_EQ(shown(1, 2), u"         3");
    EXPECT_TRUE(shown(1, 3).isEmpty());
    EXPECT_EQ(sheet.SheetRows, 19);
    EXPECT_EQ(app.grid.rowCount, 20);
}

TEST_F(InsertDeleteTest, InsertedRowsMoveCellsValuesAndFormulasDown)
{
    put(2, 4, QStringLiteral("=B1+$B$1+B$2"));
    put(2, 1, number(u"8"));
    putText(2, 3, QStringLiteral("t"));
    edit::InsertRows(app, 2, 3);
    EXPECT_EQ(sheet.SheetRows, 23);
    EXPECT_EQ(column(2, 1, 7), u"#8|||||~t|=B4+$B$1+B$2");
    EXPECT_EQ(shown(2, 6), u"t");
    EXPECT_EQ(sheet.GridText[0][23], u"   23");
}

TEST_F(InsertDeleteTest, RowsPushedPastTheLastPossibleRowAreLost)
{
    setRows(32000);
    putText(1, 31999, QStringLiteral("a"));
    putText(1, 32000, QStringLiteral("b"));
    edit::InsertRows(app, 31999, 1);
    EXPECT_EQ(sheet.SheetRows, 32000);
    EXPECT_EQ(column(1, 31999, 32000), u"|~a");
    edit::InsertRows(app, 1, 32000);
    EXPECT_TRUE(cell(1, 32000).isEmpty());
    EXPECT_TRUE(shown(1, 32000).isEmpty());
}

TEST_F(InsertDeleteTest, PageBreaksMoveWithTheirRowsAndGoWithDeletedOnes)
{
    setBreaks({QStringLiteral("10"), QStringLiteral("3")});
    edit::InsertRows(app, 5, 2);
    EXPECT_EQ(sheet.PageBreaks, (QStringList{QStringLiteral("12"), QStringLiteral("3")}));
    EXPECT_EQ(markedRows(), (QList<int>{3, 12}));

    setBreaks({QStringLiteral("10"), QStringLiteral("15")});
    edit::DeleteRows(app, 9, 2);
    EXPECT_EQ(sheet.PageBreaks, (QStringList{QStringLiteral("13")}));
    EXPECT_EQ(markedRows(), (QList<int>{13}));
}

TEST_F(InsertDeleteTest, BreaksBeforeRowsPushedOffTheSheetAreDropped)
{
    setRows(32000);
    setBreaks({QStringLiteral("31999")});
    edit::InsertRows(app, 100, 5);
    EXPECT_TRUE(sheet.PageBreaks.isEmpty());
    EXPECT_TRUE(markedRows().isEmpty());
}

TEST_F(InsertDeleteTest, InsertedRowsContinueLinesThatRunThroughBothNeighbours)
{
    const std::uint8_t line = 0x12;
    for (int c = 1; c <= 4; ++c)
        sheet.CellLines[4][c][5] = line; // bottom line under A5:D5
    for (int c = 1; c <= 2; ++c)
        sheet.CellLines[4][c][4] = line; // row 4 has it only in A:B
    for (int r = 3; r <= 8; ++r)
        sheet.CellLines[1][2][r] = line; // vertical line down column B
    core::RescanExtent(app);
    edit::InsertRows(app, 5, 2);
    for (int r = 5; r <= 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(sheet.CellLines[4][1][r], line);
        EXPECT_EQ(sheet.CellLines[4][2][r], line);
        EXPECT_EQ(sheet.CellLines[4][3][r], 0);
        EXPECT_EQ(sheet.CellLines[4][4][r], 0);
        EXPECT_EQ(sheet.CellLines[1][2][r], line);
    }
    EXPECT_EQ(sheet.CellLines[4][4][7], line);
    EXPECT_EQ(sheet.CellLines[1][2][10], line);
    EXPECT_EQ(sheet.CellLines[1][2][11], 0);
}

TEST_F(InsertDeleteTest, InsertedColumnsContinueHorizontalLines)
{
    const std::uint8_t line = 0x25;
    for (int c = 1; c <= 4; ++c)
        sheet.CellLines[3][c][2] = line; // top line over A2:D2
    sheet.CellLines[2][1][6] = line;     // right edge of A6 only
    core::RescanExtent(app);
    edit::InsertColumns(app, 2, 2);
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(sheet.CellLines[3][c][2], line) << c;
    EXPECT_EQ(sheet.CellLines[3][7][2], 0);
    EXPECT_EQ(sheet.CellLines[2][2][6], 0);
}

TEST_F(InsertDeleteTest, DeletedColumnsShiftCellsFormatsAndFormulas)
{
    putText(1, 1, QStringLiteral("a"));
    putText(2, 1, QStringLiteral("b"));
    putText(3, 1, QStringLiteral("c"));
    put(5, 2, QStringLiteral("=C1&E1"));
    sheet.ColFormat[5].wid = 12;
    sheet.ColFormat[2].wid = 4;
    sheet.CellLines[4][5][1] = 0x11;
    core::BuildColumnFormat(app, 5);
    edit::DeleteColumns(app, 2, 2);
    EXPECT_EQ(shownRow(1, 1, 5), (QStringList{QStringLiteral("a"), QString(), QString(),
                                              QString(), QString()}));
    EXPECT_EQ(cell(3, 2), u"=A1&C1");
    EXPECT_EQ(sheet.CellLines[4][3][1], 0x11);
    EXPECT_EQ(sheet.CellLines[4][5][1], 0);
    EXPECT_EQ(sheet.ColFormat[3].wid, 12);
    EXPECT_EQ(sheet.ColFormat[3].fmt, u"%12.0n");
    EXPECT_TRUE(cell(5, 2).isEmpty());
}

TEST_F(InsertDeleteTest, PrintAreaGrowsShrinksAndSwitchesOff)
{
    app.pageLayout.printAreaLabel = QStringLiteral("B2:D5");
    fakes.ui.printAreaIndicator = true;
    sheet.PrintArea = core::CellBlock{2, 4, 2, 5};
    edit::InsertColumns(app, 3, 30);
    EXPECT_EQ(sheet.PrintArea, (core::CellBlock{2, 26, 2, 5}));
    sheet.PrintArea = core::CellBlock{2, 4, 2, 5};
    edit::InsertRows(app, 2, 3);
    EXPECT_EQ(sheet.PrintArea, (core::CellBlock{2, 4, 5, 8}));
    edit::DeleteRows(app, 6, 10);
    EXPECT_EQ(sheet.PrintArea, (core::CellBlock{2, 4, 5, 5}));
    edit::DeleteColumns(app, 1, 2);
    EXPECT_EQ(sheet.PrintArea, (core::CellBlock{1, 2, 5, 5}));
    EXPECT_TRUE(fakes.ui.printAreaIndicator);
    edit::DeleteColumns(app, 1, 2);
    EXPECT_EQ(sheet.PrintArea, core::CellBlock{});
    EXPECT_FALSE(fakes.ui.printAreaIndicator);
    EXPECT_TRUE(app.pageLayout.printAreaLabel.isEmpty());
}

TEST_F(InsertDeleteTest, DeletingRowsKeepsOneRowAndTheCurrentCellOnTheSheet)
{
    app.grid.row = 18;
    edit::DeleteRows(app, 1, 40);
    EXPECT_EQ(sheet.SheetRows, 1);
    EXPECT_EQ(app.grid.row, 1);
    EXPECT_EQ(app.grid.selection.bottom, 1);
}

TEST_F(InsertDeleteTest, CtrlYDeletesTheCurrentRowUntilOneIsLeft)
{
    putText(1, 2, QStringLiteral("two"));
    putText(1, 3, QStringLiteral("three"));
    edit::MoveCurrentCell(app, 1, 2);
    const edit::KeyResult res = press(edit::Key::Y, Qt::ControlModifier);
    EXPECT_TRUE(res.consumed);
    EXPECT_EQ(column(1, 1, 3), u"|~three|");
    EXPECT_EQ(sheet.SheetRows, 19);
    EXPECT_EQ(fakes.ui.lastStatus(), u"一行削除処理終了.");
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(sheet.LastRow, 2);

    setRows(1);
    sheet.Modified = false;
    putText(1, 1, QStringLiteral("only"));
    edit::DeleteCurrentRow(app);
    EXPECT_EQ(fakes.ui.lastStatus(), u"これ以上行削除できません.");
    EXPECT_EQ(sheet.SheetRows, 1);
    EXPECT_EQ(cell(1, 1), text(u"only"));
    EXPECT_FALSE(sheet.Modified);
}

TEST_F(InsertDeleteTest, DeleteCommandRunsRowsOrColumnsWithItsTexts)
{
    putText(1, 3, QStringLiteral("a"));
    putText(2, 3, QStringLiteral("b"));
    app.grid.selection = core::CellBlock{1, 1, 2, 2};
    app.grid.col = 1;
    app.grid.row = 2;
    int asked = 0;
    fakes.ui.insertDialog = [&](Dialog& d) {
        ++asked;
        EXPECT_EQ(d.tag, Dialog::TagDelete);
        EXPECT_EQ(d.caption(), u"行／列の削除");
        d.optDel = Dialog::Columns;
        return true;
    };
    edit::DeleteCommand(app);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(column(1, 3, 3), u"~b");
    EXPECT_EQ(fakes.ui.statuses.mid(fakes.ui.statuses.size() - 2),
              (QStringList{QStringLiteral("削除処理中..."), QStringLiteral("削除処理終了.")}));
    EXPECT_EQ(app.insertDialog.optDel, Dialog::Columns);

    sheet.Modified = false;
    fakes.ui.insertDialog = [](Dialog&) { return false; };
    edit::DeleteCommand(app);
    EXPECT_EQ(column(1, 3, 3), u"~b");
    EXPECT_FALSE(sheet.Modified);
}

} // namespace
