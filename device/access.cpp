#include "device/access.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace deviceaccess
{

bool permissionDenied(const QString &path, int openError)
{
    if (openError == EACCES || openError == EPERM)
        return true;
    // hidapi may not pass the open's error on; the node itself tells.
    const QFileInfo node(path);
    return node.exists() && !(node.isReadable() && node.isWritable());
}

QString udevRuleAdvice(const QStringList &ruleDirs, const QString &shippedRule)
{
    const QString name = QLatin1String(kUdevRuleName);
    for (const QString &dir : ruleDirs) {
        const QString installed = QDir(dir).filePath(name);
        if (QFileInfo::exists(installed))
            return QCoreApplication::translate(
                       "deviceaccess",
                       "The udev rule %1 gives the desktop user access to the mouse when it is "
                       "plugged in. Re-plug the mouse, or apply the rule now: sudo udevadm "
                       "trigger. If your mouse has other ids than the device table, copy the "
                       "rule to /etc/udev/rules.d/, change its ids there and run: sudo udevadm "
                       "control --reload-rules && sudo udevadm trigger.")
                .arg(installed);
    }
    if (shippedRule.isEmpty() || !QFileInfo::exists(shippedRule))
        return QCoreApplication::translate(
                   "deviceaccess",
                   "hidraw nodes belong to root, and the udev rule %1 that gives the desktop "
                   "user access is not installed: reinstall the package, then re-plug the mouse.")
            .arg(name);
    return QCoreApplication::translate(
               "deviceaccess",
               "hidraw nodes belong to root. Install the udev rule %1 (edit its ids to match the "
               "device table) and reload: sudo cp %1 /etc/udev/rules.d/ && sudo udevadm control "
               "--reload-rules && sudo udevadm trigger. Re-plug the mouse afterwards.")
        .arg(QFileInfo(shippedRule).absoluteFilePath());
}

QString udevRuleAdvice()
{
    // The administrator's folder first, then where this build installs the rule, then the
    // folders udev reads on merged-/usr and older systems.
    QStringList dirs = {QStringLiteral("/etc/udev/rules.d")};
#ifdef ORBIS_UDEV_RULES_INSTALL_DIR
    dirs << QStringLiteral(ORBIS_UDEV_RULES_INSTALL_DIR);
#endif
    dirs << QStringLiteral("/usr/lib/udev/rules.d") << QStringLiteral("/lib/udev/rules.d");
    dirs.removeDuplicates();
    const QString shipped = QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../share/orbis-mouse/") + QLatin1String(kUdevRuleName);
    return udevRuleAdvice(dirs, QFileInfo::exists(shipped) ? QDir::cleanPath(shipped) : QString());
}

} // namespace deviceaccess
