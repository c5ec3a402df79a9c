#include "app/datadir.h"

#include "base/logging.h"
#include "bridge/language.h"

#include <QCoreApplication>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace
{

const QString ModulesDir = QStringLiteral("/modules");

// True when a file can really be created in dir (permissions, read-only mounts).
bool canWriteIn(const QString &dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(dir + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

// The installed factory tree: in the shared data directory of an installation
// (<prefix>/bin/orbis-mouse, <prefix>/share/orbis-mouse/modules; the build directory has the
// same layout, and no program writes there), or else the portable tree beside the executable.
QString factoryTree(const QString &executableDir)
{
    const QStringList candidates = {
        executableDir + QStringLiteral("/../share/orbis-mouse") + ModulesDir,
        executableDir + ModulesDir,
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate + QStringLiteral("/setting")).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

// The files of the tree that the program never writes, relative to modules/: a new installed
// version replaces them in the user's tree (language files, factory settings and profile).
bool installedOnly(const QString &relative)
{
    return relative.startsWith(QLatin1String("/i18n/")) ||
           relative == QLatin1String("/setting/apConfigD.bin") ||
           relative == QLatin1String("/setting/pD.bin");
}

// Copies source over target, leaving the copy writable for its user.
void copyFile(const QString &source, const QString &target)
{
    QFile::remove(target);
    QFile::copy(source, target);
    // Installed files are read-only; the user's copies must be writable.
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
}

// Brings the installed-only files of the user's tree up to the installed version, once per
// version: the file .factory-version in the user's tree names the version they came from.
void refreshInstalledFiles(const QString &from, const QString &to)
{
    const QString stampPath = to + QStringLiteral("/.factory-version");
    const QByteArray version = QCoreApplication::applicationVersion().toUtf8();
    QFile stamp(stampPath);
    if (stamp.open(QIODevice::ReadOnly) && stamp.readAll().trimmed() == version)
        return;
    stamp.close();
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = source.mid(from.size());
        if (installedOnly(relative)) {
            QDir().mkpath(QFileInfo(to + relative).absolutePath());
            copyFile(source, to + relative);
        }
    }
    if (stamp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        stamp.write(version + '\n');
    ORBIS_LOG(lcApp, QStringLiteral("Installed files of %1 refreshed in %2")
                         .arg(QString::fromUtf8(version), to));
}

// Copies every file of from into to, keeping the folder layout; existing files are kept.
void seedTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFileInfo::exists(target)) {
            copyFile(source, target);
        }
    }
}

} // namespace

QString resolveWorkingDirectory(const QString &executableDir)
{
    if (canWriteIn(executableDir + ModulesDir + QStringLiteral("/setting")))
        return executableDir;
    return userDataTree(QStringLiteral("orbis-mouse"), executableDir);
}

QString userDataTree(const QString &name, const QString &executableDir)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return executableDir;
    const QString userDir = dataHome + QLatin1Char('/') + name;
    const QString userTree = userDir + ModulesDir;
    // Seeded once, when the user's tree has no global file yet: afterwards the tree is theirs,
    // and neither an update of the installed files nor a later start overwrites what they
    // change. Only the files the program never writes follow a new installed version.
    const QString factory = factoryTree(executableDir);
    if (factory.isEmpty()) {
        ORBIS_LOG(lcApp, QStringLiteral("No factory data found beside %1").arg(executableDir));
    } else if (!QFileInfo::exists(userTree + QStringLiteral("/setting/apConfig.bin"))) {
        seedTree(factory, userTree);
        // A first start speaks the desktop's language.
        QSettings(userTree + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("common/language"), language::fromEnvironment());
        ORBIS_LOG(lcApp, QStringLiteral("User data seeded in %1 from %2").arg(userTree, factory));
    }
    if (!factory.isEmpty())
        refreshInstalledFiles(factory, userTree);
    QDir().mkpath(userTree + QStringLiteral("/setting"));
    QDir().mkpath(userTree + QStringLiteral("/macro"));
    return userDir;
}
