#include "platform/qt/PosixFileHold.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

flock wholeFile(short type)
{
    flock lock{};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end, however the file grows
    lock.l_pid = 0;
    return lock;
}

/// The lock request failed because the file system does not offer that kind of lock.
bool lockUnsupported(int error)
{
    return error == EINVAL || error == ENOLCK || error == EOPNOTSUPP;
}

/// Whether a lock that would block our writing is held on the file by anyone else. A file
/// system without locks has none to find.
bool lockedByOthers(const PosixFileHold::LockCall& lockCall, int fd)
{
    for (const int command : {F_OFD_GETLK, F_GETLK}) {
        flock probe = wholeFile(F_WRLCK);
        if (lockCall(fd, command, &probe) == 0)
            return probe.l_type != F_UNLCK;
        if (!lockUnsupported(errno))
            return true;
    }
    return false;
}

/// The existing regular file: a write permission bit (the read-only attribute is the
/// absence of all of them, also for a privileged user), an open for reading and writing
/// without truncation, and no other holder.
bool existingFileWritable(const PosixFileHold::LockCall& lockCall, const QByteArray& name)
{
    struct stat st{};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool free = !lockedByOthers(lockCall, fd);
    ::close(fd);
    return free;
}

bool folderTakesNewFiles(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct stat st{};
    if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return ::access(folder.constData(), W_OK | X_OK) == 0;
}

int systemLockCall(int fd, int command, flock* lock)
{
    return ::fcntl(fd, command, lock);
}

} // namespace

PosixFileHold::PosixFileHold(LockCall lockCall)
    : m_lockCall(lockCall ? std::move(lockCall) : LockCall(systemLockCall))
{
}

PosixFileHold::~PosixFileHold()
{
    release();
}

bool PosixFileHold::tryAccess(const QString& path, bool forWrite)
{
    release();
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    const bool exists = ::lstat(name.constData(), &st) == 0;
    if (!forWrite)
        return exists && existingFileWritable(m_lockCall, name);
    if (exists && !existingFileWritable(m_lockCall, name))
        return false;
    return folderTakesNewFiles(path);
}

HoldResult PosixFileHold::hold(const QString& path)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return HoldResult::NotHeld;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return HoldResult::NotHeld;
    }
    // A classic record lock belongs to the process and goes as soon as any descriptor of the
    // file is closed in it, so it only stands in where the file system has nothing better.
    for (const int command : {F_OFD_SETLK, F_SETLK}) {
        flock lock = wholeFile(F_RDLCK);
        if (m_lockCall(fd, command, &lock) == 0) {
            m_fd = fd;
            return HoldResult::Held;
        }
        if (!lockUnsupported(errno)) {
            ::close(fd);
            return HoldResult::NotHeld;
        }
    }
    ::close(fd);
    return HoldResult::NoLocks;
}

void PosixFileHold::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace platform
