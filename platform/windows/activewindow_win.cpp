// Windows: no source of the window in front yet; the profile page says that automatic switching
// does not cover this desktop.
#include "platform/activewindow.h"

namespace platform
{

namespace
{
class NoActiveWindowSource : public ActiveWindowSource
{
public:
    using ActiveWindowSource::ActiveWindowSource;
    bool coversAll() const override { return false; }
};
} // namespace

void completeFromProcess(ActiveWindow &) {}

bool ActiveWindowSource::sessionCoversAll()
{
    return false;
}

ActiveWindowSource *ActiveWindowSource::create(QObject *parent)
{
    return new NoActiveWindowSource(parent);
}

} // namespace platform
