#pragma once
// The few file-system calls the checked writes need beyond Qt: free room, a flush to the disk, a
// second name for a file, and whether a folder may be written. Linux: POSIX
// (platform/linux/filesystem_posix.cpp); Windows: the C runtime and the Win32 API.
#include <QString>

namespace platform
{
// Bytes this user may still write on the file system holding dir; -1 when unknown.
qint64 freeBytes(const QString &dir);
// Writes all bytes to the descriptor, retrying interrupted writes; 0, or the errno of the
// failure (ENOSPC when nothing more was taken).
int writeAll(int fd, const char *data, qint64 size);
// Flushes what was written to the descriptor to the disk; 0 or errno (a descriptor that cannot
// be flushed, such as a pipe, counts as flushed).
int syncToDisk(int fd);
// Gives the file at from the second name to (a hard link); false when the system cannot.
bool hardLink(const QString &from, const QString &to);
// 0 when this user may write in dir, else errno.
int writableDirError(const QString &dir);
} // namespace platform
