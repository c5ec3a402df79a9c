// The demo program: the same application linked with the simulated devices. It works in a data
// tree of its own, seeded from the factory files, so playing with it changes neither the real
// program's data nor the build tree. At start it attaches a simulated mouse matching those
// settings, so the program connects without hardware, and its tray menu gains actions that act
// on that mouse.
#include "app/datadir.h"
#include "app/widget.h"
#include "base/datapaths.h"
#include "sim/simdevice.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

void orbisStartupHook(Widget &widget)
{
    sim::SimMouse *mouse = sim::attachMouse(
        sim::mouseConfigFromSettings(datapaths::globalSettings()));
    // Registered after the attach: the first device check follows this hook anyway, and a
    // notification now would only schedule a second one.
    QPointer<Widget> target(&widget);
    sim::setDeviceChangeCallback([target] {
        // Queued, so the notification reaches the widget on its own thread.
        if (target)
            QMetaObject::invokeMethod(
                target, [target] { target->deviceChangeNotified(); }, Qt::QueuedConnection);
    });

    QMenu *menu = widget.trayMenu();
    QAction *first = menu->actions().value(0);
    const auto add = [&](const QString &text, void (sim::SimMouse::*act)()) {
        auto *action = new QAction(text, menu);
        QObject::connect(action, &QAction::triggered, menu, [mouse, act] { (mouse->*act)(); });
        menu->insertAction(first, action);
    };
    add(QStringLiteral("Press DPI button"), &sim::SimMouse::pressDpiButton);
    add(QStringLiteral("Unplug mouse"), &sim::SimMouse::unplug);
    add(QStringLiteral("Plug mouse back in"), &sim::SimMouse::plug);
    if (first)
        menu->insertSeparator(first);
}

QString orbisWorkingDirectory(const QString &executableDir)
{
    return userDataTree(QStringLiteral("orbis-mouse-demo"), executableDir);
}
