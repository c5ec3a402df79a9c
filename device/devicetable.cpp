#include "device/devicetable.h"

#include "base/logging.h"
#include "base/settingsfile.h"

#include <QSettings>
#include <algorithm>

namespace
{

// Data bytes per block report, at most.
constexpr int kMaxReportLength = 1024;

// Reads `key` as hexadecimal without prefix. Absent or empty: `fallback`. Returns false when the
// text is not hexadecimal or the value lies outside [minValue, maxValue].
bool readHex(const QSettings &settings, const QString &key, qint64 fallback, qint64 minValue,
             qint64 maxValue, qint64 &out)
{
    const QString text = settings.value(key).toString().trimmed();
    if (text.isEmpty()) {
        out = fallback;
        return true;
    }
    bool ok = false;
    qint64 value = text.startsWith(QLatin1Char('-')) ? -text.mid(1).toLongLong(&ok, 16)
                                                     : text.toLongLong(&ok, 16);
    if (!ok || value < minValue || value > maxValue) {
        ORBIS_LOG(lcDevice, QStringLiteral("Device table: %1 is not a valid hexadecimal value "
                                           "(\"%2\"), entry skipped")
                                .arg(key, text));
        return false;
    }
    out = value;
    return true;
}

bool readEntry(const QSettings &settings, const QString &group, DeviceEntry &entry)
{
    const QString prefix = group + QLatin1Char('/');
    struct HexField {
        const char *key;
        qint64 fallback, minValue, maxValue;
        qint64 value;
    };
    HexField fields[] = {
        {"type", -1, INT32_MIN, INT32_MAX, 0},
        {"vid", 0, 0, 0xffff, 0},
        {"pid", 0, 0, 0xffff, 0},
        {"usagePage", 0, 0, 0xffff, 0},
        {"usage", 0, 0, 0xffff, 0},
        {"usagePage2", 0, 0, 0xffff, 0},
        {"usage2", 0, 0, 0xffff, 0},
    };
    for (HexField &f : fields) {
        if (!readHex(settings, prefix + QLatin1String(f.key), f.fallback, f.minValue, f.maxValue,
                     f.value))
            return false;
    }
    entry.type = static_cast<qint32>(fields[0].value);
    entry.vid = static_cast<quint16>(fields[1].value);
    entry.pid = static_cast<quint16>(fields[2].value);
    entry.usagePage = static_cast<quint16>(fields[3].value);
    entry.usage = static_cast<quint16>(fields[4].value);
    entry.usagePage2 = static_cast<quint16>(fields[5].value);
    entry.usage2 = static_cast<quint16>(fields[6].value);

    bool ok = true;
    const QVariant length = settings.value(prefix + QLatin1String("reportLength"), 32);
    entry.reportLength = length.toInt(&ok);
    // Every block transfer allocates a report of this length: a wrong value must not cost
    // gigabytes.
    if (!ok || entry.reportLength <= 0 || entry.reportLength > kMaxReportLength) {
        ORBIS_LOG(lcDevice, QStringLiteral("Device table: %1reportLength \"%2\" is not a "
                                           "number from 1 to %3, entry skipped")
                                .arg(prefix, length.toString())
                                .arg(kMaxReportLength));
        return false;
    }
    entry.isEncode = settings.value(prefix + QLatin1String("isEncode"), false).toBool();
    entry.sCode =
        settings.value(prefix + QLatin1String("sCode"), QStringLiteral("527361")).toString();
    entry.devPath.clear();
    entry.devPath2.clear();
    return true;
}

} // namespace

DeviceList readDeviceTable(const QString &settingsPath)
{
    QSettings settings(settingsfile::settingsName(settingsPath), QSettings::IniFormat);
    const qint64 count = settings.value(QStringLiteral("common/deviceCount"), 0).toLongLong();

    // Only groups that exist can hold an entry: walk them, not the count, so a huge or wrong
    // count costs nothing.
    QList<int> indices;
    const QStringList groups = settings.childGroups();
    for (const QString &group : groups) {
        bool ok = false;
        const int n = group.toInt(&ok, 10);
        if (ok && n >= 0 && n < count && group == QString::number(n))
            indices.append(n);
    }
    std::sort(indices.begin(), indices.end());
    if (count > 0 && indices.size() < count)
        ORBIS_LOG(lcDevice, QStringLiteral("Device table: deviceCount is %1 but only %2 entry "
                                           "groups are present; the missing ones are skipped")
                                .arg(count)
                                .arg(indices.size()));

    DeviceList list;
    for (int n : indices) {
        DeviceEntry entry;
        if (readEntry(settings, QString::number(n), entry))
            list.append(entry);
    }
    return list;
}
