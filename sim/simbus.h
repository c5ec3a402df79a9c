#pragma once
// Internals of the simulated devices: the bus that holds the attached devices, the interface
// nodes with their open handles, and the hidraw kernel behaviour. One mutex guards all of it;
// blocked reads wait on one condition variable, woken by every new report, unplug and close.
#include "sim/firmware.h"
#include "sim/simdevice.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct hid_device_info;

namespace sim::detail
{

// The kernel drops input reports that arrive this soon after an open of the node.
constexpr qint64 kOpenQuietMs = 50;
// Reports a handle holds unread before new ones are dropped (the hidraw buffer).
constexpr size_t kHandleQueueLimit = 64;

struct Node;
class Device;

} // namespace sim::detail

// What a hid_device pointer points to: one open handle of one interface node.
struct hid_device_ {
    std::shared_ptr<sim::detail::Device> device;
    sim::detail::Node *node = nullptr;
    std::deque<QByteArray> queue;
    bool nonBlocking = false;
    bool dead = false;   // the device went away: every call fails
    bool closed = false; // hid_close ran while a read was still waiting
    int waiting = 0;     // reads blocked on this handle
    std::wstring error;
    hid_device_info *info = nullptr;
};

namespace sim::detail
{

struct Node {
    QString path;
    quint16 usagePage = 0;
    quint16 usage = 0;
    int interfaceNumber = 0;
    bool isCommand = true;
    QList<hid_device_ *> handles;
    bool everOpened = false;
    qint64 lastOpenMs = 0;
    int failNext = 0;
};

class Device final : public SimMouse
{
public:
    Device(const MouseConfig &config, bool keyboard, int firstNodeNumber);

    // SimMouse (each takes the bus lock).
    MouseConfig config() const override { return config_; }
    QString commandPath() const override;
    QString eventPath() const override;
    int reportRate() const override;
    int currentStage() const override;
    void setCurrentStage(int stage) override;
    QByteArray dpiTable() const override;
    int dpiStageCount() const override;
    QByteArray keyMatrix(int matrix) const override;
    int activeMatrix() const override;
    QByteArray lightingEffect() const override;
    QByteArray colourTable() const override;
    int colourType() const override;
    QByteArray macro(int slot) const override;
    QByteArray gunData(int slot) const override;
    QByteArray keyboardOptions() const override;
    void setKeyboardOptions(const QByteArray &bytes) override;
    QByteArray profileImage(int profile) const override;
    void setProfileImage(int profile, const QByteArray &image) override;
    int currentProfile() const override;
    void setCurrentProfile(int profile) override;
    int profileReportRate(int p) const override;
    int profileStage(int p) const override;
    QList<Transfer> transfers() const override;
    void clearTransfers() override;
    int badChecksums() const override;
    int unknownRequests() const override;
    int openHandles(const QString &path) const override;
    void pressDpiButton() override;
    void sendEventReport(const QByteArray &report) override;
    void setOpenFails(bool fails) override;
    void failNextTransfers(int count) override;
    void failNextTransfersOn(const QString &path, int count) override;
    void setSilent(bool silent) override;
    void unplug() override;
    void plug() override;
    bool isPlugged() const override;
    void faultAtTransfer(int transfer, Fault fault) override;
    int transfersCounted() const override;

    // Bus side; the bus lock is held by the caller.
    Node *nodeAt(const QString &path);
    Node *commandNode() { return &nodes_[0]; }
    Node *eventNode() { return nodes_.size() > 1 ? &nodes_[1] : nullptr; }
    const std::vector<Node> &nodes() const { return nodes_; }
    void record(const Node &node, TransferKind kind, const QByteArray &bytes);
    // Hands an input report to every open handle of the node, as the kernel would.
    void deliver(Node &node, const QByteArray &report);
    // Delivers the IN reports the firmware produced on the command interface.
    void deliverFirmwareInput();
    // Every handle fails from now on and blocked reads wake.
    void killHandles();

    Firmware firmware;
    bool plugged = true;
    bool attached = true;
    bool openFails = false;
    bool silent = false;
    bool keyboard = false;
    // faultAtTransfer(): transfers counted, and the one that gets the fault (-1: none).
    int transferCounter = 0;
    int faultTransfer = -1;
    Fault fault = Fault::FailOne;

private:
    MouseConfig config_;
    std::vector<Node> nodes_;
    QList<Transfer> log_;
};

class Bus
{
public:
    static Bus &instance();

    // Runs the device-change callback; call without holding the lock.
    void notifyChange();

    std::mutex mutex;
    std::condition_variable wake;
    std::vector<std::shared_ptr<Device>> devices;
    std::function<void()> onChange;
    int nextNodeNumber = 0;
};

} // namespace sim::detail
