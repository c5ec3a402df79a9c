#pragma once
#include <QString>

// The directory the program works in: the executable's own directory when the data tree there
// can be written (a portable tree, such as the build directory), otherwise the per-user tree
// "orbis-mouse" (userDataTree).
QString resolveWorkingDirectory(const QString &executableDir);

// A per-user data directory <XDG data home>/<name> holding a modules/ tree, seeded once from
// the installed factory files (the shared data directory of an installation, or the tree
// beside the executable); returns the directory, or executableDir when there is no data home.
QString userDataTree(const QString &name, const QString &executableDir);

// The working directory of this program, defined per program beside its start-up hook: the
// real program resolves it as above; the demo always works in its own per-user tree, so
// playing with it never changes the real program's data or the build tree.
QString orbisWorkingDirectory(const QString &executableDir);
