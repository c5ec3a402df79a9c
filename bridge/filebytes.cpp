#include "bridge/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileReadResult readFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return FileReadResult::Unreadable;
    if (maxBytes >= 0 && file.size() > maxBytes)
        return FileReadResult::TooLarge;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileReadResult::Unreadable;
    // A file that grows while it is read is still held to the limit.
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
