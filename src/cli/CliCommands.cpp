#include "cli/CliCommands.h"

#include "calc/Evaluator.h"
#include "cli/CliSession.h"
#include "cli/CliTools.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace cli {

namespace {

const char* const Usage =
    "usage: mavix-cli cells FILE CELL...\n"
    "       mavix-cli convert IN OUT [--values] [--ansi]\n"
    "       mavix-cli find FILE TEXT [SEARCH OPTIONS]\n"
    "       mavix-cli extract FILE TEXT [SEARCH OPTIONS] -o OUT [--values] [--ansi]\n"
    "       mavix-cli replace FILE BEFORE AFTER [--ignore-case] [--range A1:C10] -o OUT\n"
    "                 [--values] [--ansi]\n"
    "       mavix-cli sort FILE --key B [--rows 3:10] [--descending] [--number] -o OUT\n"
    "                 [--values] [--ansi]\n"
    "       mavix-cli pdf FILE OUT.pdf [--area]\n"
    "       mavix-cli filesearch TEXT FILE... -o OUT.mvx [--ignore-case]\n"
    "       mavix-cli graph FILE OUT.bmp|OUT.png [--size 800x600]\n"
    "       mavix-cli --help | --version\n";

const char* const Help =
    "mavix-cli: Mavix without a window.\n"
    "\n"
    "  mavix-cli cells FILE CELL...\n"
    "      Opens FILE, recalculates and prints one line per CELL (A1..Z32000):\n"
    "      CELL<TAB>VALUE<TAB>DISPLAY. VALUE is the cell's number with 17 significant\n"
    "      digits (0 for texts and empty cells), or the error mark of a formula in error;\n"
    "      DISPLAY is the text the grid shows, blanks included.\n"
    "  mavix-cli convert IN OUT [--values] [--ansi]\n"
    "      Opens IN and writes its used area to OUT, by OUT's extension: .mvx a worksheet,\n"
    "      .csv the formulas (--values: the displayed results), .txt fixed-width text.\n"
    "      CSV and TXT are written as UTF-16 with a byte-order mark, or with --ansi in\n"
    "      Windows-31J (Shift_JIS).\n"
    "  mavix-cli find FILE TEXT [SEARCH OPTIONS]\n"
    "      Prints every cell that matches, in the order the search visits them (row by\n"
    "      row, left to right): CELL<TAB>DISPLAY. Exits 0 with a match, 1 without.\n"
    "  mavix-cli extract FILE TEXT [SEARCH OPTIONS] -o OUT [--values] [--ansi]\n"
    "      Keeps the rows of the range that hold a match, closed up at the top, deletes\n"
    "      the other rows of the range, and writes the sheet to OUT as convert does. The\n"
    "      count goes to standard error (\"3行抽出しました.\").\n"
    "  mavix-cli replace FILE BEFORE AFTER [--ignore-case] [--range A1:C10] -o OUT\n"
    "      Replaces the first BEFORE in every cell of the range by AFTER (a cell's text\n"
    "      without its mark; a formula as its formula text), then writes OUT as convert\n"
    "      does. The letter case must match unless --ignore-case is given.\n"
    "  mavix-cli sort FILE --key B [--rows 3:10] [--descending] [--number] -o OUT\n"
    "      Sorts the rows (default: the used area's rows) by the key column, ascending\n"
    "      unless --descending, comparing texts unless --number, then writes OUT as\n"
    "      convert does. Whole rows move; formulas keep their text; rows with equal keys\n"
    "      end where the window's sort puts them. As text, empty keys come first, then\n"
    "      numbers as typed, texts, texts typed with a leading ', and formulas, each kind\n"
    "      in the order of its text.\n"
    "  mavix-cli pdf FILE OUT.pdf [--area]\n"
    "      Prints the used area of FILE (--area: its print area) into OUT.pdf, A4 at 600\n"
    "      dpi, as the window prints it: the worksheet's margins, header and footer\n"
    "      lines, first page number, grid printing, ruled lines and page breaks; texts in\n"
    "      the installed fonts.\n"
    "  mavix-cli filesearch TEXT FILE... -o OUT.mvx [--ignore-case]\n"
    "      Looks for TEXT in the cells of worksheet (.mvx) and CSV files without opening\n"
    "      them and writes a result sheet: A1 the title, then one row per hit with the\n"
    "      quoted file path and cell name in A and the cell's text in B, an empty row\n"
    "      after each file with hits. The letter case must match unless --ignore-case is\n"
    "      given. The count goes to standard error; exits 1 when a file cannot be read\n"
    "      (the hits found before it are still written).\n"
    "  mavix-cli graph FILE OUT.bmp|OUT.png [--size 800x600]\n"
    "      Draws the chart that FILE's own graph settings describe, as the graph window\n"
    "      draws it (kind, rows, columns, labels, value axis, legend, marks, title and\n"
    "      foot from the centre header and footer), into a Windows bitmap or a PNG file\n"
    "      by OUT's extension, of the given size (default 600x360, the window's first\n"
    "      size). Settings the window would refuse are printed and end with status 1.\n"
    "  mavix-cli --help | --version\n"
    "\n"
    "Search options (find and extract): the cell's text is compared with TEXT.\n"
    "  --cond C         = | contains | > | >= | < | <=   (default: contains)\n"
    "  --number         compare the cells' values with the number TEXT (not with contains)\n"
    "  --ignore-case    letters match in either case (full-width letters too)\n"
    "  --range A1:C10   the cells to look at (default: the used area)\n"
    "\n"
    "A FILE or IN ending in .mvx (any case) is read as a worksheet, any other as CSV\n"
    "(a byte-order mark for UTF-16 or UTF-8, else UTF-8 when valid, else Windows-31J).\n"
    "Texts are measured in a fixed-pitch font: half-width characters 1 unit, wide 2.\n"
    "Messages the program shows in a box are printed on standard error. Questions take\n"
    "their first answer, OK or Yes: the circular-reference warning is acknowledged,\n"
    "a lossy ANSI export is still written.\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be read or written (find: also no\n"
    "match), 2 a usage error.\n";


QString cellLine(const App& app, const core::CellPos& pos)
{
    const core::Sheet& sheet = app.sheet;
    const QString name = core::CellName(pos.col, pos.row);
    if (pos.row > sheet.SheetRows)
        return name + QStringLiteral("\t0\t");
    const QString& text = sheet.CellText[pos.col][pos.row];
    const QString& shown = sheet.GridText[pos.col][pos.row];
    const bool inError = text.startsWith(u'=') &&
                         sheet.CellKind[pos.col][pos.row] == core::kindPending &&
                         calc::IsErrorMark(shown);
    const QString value =
        inError ? shown : QString::asprintf("%.17g", sheet.CellValue[pos.col][pos.row]);
    return name + u'\t' + value + u'\t' + shown;
}

int runCells(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() < 3)
        return usageError(err, QStringLiteral("cells needs a file and at least one cell"));
    std::vector<core::CellPos> cells;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const auto pos = parseCell(args[i]);
        if (!pos)
            return usageError(err, QStringLiteral("not a cell name (A1..Z32000): ") + args[i]);
        cells.push_back(*pos);
    }
    Session session(err);
    if (!session.open(args[1]))
        return ExitFileError;
    for (const core::CellPos& pos : cells)
        out << cellLine(*session.app, pos) << '\n';
    return ExitOk;
}

/// IN and the output, or a usage problem.
std::variant<std::pair<QString, OutputOptions>, QString> parseConvert(const QStringList& args)
{
    OutputOptions options;
    QStringList paths;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--values")
            options.values = true;
        else if (args[i] == u"--ansi")
            options.ansi = true;
        else if (args[i].startsWith(u"--"))
            return QStringLiteral("unknown option: ") + args[i];
        else
            paths.append(args[i]);
    }
    if (paths.size() != 2)
        return QStringLiteral("convert needs an input and an output file");
    options.path = paths[1];
    if (const std::optional<QString> problem = checkOutput(options))
        return *problem;
    return std::pair{paths[0], options};
}

int runConvert(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseConvert(args);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    const auto& [in, output] = std::get<std::pair<QString, OutputOptions>>(parsed);
    Session session(err);
    session.app->Displays =
        readsDisplays(output) ? core::CellDisplays::Formulas : core::CellDisplays::None;
    if (!session.open(in))
        return ExitFileError;
    return writeOutput(*session.app, output, err);
}

} // namespace

int usageError(QTextStream& err, const QString& problem)
{
    err << "mavix-cli: " << problem << '\n' << Usage;
    return ExitUsage;
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty())
        return usageError(err, QStringLiteral("no command given"));
    const QString& command = args[0];
    if (command == u"--help" || command == u"-h") {
        out << Help;
        return ExitOk;
    }
    if (command == u"--version") {
        out << "mavix-cli 4.00\n";
        return ExitOk;
    }
    if (command == u"cells")
        return runCells(args, out, err);
    if (command == u"convert")
        return runConvert(args, err);
    if (command == u"find")
        return runFind(args, out, err);
    if (command == u"extract")
        return runExtract(args, err);
    if (command == u"replace")
        return runReplace(args, err);
    if (command == u"sort")
        return runSort(args, err);
    if (command == u"filesearch")
        return runFileSearch(args, err);
    return usageError(err, QStringLiteral("unknown command: ") + command);
}

} // namespace cli
