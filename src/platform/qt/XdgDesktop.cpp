#include "platform/qt/XdgDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace platform {

namespace {

constexpr int ToolTimeoutMs = 60000;

QString fromEnvironment(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    // Relative paths are invalid in these variables and are ignored.
    return QDir::isAbsolutePath(value) ? value : fallback;
}

/// A value as a key-file string: backslashes and control characters escaped.
QString keyFileString(const QString& value)
{
    QString escaped;
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += ch;
        }
    }
    if (escaped.startsWith(u' '))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    return escaped;
}

/// One argument of an Exec line: quoted when it holds a reserved character, with the
/// characters special inside quotes escaped; a percent sign doubled.
QString execArgument(const QString& arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = arg.isEmpty();
    for (const QChar ch : arg)
        quote = quote || reserved.contains(ch);
    QString out;
    for (const QChar ch : arg) {
        if (ch == u'%')
            out += u'%';
        else if (quote && (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\'))
            out += u'\\';
        out += ch;
    }
    return quote ? u'"' + out + u'"' : out;
}

bool writeText(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

QString xmlText(const QString& text)
{
    return text.toHtmlEscaped();
}

QString keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

QStringList listOf(const QString& line)
{
    return line.mid(line.indexOf(u'=') + 1).trimmed().split(u';', Qt::SkipEmptyParts);
}

constexpr char16_t DefaultsGroup[] = u"[Default Applications]";

} // namespace

XdgDesktop::Folders XdgDesktop::EnvironmentFolders()
{
    Folders f;
    const QString home = QDir::homePath();
    f.dataHome = fromEnvironment("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    f.configHome = fromEnvironment("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            f.dataDirs.append(dir);
    if (f.dataDirs.isEmpty())
        f.dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    f.menuPrefix = qEnvironmentVariable("XDG_MENU_PREFIX");
    return f;
}

XdgDesktop::XdgDesktop()
    : XdgDesktop(EnvironmentFolders(), QCoreApplication::applicationFilePath())
{
}

XdgDesktop::XdgDesktop(Folders folders, QString program)
    : m_folders(std::move(folders))
    , m_program(std::move(program))
{
}

QString XdgDesktop::applicationsFolder() const
{
    return m_folders.dataHome + QStringLiteral("/applications");
}

QString XdgDesktop::mimeFolder() const
{
    return m_folders.dataHome + QStringLiteral("/mime");
}

QString XdgDesktop::mimeappsPath() const
{
    return m_folders.configHome + QStringLiteral("/mimeapps.list");
}

QString XdgDesktop::entryPath() const
{
    return applicationsFolder() + u'/' + QString::fromUtf16(EntryId);
}

QString XdgDesktop::menuFilePath() const
{
    return m_folders.configHome + QStringLiteral("/menus/") + m_folders.menuPrefix
        + QStringLiteral("applications-merged/Mavix.menu");
}

QString XdgDesktop::directoryFilePath() const
{
    return m_folders.dataHome + QStringLiteral("/desktop-directories/Mavix.directory");
}

QString XdgDesktop::ExecValue(const QString& program, const QStringList& arguments)
{
    QStringList words{execArgument(program)};
    for (const QString& arg : arguments)
        words.append(execArgument(arg));
    return keyFileString(words.join(u' '));
}

QString XdgDesktop::EditDefault(const QString& text, const QString& type, const QString& desktopId,
                                bool add)
{
    QStringList lines;
    if (!text.isEmpty())
        lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    const QString group = QString::fromUtf16(DefaultsGroup);
    qsizetype start = -1;
    for (qsizetype i = 0; i < lines.size() && start < 0; ++i)
        if (lines[i].trimmed() == group)
            start = i;
    if (start < 0) {
        if (!add)
            return text;
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(group);
        start = lines.size() - 1;
    }
    bool placed = false;
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].trimmed().startsWith(u'[');) {
        if (lines[i].trimmed().startsWith(u'#') || keyOf(lines[i]) != type) {
            ++i;
            continue;
        }
        QStringList ids = listOf(lines[i]);
        if (!add && !ids.contains(desktopId)) {
            ++i;
            continue;
        }
        ids.removeAll(desktopId);
        if (add && !placed) {
            ids.prepend(desktopId);
            placed = true;
        }
        if (ids.isEmpty()) {
            lines.removeAt(i);
            continue;
        }
        lines[i] = type + u'=' + ids.join(u';') + u';';
        ++i;
    }
    if (add && !placed) {
        // After the group's last line that is not blank.
        qsizetype at = start + 1;
        for (qsizetype i = start + 1; i < lines.size() && !lines[i].trimmed().startsWith(u'['); ++i)
            if (!lines[i].trimmed().isEmpty())
                at = i + 1;
        lines.insert(at, type + u'=' + desktopId + u';');
    }
    return lines.join(u'\n') + u'\n';
}

bool XdgDesktop::updateMimeDatabase() const
{
    QProcess tool;
    tool.start(QStringLiteral("update-mime-database"), {mimeFolder()});
    return tool.waitForFinished(ToolTimeoutMs) && tool.exitStatus() == QProcess::NormalExit
        && tool.exitCode() == 0;
}

bool XdgDesktop::registerWorksheetType(const QString& description)
{
    const QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"")
        + QString::fromUtf16(WorksheetType) + QStringLiteral("\">\n    <comment>")
        + xmlText(description)
        + QStringLiteral("</comment>\n    <glob pattern=\"*.mvx\"/>\n  </mime-type>\n"
                         "</mime-info>\n");
    return writeText(mimeFolder() + QStringLiteral("/packages/x-mavix.xml"), xml)
        && updateMimeDatabase();
}

bool XdgDesktop::setDefault(const QString& type, bool add)
{
    const std::optional<QString> text = readText(mimeappsPath());
    if (!text)
        return false;
    const QString edited = EditDefault(*text, type, QString::fromUtf16(EntryId), add);
    return edited == *text || writeText(mimeappsPath(), edited);
}

QStringList XdgDesktop::defaultTypes() const
{
    QStringList types;
    const QString text = readText(mimeappsPath()).value_or(QString());
    const QString group = QString::fromUtf16(DefaultsGroup);
    bool inGroup = false;
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().startsWith(u'['))
            inGroup = line.trimmed() == group;
        else if (inGroup && listOf(line).contains(QString::fromUtf16(EntryId)))
            types.append(keyOf(line));
    }
    return types;
}

bool XdgDesktop::writeEntry(const QString& program)
{
    QString types;
    for (const QString& type : defaultTypes())
        types += type + u';';
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Mavix\nExec=")
        + ExecValue(program, {}) + QStringLiteral(" %f\nMimeType=") + types
        + QStringLiteral("\nNoDisplay=true\nTerminal=false\n");
    return writeText(entryPath(), entry);
}

bool XdgDesktop::associate(const Association& a)
{
    if (a.mvx
        && !(registerWorksheetType(a.description)
             && setDefault(QString::fromUtf16(WorksheetType), true)))
        return false;
    if (a.csv && !setDefault(QString::fromUtf16(CsvType), true))
        return false;
    return writeEntry(a.program);
}

void XdgDesktop::removeAssociation()
{
    if (QFile::remove(mimeFolder() + QStringLiteral("/packages/x-mavix.xml")))
        updateMimeDatabase();
    setDefault(QString::fromUtf16(WorksheetType), false);
    // Another program made the default since: it is left as it is.
    setDefault(QString::fromUtf16(CsvType), false);
    QFile::remove(entryPath());
}

std::optional<QString> XdgDesktop::openWithDefault(const QString& path,
                                                   const QString& workingFolder)
{
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({path});
    opener.setWorkingDirectory(workingFolder);
    if (opener.startDetached())
        return std::nullopt;
    return QString::number(int(opener.error())) + u':' + opener.errorString();
}

QString XdgDesktop::menuFolder(bool allUsers) const
{
    const QString data = allUsers ? m_folders.dataDirs.value(0) : m_folders.dataHome;
    return data.isEmpty() ? QString() : data + QStringLiteral("/applications/Mavix");
}

bool XdgDesktop::createMenuEntry(const QString& folder, const QString& name, const QString& program,
                                 const QStringList& arguments, const QString& workingFolder)
{
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=")
        + keyFileString(name) + QStringLiteral("\nExec=") + ExecValue(program, arguments)
        + QStringLiteral("\nPath=") + keyFileString(workingFolder)
        + QStringLiteral("\nTerminal=false\n");
    return writeText(folder + u'/' + name + QStringLiteral(".desktop"), entry)
        && writeText(directoryFilePath(),
                     QStringLiteral("[Desktop Entry]\nType=Directory\nName=Mavix\n"))
        && writeMenuFile(folder);
}

bool XdgDesktop::writeMenuFile(const QString& folder) const
{
    // An entry in a subfolder of applications has the folder in its desktop file id.
    const QDir applications(applicationsFolder());
    QString includes;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name))
        includes += QStringLiteral("      <Filename>")
            + xmlText(applications.relativeFilePath(file.absoluteFilePath()).replace(u'/', u'-'))
            + QStringLiteral("</Filename>\n");
    const QString menu =
        QStringLiteral("<Menu>\n  <Name>Applications</Name>\n  <Menu>\n    <Name>Mavix</Name>\n"
                       "    <Directory>Mavix.directory</Directory>\n    <Include>\n")
        + includes + QStringLiteral("    </Include>\n  </Menu>\n</Menu>\n");
    return writeText(menuFilePath(), menu);
}

void XdgDesktop::removeMenu()
{
    QFile::remove(menuFilePath());
    QFile::remove(directoryFilePath());
}

} // namespace platform
