#include "files/FileNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace files {

namespace {

/// The position of the extension's dot in the last path component, or -1.
qsizetype extensionDot(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? dot : -1;
}

} // namespace

QString UpperExtension(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    return dot >= 0 ? path.mid(dot).toUpper() : QString();
}

QString WithoutExtension(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    return dot >= 0 ? path.left(dot) : path;
}

QString PathWithExtension(const QString& path, const QString& ext)
{
    // On a case-sensitive file system "book.mvx" and "book.MVX" are two files, and saving
    // must replace the one that was opened.
    if (UpperExtension(path) == ext.toUpper())
        return path;
    return WithoutExtension(path) + ext;
}

QString SaveExtension(int filterIndex)
{
    static const char16_t* const extensions[] = {u".MVX", u".CSV", u".CSV", u".TXT"};
    return QString::fromUtf16(extensions[std::clamp(filterIndex, 1, 4) - 1]);
}

int FilterOfPath(const QString& path)
{
    const QString ext = UpperExtension(path);
    if (ext == u".MVX")
        return 1;
    if (ext == u".CSV")
        return 2;
    if (ext == u".TXT")
        return 4;
    return 0;
}

QString ExistingSpelling(const QString& path)
{
    // The program's files come from file systems that ignore letter case; without this a
    // save of "book.csv" through the CSV filter would put "book.CSV" beside it.
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir dir = info.dir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return path;
}

} // namespace files
