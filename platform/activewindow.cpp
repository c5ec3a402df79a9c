#include "platform/activewindow.h"

namespace platform
{

namespace
{
class SilentSource : public ActiveWindowSource
{
public:
    using ActiveWindowSource::ActiveWindowSource;
    bool coversAll() const override { return false; }
};
} // namespace

ActiveWindowSource *ActiveWindowSource::silent(QObject *parent)
{
    return new SilentSource(parent);
}

QString ActiveWindow::applicationName() const
{
    for (const QString *name : {&className, &appId, &instanceName, &exeName})
        if (!name->isEmpty())
            return *name;
    return QString();
}

} // namespace platform
