#include "device/enumeration.h"

#include <hidapi.h>

QList<HidInterfaceRecord> enumerateInterfaces(quint16 vid, quint16 pid)
{
    QList<HidInterfaceRecord> records;
    hid_device_info *first = hid_enumerate(vid, pid);
    for (const hid_device_info *info = first; info; info = info->next)
        records.append({QString::fromLatin1(info->path), info->usage_page, info->usage});
    hid_free_enumeration(first);
    return records;
}

void matchInterfaces(DeviceEntry &entry, const QList<HidInterfaceRecord> &records)
{
    for (const HidInterfaceRecord &record : records) {
        if (record.usagePage == entry.usagePage && record.usage == entry.usage)
            entry.devPath = record.path;
        if (record.usagePage == entry.usagePage2 && record.usage == entry.usage2)
            entry.devPath2 = record.path;
    }
}

void findInterfaces(DeviceList &list)
{
    for (DeviceEntry &entry : list)
        matchInterfaces(entry, enumerateInterfaces(entry.vid, entry.pid));
}
