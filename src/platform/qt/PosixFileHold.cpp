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

/// Whether a lock that would block our writing is held on the file by anyone else.
bool lockedByOthers(int fd)
{
    flock probe = wholeFile(F_WRLCK);
    if (::fcntl(fd, F_OFD_GETLK, &probe) != 0)
        return true;
    return probe.l_type != F_UNLCK;
}

/// The existing regular file: a write permission bit (the read-only attribute is the
/// absence of all of them, also for a privileged user), an open for reading and writing
/// without truncation, and no other holder.
bool existingFileWritable(const QByteArray& name)
{
    struct stat st{};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool free = !lockedByOthers(fd);
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

} // namespace

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
        return exists && existingFileWritable(name);
    if (exists && !existingFileWritable(name))
        return false;
    return folderTakesNewFiles(path);
}

void PosixFileHold::hold(const QString& path)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st{};
    flock lock = wholeFile(F_RDLCK);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

void PosixFileHold::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace platform
