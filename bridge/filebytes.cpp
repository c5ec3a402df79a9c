#include "bridge/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileReadResult readFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    // Only regular files: a device or a pipe may never end, or never answer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileReadResult::Unreadable;
    if (maxBytes >= 0 && file.size() > maxBytes)
        return FileReadResult::TooLarge;
    // At most one byte past the limit, so a file that grows while it is read stays bounded.
    QByteArray content = maxBytes >= 0 ? file.read(maxBytes + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileReadResult::Unreadable;
    if (maxBytes >= 0 && content.size() > maxBytes)
        return FileReadResult::TooLarge;
    *bytes = content;
    return FileReadResult::Ok;
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
