#pragma once

#include <QString>

namespace platform {

/// What hold() achieved.
enum class HoldResult {
    Held,    // other instances find the file in use
    NotHeld, // the file did not open, another program locks it, or nothing is to be held
    NoLocks, // the file system offers no locks: nothing keeps others from writing the file
};

/// The hold on the current file and the trial opens of the access checks.
class FileHold {
public:
    virtual ~FileHold() = default;
    /// Trial open: reading (the file exists and could be written by us) or writing.
    virtual bool tryAccess(const QString& path, bool forWrite) = 0;
    /// Holds the file so that other instances find it in use.
    virtual HoldResult hold(const QString& path) = 0;
    virtual void release() = 0;
    virtual bool isHolding() const = 0;
};

} // namespace platform
