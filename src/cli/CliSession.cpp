#include "cli/CliSession.h"

#include "cli/CliCommands.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace cli {

Session::Session(QTextStream& err, platform::TextMeasure* measure)
    : ui(err)
{
    platform::Services services = fakes.services();
    if (measure)
        services.measure = measure;
    services.ui = &ui;
    services.fileHold = &hold;
    app = std::make_unique<App>(services);
    core::ResetSheetState(*app);
}

Session::~Session()
{
    (void)app.release();
}

bool Session::open(const QString& path)
{
    files::OpenFile(*app, path);
    return app->sheet.FileName == path;
}

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

bool readsDisplays(const OutputOptions& options)
{
    const QString type = QFileInfo(options.path).suffix().toLower();
    return type == u"txt" || (type == u"csv" && options.values);
}

std::optional<QString> checkOutput(const OutputOptions& options)
{
    const QString type = QFileInfo(options.path).suffix().toLower();
    if (type != u"mvx" && type != u"csv" && type != u"txt")
        return QStringLiteral("the output must end in .mvx, .csv or .txt: ") + options.path;
    if (options.values && type != u"csv")
        return QStringLiteral("--values applies to a .csv output only");
    if (options.ansi && type == u"mvx")
        return QStringLiteral("--ansi applies to a .csv or .txt output only");
    return std::nullopt;
}

int writeOutput(App& app, const OutputOptions& options, QTextStream& err)
{
    core::RescanExtent(app);
    const core::Sheet& sheet = app.sheet;
    const QString type = QFileInfo(options.path).suffix().toLower();
    app.SaveUnicode = !options.ansi;
    core::Result<core::Unit> written = core::Unit{};
    if (type == u"txt")
        written = files::WriteTxt(app, options.path, 1, sheet.LastCol, 1, sheet.LastRow);
    else if (type == u"csv")
        written = files::WriteCsv(app, options.path, 1, sheet.LastCol, options.values ? 3 : 2, 1,
                                  sheet.LastRow);
    else
        written = files::WriteWorksheet(app, options.path, 1, sheet.LastCol, 1, sheet.LastRow);
    if (!written) {
        err << "mavix-cli: " << options.path << ": " << written.error().detail << '\n';
        return ExitFileError;
    }
    return ExitOk;
}

} // namespace cli
