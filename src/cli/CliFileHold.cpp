#include "cli/CliFileHold.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace cli {

bool CliFileHold::tryAccess(const QString& path, bool forWrite)
{
    // A batch run never writes its input, so opening it needs no more than the read itself.
    if (!forWrite)
        return true;
    const QFileInfo info(path);
    if (info.exists()) {
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    return ::access(folder.constData(), W_OK | X_OK) == 0;
}

} // namespace cli
