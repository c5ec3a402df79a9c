// Device polling: rebuild the device table, find the attached interfaces, prove the first
// attached device with the handshake, then connect or disconnect.
#include "app/widget.h"

#include "device/devicetable.h"
#include "device/enumeration.h"

namespace
{
// A check can fall due (poll timer) while another is inside its handshake, which processes
// events while it waits. Such a check is not nested: it runs once the running one has ended.
struct CheckState {
    bool running = false;
    bool deferred = false;
};
CheckState checkState;
} // namespace

void Widget::checkDevice()
{
    if (checkState.running) {
        checkState.deferred = true;
        return;
    }
    checkState.running = true;
    do {
        checkState.deferred = false;
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
    } while (checkState.deferred && !hid.listenRunning);
    checkState.running = false;
}
