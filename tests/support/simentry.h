#pragma once
// The device-table entry that addresses a simulated mouse directly by its paths, as a device
// check would have found it: for tests that drive a Hid_Thread without the host widget.
#include "device/deviceentry.h"
#include "sim/simdevice.h"

namespace testsupport
{

inline DeviceEntry entryFor(const sim::SimMouse &mouse)
{
    const sim::MouseConfig config = mouse.config();
    DeviceEntry entry;
    entry.type = 1;
    entry.vid = config.vid;
    entry.pid = config.pid;
    entry.reportLength = config.reportLength;
    entry.isEncode = config.isEncode;
    entry.sCode = QString::fromLatin1(config.secrecyCode);
    entry.devPath = mouse.commandPath();
    entry.devPath2 = mouse.eventPath();
    return entry;
}

} // namespace testsupport
