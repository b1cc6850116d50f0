#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// Starting programs and documents.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool run(const QString& program, const QStringList& arguments) = 0;
    virtual bool openDocument(const QString& path) = 0;
    virtual void noteRecentDocument(const QString& path) = 0;
};

} // namespace platform
