#include "sim/firmware.h"

#include <algorithm>
#include <bitset>

namespace sim
{

FirmwareState::FirmwareState(bool is560)
    : dpiTable(QByteArray::fromHex("03070f1f80808080")), lightingEffect(3, '\0'),
      colourTable(24, '\0'),
      keyboardOptions(is560 ? QByteArray::fromHex("0100") : QByteArray::fromHex("10000001"))
{
    for (QByteArray &matrix : keyMatrices)
        matrix = QByteArray(64, '\0');
    for (QByteArray &macro : macros)
        macro = QByteArray(128, '\0');
    for (QByteArray &gun : gunData)
        gun = QByteArray(4, '\0');
    for (int p = 0; p < int(profiles.size()); ++p)
        profiles[p] = factoryProfileImage(p);
    profileRates.fill(1);
    profileStages.fill(1);
}

QByteArray factoryProfileImage(int profile)
{
    QByteArray image(128, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(0x11 * (profile + 1) + i);
    const QByteArray stages = QByteArray::fromHex("03070f1f80808080");
    image.replace(84, 8, stages);
    image.replace(92, 8, stages);
    image[100] = 0x0f;
    return image;
}

Firmware::Firmware(const MouseConfig &config)
    : state(config.family == QLatin1String("560")), is560_(config.family == QLatin1String("560")),
      isEncode_(config.isEncode), code_(secrecyCodeFrom(config.secrecyCode)),
      reportLength_(std::max(1, config.reportLength))
{
}

void Firmware::receiveFeature(const QByteArray &report)
{
    pending_ = nullptr;
    block_.clear();
    reply_.fill(0);

    Body request{};
    for (int i = 0; i < 8 && i + 1 < report.size(); ++i)
        request[i] = static_cast<quint8>(report[i + 1]);
    if (isEncode_)
        unscrambleBody(request, code_);
    if (!checksumValid(request)) {
        ++badChecksums;
        return;
    }
    const CommandSpec *command = findCommand(is560_, request[0]);
    if (!command) {
        ++unknownRequests;
        return;
    }
    reply_ = request;
    if (!command->hasBlock) {
        run(*command, request, QByteArray());
        return;
    }
    pending_ = command;
    pendingRequest_ = request;
    pendingLength_ = request[2];
    if (pendingLength_ == 0) {
        pending_ = nullptr;
        run(*command, request, QByteArray());
    }
}

void Firmware::run(const CommandSpec &command, const Body &request, const QByteArray &block)
{
    Body reply = request;
    command.run(*this, request, block, reply);
    reply[7] = bodyChecksum(reply);
    reply_ = reply;
}

QByteArray Firmware::featureReply() const
{
    Body body = reply_;
    if (isEncode_)
        scrambleBody(body, code_);
    QByteArray report(1, '\0');
    report.append(reinterpret_cast<const char *>(body.data()), int(body.size()));
    return report;
}

void Firmware::receiveOutReport(const QByteArray &report)
{
    if (!pending_)
        return;
    // The endpoint takes reportLength data bytes after the report id; a short report counts as
    // zero-padded, as the endpoint buffer would hold it.
    QByteArray data = report.mid(1, reportLength_);
    data.append(QByteArray(reportLength_ - data.size(), '\0'));
    block_.append(data.left(pendingLength_ - block_.size()));
    if (block_.size() < pendingLength_)
        return;
    const CommandSpec *command = pending_;
    pending_ = nullptr;
    run(*command, pendingRequest_, block_);
    block_.clear();
}

QList<QByteArray> Firmware::takeInputReports()
{
    QList<QByteArray> reports;
    reports.swap(input_);
    return reports;
}

void Firmware::sendInput(const QByteArray &data)
{
    for (int offset = 0; offset < data.size(); offset += reportLength_) {
        QByteArray chunk = data.mid(offset, reportLength_);
        chunk.append(QByteArray(reportLength_ - chunk.size(), '\0'));
        input_.append(chunk);
    }
}

int Firmware::stageCount() const
{
    int count = state.dpiStageCount;
    if (is560_ && state.currentProfile >= 0 && state.currentProfile < int(state.profiles.size())) {
        // The 560 family keeps its stage table in the on-board image: byte 100 is the mask of
        // enabled stages.
        const auto mask = static_cast<quint8>(state.profiles[state.currentProfile][100]);
        count = int(std::bitset<8>(mask).count());
    }
    return count >= 1 && count <= 8 ? count : 4;
}

QByteArray Firmware::pressDpiButton()
{
    state.currentStage = state.currentStage >= stageCount() ? 1 : state.currentStage + 1;
    QByteArray report = QByteArray::fromHex("06070000");
    report[3] = static_cast<char>(state.currentStage);
    return report;
}

} // namespace sim
