#include "WorksheetFixture.h"

#include "files/WorksheetWriter.h"

#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

class WorksheetWriterTest : public WorksheetFixture {
protected:
    QStringList save(int c1, int c2, int r1, int r2)
    {
        const QString target = path("out.mvx");
        EXPECT_TRUE(files::WriteWorksheet(app, target, c1, c2, r1, r2).ok());
        return fileLines(target);
    }
    /// The lines from "Data" on.
    static QStringList body(const QStringList& lines)
    {
        return lines.mid(lines.indexOf(u"Data"_s));
    }
};

TEST_F(WorksheetWriterTest, NumberAndFormulaFileIsByteExact)
{
    put(1, 1, u"\t5");
    put(2, 1, u"=A1*2");
    const QString target = path("book.mvx");
    ASSERT_TRUE(files::WriteWorksheet(app, target, 1, sheet.LastCol, 1, sheet.LastRow).ok());
    const QString expected = u"[Mavix],4.00\r\n"
                             u"Size,26,20\r\n"
                             u"Area,2,1\r\n"
                             u"Move,1,1\r\n"
                             u"Font,ＭＳ ゴシック,0,0,0\r\n"
                             u"C 1,10,0,-1,0\r\n"
                             u"C 2,10,0,-1,0\r\n"
                             u"Top,0\r\n"
                             u"Offset,0,0,0,0,1,0,0,0\r\n"
                             u"Gridline,-1\r\n"
                             u"Ugraph,0,0,-1,0,0,1,1,,0,-1,-1,0\r\n"
                             u"Data\r\n"
                             u"\t5,=A1*2\r\n"
                             u"Lines\r\n"
                             u"LinesEnd\r\n"_s;
    EXPECT_EQ(readBytes(target),
              QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(expected));
}

TEST_F(WorksheetWriterTest, TextWithCommaIsQuotedWithStandIns)
{
    put(1, 1, u"\ba,\"b\"");
    put(2, 1, u"\bsay \"hi\"");
    EXPECT_EQ(body(save(1, 2, 1, 1))[1], u"\"\ba,\u0007b\u0007\",\bsay \"hi\"");
}

TEST_F(WorksheetWriterTest, RuledLinesAsEightDigitsOrZero)
{
    put(1, 1, u"\bx");
    sheet.CellLines[4][2][2] = 0x19; // bottom edge, style 1, colour 9
    sheet.CellLines[1][3][3] = 0x7F;
    sheet.CellLines[2][3][3] = 0x01;
    sheet.CellLines[5][1][2] = core::PageBreakMark; // never stored with the lines
    core::RescanExtent(app);
    EXPECT_EQ(body(save(1, 3, 1, 3)),
              (QStringList{u"Data"_s, u"\bx,,"_s, u",,"_s, u",,"_s, u"Lines"_s,
                           u"    2,0,00000019,0"_s, u"    3,0,0,7F010000"_s, u"LinesEnd"_s}));
}

TEST_F(WorksheetWriterTest, BlockC3D4NumbersItsColumnsFromOne)
{
    sheet.ColFormat[3].wid = 12;
    sheet.ColFormat[4].align = 2;
    put(3, 3, u"\bc3");
    put(4, 4, u"=C3");
    const QStringList lines = save(3, 4, 3, 4);
    EXPECT_EQ(lines[2], u"Area,2,2");
    EXPECT_EQ(lines[5], u"C 1,12,0,-1,0");
    EXPECT_EQ(lines[6], u"C 2,10,0,-1,2");
    EXPECT_EQ(lines[7], u"Top,0");
    EXPECT_EQ(body(lines).mid(0, 3), (QStringList{u"Data"_s, u"\bc3,"_s, u",=C3"_s}));
}

TEST_F(WorksheetWriterTest, OptionalRecordsAndSettings)
{
    put(1, 1, u"\bx");
    sheet.PrintArea = core::CellBlock{1, 3, 2, 5};
    sheet.PageBreaks = QStringList{u"5"_s, u"9"_s};
    sheet.HeadingRow = 1;
    sheet.FontSize = 11;
    app.settings.gridFont.bold = true;
    app.grid.col = 3;
    app.grid.row = 7;
    app.pageLayout.txtHdr[1] = u"&F, page &P"_s;
    app.pageLayout.hdrFont[1] = print::HeaderFont{{u"IPAGothic"_s, 9, false, true}, 255, true};
    app.pageLayout.chkGrid = true;
    app.lineDialog.chkGrid = false;
    app.graph.edClms = u"AB"_s;
    app.graph.cbXclm = 3;
    const QStringList lines = save(1, 1, 1, 1);
    const QStringList expected{
        u"[Mavix],4.00"_s, u"Size,26,20"_s, u"Area,1,1"_s, u"Move,3,7"_s,
        u"Font,ＭＳ ゴシック,11,-1,0"_s, u"PrintArea,1,2,3,5"_s, u"C 1,10,0,-1,0"_s,
        u"Top,1"_s, u"Offset,0,0,0,0,1,-1,0,0"_s,
        u"Header,1,\"&F, page &P\""_s, u"IPAGothic,9,0,-1,255,-1,0"_s, u"Gridline,0"_s,
        u"Ugraph,0,0,-1,0,0,1,1,AB,3,-1,-1,0"_s, u"NewPage,5"_s, u"NewPage,9"_s, u"Data"_s};
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
}

TEST_F(WorksheetWriterTest, EmptySheetIsSavedAsOneEmptyCell)
{
    EXPECT_EQ(save(1, 0, 1, 0)[2], u"Area,1,1");
    EXPECT_EQ(body(save(1, 0, 1, 0)), (QStringList{u"Data"_s, QString(), u"Lines"_s,
                                                   u"LinesEnd"_s}));
}

} // namespace
