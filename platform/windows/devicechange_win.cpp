// Windows device-change source: every WM_DEVICECHANGE that reaches one of the application's
// windows is one notification. Built only on Windows.
#include "platform/devicechange.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>

namespace platform
{
namespace
{

class WindowsDeviceChangeSource : public DeviceChangeSource, public QAbstractNativeEventFilter
{
public:
    explicit WindowsDeviceChangeSource(QObject *parent) : DeviceChangeSource(parent)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowsDeviceChangeSource() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType == "windows_generic_MSG" &&
            static_cast<MSG *>(message)->message == WM_DEVICECHANGE)
            emit deviceChanged();
        return false; // never consumed: Qt's own handling sees the message too
    }
};

} // namespace

DeviceChangeSource *DeviceChangeSource::create(QObject *parent)
{
    return new WindowsDeviceChangeSource(parent);
}

} // namespace platform
