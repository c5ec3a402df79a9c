#include "platform/filesystem.h"

#include <QStorageInfo>
#include <cerrno>
#include <io.h>
#include <windows.h>

namespace platform
{

qint64 freeBytes(const QString &dir)
{
    const QStorageInfo storage(dir);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

int writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const unsigned chunk = unsigned(qMin<qint64>(size, 1 << 30));
        const int n = ::_write(fd, data, chunk);
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
    return ::_commit(fd) != 0 && errno != EINVAL ? errno : 0;
}

bool hardLink(const QString &from, const QString &to)
{
    return CreateHardLinkW(reinterpret_cast<const wchar_t *>(to.utf16()),
                           reinterpret_cast<const wchar_t *>(from.utf16()), nullptr) != 0;
}

int writableDirError(const QString &dir)
{
    return ::_waccess(reinterpret_cast<const wchar_t *>(dir.utf16()), 2) != 0 ? errno : 0;
}

} // namespace platform
