#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "pdf") == 0) {
        // Printing needs the GUI libraries; their own program keeps the other verbs quick.
        const QByteArray pdf =
            QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/mavix-cli-pdf"));
        execv(pdf.constData(), argv);
        QTextStream(stderr) << "mavix-cli: cannot run " << QFile::decodeName(pdf) << '\n';
        return 1;
    }
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = cli::RunCli(args, out, err);
    out.flush();
    err.flush();
    return status;
}
