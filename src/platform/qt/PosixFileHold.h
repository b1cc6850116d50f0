#pragma once

#include "platform/FileHold.h"

#include <functional>

struct flock;

namespace platform {

/// The hold is an open-file-description read lock (fcntl F_OFD_SETLK) on the current file:
/// other instances, and programs that take POSIX write locks, find the file in use. Where
/// the file system has no such locks (some network and shared-folder mounts), a classic
/// record lock (F_SETLK) takes its place, and where it has none at all the file is not held.
/// Trial opens never truncate or create anything.
class PosixFileHold : public FileHold {
public:
    /// The fcntl(2) lock requests F_OFD_GETLK, F_OFD_SETLK, F_GETLK and F_SETLK; tests put
    /// in file systems that refuse some of them.
    using LockCall = std::function<int(int fd, int command, flock* lock)>;

    explicit PosixFileHold(LockCall lockCall = {});
    PosixFileHold(const PosixFileHold&) = delete;
    PosixFileHold& operator=(const PosixFileHold&) = delete;
    ~PosixFileHold() override;

    /// Reading: the file exists, has a write permission bit, opens for reading and writing
    /// and nobody holds a lock on it. Writing: the same for an existing file, and the folder
    /// must take a new file (saving replaces the file by a renamed temporary one).
    bool tryAccess(const QString& path, bool forWrite) override;
    HoldResult hold(const QString& path) override;
    void release() override;
    bool isHolding() const override { return m_fd >= 0; }

private:
    LockCall m_lockCall;
    int m_fd = -1;
};

} // namespace platform
