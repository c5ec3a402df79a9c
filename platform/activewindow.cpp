#include "platform/activewindow.h"

namespace platform
{

QString ActiveWindow::applicationName() const
{
    for (const QString *name : {&className, &appId, &instanceName, &exeName})
        if (!name->isEmpty())
            return *name;
    return QString();
}

} // namespace platform
