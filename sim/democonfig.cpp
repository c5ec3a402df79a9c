#include "base/settingsfile.h"
#include "device/devicetable.h"
#include "sim/simdevice.h"

#include <QSettings>

namespace sim
{

MouseConfig mouseConfigFromSettings(const QString &settingsPath)
{
    MouseConfig config;
    const DeviceList table = readDeviceTable(settingsPath);
    for (const DeviceEntry &entry : table) {
        if (entry.type != 1)
            continue;
        config.vid = entry.vid;
        config.pid = entry.pid;
        config.usagePage = entry.usagePage;
        config.usage = entry.usage;
        config.usagePage2 = entry.usagePage2;
        config.usage2 = entry.usage2;
        config.reportLength = entry.reportLength;
        config.isEncode = entry.isEncode;
        config.secrecyCode = entry.sCode.toLatin1();
        break;
    }
    const QSettings settings(settingsfile::settingsName(settingsPath), QSettings::IniFormat);
    const QString icType = settings.value(QStringLiteral("mouse/icType")).toString();
    config.family = icType == QLatin1String("560") ? icType : QStringLiteral("553");
    config.isGun = settings.value(QStringLiteral("mouse/isGun")).toBool();
    config.isColorful = settings.value(QStringLiteral("mouse/isColorful")).toBool();
    return config;
}

} // namespace sim
