#pragma once
// Finding the interfaces of the device-table entries among the attached HID interfaces.
#include "device/deviceentry.h"

struct HidInterfaceRecord {
    QString path;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

// The attached HID interfaces with this vendor and product id (0 matches any), in the order
// hidapi lists them.
QList<HidInterfaceRecord> enumerateInterfaces(quint16 vid, quint16 pid);

// Sets devPath from every record matching usagePage/usage and, independently, devPath2 from
// every record matching usagePage2/usage2: the last match wins, and one record may set both.
void matchInterfaces(DeviceEntry &entry, const QList<HidInterfaceRecord> &records);

// Enumerates and matches every entry of the table, in table order.
void findInterfaces(DeviceList &list);
