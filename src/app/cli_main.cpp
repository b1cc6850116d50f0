#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream out(stdout);
    if (args.size() == 2 && args[1] == u"--version") {
        out << "mavix-cli 4.00\n";
        return 0;
    }
    QTextStream(stderr) << "usage: mavix-cli --version\n";
    return 2;
}
