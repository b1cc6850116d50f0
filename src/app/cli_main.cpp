#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc > 1 && (std::strcmp(argv[1], "pdf") == 0 || std::strcmp(argv[1], "graph") == 0)) {
        // Printing and charts need the GUI libraries; their own program keeps the other
        // verbs quick.
        const QByteArray gui = QFile::encodeName(QCoreApplication::applicationDirPath()
                                                 + QStringLiteral("/mavix-cli-gui"));
        execv(gui.constData(), argv);
        QTextStream(stderr) << "mavix-cli: cannot run " << QFile::decodeName(gui) << '\n';
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
