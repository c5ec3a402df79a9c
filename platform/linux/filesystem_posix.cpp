#include "platform/filesystem.h"

#include <QFile>
#include <cerrno>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform
{

qint64 freeBytes(const QString &dir)
{
    struct statvfs fs;
    if (::statvfs(QFile::encodeName(dir).constData(), &fs) != 0)
        return -1;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize);
}

int writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

int syncToDisk(int fd)
{
    return ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
}

bool hardLink(const QString &from, const QString &to)
{
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

int writableDirError(const QString &dir)
{
    return ::access(QFile::encodeName(dir).constData(), W_OK) != 0 ? errno : 0;
}

} // namespace platform
