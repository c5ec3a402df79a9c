// The transport: opening the two interfaces, the transfer lock, the settle pause, and the two
// primitives every command is built on.
//
// Handles stay open: on Linux the kernel stops polling a hidraw node whose last handle closed and
// drops the input reports that arrive in the first ~50 ms after an open, so reopening for every
// call would lose data blocks and event reports. A handle is closed when a call on it fails (the
// next command reopens it) or when device polling installs a new table.
#include "device/hid_thread.h"

#include "base/logging.h"
#include "base/sleep.h"
#include "device/hidio.h"
#include "device/scrambling.h"

#include <vector>

namespace
{
// hidraw discards the input reports that arrive this soon after an open.
constexpr qint64 kFreshOpenMs = 50;
// Bound on one interrupt IN read of a data block: a silent or vanished mouse must not freeze the
// GUI thread.
constexpr int kBlockReadTimeoutMs = 1000;
// Stale input reports taken off a handle before a block read, at most.
constexpr int kMaxDrainedReports = 64;
} // namespace

DeviceEntry *Hid_Thread::currentEntry()
{
    return devIndex >= 0 && devIndex < devList.size() ? &devList[devIndex] : nullptr;
}

hid_device *Hid_Thread::openHidDevice(int index)
{
    if (index < 0 || index >= devList.size() || devList[index].devPath.isEmpty())
        return nullptr;
    DeviceEntry &entry = devList[index];
    if (hidDev && cmdPath_ == entry.devPath)
        return hidDev;
    closeHidDevice();
    hidDev = hidio::open(hidio::Interface::Command, entry.devPath);
    if (!hidDev) {
        // Absent until the next device check fills the path again.
        entry.devPath.clear();
        return nullptr;
    }
    cmdPath_ = entry.devPath;
    cmdOpenedAtMs_ = base::nowMs();
    return hidDev;
}

hid_device *Hid_Thread::openHidDevice2(int index)
{
    if (index < 0 || index >= devList.size() || devList[index].devPath2.isEmpty())
        return nullptr;
    closeHidDevice2();
    hidDev2 = hidio::open(hidio::Interface::Event, devList[index].devPath2);
    if (!hidDev2)
        devList[index].devPath2.clear();
    return hidDev2;
}

void Hid_Thread::closeHidDevice()
{
    hidio::close(hidio::Interface::Command, hidDev);
    hidDev = nullptr;
    cmdPath_.clear();
}

void Hid_Thread::closeHidDevice2()
{
    hidio::close(hidio::Interface::Event, hidDev2);
    hidDev2 = nullptr;
}

bool Hid_Thread::waitHidIdle()
{
    for (int poll = 0; poll < 255; ++poll) {
        if (hidIdle) {
            hidIdle = false;
            return true;
        }
        base::sleepMs(8);
        base::processPendingEvents();
    }
    return false;
}

void Hid_Thread::releaseLock()
{
    if (!holdLock_)
        hidIdle = true;
}

void Hid_Thread::hidSettle()
{
    settleFlag = false;
    for (int i = 0; i < 256; ++i) {
        base::sleepMs(64);
        if (settleFlag)
            break;
        settleFlag = true;
    }
}

bool Hid_Thread::blockLengthUsable(int n)
{
    if (n <= 0 || currentEntry()->reportLength > 0)
        return true;
    ORBIS_LOG(lcDevice, QStringLiteral("Device entry %1: reportLength %2 cannot carry a data "
                                       "block, command refused")
                            .arg(devIndex)
                            .arg(currentEntry()->reportLength));
    return false;
}

bool Hid_Thread::hidSendCmd(int n, bool settle)
{
    base::processPendingEvents();
    if (!openHidDevice(devIndex) || !blockLengthUsable(n)) {
        releaseLock();
        return false;
    }
    const DeviceEntry &entry = *currentEntry();
    if (entry.isEncode)
        scrambling::encrypt(cmdBuf + 1, secrecyCode);
    if (hidio::sendFeature(hidio::Interface::Command, hidDev, cmdBuf, 9) < 0) {
        closeHidDevice();
        releaseLock();
        return false;
    }
    if (settle)
        hidSettle();
    if (n > 0) {
        const int len = frames::chunkLength(n, entry.reportLength);
        std::vector<uchar> report(static_cast<size_t>(entry.reportLength) + 1, 0);
        for (int offset = 0; offset < n; offset += len) {
            report[0] = 0;
            std::copy_n(reinterpret_cast<const uchar *>(dataBuf.constData()) + offset, len,
                        report.begin() + 1);
            if (hidio::write(hidio::Interface::Command, hidDev, report.data(),
                             static_cast<int>(report.size())) < 0) {
                closeHidDevice();
                releaseLock();
                return false;
            }
            base::sleepMs(120);
        }
        if (settle)
            hidSettle();
    }
    releaseLock();
    return true;
}

void Hid_Thread::awaitFreshHandle()
{
    const qint64 age = base::nowMs() - cmdOpenedAtMs_;
    if (age < kFreshOpenMs)
        base::sleepMs(static_cast<int>(kFreshOpenMs - age));
}

bool Hid_Thread::drainInput()
{
    std::vector<uchar> stale(static_cast<size_t>(currentEntry()->reportLength) + 1);
    for (int i = 0; i < kMaxDrainedReports; ++i) {
        const int r = hidio::read(hidio::Interface::Command, hidDev, stale.data(),
                                  static_cast<int>(stale.size()), 0);
        if (r < 0)
            return false;
        if (r == 0)
            break;
    }
    return true;
}

bool Hid_Thread::hidReadCmd(int n)
{
    if (!openHidDevice(devIndex) || !blockLengthUsable(n)) {
        releaseLock();
        return false;
    }
    const DeviceEntry &entry = *currentEntry();
    if (n > 0) {
        // The answer arrives as input reports: the handle must be past the kernel's dropping
        // window, and nothing stale may be taken for it.
        awaitFreshHandle();
        if (!drainInput()) {
            closeHidDevice();
            releaseLock();
            return false;
        }
    }
    if (entry.isEncode)
        scrambling::encrypt(cmdBuf + 1, secrecyCode);
    if (hidio::sendFeature(hidio::Interface::Command, hidDev, cmdBuf, 9) < 0 ||
        hidio::getFeature(hidio::Interface::Command, hidDev, ackBuf, 9) < 0) {
        closeHidDevice();
        releaseLock();
        return false;
    }
    if (n == 0) {
        releaseLock();
        if (entry.isEncode)
            scrambling::decipher(ackBuf + 1, secrecyCode);
        return true;
    }
    const int len = frames::chunkLength(n, entry.reportLength);
    std::vector<uchar> report(static_cast<size_t>(entry.reportLength) + 1);
    for (int offset = 0; offset < n; offset += len) {
        std::fill(report.begin(), report.end(), 0);
        const int r = hidio::read(hidio::Interface::Command, hidDev, report.data(),
                                  static_cast<int>(report.size()), kBlockReadTimeoutMs);
        if (r <= 0) {
            // A failed call closes the handle; a timeout (nothing came) leaves it open.
            if (r < 0)
                closeHidDevice();
            releaseLock();
            return false;
        }
        std::copy_n(report.begin(), len, reinterpret_cast<uchar *>(dataBuf.data()) + offset);
    }
    releaseLock();
    return true;
}
