#include "platform/qt/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

const QString NotFound = QStringLiteral("指定されたファイルが見つかりません。");

/// An address with a scheme (https:, mailto:, file:); a Windows drive letter is none.
bool isAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

} // namespace

bool QtShell::run(const QString& program, const QStringList& arguments)
{
    QString path = program;
    if (!program.contains(u'/'))
        path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo(path).isExecutable() || QFileInfo(path).isDir()) {
        m_error = NotFound;
        return false;
    }
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        m_error = process.errorString();
        return false;
    }
    return true;
}

bool QtShell::openDocument(const QString& path)
{
    QUrl url;
    if (QFileInfo::exists(path))
        url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    else if (isAddress(path))
        url = QUrl(path);
    if (!url.isValid() || url.isEmpty()) {
        m_error = NotFound;
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        m_error = QStringLiteral("このファイルを開くプログラムがありません。");
        return false;
    }
    return true;
}

void QtShell::noteRecentDocument(const QString&)
{
    // The desktop keeps its own recent list from the file dialogs.
}

LinkTarget QtShell::linkTarget(const QString& name, QString& program)
{
    const QFileInfo file(name);
    if (file.isFile() && file.isExecutable()) {
        program = file.absoluteFilePath();
        return LinkTarget::Program;
    }
    if (!file.exists() && !name.contains(u'/')) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) {
            program = found;
            return LinkTarget::Program;
        }
    }
    if (!file.isFile())
        return LinkTarget::None;
    if (file.suffix().compare(u"mvx", Qt::CaseInsensitive) == 0 && WorksheetsOpenWithMavix()) {
        program = QCoreApplication::applicationFilePath();
        return LinkTarget::Worksheet;
    }
    return LinkTarget::Document;
}

bool WorksheetsOpenWithMavix()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("application/x-mavix")});
    if (!query.waitForFinished(3000))
        return false;
    return QString::fromUtf8(query.readAllStandardOutput()).contains(u"mavix", Qt::CaseInsensitive);
}

} // namespace platform
