#include "sim/simbus.h"

#include "base/sleep.h"

namespace sim::detail
{

void Bus::notifyChange()
{
    std::function<void()> callback;
    {
        std::lock_guard<std::mutex> lock(mutex);
        callback = onChange;
    }
    if (callback)
        callback();
}

Device::Device(const MouseConfig &config, bool isKeyboard, int firstNodeNumber)
    : firmware(config), keyboard(isKeyboard), config_(config)
{
    Node command;
    command.path = QStringLiteral("/sim/hidraw%1").arg(firstNodeNumber);
    command.usagePage = config.usagePage;
    command.usage = config.usage;
    command.interfaceNumber = 0;
    command.isCommand = true;
    nodes_.push_back(command);
    if (config.hasEventInterface) {
        Node event;
        event.path = QStringLiteral("/sim/hidraw%1").arg(firstNodeNumber + 1);
        event.usagePage = config.usagePage2;
        event.usage = config.usage2;
        event.interfaceNumber = 1;
        event.isCommand = false;
        nodes_.push_back(event);
    }
}

Node *Device::nodeAt(const QString &path)
{
    for (Node &node : nodes_) {
        if (node.path == path)
            return &node;
    }
    return nullptr;
}

void Device::record(const Node &node, TransferKind kind, const QByteArray &bytes)
{
    Transfer transfer;
    transfer.timeMs = base::nowMs();
    transfer.path = node.path;
    transfer.kind = kind;
    transfer.bytes = bytes;
    log_.append(transfer);
}

void Device::deliver(Node &node, const QByteArray &report)
{
    // hidraw queues input only for open files, and a freshly opened node loses what arrives in
    // its first moments.
    if (!plugged || node.handles.isEmpty())
        return;
    const qint64 sinceOpen = base::nowMs() - node.lastOpenMs;
    if (node.everOpened && sinceOpen >= 0 && sinceOpen < kOpenQuietMs)
        return;
    for (hid_device_ *handle : node.handles) {
        if (handle->queue.size() < kHandleQueueLimit)
            handle->queue.push_back(report);
    }
    Bus::instance().wake.notify_all();
}

void Device::deliverFirmwareInput()
{
    const QList<QByteArray> reports = firmware.takeInputReports();
    for (const QByteArray &report : reports)
        deliver(*commandNode(), report);
}

void Device::killHandles()
{
    for (Node &node : nodes_) {
        for (hid_device_ *handle : node.handles) {
            handle->dead = true;
            handle->queue.clear();
        }
        node.handles.clear();
    }
    Bus::instance().wake.notify_all();
}

} // namespace sim::detail

namespace sim
{

using detail::Bus;
using detail::Device;

static SimMouse *attach(const MouseConfig &config, bool keyboard)
{
    Bus &bus = Bus::instance();
    SimMouse *mouse = nullptr;
    {
        std::lock_guard<std::mutex> lock(bus.mutex);
        auto device = std::make_shared<Device>(config, keyboard, bus.nextNodeNumber);
        bus.nextNodeNumber += 2;
        bus.devices.push_back(device);
        mouse = device.get();
    }
    bus.notifyChange();
    return mouse;
}

SimMouse *attachMouse(const MouseConfig &config)
{
    return attach(config, false);
}

SimMouse *attachKeyboard(quint16 vid, quint16 pid, bool isEncode, const QByteArray &secrecyCode)
{
    MouseConfig config;
    config.vid = vid;
    config.pid = pid;
    config.family = QStringLiteral("553");
    config.isEncode = isEncode;
    config.secrecyCode = secrecyCode;
    config.reportLength = 64;
    config.usagePage = 0xff01;
    config.usage = 0x0001;
    config.usagePage2 = 0xff02;
    config.usage2 = 0x0001;
    return attach(config, true);
}

void detachAll()
{
    Bus &bus = Bus::instance();
    bool any = false;
    {
        std::lock_guard<std::mutex> lock(bus.mutex);
        for (const auto &device : bus.devices) {
            device->attached = false;
            device->plugged = false;
            device->killHandles();
        }
        any = !bus.devices.empty();
        bus.devices.clear();
    }
    if (any)
        bus.notifyChange();
}

void setDeviceChangeCallback(std::function<void()> callback)
{
    Bus &bus = Bus::instance();
    std::lock_guard<std::mutex> lock(bus.mutex);
    bus.onChange = std::move(callback);
}

} // namespace sim
