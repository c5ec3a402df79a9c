// What tests and the demo see of a simulated device: its state, its transfer log, its events
// and its faults. Every member takes the bus lock, since the listener reads on another thread.
#include "sim/simbus.h"

namespace sim::detail
{
namespace
{

using Lock = std::lock_guard<std::mutex>;

std::mutex &busMutex()
{
    return Bus::instance().mutex;
}

// Runs f under the bus lock and passes on its result.
template <typename F> auto locked(F f)
{
    Lock lock(busMutex());
    return f();
}

template <typename T, size_t N> T valueAt(const std::array<T, N> &table, int index, T fallback)
{
    return index >= 0 && index < int(N) ? table[index] : fallback;
}

} // namespace

QString Device::commandPath() const
{
    return nodes_[0].path;
}
QString Device::eventPath() const
{
    return nodes_.size() > 1 ? nodes_[1].path : QString();
}

int Device::reportRate() const
{
    return locked([&] { return firmware.state.reportRate; });
}

int Device::currentStage() const
{
    return locked([&] { return firmware.state.currentStage; });
}

void Device::setCurrentStage(int stage)
{
    locked([&] { firmware.state.currentStage = stage; });
}

QByteArray Device::dpiTable() const
{
    return locked([&] { return firmware.state.dpiTable; });
}

int Device::dpiStageCount() const
{
    return locked([&] { return firmware.state.dpiStageCount; });
}

QByteArray Device::keyMatrix(int matrix) const
{
    return locked([&] { return valueAt(firmware.state.keyMatrices, matrix - 1, QByteArray()); });
}

int Device::activeMatrix() const
{
    return locked([&] { return firmware.state.activeMatrix; });
}

QByteArray Device::lightingEffect() const
{
    return locked([&] { return firmware.state.lightingEffect; });
}

QByteArray Device::colourTable() const
{
    return locked([&] { return firmware.state.colourTable; });
}

int Device::colourType() const
{
    return locked([&] { return firmware.state.colourType; });
}

QByteArray Device::macro(int slot) const
{
    return locked([&] { return valueAt(firmware.state.macros, slot - 1, QByteArray()); });
}

QByteArray Device::gunData(int slot) const
{
    return locked([&] { return valueAt(firmware.state.gunData, slot, QByteArray()); });
}

QByteArray Device::keyboardOptions() const
{
    return locked([&] { return firmware.state.keyboardOptions; });
}

void Device::setKeyboardOptions(const QByteArray &bytes)
{
    locked([&] { firmware.state.keyboardOptions = bytes; });
}

QByteArray Device::profileImage(int profile) const
{
    return locked([&] { return valueAt(firmware.state.profiles, profile, QByteArray()); });
}

void Device::setProfileImage(int profile, const QByteArray &image)
{
    Lock lock(busMutex());
    if (profile >= 0 && profile < int(firmware.state.profiles.size()))
        firmware.state.profiles[profile] = image.leftJustified(128, '\0', true);
}

int Device::currentProfile() const
{
    return locked([&] { return firmware.state.currentProfile; });
}

void Device::setCurrentProfile(int profile)
{
    locked([&] { firmware.state.currentProfile = profile; });
}

int Device::profileReportRate(int p) const
{
    return locked([&] { return valueAt(firmware.state.profileRates, p - 1, -1); });
}

int Device::profileStage(int p) const
{
    return locked([&] { return valueAt(firmware.state.profileStages, p - 1, -1); });
}

QList<Transfer> Device::transfers() const
{
    return locked([&] { return log_; });
}

void Device::clearTransfers()
{
    locked([&] { log_.clear(); });
}

int Device::badChecksums() const
{
    return locked([&] { return firmware.badChecksums; });
}

int Device::unknownRequests() const
{
    return locked([&] { return firmware.unknownRequests; });
}

int Device::openHandles(const QString &path) const
{
    Lock lock(busMutex());
    for (const Node &node : nodes_) {
        if (node.path == path)
            return int(node.handles.size());
    }
    return 0;
}

void Device::pressDpiButton()
{
    Lock lock(busMutex());
    // An unplugged or hung mouse does nothing with its button.
    if (!plugged || silent)
        return;
    const QByteArray report = firmware.pressDpiButton();
    if (Node *node = eventNode())
        deliver(*node, report);
}

void Device::sendEventReport(const QByteArray &report)
{
    Lock lock(busMutex());
    if (silent)
        return;
    if (Node *node = eventNode())
        deliver(*node, report);
}

void Device::setOpenFails(bool fails)
{
    locked([&] { openFails = fails; });
}

void Device::failNextTransfers(int count)
{
    locked([&] { commandNode()->failNext = count; });
}

void Device::failNextTransfersOn(const QString &path, int count)
{
    Lock lock(busMutex());
    if (Node *node = nodeAt(path))
        node->failNext = count;
}

void Device::setSilent(bool isSilent)
{
    locked([&] { silent = isSilent; });
}

void Device::unplug()
{
    {
        Lock lock(busMutex());
        if (!plugged || !attached)
            return;
        plugged = false;
        killHandles();
    }
    Bus::instance().notifyChange();
}

void Device::plug()
{
    {
        Lock lock(busMutex());
        if (plugged || !attached)
            return;
        plugged = true;
    }
    Bus::instance().notifyChange();
}

bool Device::isPlugged() const
{
    return locked([&] { return plugged; });
}

void Device::faultAtTransfer(int transfer, Fault f)
{
    locked([&] {
        transferCounter = 0;
        faultTransfer = transfer;
        fault = f;
    });
}

int Device::transfersCounted() const
{
    return locked([&] { return transferCounter; });
}

} // namespace sim::detail
