// Our own implementation of the hidapi C API over the simulated devices. Tests and the demo
// link it in place of the system library; the device code cannot tell the difference.
#include "sim/simbus.h"

#include "base/sleep.h"

#include <hidapi.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

using sim::Firmware;
using sim::TransferKind;
using sim::detail::Bus;
using sim::detail::Device;
using sim::detail::Node;
using Lock = std::unique_lock<std::mutex>;

namespace
{

thread_local std::wstring globalError;

wchar_t *copyWide(const std::wstring &text)
{
    auto *copy = static_cast<wchar_t *>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

std::wstring productName(const Device &device)
{
    return device.keyboard ? L"Simulated keyboard" : L"Simulated mouse";
}

std::wstring serialOf(const Node &node)
{
    return wide(node.path.section('/', -1));
}

hid_device_info *makeInfo(const Device &device, const Node &node)
{
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    const sim::MouseConfig config = device.config();
    info->path = strdup(node.path.toLatin1().constData());
    info->vendor_id = config.vid;
    info->product_id = config.pid;
    info->serial_number = copyWide(serialOf(node));
    info->release_number = 0x0100;
    info->manufacturer_string = copyWide(L"orbis-mouse simulator");
    info->product_string = copyWide(productName(device));
    info->usage_page = node.usagePage;
    info->usage = node.usage;
    info->interface_number = node.interfaceNumber;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

void freeInfo(hid_device_info *info)
{
    std::free(info->path);
    std::free(info->serial_number);
    std::free(info->manufacturer_string);
    std::free(info->product_string);
    std::free(info);
}

void destroy(hid_device *dev)
{
    if (dev->info)
        freeInfo(dev->info);
    delete dev;
}

int fail(hid_device *dev, const wchar_t *message)
{
    dev->error = message;
    return -1;
}

// The checks every transfer makes, under the lock: a handle of a device that went away fails,
// and so does a transfer that a fault injection marked. Returns 0 when the transfer may go on.
int refuse(hid_device *dev)
{
    Device &device = *dev->device;
    if (dev->node->isCommand && device.transferCounter++ == device.faultTransfer) {
        switch (device.fault) {
        case sim::SimMouse::Fault::FailOne:
            return fail(dev, L"transfer failed (injected)");
        case sim::SimMouse::Fault::FailAll:
            dev->node->failNext = std::numeric_limits<int>::max();
            break;
        case sim::SimMouse::Fault::Unplug:
            device.plugged = false;
            device.killHandles();
            break;
        case sim::SimMouse::Fault::Silent:
            device.silent = true;
            break;
        }
    }
    if (dev->dead || dev->closed)
        return fail(dev, L"device disconnected");
    if (dev->node->failNext > 0) {
        --dev->node->failNext;
        return fail(dev, L"transfer failed (injected)");
    }
    return 0;
}

// On a refusal, error is set as the kernel's open() would: a node this user may not open gives
// EACCES, a device that went away ENOENT.
hid_device *openNode(Device &device, Node &node, int &error)
{
    if (!device.plugged || device.openFails) {
        device.record(node, TransferKind::OpenFailed, QByteArray());
        globalError = device.plugged ? L"Permission denied" : L"No such file or directory";
        error = device.plugged ? EACCES : ENOENT;
        return nullptr;
    }
    auto *dev = new hid_device_;
    for (const auto &owner : Bus::instance().devices) {
        if (owner.get() == &device)
            dev->device = owner;
    }
    dev->node = &node;
    node.handles.append(dev);
    node.everOpened = true;
    node.lastOpenMs = base::nowMs();
    device.record(node, TransferKind::Open, QByteArray());
    globalError.clear();
    return dev;
}

bool matches(const Device &device, unsigned short vid, unsigned short pid)
{
    const sim::MouseConfig config = device.config();
    return device.plugged && (vid == 0 || vid == config.vid) && (pid == 0 || pid == config.pid);
}

QByteArray bytesOf(const unsigned char *data, size_t length)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(length));
}

int readReport(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    if (!dev || !data)
        return -1;
    Bus &bus = Bus::instance();
    Lock lock(bus.mutex);
    if (int refused = refuse(dev))
        return refused;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (dev->queue.empty() && !dev->dead && !dev->closed) {
        if (milliseconds == 0)
            return 0;
        ++dev->waiting;
        if (milliseconds < 0)
            bus.wake.wait(lock);
        else
            bus.wake.wait_until(lock, deadline);
        --dev->waiting;
        if (milliseconds > 0 && std::chrono::steady_clock::now() >= deadline)
            break;
    }
    if (dev->closed) {
        // hid_close ran while this read waited; the last waiter frees the handle.
        if (dev->waiting == 0)
            destroy(dev);
        return -1;
    }
    if (dev->dead)
        return fail(dev, L"device disconnected");
    if (dev->queue.empty())
        return 0;
    const QByteArray report = dev->queue.front();
    dev->queue.pop_front();
    const size_t count = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), count);
    dev->device->record(*dev->node, TransferKind::Read, report.left(int(count)));
    return int(count);
}

// A feature report or an OUT report from the host: recorded, then handed to the firmware
// unless it hangs. Only the command interface takes reports from the host.
int sendToFirmware(hid_device *dev, const unsigned char *data, size_t length, TransferKind kind,
                   void (Firmware::*receive)(const QByteArray &))
{
    if (!dev || !data || length == 0)
        return -1;
    Lock lock(Bus::instance().mutex);
    if (int refused = refuse(dev))
        return refused;
    if (!dev->node->isCommand)
        return fail(dev, L"this interface takes no reports from the host");
    Device &device = *dev->device;
    const QByteArray report = bytesOf(data, length);
    device.record(*dev->node, kind, report);
    if (!device.silent) {
        (device.firmware.*receive)(report);
        device.deliverFirmwareInput();
    }
    return int(length);
}

} // namespace

// Defined in this file on purpose: whoever uses the simulated devices reaches the bus, so this
// object, with every hidapi function, is linked in before the device code that calls them,
// whatever order the static libraries come in.
sim::detail::Bus &sim::detail::Bus::instance()
{
    static Bus bus;
    return bus;
}

extern "C" {

int hid_init(void)
{
    return 0;
}
int hid_exit(void)
{
    return 0;
}

hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    Bus &bus = Bus::instance();
    Lock lock(bus.mutex);
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    for (const auto &device : bus.devices) {
        if (!matches(*device, vendor_id, product_id))
            continue;
        for (const Node &node : device->nodes()) {
            *next = makeInfo(*device, node);
            next = &(*next)->next;
        }
    }
    return first;
}

void hid_free_enumeration(hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        freeInfo(devs);
        devs = next;
    }
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id,
                     const wchar_t *serial_number)
{
    Bus &bus = Bus::instance();
    Lock lock(bus.mutex);
    for (const auto &device : bus.devices) {
        if (!matches(*device, vendor_id, product_id))
            continue;
        for (const Node &node : device->nodes()) {
            if (!serial_number || serialOf(node) == serial_number) {
                int error = 0; // the device code opens by path only
                return openNode(*device, *device->nodeAt(node.path), error);
            }
        }
    }
    globalError = L"no such device";
    return nullptr;
}

hid_device *hid_open_path(const char *path)
{
    if (!path)
        return nullptr;
    const QString wanted = QString::fromLatin1(path);
    hid_device *dev = nullptr;
    int error = ENOENT;
    {
        Bus &bus = Bus::instance();
        Lock lock(bus.mutex);
        bool found = false;
        for (const auto &device : bus.devices) {
            if (Node *node = device->nodeAt(wanted)) {
                dev = openNode(*device, *node, error);
                found = true;
                break;
            }
        }
        if (!found)
            globalError = L"no such device";
    }
    // Set once the lock is released, so nothing in between can change it.
    if (!dev)
        errno = error;
    return dev;
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    if (!dev)
        return -1;
    Lock lock(Bus::instance().mutex);
    if (dev->dead)
        return fail(dev, L"device disconnected");
    dev->nonBlocking = nonblock != 0;
    return 0;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    return sendToFirmware(dev, data, length, TransferKind::FeatureOut, &Firmware::receiveFeature);
}

int hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev || !data || length == 0)
        return -1;
    Lock lock(Bus::instance().mutex);
    if (int refused = refuse(dev))
        return refused;
    Device &device = *dev->device;
    if (!dev->node->isCommand || device.silent)
        return fail(dev, L"no answer");
    const QByteArray reply = device.firmware.featureReply();
    const size_t count = std::min(length, size_t(reply.size()));
    // Byte 0 keeps the report id the caller asked for.
    std::memcpy(data + 1, reply.constData() + 1, count - 1);
    device.record(*dev->node, TransferKind::FeatureIn, bytesOf(data, count));
    return int(count);
}

int hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    if (!dev)
        return -1;
    Lock lock(Bus::instance().mutex);
    return fail(dev, L"input reports are not fetched on request");
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    return sendToFirmware(dev, data, length, TransferKind::Write, &Firmware::receiveOutReport);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    return readReport(dev, data, length, milliseconds);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    bool nonBlocking = false;
    if (dev) {
        Lock lock(Bus::instance().mutex);
        nonBlocking = dev->nonBlocking;
    }
    return readReport(dev, data, length, nonBlocking ? 0 : -1);
}

void hid_close(hid_device *dev)
{
    if (!dev)
        return;
    Bus &bus = Bus::instance();
    Lock lock(bus.mutex);
    dev->node->handles.removeOne(dev);
    dev->device->record(*dev->node, TransferKind::Close, QByteArray());
    if (dev->waiting > 0) {
        dev->closed = true;
        bus.wake.notify_all();
        return;
    }
    destroy(dev);
}

static int copyString(hid_device *dev, const std::wstring &text, wchar_t *string, size_t maxlen)
{
    if (!dev || !string || maxlen == 0)
        return -1;
    Lock lock(Bus::instance().mutex);
    if (dev->dead)
        return fail(dev, L"device disconnected");
    std::wcsncpy(string, text.c_str(), maxlen - 1);
    string[maxlen - 1] = L'\0';
    return 0;
}

int hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, L"orbis-mouse simulator", string, maxlen);
}

int hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, dev ? productName(*dev->device) : std::wstring(), string, maxlen);
}

int hid_get_serial_number_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, dev ? serialOf(*dev->node) : std::wstring(), string, maxlen);
}

int hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t)
{
    if (!dev)
        return -1;
    Lock lock(Bus::instance().mutex);
    return fail(dev, L"indexed strings are not supported");
}

hid_device_info *hid_get_device_info(hid_device *dev)
{
    if (!dev)
        return nullptr;
    Lock lock(Bus::instance().mutex);
    if (!dev->info)
        dev->info = makeInfo(*dev->device, *dev->node);
    return dev->info;
}

const wchar_t *hid_error(hid_device *dev)
{
    if (!dev)
        return globalError.empty() ? L"Success" : globalError.c_str();
    return dev->error.empty() ? L"Success" : dev->error.c_str();
}

const hid_api_version *hid_version(void)
{
    static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                            HID_API_VERSION_PATCH};
    return &version;
}

const char *hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"
