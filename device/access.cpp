#include "device/access.h"

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

QString udevRuleAdvice()
{
    return QStringLiteral(
        "hidraw nodes belong to root. Install the udev rule shipped in "
        "packaging/70-orbis-mouse.rules (edit its ids to match the device table) and reload: "
        "sudo cp packaging/70-orbis-mouse.rules /etc/udev/rules.d/ && "
        "sudo udevadm control --reload-rules && sudo udevadm trigger. "
        "Re-plug the mouse afterwards.");
}

} // namespace deviceaccess
