// mavix-cli pdf: the print engine into a PDF file, without a display. mavix-cli hands the
// verb over to this program so that its other verbs start without the GUI libraries.
#include "cli/CliSession.h"
#include "core/App.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "print/PrintEngine.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

int runPdf(const QStringList& args, QTextStream& err)
{
    QStringList positional;
    bool area = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--area")
            area = true;
        else if (args[i].startsWith(u"--"))
            return cli::usageError(err, QStringLiteral("unknown option: ") + args[i]);
        else
            positional.append(args[i]);
    }
    if (positional.size() != 2)
        return cli::usageError(err, QStringLiteral("pdf needs a file and the PDF to write"));
    if (!positional[1].endsWith(u".pdf", Qt::CaseInsensitive))
        return cli::usageError(err, QStringLiteral("the output must end in .pdf"));

    platform::InstallFontSubstitutions();
    platform::QtTextMeasure measure;
    cli::Session session(err, &measure);
    App& app = *session.app;
    if (!session.open(positional[0]))
        return 1;
    platform::FontSpec font = app.settings.gridFont;
    font.size = app.sheet.FontSize;
    measure.setFont(font);
    if (area && app.sheet.PrintArea.left == 0) {
        err << "mavix-cli: " << positional[0] << " has no print area\n";
        return 1;
    }
    print::PrintRange range;
    if (!print::PrintRangeOf(app, area, range)) {
        err << "印字データがありません\n";
        return 1;
    }
    platform::QtPrinter printer;
    printer.setPdfOutput(QFileInfo(positional[1]).absoluteFilePath());
    app.printing.CancelRequested = false;
    if (!print::RunPrintJob(app, printer, range)) {
        err << "mavix-cli: could not write " << positional[1] << '\n';
        return 1;
    }
    return 0;
}

/// Qt's own notes about the session (a missing runtime folder, say) are not this
/// program's output; only critical messages go to standard error.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietMessages);
    // No display is needed: pages are drawn into the file.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream err(stderr);
    const int status = runPdf(args, err);
    err.flush();
    return status;
}
