// Which source reports the window in front in this session: KWin's script on a Wayland session
// where KWin is on the bus (it sees native Wayland and XWayland windows alike), otherwise the X
// display when there is one (on a Wayland session that is XWayland: X11 applications only).
#include "platform/linux/activewindow_kwin.h"
#include "platform/linux/activewindow_x11.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QFileInfo>

namespace platform
{

namespace
{
bool waylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}
} // namespace

void completeFromProcess(ActiveWindow &window)
{
    if (window.pid <= 0)
        return;
    window.own = window.pid == QCoreApplication::applicationPid();
    const QFileInfo exe(QStringLiteral("/proc/%1/exe").arg(window.pid));
    const QString target = exe.symLinkTarget();
    if (!target.isEmpty())
        window.exeName = QFileInfo(target).fileName();
}

static bool kwinOnBus()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin"));
}

bool ActiveWindowSource::sessionCoversAll()
{
    return !waylandSession() || kwinOnBus();
}

ActiveWindowSource *ActiveWindowSource::create(QObject *parent)
{
    qRegisterMetaType<ActiveWindow>();
    const bool wayland = waylandSession();
    if (wayland) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (kwinOnBus()) {
            auto *kwin = new KWinActiveWindowSource(bus, parent);
            if (kwin->loaded())
                return kwin;
            delete kwin;
        }
    }
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        auto *x11 = new X11ActiveWindowSource(!wayland, parent);
        if (x11->valid())
            return x11;
        delete x11;
    }
    return silent(parent);
}

} // namespace platform
