// The real program talks to the attached devices as they are: nothing to prepare. It works
// beside the executable, or in the user's copy of the data when that cannot be written.
#include "app/datadir.h"
#include "app/widget.h"

void orbisStartupHook(Widget &) {}

QString orbisWorkingDirectory(const QString &executableDir)
{
    return resolveWorkingDirectory(executableDir);
}
