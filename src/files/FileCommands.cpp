#include "files/FileCommands.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Undo.h"
#include "files/Access.h"
#include "files/Csv.h"
#include "files/FileNames.h"
#include "files/OpenSteps.h"
#include "files/WorksheetReader.h"
#include "platform/FileDialogs.h"
#include "platform/Ui.h"
#include "print/PrintArea.h"
#include "settings/RecentFiles.h"

#include <QFileInfo>

namespace files {

namespace {

/// The saved cursor cell, scrolled to the middle of the view when it lies beyond it.
void moveToSavedCell(App& app, int col, int row)
{
    core::GridState& grid = app.grid;
    col = std::clamp(col, 1, core::MaxCols);
    row = std::clamp(row, 1, app.sheet.SheetRows);
    grid.leftCol = col > grid.visibleCols ? col - grid.visibleCols / 2 : 1;
    grid.topRow = row > grid.visibleRows ? row - grid.visibleRows / 2 : 1;
    grid.col = grid.anchorCol = col;
    grid.row = grid.anchorRow = row;
    grid.selection = core::CellBlock{col, col, row, row};
    app.ui().gridChanged(platform::GridChange::CurrentCell);
}

/// Shows texts and numbers before the recalculation, so that the error marks it writes for
/// failing formulas stay visible. Number cells from row `fromRow` on get their value first,
/// which the readers leave to the recalculation.
void showBeforeRecalc(App& app, int fromRow)
{
    core::Sheet& sheet = app.sheet;
    for (int c = 1; c <= sheet.LastCol; ++c)
        for (int r = std::max(fromRow, 1); r <= sheet.LastRow; ++r)
            if (sheet.CellText[c][r].startsWith(core::NumberMark))
                sheet.CellValue[c][r] = core::NumericValue(sheet.CellText[c][r]);
    core::ShowAllCells(app);
}

} // namespace

void FinishWorksheetOpen(App& app, const QString& path, const WorksheetImage& image)
{
    core::Sheet& sheet = app.sheet;
    core::ShowStatus(app, QString::number(sheet.LastRow)
                              + QStringLiteral("行読み込み完了．計算中..."));
    app.ui().processEvents();
    sheet.FileName = path;
    for (int c = 1; c <= core::MaxCols; ++c)
        core::BuildColumnFormat(app, c);
    core::RescanExtent(app);
    core::ApplyFont(app);
    app.grid.gridLines = app.lineDialog.chkGrid;
    app.ui().gridChanged(platform::GridChange::Layout);
    moveToSavedCell(app, image.cursorCol, image.cursorRow);
    sheet.Modified = false;
    app.SaveUnicode = true;
    settings::AddRecentFile(app, path);
    core::RefreshHeaders(app);
    ConvertOldCells(app, 1);
    showBeforeRecalc(app, 1);
    calc::RecalcAll(app);
    core::RefreshColumnHeadings(app);
    edit::SaveUndo(app, 0, 0);
    CheckMixedOperators(app);
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("データ読み込み終了."));
    UpdateTitle(app);
}

void OpenFile(App& app, const QString& path)
{
    if (UpperExtension(path) == u".MVX")
        OpenWorksheet(app, path);
    else
        OpenCsv(app, path);
}

bool AskSaveChanges(App& app, const QString& caption, const QString& text)
{
    platform::Message question;
    question.icon = platform::Icon::Question;
    question.caption = caption;
    question.text = text;
    question.buttons = platform::Buttons::YesNoCancel;
    question.buttonTexts = QStringList{QStringLiteral("保存(&S)"), QStringLiteral("破棄(&D)"),
                                       QStringLiteral("キャンセル")};
    switch (app.ui().message(question)) {
    case platform::Answer::Yes:
    case platform::Answer::Ok:
        return SaveCommand(app, false);
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

namespace {

bool askBeforeOpen(App& app)
{
    if (!app.sheet.Modified)
        return true;
    return AskSaveChanges(app, QStringLiteral("開く"),
                          QStringLiteral("データが変更されていますが\r\n保存しますか？"));
}

} // namespace

void OpenCommand(App& app)
{
    if (!askBeforeOpen(app))
        return;
    const std::optional<QString> path = app.fileDialogs().openFile(QStringLiteral("開く"));
    if (path && !path->isEmpty())
        OpenFile(app, *path);
}

void OpenRecent(App& app, int index)
{
    if (index < 0 || index >= app.sheet.RecentFiles.size())
        return;
    const QString path = app.sheet.RecentFiles[index];
    if (!askBeforeOpen(app))
        return;
    OpenFile(app, path);
}

bool OpenWorksheet(App& app, const QString& path)
{
    core::Sheet& sheet = app.sheet;
    if (!QFileInfo(path).isFile()) {
        detail::ShowFileMessage(app, platform::Icon::Error,
                                path + QStringLiteral(" が存在しません."));
        return false;
    }
    const bool wasReadOnly = sheet.ReadOnly;
    if (!CheckOpenAccess(app, path)) {
        detail::RestoreCurrentFile(app, wasReadOnly);
        return false;
    }
    core::BusyGuard busy(app);
    core::ShowStatus(app, QStringLiteral("Mavix データ読み込み開始..."));
    // The whole file is read and checked before the sheet is touched, so that a bad file
    // leaves the current sheet as it was.
    core::Result<WorksheetImage> image = LoadWorksheet(app, path, false);
    if (!image) {
        busy.end();
        detail::RestoreCurrentFile(app, wasReadOnly);
        detail::ShowFileMessage(app, platform::Icon::Error,
                                QStringLiteral("データの読み込みに失敗しました"));
        return false;
    }
    print::ResetHeaderBoxes(app);
    print::ShowPrintArea(app, false);
    sheet.HeadingRow = 0;
    core::ClearCells(app, false);
    ApplyWorksheet(app, image.value());
    FinishWorksheetOpen(app, path, image.value());
    // Last, so that a note about the hold stays in the status bar.
    HoldFile(app, path);
    return true;
}

void AppendCommand(App& app)
{
    core::Sheet& sheet = app.sheet;
    const std::optional<QString> chosen =
        app.fileDialogs().openFile(QStringLiteral("追加読み込み"));
    if (!chosen || chosen->isEmpty())
        return;
    const QString& path = *chosen;
    if (UpperExtension(path) != u".MVX") {
        detail::ShowFileMessage(app, platform::Icon::Error,
                                path + QStringLiteral(" は") + QStringLiteral("\r\n") +
                                    QStringLiteral("Mavixのファイルではありません."));
        return;
    }
    if (!QFileInfo(path).isFile()) {
        detail::ShowFileMessage(app, platform::Icon::Error,
                                path + QStringLiteral(" が読み込めません."));
        return;
    }
    core::BusyGuard busy(app);
    core::ShowStatus(app, QStringLiteral("Mavix データ 追加読み込み開始..."));
    const int offset = sheet.SheetRows;
    core::Result<WorksheetImage> image = LoadWorksheet(app, path, true);
    if (!image) {
        busy.end();
        detail::ShowFileMessage(app, platform::Icon::Error,
                                QStringLiteral("データの読み込みに失敗しました"));
        return;
    }
    print::ShowPrintArea(app, false);
    // Unsaved edits made before the append stay protected by the close question.
    const bool wasModified = sheet.Modified;
    ApplyWorksheetAppend(app, image.value());
    FinishWorksheetAppend(app, offset + 1, wasModified);
}

void FinishWorksheetAppend(App& app, int firstRow, bool wasModified)
{
    core::Sheet& sheet = app.sheet;
    core::RescanExtent(app);
    core::ShowStatus(app, QString::number(sheet.LastRow)
                              + QStringLiteral("行まで追加完了．計算中..."));
    app.ui().processEvents();
    sheet.Modified = wasModified;
    core::RefreshHeaders(app);
    ConvertOldCells(app, firstRow);
    showBeforeRecalc(app, firstRow);
    calc::RecalcAll(app);
    core::RefreshColumnHeadings(app);
    CheckMixedOperators(app);
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("データ追加読み込み終了."));
}

void UpdateTitle(App& app)
{
    const core::Sheet& sheet = app.sheet;
    if (sheet.FileName.isEmpty()) {
        app.ui().setWindowTitle(QStringLiteral("Mavix - [新規]"));
        return;
    }
    QString title = QStringLiteral("Mavix - ") + sheet.FileName;
    if (sheet.ReadOnly)
        title += QStringLiteral(" [読み取り専用]");
    app.ui().setWindowTitle(title);
}

void OpenStartupFile(App& app, const QString& path, const QString& cellName)
{
    // The name may be relative to the directory the program started in; the title and the
    // recent files keep it whole, so that it still opens from anywhere.
    OpenFile(app, QFileInfo(path).absoluteFilePath());
    if (cellName.isEmpty())
        return;
    const core::CellPos pos = core::ParseCellName(cellName);
    if (pos.col < 1 || pos.col > core::MaxCols || pos.row < 1 || pos.row > app.sheet.SheetRows)
        return;
    core::GridState& grid = app.grid;
    grid.col = grid.anchorCol = pos.col;
    grid.row = grid.anchorRow = pos.row;
    grid.selection = core::CellBlock{pos.col, pos.col, pos.row, pos.row};
    app.ui().gridChanged(platform::GridChange::CurrentCell);
    core::ShowCellName(app);
}

} // namespace files
