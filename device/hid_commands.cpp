// The command shapes every device command is made of: a set command (optionally with a data
// block), a get command reading one feature reply, and the 560 family's per-profile send.
#include "base/logging.h"
#include "base/sleep.h"
#include "device/commandtable.h"
#include "device/hid_thread.h"

#include <algorithm>

bool Hid_Thread::takeLock(const CommandSpec &command)
{
    if (waitHidIdle())
        return true;
    ORBIS_LOG(lcDevice, command.failLine);
    return false;
}

void Hid_Thread::loadDataBlock(const QByteArray &block)
{
    // Room for the block rounded up to whole chunks, zero beyond the block, so a last chunk that
    // runs past it carries nothing stale.
    const int n = static_cast<int>(block.size());
    const DeviceEntry *entry = currentEntry();
    const int rounded =
        entry && entry->reportLength > 0 ? frames::roundedSize(n, entry->reportLength) : n;
    const int size = std::max(rounded, 512);
    if (dataBuf.size() < size)
        dataBuf.resize(size);
    dataBuf.fill('\0');
    std::copy(block.begin(), block.end(), dataBuf.begin());
}

bool Hid_Thread::sendSet(const CommandSpec &command, const frames::Params &params,
                         const QByteArray &block)
{
    if (!takeLock(command))
        return false;
    const frames::Request request = frames::request(command.code, params);
    std::copy(request.begin(), request.end(), cmdBuf);
    if (!block.isEmpty())
        loadDataBlock(block);
    const bool ok =
        hidSendCmd(static_cast<int>(block.size()), command.after == CommandSpec::Settle);
    if (command.after == CommandSpec::Pause8)
        base::sleepMs(8);
    return ok;
}

bool Hid_Thread::exchangeGet(const CommandSpec &command, const frames::Params &requestParams,
                             uchar *const *results, int count, bool resultsAsTemplate)
{
    if (!takeLock(command)) {
        if (!resultsAsTemplate)
            for (int i = 0; i < count; ++i)
                *results[i] = 0;
        return false;
    }
    const frames::Request request = frames::request(command.code, requestParams);
    std::copy(request.begin(), request.end(), cmdBuf);
    // The template: what a failed exchange leaves in the results.
    std::fill(std::begin(ackBuf), std::end(ackBuf), 0);
    if (resultsAsTemplate)
        for (int i = 0; i < count; ++i)
            ackBuf[2 + i] = *results[i];
    const bool ok = hidReadCmd(0);
    for (int i = 0; i < count; ++i)
        *results[i] = ackBuf[2 + i];
    return ok;
}

void Hid_Thread::sendPerProfile(const CommandSpec &command, uchar value)
{
    if (!takeLock(command))
        return;
    // The lock stays taken across all reports, so a command called meanwhile waits for the
    // whole sequence.
    holdLock_ = true;
    for (uchar profile = 1; profile <= 4; ++profile) {
        const frames::Request request = frames::request(command.code, {profile, value});
        std::copy(request.begin(), request.end(), cmdBuf);
        hidSendCmd(0, true);
        if (profile == 1 && isGun)
            break;
    }
    holdLock_ = false;
    hidIdle = true;
}
