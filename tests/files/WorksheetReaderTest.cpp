#include "WorksheetFixture.h"

#include "core/Cells.h"
#include "files/FileCommands.h"
#include "files/WorksheetReader.h"
#include "files/WorksheetWriter.h"

using namespace Qt::StringLiterals;

namespace {

class WorksheetReaderTest : public WorksheetFixture {
protected:
    /// The settings lines of a saved file with the given version line, size and area.
    static QStringList header(const QString& version, int rows, int cols, int usedRows)
    {
        QStringList lines;
        if (!version.isEmpty())
            lines << version;
        lines << u"Size,26,"_s + QString::number(rows)
              << u"Area,"_s + QString::number(cols) + u',' + QString::number(usedRows);
        return lines;
    }
    bool open(const QString& file) { return files::OpenWorksheet(app, file); }
};

void expectSameGraph(const graph::GraphSettings& a, const graph::GraphSettings& b)
{
    EXPECT_EQ(a.rbGkind, b.rbGkind);
    EXPECT_EQ(a.rbBar, b.rbBar);
    EXPECT_EQ(a.ckMax, b.ckMax);
    EXPECT_EQ(a.edMax, b.edMax);
    EXPECT_EQ(a.edMin, b.edMin);
    EXPECT_EQ(a.edRow1, b.edRow1);
    EXPECT_EQ(a.edRow2, b.edRow2);
    EXPECT_EQ(a.edClms, b.edClms);
    EXPECT_EQ(a.cbXclm, b.cbXclm);
    EXPECT_EQ(a.ck3D, b.ck3D);
    EXPECT_EQ(a.ckLegend, b.ckLegend);
    EXPECT_EQ(a.ckMarker, b.ckMarker);
}

void expectSameLayout(const print::PageLayout& a, const print::PageLayout& b)
{
    EXPECT_EQ(a.txtOfs1, b.txtOfs1);
    EXPECT_EQ(a.txtOfs2, b.txtOfs2);
    EXPECT_EQ(a.txtOfs3, b.txtOfs3);
    EXPECT_EQ(a.txtOfs4, b.txtOfs4);
    EXPECT_EQ(a.txtTop, b.txtTop);
    EXPECT_EQ(a.chkGrid, b.chkGrid);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(a.txtHdr[k], b.txtHdr[k]);
        if (!a.txtHdr[k].isEmpty()) {
            EXPECT_EQ(a.hdrFont[k], b.hdrFont[k]);
        }
    }
}

/// A sheet with every kind of content and every setting away from its default.
void fillRichSheet(App& app)
{
    core::Sheet& s = app.sheet;
    s.SheetRows = 60;
    core::ResizeSheet(app);
    s.CellText[1][1] = u"\bName, \"quoted\""_s;
    s.CellText[2][1] = u"\t1,234"_s;
    s.CellText[3][1] = u"=SUM(B1:B40)"_s;
    s.CellText[4][1] = u"'007"_s;
    s.CellText[5][1] = u"\b\"lead"_s;
    s.CellText[26][40] = u"\t-0.5"_s;
    s.CellText[2][40] = u"=COUNTIF(A1:A3,\"a,b\")"_s;
    s.CellText[7][12] = u"\b東京 本社"_s;
    s.CellLines[1][1][1] = 0x10;
    s.CellLines[4][26][40] = 0x7F;
    s.CellLines[3][4][12] = 0x2A;
    s.PageBreaks = QStringList{u"10"_s, u"25"_s};
    for (int c = 1; c <= 26; ++c) {
        s.CellLines[5][c][10] = core::PageBreakMark;
        s.CellLines[5][c][25] = core::PageBreakMark;
    }
    const auto format = [](int wid, int shosu, int comma, int align) {
        core::column_type f;
        f.wid = wid;
        f.shosu = shosu;
        f.comma = comma;
        f.align = align;
        return f;
    };
    s.ColFormat[2] = format(14, 2, -2, 1);
    s.ColFormat[26] = format(3, 16, 0, 2);
    s.HeadingRow = 1;
    s.PrintArea = core::CellBlock{1, 26, 1, 40};
    s.FontSize = 12;
    app.settings.gridFont = platform::FontSpec{u"IPAGothic"_s, 12, true, false};
    app.grid.col = 20;
    app.grid.row = 35;
    print::PageLayout& layout = app.pageLayout;
    layout.txtOfs1 = u"15"_s;
    layout.txtOfs4 = u"7"_s;
    layout.txtTop = u"3"_s;
    layout.chkGrid = true;
    layout.txtHdr[0] = u"&F, &D"_s;
    layout.hdrFont[0] = print::HeaderFont{{u"IPAPMincho"_s, 10, true, true}, 0x0000FF, true};
    layout.txtHdr[5] = u"\"P\" &P"_s;
    layout.hdrFont[5] = print::HeaderFont{{u"IPAGothic"_s, 8, false, false}, 0, false};
    app.lineDialog.chkGrid = false;
    graph::GraphSettings& g = app.graph;
    g = graph::GraphSettings{2, 3, true, u"100"_s, u"-50"_s, u"2"_s, u"40"_s, u"A,C\r\nB"_s,
                             4, true, false, false};
    core::RescanExtent(app);
}

TEST_F(WorksheetReaderTest, RoundTripKeepsCellsLinesSettingsAndStates)
{
    platform::FakePlatform sourceFakes;
    App source{sourceFakes.services()};
    core::ResetSheetState(source);
    fillRichSheet(source);
    const QString file = path("rich.mvx");
    ASSERT_TRUE(files::WriteWorksheet(source, file, 1, source.sheet.LastCol, 1,
                                      source.sheet.LastRow)
                    .ok());
    put(3, 3, u"\bold content");
    ASSERT_TRUE(open(file));

    const core::Sheet& want = source.sheet;
    EXPECT_EQ(sheet.SheetRows, 60);
    EXPECT_EQ(sheet.LastCol, 26);
    EXPECT_EQ(sheet.LastRow, 40);
    for (int c = 1; c <= 26; ++c)
        for (int r = 1; r <= 60; ++r) {
            SCOPED_TRACE(core::CellName(c, r).toStdString());
            ASSERT_EQ(sheet.CellText[c][r], want.CellText[c][r]);
            for (int p = 1; p <= 5; ++p)
                ASSERT_EQ(sheet.CellLines[p][c][r], want.CellLines[p][c][r]) << "plane " << p;
        }
    for (int c = 1; c <= 26; ++c) {
        EXPECT_EQ(sheet.ColFormat[c].wid, want.ColFormat[c].wid);
        EXPECT_EQ(sheet.ColFormat[c].shosu, want.ColFormat[c].shosu);
        EXPECT_EQ(sheet.ColFormat[c].comma, want.ColFormat[c].comma);
        EXPECT_EQ(sheet.ColFormat[c].align, want.ColFormat[c].align);
    }
    EXPECT_EQ(sheet.ColFormat[2].fmt, u"%14.2m");
    EXPECT_EQ(sheet.HeadingRow, 1);
    EXPECT_EQ(sheet.PrintArea, want.PrintArea);
    EXPECT_EQ(app.pageLayout.printAreaLabel, u"印刷範囲: A1～Z40");
    EXPECT_TRUE(fakes.ui.printAreaIndicator);
    EXPECT_EQ(sheet.PageBreaks, want.PageBreaks);
    EXPECT_EQ(sheet.FontSize, 12);
    EXPECT_EQ(app.settings.gridFont, source.settings.gridFont);
    expectSameLayout(app.pageLayout, source.pageLayout);
    EXPECT_FALSE(app.lineDialog.chkGrid);
    EXPECT_FALSE(app.grid.gridLines);
    expectSameGraph(app.graph, source.graph);
    EXPECT_EQ(app.grid.col, 20);
    EXPECT_EQ(app.grid.row, 35);
    EXPECT_EQ(app.grid.leftCol, 20 - app.grid.visibleCols / 2);
    EXPECT_EQ(app.grid.topRow, 35 - app.grid.visibleRows / 2);
    EXPECT_EQ(sheet.GridText[2][0], u"B.1,234"); // heading row
    EXPECT_EQ(fakes.ui.lastStatus(), u"データ読み込み終了.");

    // Written again, the file is the same byte for byte.
    const QString again = path("again.mvx");
    ASSERT_TRUE(files::WriteWorksheet(app, again, 1, 26, 1, 40).ok());
    EXPECT_EQ(readBytes(again), readBytes(file));
}

TEST_F(WorksheetReaderTest, BlockSavedFromC3OpensAtA1)
{
    put(3, 3, u"\bc3");
    put(4, 4, u"=C3*2");
    sheet.ColFormat[3].wid = 12;
    sheet.CellLines[2][4][4] = 0x31;
    const QString file = path("block.mvx");
    ASSERT_TRUE(files::WriteWorksheet(app, file, 3, 4, 3, 4).ok());
    ASSERT_TRUE(open(file));
    EXPECT_EQ(sheet.LastCol, 2);
    EXPECT_EQ(sheet.LastRow, 2);
    EXPECT_EQ(text(1, 1), u"\bc3");
    EXPECT_EQ(text(2, 2), u"=C3*2"); // the text is kept as saved
    EXPECT_EQ(text(3, 3), u"");
    EXPECT_EQ(sheet.CellLines[2][2][2], 0x31);
    EXPECT_EQ(sheet.ColFormat[1].wid, 12);
}

TEST_F(WorksheetReaderTest, SizeAbove32000BecomesOneLess)
{
    const struct {
        int size;
        int rows;
    } cases[] = {{40000, 31999}, {32000, 32000}, {32001, 31999}, {5, 5}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.size);
        QStringList lines = header(u"[Mavix],4.00"_s, k.size, 1, 1);
        lines << u"Data"_s << u"\bx"_s << u"Lines"_s << u"LinesEnd"_s;
        ASSERT_TRUE(files::ReadWorksheet(app, writeLines("size.mvx", lines)));
        EXPECT_EQ(sheet.SheetRows, k.rows);
        EXPECT_EQ(sheet.CellText[1].size(), std::size_t(k.rows) + 1);
    }
}

TEST_F(WorksheetReaderTest, Version32ConvertsMarksAndRound)
{
    QStringList lines = header(u"[Mavix],3.20"_s, 20, 4, 3);
    lines << u"Data"_s << u"'abc,=ROUND(A1),=ROUND((A1+B1)/2),123"_s
          << u"'123,abc,=ROUND(ROUND(A1)*2)+ROUND(B1),''x"_s << u"'=A1,,=SUM(A1:A2),'"_s
          << u"Lines"_s << u"LinesEnd"_s;
    ASSERT_TRUE(open(writeLines("old.mvx", lines)));
    const QStringList want{u"\babc"_s,  u"=ROUND(A1,0)"_s,
                           u"=ROUND((A1+B1)/2,0)"_s, u"\t123"_s,
                           u"'123"_s,   u"\babc"_s,
                           u"=ROUND(ROUND(A1,0)*2,0)+ROUND(B1,0)"_s, u"''x"_s,
                           u"'=A1"_s,   QString(),
                           u"=SUM(A1:A2)"_s, u"\b"_s};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) {
            SCOPED_TRACE(core::CellName(c, r).toStdString());
            EXPECT_EQ(text(c, r), want[(r - 1) * 4 + c - 1]);
        }
    EXPECT_TRUE(fakes.ui.messages.empty()); // 3.20 is newer than the operator check
    EXPECT_EQ(app.FileVersion, 3.2);
}

TEST_F(WorksheetReaderTest, Version305WarnsAboutMixedOperators)
{
    QStringList lines = header(u"[Mavix],3.05"_s, 20, 2, 12);
    lines << u"Data"_s;
    for (int r = 1; r <= 12; ++r)
        lines << (r == 3 ? u"=A1^2,=A1+1"_s : u"1,=A1+A1*2"_s);
    lines << u"Lines"_s << u"LinesEnd"_s;
    ASSERT_TRUE(open(writeLines("ops.mvx", lines)));
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].icon, platform::Icon::Warning);
    EXPECT_EQ(fakes.ui.messages[0].text,
              u"B1,B2,B4,B5,B6,B7,B8,B9,B10,B11 ...\r\n11個のセルの式に演算子が混在しています.");
    EXPECT_EQ(text(1, 1), u"\t1"); // and the marks were converted
}

TEST_F(WorksheetReaderTest, NotAWorksheetFailsWithTheLineQuoted)
{
    put(2, 2, u"\bkeep");
    sheet.FileName = u"/old/current.mvx"_s;
    QStringList lines{u"[Mavix]"_s, u"Size,26,20"_s, u"Area,1,1"_s, u"Data"_s, u"\bx"_s};
    EXPECT_FALSE(open(writeLines("bad.mvx", lines)));
    EXPECT_EQ(fakes.ui.messageTexts(),
              (QStringList{u"\"[Mavix]:『Mavix』のデータファイルではありません"_s,
                           u"データの読み込みに失敗しました"_s}));
    EXPECT_EQ(text(2, 2), u"\bkeep");
    EXPECT_EQ(sheet.FileName, u"/old/current.mvx");
}

TEST_F(WorksheetReaderTest, BadSizeOrAreaFailsBeforeTheSheetChanges)
{
    const struct {
        const char* name;
        QStringList lines;
    } cases[] = {
        {"size 0", {u"Size,26,0"_s, u"Area,1,1"_s}},
        {"area 0 columns", {u"Size,26,20"_s, u"Area,0,1"_s}},
        {"area -1 rows", {u"Size,26,20"_s, u"Area,1,-1"_s}},
        {"27 columns", {u"Size,26,20"_s, u"Area,27,1"_s}},
        {"rows beyond size", {u"Size,26,20"_s, u"Area,1,21"_s}},
        {"too few fields", {u"Size,26,20"_s, u"Area,3,1"_s, u"Data"_s, u"a,b"_s}},
        {"bad hex", {u"Size,26,20"_s, u"Area,1,1"_s, u"Data"_s, u"a"_s, u"Lines"_s,
                     u"    1,0000001G"_s}},
        {"size without rows", {u"Size,26"_s, u"Area,1,1"_s}},
        {"header without font", {u"Size,26,20"_s, u"Area,1,1"_s, u"Header,0,x"_s}},
    };
    put(2, 2, u"\bkeep");
    sheet.HeadingRow = 2;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fakes.ui.messages.clear();
        EXPECT_FALSE(open(writeLines("bad.mvx", QStringList{u"[Mavix],4.00"_s} + k.lines)));
        EXPECT_EQ(fakes.ui.messageTexts(), QStringList{u"データの読み込みに失敗しました"_s});
        EXPECT_EQ(text(2, 2), u"\bkeep");
        EXPECT_EQ(sheet.SheetRows, 20);
        EXPECT_EQ(sheet.HeadingRow, 2);
        EXPECT_FALSE(fakes.ui.busy);
    }
}

TEST_F(WorksheetReaderTest, OldFilesWithoutQuotingReadAsBefore)
{
    QStringList lines = header(u"[Mavix],4.00"_s, 20, 1, 1);
    lines << u"Header,1,left, right"_s << u"IPAGothic,9,0,0,0,0,0"_s
          << u"Ugraph,0,0,-1,,,1,5,A,B,0,0,-1,-1"_s << u"Data"_s << u"\bx"_s;
    ASSERT_TRUE(open(writeLines("oldhdr.mvx", lines)));
    EXPECT_EQ(app.pageLayout.txtHdr[1], u"left");
    EXPECT_EQ(app.graph.edClms, u"A");
    EXPECT_EQ(app.graph.cbXclm, 0); // "B" is not an index
}

TEST_F(WorksheetReaderTest, OldLineRecordsUseTheColourTable)
{
    QStringList lines = header(u"[Mavix],2.50"_s, 20, 3, 5);
    // Plane 4 (bottom) of row 2, columns 1..3, style 2, blue (FF0000 in BGR: index 12);
    // plane 1 (left) of column 2, rows 3..4, style 1, an unknown colour (index 0);
    // plane 5: a page break before row 4.
    lines << u"L,4,2,16711680,2,1,3"_s << u"L,1,1,12345,2,3,4"_s << u"L,5,0,0,4,0,0"_s
          << u"Data"_s;
    ASSERT_TRUE(open(writeLines("lines.mvx", lines)));
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(sheet.CellLines[4][c][2], 0x2C);
    EXPECT_EQ(sheet.CellLines[4][4][2], 0);
    EXPECT_EQ(sheet.CellLines[1][2][3], 0x10);
    EXPECT_EQ(sheet.CellLines[1][2][4], 0x10);
    EXPECT_EQ(sheet.CellLines[1][2][5], 0);
    EXPECT_EQ(sheet.PageBreaks, QStringList{u"4"_s});
    EXPECT_EQ(sheet.CellLines[5][26][4], core::PageBreakMark);
}

TEST_F(WorksheetReaderTest, Version10SetsAlignmentFromDecimals)
{
    QStringList lines = header(u"[Mavix],1.00"_s, 20, 2, 1);
    lines << u"C 1,8,-1,0"_s << u"C 2,8,2,0"_s << u"Header,0,h"_s << u"Font,9,0,0,255"_s
          << u"Data"_s << u"\ba,\bb"_s;
    ASSERT_TRUE(open(writeLines("v1.mvx", lines)));
    EXPECT_EQ(sheet.ColFormat[1].align, 0);
    EXPECT_EQ(sheet.ColFormat[2].align, 1);
    EXPECT_EQ(sheet.ColFormat[3].align, 1);
    EXPECT_EQ(app.pageLayout.hdrFont[0].font.name, u"Font");
    EXPECT_EQ(app.pageLayout.hdrFont[0].color, 255);
    EXPECT_FALSE(app.pageLayout.hdrFont[0].underline);
}

TEST_F(WorksheetReaderTest, ShortFileStopsAtItsEndAndOtherEncodingsRead)
{
    // UTF-8 without a mark, LF line ends, fewer cell lines than the area says.
    const QByteArray utf8 = "[Mavix],4.00\nSize,26,30\nArea,2,10\nData\n\xE6\x9D\xB1,x\n";
    ASSERT_TRUE(files::ReadWorksheet(app, writeBytes("u8.mvx", utf8)));
    EXPECT_EQ(text(1, 1), u"東");
    EXPECT_EQ(sheet.LastRow, 10);
    // Windows-31J without a mark.
    const QByteArray sjis = "[Mavix],4.00\r\nSize,26,20\r\nArea,1,1\r\nData\r\n\x93\x8C\r\n";
    ASSERT_TRUE(files::ReadWorksheet(app, writeBytes("sjis.mvx", sjis)));
    EXPECT_EQ(text(1, 1), u"東");
}

TEST_F(WorksheetReaderTest, EmptySheetRoundTrips)
{
    const QString file = path("empty.mvx");
    ASSERT_TRUE(files::WriteWorksheet(app, file, 1, 0, 1, 0).ok());
    put(1, 1, u"\bold");
    ASSERT_TRUE(open(file));
    EXPECT_EQ(text(1, 1), u"");
    EXPECT_EQ(sheet.LastCol, 0);
    EXPECT_EQ(sheet.LastRow, 0);
}

TEST_F(WorksheetReaderTest, OutOfRangeSettingsAreBroughtInside)
{
    QStringList lines = header(u"[Mavix],4.00"_s, 20, 1, 1);
    lines << u"C 1,99999,40,0,1"_s << u"C 30,5,0,0,0"_s << u"Top,-4"_s
          << u"PrintArea,3,1,2,5"_s << u"NewPage,0"_s << u"NewPage,99"_s << u"NewPage,7"_s
          << u"Ugraph,9,-2,0,,,,,,40,0,0,0"_s << u"Move,99,-3"_s << u"Data"_s << u"1"_s
          << u"Lines"_s << u"   99,00000011"_s << u"LinesEnd"_s;
    ASSERT_TRUE(open(writeLines("range.mvx", lines)));
    EXPECT_EQ(sheet.ColFormat[1].wid, 255);
    EXPECT_EQ(sheet.ColFormat[1].shosu, 16);
    EXPECT_EQ(sheet.HeadingRow, 0);
    EXPECT_TRUE(sheet.PrintArea.isEmpty());
    EXPECT_FALSE(fakes.ui.printAreaIndicator);
    EXPECT_EQ(sheet.PageBreaks, QStringList{u"7"_s});
    EXPECT_EQ(app.graph.rbGkind, 5);
    EXPECT_EQ(app.graph.rbBar, 0);
    EXPECT_EQ(app.graph.cbXclm, 26);
    EXPECT_EQ(app.grid.col, 26);
    EXPECT_EQ(app.grid.row, 1);
}

} // namespace
