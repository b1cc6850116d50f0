#include "cli/CliCommands.h"

#include "calc/Evaluator.h"
#include "cli/CliFileHold.h"
#include "cli/CliUi.h"
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

const char* const Usage = "usage: mavix-cli cells FILE CELL...\n"
                          "       mavix-cli convert IN OUT [--values] [--ansi]\n"
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
    "  mavix-cli --help | --version\n"
    "\n"
    "A FILE or IN ending in .mvx (any case) is read as a worksheet, any other as CSV\n"
    "(a byte-order mark for UTF-16 or UTF-8, else UTF-8 when valid, else Windows-31J).\n"
    "Texts are measured in a fixed-pitch font: half-width characters 1 unit, wide 2.\n"
    "Messages the program shows in a box are printed on standard error. Questions take\n"
    "their first answer, OK or Yes: the circular-reference warning is acknowledged,\n"
    "a lossy ANSI export is still written.\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be read or written, 2 a usage error.\n";

int usageError(QTextStream& err, const QString& problem)
{
    err << "mavix-cli: " << problem << '\n' << Usage;
    return ExitUsage;
}

/// The services of a batch run: fakes in memory, the measure of a fixed-pitch font.
struct Session
{
    explicit Session(QTextStream& err) : ui(err)
    {
        platform::Services services = fakes.services();
        services.ui = &ui;
        services.fileHold = &hold;
        app = std::make_unique<App>(services);
        core::ResetSheetState(*app);
    }

    /// Opens the file by the program's own rule; false when it could not be read.
    bool open(const QString& path)
    {
        files::OpenFile(*app, path);
        return app->sheet.FileName == path;
    }

    platform::FakePlatform fakes;
    CliUi ui;
    CliFileHold hold;
    std::unique_ptr<App> app;
};

std::optional<core::CellPos> parseCell(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z])([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const int col = match.captured(1).toUpper()[0].unicode() - u'A' + 1;
    const int row = match.captured(2).toInt();
    if (row < 1 || row > core::MaxRows)
        return std::nullopt;
    return core::CellPos{col, row};
}

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

struct ConvertOptions
{
    QString in;
    QString out;
    bool values = false;
    bool ansi = false;
};

/// The options, or a usage problem.
std::variant<ConvertOptions, QString> parseConvert(const QStringList& args)
{
    ConvertOptions options;
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
    options.in = paths[0];
    options.out = paths[1];
    const QString type = QFileInfo(options.out).suffix().toLower();
    if (type != u"mvx" && type != u"csv" && type != u"txt")
        return QStringLiteral("the output must end in .mvx, .csv or .txt: ") + options.out;
    if (options.values && type != u"csv")
        return QStringLiteral("--values applies to a .csv output only");
    if (options.ansi && type == u"mvx")
        return QStringLiteral("--ansi applies to a .csv or .txt output only");
    return options;
}

core::Result<core::Unit> writeOutput(App& app, const ConvertOptions& options)
{
    core::RescanExtent(app);
    const core::Sheet& sheet = app.sheet;
    const QString type = QFileInfo(options.out).suffix().toLower();
    app.SaveUnicode = !options.ansi;
    if (type == u"txt")
        return files::WriteTxt(app, options.out, 1, sheet.LastCol, 1, sheet.LastRow);
    if (type == u"csv")
        return files::WriteCsv(app, options.out, 1, sheet.LastCol, options.values ? 3 : 2, 1,
                               sheet.LastRow);
    return files::WriteWorksheet(app, options.out, 1, sheet.LastCol, 1, sheet.LastRow);
}

int runConvert(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseConvert(args);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return usageError(err, *problem);
    const ConvertOptions& options = std::get<ConvertOptions>(parsed);
    Session session(err);
    if (!session.open(options.in))
        return ExitFileError;
    const core::Result<core::Unit> written = writeOutput(*session.app, options);
    if (!written) {
        err << "mavix-cli: " << options.out << ": " << written.error().detail << '\n';
        return ExitFileError;
    }
    return ExitOk;
}

} // namespace

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
    return usageError(err, QStringLiteral("unknown command: ") + command);
}

} // namespace cli
