#include "device/enumeration.h"

#include "base/logging.h"

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
    QList<QList<HidInterfaceRecord>> records;
    for (DeviceEntry &entry : list) {
        records.append(enumerateInterfaces(entry.vid, entry.pid));
        matchInterfaces(entry, records.last());
    }
    ORBIS_LOG(lcDevice, describeSearch(list, records));
}

QString describeSearch(const DeviceList &list, const QList<QList<HidInterfaceRecord>> &records)
{
    const auto hex4 = [](quint16 v) { return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')); };
    QStringList searched;
    QStringList found;
    QStringList paths; // an interface listed by two entries is told once
    for (int i = 0; i < list.size(); ++i) {
        const DeviceEntry &entry = list[i];
        const QString ids = hex4(entry.vid) + QLatin1Char(':') + hex4(entry.pid);
        if (!searched.contains(ids))
            searched << ids;
        for (const HidInterfaceRecord &record : records.value(i)) {
            if (paths.contains(record.path))
                continue;
            paths << record.path;
            QString role;
            if (record.path == entry.devPath)
                role += QStringLiteral(", command");
            if (record.path == entry.devPath2)
                role += QStringLiteral(", event");
            found << QStringLiteral("%1 (%2 %3:%4%5)")
                         .arg(record.path, ids, hex4(record.usagePage), hex4(record.usage), role);
        }
    }
    return QStringLiteral("Device check: searched %1; found %2")
        .arg(searched.isEmpty() ? QStringLiteral("no ids (the device table is empty)")
                                : searched.join(QStringLiteral(", ")),
             found.isEmpty() ? QStringLiteral("no interface of these ids")
                             : found.join(QStringLiteral(", ")));
}
