#include "core/App.h"
#include "print/PrintArea.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "edit/AdjustFormula.h"
#include "files/WorksheetReader.h"
#include "platform/Ui.h"

#include <algorithm>

namespace files {

namespace {

void applySettings(App& app, const WorksheetImage& im)
{
    core::Sheet& sheet = app.sheet;
    if (im.font) {
        platform::FontSpec& font = app.settings.gridFont;
        font.name = im.font->name;
        if (im.font->size) {
            sheet.FontSize = *im.font->size;
            font.size = *im.font->size;
        }
        font.bold = im.font->bold;
        font.italic = im.font->italic;
    }
    if (im.printArea) {
        const core::CellBlock& a = *im.printArea;
        // Only an area inside the sheet is taken; the print code relies on it.
        if (a.left >= 1 && a.left <= a.right && a.right <= core::MaxCols && a.top >= 1
            && a.top <= a.bottom && a.bottom <= sheet.SheetRows) {
            sheet.PrintArea = a;
            print::ShowPrintArea(app, true);
        }
    }
    for (const WorksheetImage::Column& column : im.columns) {
        core::column_type& format = sheet.ColFormat[column.col];
        format.wid = column.wid;
        format.shosu = column.shosu;
        format.comma = column.comma;
        if (column.align)
            format.align = *column.align;
    }
    if (im.headingRow)
        sheet.HeadingRow = *im.headingRow;
    if (im.offset) {
        print::PageLayout& layout = app.pageLayout;
        layout.txtOfs1 = im.offset->margins[0];
        layout.txtOfs2 = im.offset->margins[1];
        layout.txtOfs3 = im.offset->margins[2];
        layout.txtOfs4 = im.offset->margins[3];
        layout.txtTop = im.offset->firstPage;
        layout.chkGrid = im.offset->chkGrid;
    }
    for (const WorksheetImage::Header& header : im.headers) {
        app.pageLayout.txtHdr[header.index] = header.text;
        app.pageLayout.hdrFont[header.index] = header.font;
    }
    if (im.gridLines)
        app.lineDialog.chkGrid = *im.gridLines;
    if (im.graph)
        app.graph = *im.graph;
    if (im.version <= 1.0)
        for (int c = 1; c <= core::MaxCols; ++c)
            sheet.ColFormat[c].align = sheet.ColFormat[c].shosu < 0 ? 0 : 1;
}

void applyOldLines(App& app, const WorksheetImage& im)
{
    core::Sheet& sheet = app.sheet;
    for (const WorksheetImage::OldLine& line : im.oldLines) {
        auto& plane = sheet.CellLines[line.plane];
        if (line.plane <= 2) {
            if (line.position < 1 || line.position > core::MaxCols)
                continue;
            const int last = std::min(line.last, sheet.SheetRows);
            for (int r = std::max(line.first, 1); r <= last; ++r)
                plane[line.position][r] = line.code;
        } else {
            if (line.position < 1 || line.position > sheet.SheetRows)
                continue;
            const int last = std::min(line.last, core::MaxCols);
            for (int c = std::max(line.first, 1); c <= last; ++c)
                plane[c][line.position] = line.code;
        }
    }
}

/// Cells and ruled lines of the image into rows offset+1 onwards.
void applyCells(App& app, WorksheetImage& im, int offset)
{
    core::Sheet& sheet = app.sheet;
    for (std::size_t i = 0; i < im.cells.size(); ++i) {
        const int r = offset + int(i) + 1;
        QStringList& fields = im.cells[i];
        for (int c = 1; c <= im.cols; ++c)
            sheet.CellText[c][r] = std::move(fields[c - 1]);
    }
    for (const WorksheetImage::LineRow& row : im.lines) {
        const int r = offset + row.row;
        for (const auto& [c, planes] : row.cells)
            for (int p = 0; p < 4; ++p)
                sheet.CellLines[p + 1][c][r] = planes[p];
    }
}

void markPageBreaks(App& app)
{
    core::Sheet& sheet = app.sheet;
    for (const QString& entry : sheet.PageBreaks) {
        const int row = entry.toInt();
        if (row < 1 || row > sheet.SheetRows)
            continue;
        for (int c = 1; c <= core::MaxCols; ++c)
            sheet.CellLines[5][c][row] = core::PageBreakMark;
    }
}

} // namespace

void ApplyWorksheet(App& app, WorksheetImage& im)
{
    core::Sheet& sheet = app.sheet;
    if (im.sheetRows && *im.sheetRows != sheet.SheetRows) {
        sheet.SheetRows = *im.sheetRows;
        core::ResizeSheet(app);
    }
    sheet.LastCol = im.cols;
    sheet.LastRow = im.rows;
    applySettings(app, im);
    for (int row : im.pageBreaks)
        if (row <= sheet.SheetRows)
            sheet.PageBreaks.append(QString::number(row));
    applyOldLines(app, im);
    applyCells(app, im, 0);
    markPageBreaks(app);
    app.FileVersion = im.version;
}

void ApplyWorksheetAppend(App& app, WorksheetImage& im)
{
    core::Sheet& sheet = app.sheet;
    const int offset = sheet.SheetRows;
    if (im.sheetRows && *im.sheetRows != sheet.SheetRows) {
        sheet.SheetRows = *im.sheetRows;
        core::ResizeSheet(app);
    }
    applyCells(app, im, offset);
    for (std::size_t i = 0; i < im.cells.size(); ++i) {
        const int r = offset + int(i) + 1;
        for (int c = 1; c <= im.cols; ++c)
            sheet.CellText[c][r] = edit::AdjustFormula(app, c, r, 0, offset);
    }
    app.FileVersion = im.version;
}

bool ReadWorksheet(App& app, const QString& path)
{
    core::Result<WorksheetImage> image = LoadWorksheet(app, path, false);
    if (!image)
        return false;
    ApplyWorksheet(app, image.value());
    return true;
}

bool ReadWorksheetAppend(App& app, const QString& path)
{
    core::Result<WorksheetImage> image = LoadWorksheet(app, path, true);
    if (!image)
        return false;
    ApplyWorksheetAppend(app, image.value());
    return true;
}

} // namespace files
