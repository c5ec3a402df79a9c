#pragma once
// The mouse firmware, seen from the device: it takes feature reports and interrupt OUT reports
// from the host, checks and unscrambles requests, runs the commands of its family, keeps its
// state, and produces the feature reply and the IN reports it sends. No threads, no kernel:
// the simulated bus feeds it and delivers what it produces.
#include "sim/firmwarestate.h"
#include "sim/scramble.h"
#include "sim/simdevice.h"

#include <QList>

namespace sim
{

class Firmware;

enum class Family { Any, F553, F560 };

// One command the firmware understands. run() gets the plain request body and, for a command
// with a data block, the block whose length request byte 3 announced; it fills the reply body,
// which starts as an echo of the request.
struct CommandSpec {
    Family family;
    quint8 code;
    bool hasBlock;
    void (*run)(Firmware &firmware, const Body &request, const QByteArray &block, Body &reply);
};

// The command of `code` in a family, or null.
const CommandSpec *findCommand(bool is560, quint8 code);

class Firmware
{
public:
    explicit Firmware(const MouseConfig &config);

    bool is560() const { return is560_; }
    int reportLength() const { return reportLength_; }

    // A feature report from the host, report id byte first. A new request abandons a data block
    // still being collected.
    void receiveFeature(const QByteArray &report);
    // What a feature-report read returns: report id 0 and the reply body, scrambled when the
    // device scrambles. A request that was ignored leaves an all-zero reply.
    QByteArray featureReply() const;
    // An interrupt OUT report, report id byte first: the next piece of a pending data block.
    void receiveOutReport(const QByteArray &report);

    // IN reports for the command interface produced since the last call.
    QList<QByteArray> takeInputReports();
    // Splits data into IN reports of reportLength bytes, the last one zero-padded.
    void sendInput(const QByteArray &data);

    // The DPI button: next stage (1..stageCount(), wrapping) and the event report announcing it.
    QByteArray pressDpiButton();
    int stageCount() const;

    FirmwareState state;
    int badChecksums = 0;
    int unknownRequests = 0;

private:
    void run(const CommandSpec &command, const Body &request, const QByteArray &block);

    bool is560_;
    bool isEncode_;
    SecrecyCode code_;
    int reportLength_;
    Body reply_{};
    const CommandSpec *pending_ = nullptr;
    Body pendingRequest_{};
    int pendingLength_ = 0;
    QByteArray block_;
    QList<QByteArray> input_;
};

} // namespace sim
