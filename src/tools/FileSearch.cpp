#include "tools/FileSearch.h"

#include "core/App.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "files/FileCommands.h"
#include "files/Fields.h"
#include "files/TextFile.h"
#include "platform/Ui.h"
#include "tools/SearchDialogState.h"

namespace tools {

namespace {

struct Run {
    QString text; // upper-cased when the case is ignored
    bool ignoreCase = false;
    int nextRow = 3;
    int hits = 0;
};

void storeResultCell(App& app, const QString& text, int c, int r)
{
    core::Sheet& sheet = app.sheet;
    sheet.Modified = true;
    const QString stored = edit::ClassifyEntry(app, text, false);
    sheet.CellText[c][r] = stored;
    sheet.CellValue[c][r] = core::NumericValue(stored);
    core::ShowCell(app, c, r);
}

/// Grows the sheet in steps of 100 rows until the row lies inside it; false beyond the
/// largest sheet.
bool ensureRow(App& app, int row)
{
    if (row > core::MaxRows)
        return false;
    if (row <= app.sheet.SheetRows)
        return true;
    while (app.sheet.SheetRows < row)
        app.sheet.SheetRows = std::min(app.sheet.SheetRows + 100, core::MaxRows);
    core::ResizeSheet(app);
    return true;
}

/// False when the file could not be read.
bool searchOneFile(App& app, const QString& path, Run& run)
{
    const core::Result<QStringList> read = files::ReadTextLines(path);
    if (!read) {
        platform::Message message;
        message.icon = platform::Icon::Error;
        message.text = path + QStringLiteral(" が読み込めません.");
        app.ui().message(message);
        return false;
    }
    const QStringList& lines = read.value();
    const bool worksheet = path.endsWith(u".mvx", Qt::CaseInsensitive);
    qsizetype first = 0;
    if (worksheet) {
        const qsizetype data = lines.indexOf(QStringLiteral("Data"));
        first = data >= 0 ? data + 1 : 0;
    }
    const QString quotedPath = u'"' + path + QStringLiteral("\" ");
    int n = 0;
    for (qsizetype i = first; i < lines.size(); ++i) {
        if (worksheet && lines[i] == u"Lines")
            break;
        QString line = lines[i];
        line.replace(QChar(0x0007), QStringLiteral("\"\""));
        const QStringList fields = files::SplitFields(line);
        ++n;
        for (qsizetype j = 0; j < fields.size(); ++j) {
            const QString& v = fields[j];
            if (v.isEmpty())
                continue;
            const QString f = run.ignoreCase ? v.toUpper() : v;
            if (!f.contains(run.text))
                continue;
            if (!ensureRow(app, run.nextRow))
                return true; // the sheet is full: later hits cannot be listed
            const int c = int(j) + 1;
            storeResultCell(app, quotedPath + (c <= core::MaxCols ? core::CellName(c, n) : QString()),
                            1, run.nextRow);
            // A worksheet field starts with its kind mark; the result shows the text.
            QString shown = v;
            if (worksheet && !shown.isEmpty()
                && (shown[0] == QChar(core::TextMark) || shown[0] == QChar(core::NumberMark)))
                shown.remove(0, 1);
            if (f.startsWith(u'='))
                shown.prepend(u'\'');
            storeResultCell(app, shown, 2, run.nextRow);
            ++run.nextRow;
            ++run.hits;
        }
    }
    return true;
}

} // namespace

void AcceptFileSearch(FileSearchDialogState& state, QStringList& history)
{
    if (!state.cbStr.isEmpty())
        AddToHistory(history, state.cbStr);
}

void RunFileSearch(App& app)
{
    FileSearchDialogState& d = app.fileSearchDialog;
    if (!app.ui().askFileSearch(d, app.sheet.SearchHistory))
        return;
    if (d.cbStr.isEmpty() || d.lbFiles.isEmpty() || !PrepareResultSheet(app))
        return;
    SearchFiles(app);
}

bool PrepareResultSheet(App& app)
{
    core::Sheet& sheet = app.sheet;
    if (sheet.Modified) {
        platform::Message question;
        question.icon = platform::Icon::Question;
        question.text = QStringLiteral("ファイル検索の結果は新しいワークシートに表示されます．\r\n"
                                       "現データを保存しますか？\r\n"
                                       "(「いいえ」=データを破棄して検索．)");
        question.buttons = platform::Buttons::YesNoCancel;
        const platform::Answer answer = app.ui().message(question);
        if (answer == platform::Answer::Cancel)
            return false;
        if (answer == platform::Answer::Yes && !files::SaveCommand(app, false))
            return false;
    }
    if (sheet.SheetRows < 103) {
        sheet.SheetRows = 103;
        core::ResizeSheet(app);
    }
    core::NewSheet(app);
    core::RefreshHeaders(app);
    for (int c = 1; c <= 2; ++c) {
        sheet.ColFormat[c].wid = 50;
        core::BuildColumnFormat(app, c);
    }
    return true;
}

bool SearchFiles(App& app)
{
    const FileSearchDialogState& d = app.fileSearchDialog;
    core::BusyGuard busy(app);
    Run run;
    run.ignoreCase = d.optCase == 1;
    storeResultCell(app, QStringLiteral("「") + d.cbStr + QStringLiteral("」検索結果"), 1, 1);
    run.text = run.ignoreCase ? d.cbStr.toUpper() : d.cbStr;
    bool ok = true;
    for (const QString& name : d.lbFiles) {
        core::ShowStatus(app, name + QStringLiteral(" 検索中..."));
        app.ui().processEvents();
        const int before = run.nextRow;
        if (!searchOneFile(app, d.txDir + name, run)) {
            ok = false;
            break;
        }
        if (run.nextRow > before)
            ++run.nextRow; // one empty row after the hits of a file
    }
    core::RescanExtent(app);
    core::RefreshHeaders(app);
    app.ui().gridChanged(platform::GridChange::Cells);
    if (ok)
        core::ShowStatus(app, QStringLiteral("ファイル検索完了．") + QString::number(run.hits)
                                  + QStringLiteral("件見つかりました．"));
    return ok;
}

} // namespace tools
