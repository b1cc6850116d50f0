#pragma once

#include <QString>

namespace platform {

/// The hold on the current file and the trial opens of the access checks.
class FileHold {
public:
    virtual ~FileHold() = default;
    /// Trial open: reading (the file exists and could be written by us) or writing.
    virtual bool tryAccess(const QString& path, bool forWrite) = 0;
    /// Holds the file so that other instances find it in use; errors are ignored.
    virtual void hold(const QString& path) = 0;
    virtual void release() = 0;
    virtual bool isHolding() const = 0;
};

} // namespace platform
