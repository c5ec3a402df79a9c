#pragma once
// Source of "a device was attached or removed" notifications. Every notification goes to the
// same handler; the host widget decides whether to re-arm its poll timer.
#include <QObject>

namespace platform
{

class DeviceChangeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // The backend of this OS (Linux: a udev monitor on the hidraw subsystem).
    static DeviceChangeSource *create(QObject *parent);

signals:
    void deviceChanged();
};

} // namespace platform
