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

// Enumerates and matches every entry of the table, in table order, and writes one debug line
// saying what was searched and found (describeSearch).
void findInterfaces(DeviceList &list);

// The check's account of the search, given each entry after matching and the interfaces its
// enumeration listed: the vendor:product ids searched and every interface found, with the role
// it was matched to, e.g.
//   Device check: searched 1209:0002, 1209:0001; found /dev/hidraw3 (1209:0001 ff00:ff00,
//   command), /dev/hidraw4 (1209:0001 ff01:ff01, event)
QString describeSearch(const DeviceList &list, const QList<QList<HidInterfaceRecord>> &records);
