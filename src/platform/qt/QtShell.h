#pragma once

#include "platform/Shell.h"

namespace platform {

/// Programs started with QProcess (an argument list, never a shell), documents and
/// addresses opened through the desktop (xdg-open).
class QtShell : public Shell {
public:
    bool run(const QString& program, const QStringList& arguments) override;
    bool openDocument(const QString& path) override;
    void noteRecentDocument(const QString& path) override;
    LinkTarget linkTarget(const QString& name, QString& program) override;
    QString lastError() const override { return m_error; }

private:
    QString m_error;
};

/// Whether the desktop's default program for worksheets is this one.
bool WorksheetsOpenWithMavix();

} // namespace platform
