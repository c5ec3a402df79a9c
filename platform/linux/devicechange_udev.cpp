// Linux device-change source: a udev monitor on the hidraw subsystem, read from the GUI thread
// through a socket notifier. Any add/remove/change event on a hidraw node is one notification.
#include "base/logging.h"
#include "platform/devicechange.h"

#include <QSocketNotifier>
#include <libudev.h>

namespace platform
{
namespace
{

class UdevDeviceChangeSource : public DeviceChangeSource
{
public:
    explicit UdevDeviceChangeSource(QObject *parent) : DeviceChangeSource(parent)
    {
        udev_ = udev_new();
        if (!udev_) {
            ORBIS_LOG(lcPlatform, "udev unavailable: device changes are not watched");
            return;
        }
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (!monitor_ ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor_) < 0) {
            ORBIS_LOG(lcPlatform, "udev monitor failed: device changes are not watched");
            return;
        }
        const int fd = udev_monitor_get_fd(monitor_);
        notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { drain(); });
    }

    ~UdevDeviceChangeSource() override
    {
        delete notifier_;
        if (monitor_)
            udev_monitor_unref(monitor_);
        if (udev_)
            udev_unref(udev_);
    }

private:
    void drain()
    {
        // Each queued event is one notification, as a burst of messages would be elsewhere.
        while (udev_device *dev = udev_monitor_receive_device(monitor_)) {
            udev_device_unref(dev);
            emit deviceChanged();
        }
    }

    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace

DeviceChangeSource *DeviceChangeSource::create(QObject *parent)
{
    return new UdevDeviceChangeSource(parent);
}

} // namespace platform
