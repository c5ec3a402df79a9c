#include "platform/settingsfile.h"

#include "app/logging.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QTemporaryDir>

namespace settingsfile
{

namespace
{

// Checks path without opening it; "" when usable, else why not.
QString refusal(const QFileInfo &info)
{
    if (!info.isFile())
        return QStringLiteral("is not a regular file");
    if (info.size() > MaxBytes)
        return QStringLiteral("is larger than %1 bytes").arg(MaxBytes);
    return QString();
}

void logRefusal(const QString &path, const QString &why)
{
    ORBIS_LOG(lcPlatform, QStringLiteral("Settings file %1 %2; read as missing").arg(path, why));
}

} // namespace

bool readable(const QString &path)
{
    // exists() follows links, like the open that would follow.
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QString why = refusal(info);
    if (why.isEmpty())
        return true;
    logRefusal(path, why);
    return false;
}

QString settingsName(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return path;
    const QString why = refusal(info);
    if (why.isEmpty())
        return path;
    logRefusal(path, why);
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
