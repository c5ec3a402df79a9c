#pragma once
// Telling why a device interface could not be opened, and how to grant this user access.
#include <QString>

namespace deviceaccess
{

// True when a failed open of the node at path was refused for lack of permission: the open's
// error number says so, or the node exists and this user may not both read and write it.
bool permissionDenied(const QString &path, int openError);

// How to let the desktop user open the mouse's hidraw nodes: the shipped udev rule and the
// commands that install it.
QString udevRuleAdvice();

} // namespace deviceaccess
