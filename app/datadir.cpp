// TODO(settings): per-user data directory for installed programs.
#include "app/datadir.h"

QString resolveWorkingDirectory(const QString &executableDir) { return executableDir; }
