// The data tools for scripts: the search, the extraction and the replacement of the program,
// without their dialogs.
#include "cli/CliTools.h"

#include "cli/CliCommands.h"
#include "cli/CliSession.h"
#include "core/Display.h"
#include "tools/FileSearch.h"
#include "tools/Replace.h"
#include "tools/Search.h"
#include "tools/Sort.h"
#include "tools/SearchDialogState.h"

#include <QFileInfo>

#include <variant>

namespace cli {

namespace {

using tools::SearchDialogState;

/// What a tool command was given.
struct ToolArgs {
    QStringList positional;
    SearchDialogState search; // the dialog's defaults: text, contains, letter case counts
    bool ignoreCase = false;
    QString range;
    OutputOptions output;
};

int condition(const QString& name)
{
    static const QStringList names = {QStringLiteral("="), QStringLiteral("contains"),
                                      QStringLiteral(">"), QStringLiteral(">="),
                                      QStringLiteral("<"), QStringLiteral("<=")};
    return int(names.indexOf(name));
}

/// The arguments after the command; searchOptions: --number, --cond are allowed.
std::variant<ToolArgs, QString> parseArgs(const QStringList& args, bool searchOptions,
                                          bool withOutput)
{
    ToolArgs parsed;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == u"--ignore-case") {
            parsed.ignoreCase = true;
        } else if (arg == u"--range" && hasValue) {
            parsed.range = args[++i];
        } else if (searchOptions && arg == u"--number") {
            parsed.search.optWay = 1;
        } else if (searchOptions && arg == u"--cond" && hasValue) {
            parsed.search.optCond = condition(args[++i]);
            if (parsed.search.optCond < 0)
                return QStringLiteral("unknown condition: ") + args[i];
        } else if (withOutput && arg == u"-o" && hasValue) {
            parsed.output.path = args[++i];
        } else if (withOutput && arg == u"--values") {
            parsed.output.values = true;
        } else if (withOutput && arg == u"--ansi") {
            parsed.output.ansi = true;
        } else if (arg.startsWith(u"-") && arg.size() > 1) {
            return QStringLiteral("unknown option or missing value: ") + arg;
        } else {
            parsed.positional.append(arg);
        }
    }
    if (withOutput) {
        if (parsed.output.path.isEmpty())
            return QStringLiteral("-o OUT is missing");
        if (const std::optional<QString> problem = checkOutput(parsed.output))
            return *problem;
    }
    parsed.search.optCase = parsed.ignoreCase ? 1 : 0;
    if (parsed.search.optWay == 1 && parsed.search.optCond == SearchDialogState::Contains)
        return QStringLiteral("数値検索で「含む」の条件は指定できません. (--number needs --cond)");
    return parsed;
}

/// The range named by A1:C10, cut at the sheet's last row, or the used area; a problem
/// otherwise.
std::variant<core::CellBlock, QString> rangeOf(const App& app, const QString& text)
{
    const core::Sheet& sheet = app.sheet;
    if (text.isEmpty())
        return core::CellBlock{1, sheet.LastCol, 1, sheet.LastRow};
    const QStringList ends = text.split(u':');
    const auto first = parseCell(ends.value(0));
    const auto last = parseCell(ends.value(1));
    if (ends.size() != 2 || !first || !last)
        return QStringLiteral("not a range like A1:C10: ") + text;
    const core::CellBlock range{std::min(first->col, last->col), std::max(first->col, last->col),
                                std::min(first->row, last->row), std::max(first->row, last->row)};
    // Rows the sheet does not have hold nothing.
    return core::CellBlock{range.left, range.right, range.top,
                           std::min(range.bottom, sheet.SheetRows)};
}

/// Parses, opens the file and finds the range; the exit status when that failed.
std::variant<core::CellBlock, int> prepare(Session& session, const ToolArgs& args,
                                           QTextStream& err)
{
    if (!session.open(args.positional[0]))
        return int(ExitFileError);
    const auto range = rangeOf(*session.app, args.range);
    if (const QString* problem = std::get_if<QString>(&range))
        return usageError(err, *problem);
    return std::get<core::CellBlock>(range);
}

} // namespace

int runFind(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const auto parsed = parseArgs(args, true, false);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    ToolArgs tool = std::get<ToolArgs>(parsed);
    if (tool.positional.size() != 2)
        return usageError(err, QStringLiteral("find needs a file and a search text"));
    Session session(err);
    const auto range = prepare(session, tool, err);
    if (const int* status = std::get_if<int>(&range))
        return *status;
    tool.search.cbStr = tool.positional[1];
    const core::Sheet& sheet = session.app->sheet;
    const auto hits = tools::FindAll(sheet, tools::SearchOptionsOf(tool.search),
                                     std::get<core::CellBlock>(range));
    for (const core::CellPos& hit : hits)
        out << core::CellName(hit.col, hit.row) << '\t' << sheet.GridText[hit.col][hit.row]
            << '\n';
    return hits.empty() ? ExitFileError : ExitOk;
}

int runExtract(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseArgs(args, true, true);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    ToolArgs tool = std::get<ToolArgs>(parsed);
    if (tool.positional.size() != 2)
        return usageError(err, QStringLiteral("extract needs a file and a search text"));
    Session session(err);
    const auto range = prepare(session, tool, err);
    if (const int* status = std::get_if<int>(&range))
        return *status;
    tool.search.cbStr = tool.positional[1];
    const core::CellBlock& block = std::get<core::CellBlock>(range);
    const int hits = tools::ExtractRows(*session.app, block, tools::SearchOptionsOf(tool.search),
                                        block.left, block.top);
    err << hits << QStringLiteral("行抽出しました.") << '\n';
    return writeOutput(*session.app, tool.output, err);
}

int runReplace(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseArgs(args, false, true);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    const ToolArgs& tool = std::get<ToolArgs>(parsed);
    if (tool.positional.size() != 3)
        return usageError(err, QStringLiteral("replace needs a file, BEFORE and AFTER"));
    Session session(err);
    const auto range = prepare(session, tool, err);
    if (const int* status = std::get_if<int>(&range))
        return *status;
    tools::ReplaceInRange(*session.app, std::get<core::CellBlock>(range), tool.positional[1],
                          tool.positional[2], !tool.ignoreCase);
    return writeOutput(*session.app, tool.output, err);
}

int runSort(const QStringList& args, QTextStream& err)
{
    QStringList rest{args.value(0)};
    int key = 0;
    QString rows;
    int order = 0;
    int method = 0;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--key" && i + 1 < args.size()) {
            const QString letter = args[++i].toUpper();
            if (letter.size() != 1 || letter[0] < u'A' || letter[0] > u'Z')
                return usageError(err, QStringLiteral("--key needs a column letter A..Z"));
            key = letter[0].unicode() - u'A' + 1;
        } else if (arg == u"--rows" && i + 1 < args.size()) {
            rows = args[++i];
        } else if (arg == u"--descending") {
            order = 1;
        } else if (arg == u"--number") {
            method = 1;
        } else {
            rest.append(arg);
        }
    }
    const auto parsed = parseArgs(rest, false, true);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    const ToolArgs& tool = std::get<ToolArgs>(parsed);
    if (tool.positional.size() != 1 || key == 0)
        return usageError(err, QStringLiteral("sort needs a file and --key"));
    if (tool.ignoreCase || !tool.range.isEmpty())
        return usageError(err, QStringLiteral("sort takes --rows, not --range or --ignore-case"));
    Session session(err);
    if (!session.open(tool.positional[0]))
        return ExitFileError;
    App& app = *session.app;
    int top = 1;
    int bottom = app.sheet.LastRow;
    if (!rows.isEmpty()) {
        const QStringList ends = rows.split(u':');
        bool firstOk = false;
        bool lastOk = false;
        top = ends.value(0).toInt(&firstOk);
        bottom = ends.value(1).toInt(&lastOk);
        if (ends.size() != 2 || !firstOk || !lastOk || top < 1 || bottom < top)
            return usageError(err, QStringLiteral("--rows needs FIRST:LAST, like 3:10"));
        bottom = std::min(bottom, app.sheet.SheetRows);
    }
    tools::SortAndShow(app, key, top, bottom, order, method);
    return writeOutput(app, tool.output, err);
}

int runFileSearch(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseArgs(args, false, true);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    const ToolArgs& tool = std::get<ToolArgs>(parsed);
    if (tool.positional.size() < 2)
        return usageError(err, QStringLiteral("filesearch needs a text and at least one file"));
    if (!tool.range.isEmpty())
        return usageError(err, QStringLiteral("filesearch takes no --range"));
    Session session(err);
    App& app = *session.app;
    tools::FileSearchDialogState& d = app.fileSearchDialog;
    d.cbStr = tool.positional[0];
    d.optCase = tool.ignoreCase ? 1 : 0;
    // Files from any folder: each name carries its own.
    d.txDir.clear();
    for (qsizetype i = 1; i < tool.positional.size(); ++i)
        d.lbFiles.append(QFileInfo(tool.positional[i]).absoluteFilePath());
    if (!tools::PrepareResultSheet(app))
        return ExitFileError;
    const bool allRead = tools::SearchFiles(app);
    const int status = writeOutput(app, tool.output, err);
    err << session.ui.lastStatus() << '\n';
    return allRead ? status : ExitFileError;
}

} // namespace cli
