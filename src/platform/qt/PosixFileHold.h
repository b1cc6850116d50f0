#pragma once

#include "platform/FileHold.h"

namespace platform {

/// The hold is an open-file-description read lock (fcntl F_OFD_SETLK) on the current file:
/// other instances, and programs that take POSIX write locks, find the file in use. Trial
/// opens never truncate or create anything.
class PosixFileHold : public FileHold {
public:
    PosixFileHold() = default;
    PosixFileHold(const PosixFileHold&) = delete;
    PosixFileHold& operator=(const PosixFileHold&) = delete;
    ~PosixFileHold() override;

    /// Reading: the file exists, has a write permission bit, opens for reading and writing
    /// and nobody holds a lock on it. Writing: the same for an existing file, and the folder
    /// must take a new file (saving replaces the file by a renamed temporary one).
    bool tryAccess(const QString& path, bool forWrite) override;
    void hold(const QString& path) override;
    void release() override;
    bool isHolding() const override { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
