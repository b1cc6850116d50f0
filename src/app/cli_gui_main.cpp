// mavix-cli pdf and graph: the print engine into a PDF file and the graph window's chart
// into a picture, without a display. mavix-cli hands these verbs over to this program so
// that its other verbs start without the GUI libraries.
#include "cli/CliSession.h"
#include "core/App.h"
#include "graph/Graph.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "print/PrintEngine.h"
#include "ui/ChartBuilder.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

namespace {

/// A batch session whose texts are measured in the real grid font, as on the screen.
struct GuiSession {
    explicit GuiSession(QTextStream& err)
        : session(err, &measure)
    {
    }
    /// Opens the file and measures in its grid font; false when it could not be read.
    bool open(const QString& path)
    {
        if (!session.open(path))
            return false;
        platform::FontSpec font = session.app->settings.gridFont;
        font.size = session.app->sheet.FontSize;
        measure.setFont(font);
        return true;
    }

    // In this order: the font names are substituted before the measure makes its font,
    // and the measure exists before the session's App uses it.
    bool fontsInstalled = (platform::InstallFontSubstitutions(), true);
    platform::QtTextMeasure measure;
    cli::Session session;
};

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

    GuiSession gui(err);
    if (!gui.open(positional[0]))
        return 1;
    App& app = *gui.session.app;
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

/// "800x600": a size of 1..10000 pixels each way.
std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > 10000 || size.height() > 10000)
        return std::nullopt;
    return size;
}

int runGraph(const QStringList& args, QTextStream& err)
{
    QStringList positional;
    // The graph window's first size: the main window's.
    QSize size(600, 360);
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--size") {
            const std::optional<QSize> given =
                i + 1 < args.size() ? parseSize(args[i + 1]) : std::nullopt;
            if (!given)
                return cli::usageError(err, QStringLiteral("--size needs WIDTHxHEIGHT, "
                                                           "1..10000 pixels each"));
            size = *given;
            ++i;
        } else if (args[i].startsWith(u"--")) {
            return cli::usageError(err, QStringLiteral("unknown option: ") + args[i]);
        } else {
            positional.append(args[i]);
        }
    }
    if (positional.size() != 2)
        return cli::usageError(err, QStringLiteral("graph needs a file and the picture to write"));
    const QString out = positional[1];
    const char* format = out.endsWith(u".bmp", Qt::CaseInsensitive)   ? "BMP"
                         : out.endsWith(u".png", Qt::CaseInsensitive) ? "PNG"
                                                                      : nullptr;
    if (!format)
        return cli::usageError(err, QStringLiteral("the output must end in .bmp or .png"));

    GuiSession gui(err);
    if (!gui.open(positional[0]))
        return 1;
    App& app = *gui.session.app;
    // The worksheet's own settings, checked as the settings dialog's グラフ button does.
    if (const std::optional<QString> problem =
            graph::CheckGraphSettings(app.graph, app.sheet.SheetRows)) {
        err << *problem << '\n';
        return 1;
    }
    const QImage image = ui::ChartImage(graph::BuildChartModel(app), size);
    if (!image.save(out, format)) {
        err << "mavix-cli: could not write " << out << '\n';
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
    // No display is needed: pages and charts are drawn into the file.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream err(stderr);
    const int status = !args.isEmpty() && args[0] == u"graph" ? runGraph(args, err)
                                                               : runPdf(args, err);
    err.flush();
    return status;
}
