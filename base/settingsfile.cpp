#include "base/settingsfile.h"

#include "base/logging.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QTemporaryDir>

namespace settingsfile
{

namespace
{

// For a path that exists: true when QSettings may open it, else false with a debug line.
bool usable(const QString &path, const QFileInfo &info)
{
    QString why;
    if (!info.isFile())
        why = QStringLiteral("is not a regular file");
    else if (info.size() > MaxBytes)
        why = QStringLiteral("is larger than %1 bytes").arg(MaxBytes);
    else
        return true;
    ORBIS_LOG(lcPlatform, QStringLiteral("Settings file %1 %2; read as missing").arg(path, why));
    return false;
}

} // namespace

bool readable(const QString &path)
{
    // exists() follows links, like the open that would follow.
    const QFileInfo info(path);
    return info.exists() && usable(path, info);
}

QString settingsName(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || usable(path, info))
        return path;
    // One scratch file per refused path, so two refused files never share their values, and the
    // same path opened twice shares them, as the real file would.
    static QTemporaryDir scratch;
    const QByteArray key = QCryptographicHash::hash(info.absoluteFilePath().toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    return scratch.filePath(QString::fromLatin1(key) + QStringLiteral(".ini"));
}

} // namespace settingsfile
