// Device polling: rebuild the device table, find the attached interfaces, prove the first
// attached device with the handshake, then connect or disconnect.
#include "app/widget.h"

#include "bridge/ui_controler.h"
#include "device/devicetable.h"
#include "device/enumeration.h"

#include <QTimer>

namespace
{
// How often work that waits for a command to end looks at the lock again.
constexpr int kLockRetryMs = 50;
} // namespace

void Widget::whenDeviceFree(std::function<void()> action)
{
    if (hid.hidIdle) {
        action();
        return;
    }
    QTimer::singleShot(kLockRetryMs, this,
                       [this, action = std::move(action)]() mutable { whenDeviceFree(action); });
}

void Widget::whenDeviceFreeLater(std::function<void()> action)
{
    QMetaObject::invokeMethod(
        this, [this, action = std::move(action)]() mutable { whenDeviceFree(std::move(action)); },
        Qt::QueuedConnection);
}

void Widget::checkDevice()
{
    if (checkRunning_) {
        checkDeferred_ = true;
        return;
    }
    // A command holds the device and processes events while it waits; a check run now would
    // wait for the lock inside it, give up and take a working mouse for gone. It runs once the
    // lock is free.
    if (!hid.hidIdle) {
        if (!checkAwaitsLock_) {
            checkAwaitsLock_ = true;
            whenDeviceFree([this] {
                checkAwaitsLock_ = false;
                checkDevice();
            });
        }
        return;
    }
    checkRunning_ = true;
    // A connect starts the scene: it must exist before the first check's outcome.
    controller->loadScene();
    do {
        checkDeferred_ = false;
        DeviceList list = readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin"));
        findInterfaces(list);
        hid.setDeviceTable(list);
        bool connected = false;
        for (int j = 0; j < list.size() && !connected; ++j) {
            if (!list[j].devPath.isEmpty() && hid.chkDeviceIsEnCode(j))
                connected = true;
        }
        if (connected)
            connectSequence();
        else
            disconnectSequence();
        // A deferred check is dropped once a listener runs, like any device change then.
    } while (checkDeferred_ && !hid.listenRunning);
    checkRunning_ = false;
    checkedOnce_ = true;
}
