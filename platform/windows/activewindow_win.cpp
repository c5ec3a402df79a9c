// Windows: no source of the window in front yet; the profile page says that automatic switching
// does not cover this desktop.
#include "platform/activewindow.h"

namespace platform
{

void completeFromProcess(ActiveWindow &) {}

bool ActiveWindowSource::sessionCoversAll()
{
    return false;
}

ActiveWindowSource *ActiveWindowSource::create(QObject *parent)
{
    return silent(parent);
}

} // namespace platform
