// Linux pointer settings. GNOME keeps pointer speed and double-click time in GSettings
// (org.gnome.desktop.peripherals.mouse: "speed" -1..1, "double-click" in ms); KDE keeps the
// wheel lines as WheelScrollLines in group [KDE] of kdeglobals. A setting whose desktop store is
// not there is unavailable; the caller decides what to say about it.
#include "platform/linux/giosettings.h"
#include "platform/linux/inilines.h"
#include "platform/pointersettings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform
{
namespace
{

// Windows speeds 1..20 mapped linearly onto GNOME's -1..1.
double gnomeSpeed(unsigned windowsSpeed)
{
    const double speed = (static_cast<double>(windowsSpeed) - 1.0) / 19.0 * 2.0 - 1.0;
    return speed < -1.0 ? -1.0 : speed > 1.0 ? 1.0 : speed;
}

QString kdeGlobalsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kdeglobals");
}

// KDE is there when its global settings file exists or the session says it is KDE.
bool isKdeDesktop()
{
    return QFileInfo::exists(kdeGlobalsPath()) ||
           qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"));
}

// KDE applications read kdeglobals once; they take a new WheelScrollLines when told over the
// session bus that the mouse settings changed (change type "settings", category "mouse").
// Without a session bus nothing is sent and the value applies when they next start.
void notifyKdeMouseSettingsChanged()
{
    constexpr int kSettingsChanged = 3;
    constexpr int kMouseSettings = 0;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage message =
        QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                   QStringLiteral("org.kde.KGlobalSettings"), QStringLiteral("notifyChange"));
    message << kSettingsChanged << kMouseSettings;
    bus.send(message);
}

class LinuxPointerSettings : public PointerSettings
{
public:
    LinuxPointerSettings() : gnomeMouse_(QStringLiteral("org.gnome.desktop.peripherals.mouse")) {}

    Result setPointerSpeed(unsigned windowsSpeed) override
    {
        if (!gnomeMouse_.isValid())
            return Result::Unavailable;
        return gnomeMouse_.setDouble(QStringLiteral("speed"), gnomeSpeed(windowsSpeed))
                   ? Result::Applied
                   : Result::Failed;
    }

    Result setDoubleClickTime(unsigned milliseconds) override
    {
        if (!gnomeMouse_.isValid())
            return Result::Unavailable;
        if (milliseconds > 0x7fffffffu)
            return Result::Failed;
        return gnomeMouse_.setInt(QStringLiteral("double-click"), static_cast<int>(milliseconds))
                   ? Result::Applied
                   : Result::Failed;
    }

    Result setWheelScrollLines(unsigned lines) override
    {
        if (!isKdeDesktop())
            return Result::Unavailable;
        const QString path = kdeGlobalsPath();
        QByteArray content;
        QFile current(path);
        if (current.exists()) {
            if (!current.open(QIODevice::ReadOnly))
                return Result::Failed;
            content = current.readAll();
        }
        QDir().mkpath(QFileInfo(path).path());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return Result::Failed;
        file.write(withIniValue(content, "KDE", "WheelScrollLines", QByteArray::number(lines)));
        if (!file.commit())
            return Result::Failed;
        notifyKdeMouseSettingsChanged();
        return Result::Applied;
    }

private:
    GioSettings gnomeMouse_;
};

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::create()
{
    return std::make_unique<LinuxPointerSettings>();
}

} // namespace platform
