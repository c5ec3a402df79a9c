#include "app/privatefolder.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QString ensurePrivateFolder(const QString &path)
{
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions othersAccess = QFile::ReadGroup | QFile::WriteGroup |
                                            QFile::ExeGroup | QFile::ReadOther |
                                            QFile::WriteOther | QFile::ExeOther;
    QDir().mkdir(path, ownerOnly); // an existing folder is checked below like a new one
    const QFileInfo folder(path);
    if (folder.isSymLink() || !folder.isDir())
        return QString();
#ifdef Q_OS_UNIX
    if (folder.ownerId() != ::geteuid())
        return QString();
#endif
    if ((folder.permissions() & othersAccess) && !QFile::setPermissions(path, ownerOnly))
        return QString();
    return path;
}
