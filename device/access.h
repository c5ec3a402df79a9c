#pragma once
// Telling why a device interface could not be opened, and how to grant this user access.
#include <QString>
#include <QStringList>

namespace deviceaccess
{

// The file name of the udev rule that lets the desktop user open the mouse's hidraw nodes.
inline constexpr char kUdevRuleName[] = "70-orbis-mouse.rules";

// True when a failed open of the node at path was refused for lack of permission: the open's
// error number says so, or the node exists and this user may not both read and write it.
bool permissionDenied(const QString &path, int openError);

// How to let the desktop user open the mouse's hidraw nodes, fitted to how the program was
// installed: when the rule is present in one of ruleDirs (udev's folders), re-plugging or a
// udevadm trigger applies it; otherwise the command that copies shippedRule (the rule that
// came with this program, empty when there is none) into /etc/udev/rules.d/ and reloads.
QString udevRuleAdvice(const QStringList &ruleDirs, const QString &shippedRule);

// The same for this machine: udev's own folders, and the rule shipped beside the program's
// factory data (share/orbis-mouse/ of the build or the installation).
QString udevRuleAdvice();

} // namespace deviceaccess
