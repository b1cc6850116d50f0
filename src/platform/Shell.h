#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// What opens the file part of a link.
enum class LinkTarget {
    None,      // nothing this system knows: the whole text goes to the desktop's opener
    Program,   // an executable file, by path or found on PATH
    Document,  // a file the desktop opens with the default program of its type
    Worksheet, // a file whose default program is this one: it gets the file and a cell
};

/// Starting programs and documents. Programs start directly with an argument list, never
/// through a shell.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool run(const QString& program, const QStringList& arguments) = 0;
    /// A file, or an address such as https://…, with the desktop's default program.
    virtual bool openDocument(const QString& path) = 0;
    virtual void noteRecentDocument(const QString& path) = 0;
    /// What opens `name`; `program` is set for Program and Worksheet.
    virtual LinkTarget linkTarget(const QString& name, QString& program) = 0;
    /// The system's words for why the last run or opening failed.
    virtual QString lastError() const = 0;
};

} // namespace platform
