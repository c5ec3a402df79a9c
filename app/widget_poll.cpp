// Device polling: rebuild the device table, find the attached interfaces, prove the first
// attached device with the handshake, then connect or disconnect.
#include "app/widget.h"

#include "base/datapaths.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "bridge/ui_controler.h"
#include "device/devicetable.h"
#include "device/enumeration.h"

#include <QTimer>

namespace
{
// How often work that waits for a command to end looks at the lock again.
constexpr int kLockRetryMs = 50;
} // namespace

bool Widget::deviceFree() const
{
    const myQQuickView *v = view();
    return v ? v->runner()->deviceFree() : hid.hidIdle;
}

void Widget::whenDeviceFree(std::function<void()> action)
{
    if (deviceFree()) {
        action();
        return;
    }
    QTimer::singleShot(kLockRetryMs, this,
                       [this, action = std::move(action)]() mutable { whenDeviceFree(action); });
}

void Widget::checkDevice()
{
    if (checkRunning_) {
        checkDeferred_ = true;
        return;
    }
    // A command or a sequence holds the device and processes events while it waits; a check run
    // now would wait for the lock inside it, give up and take a working mouse for gone. It runs
    // once the device is free.
    if (!deviceFree()) {
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
        DeviceList list = readDeviceTable(datapaths::globalSettings());
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
