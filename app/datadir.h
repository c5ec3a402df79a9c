#pragma once
#include <QString>

// The directory the program works in: the executable's own directory when the data tree there
// can be written (a portable tree, such as the build directory), otherwise a per-user data
// directory holding the same modules/ tree, seeded once from the installed factory files.
QString resolveWorkingDirectory(const QString &executableDir);
