// The command sets of both families, from the device's side: one table row per command.
// Request byte i below is body byte i: 0 the code, 1..6 the parameters (report offsets 2..7).
#include "sim/firmware.h"

namespace sim
{
namespace
{

QByteArray requestBytes(const Body &request, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(request.data()) + from, count);
}

void putReply(Body &reply, int from, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        reply[from + i] = static_cast<quint8>(bytes[i]);
}

// Element `number` of a table counted from `first`, or null when out of range.
template <typename T, size_t N> T *numbered(std::array<T, N> &table, int number, int first)
{
    const int index = number - first;
    return index >= 0 && index < int(N) ? &table[index] : nullptr;
}

// Stores a block in a slot of fixed size: extra bytes dropped, missing ones zero.
void storeBlock(QByteArray *slot, const QByteArray &block)
{
    if (!slot)
        return;
    const int size = slot->size();
    *slot = block.left(size);
    slot->append(QByteArray(size - slot->size(), '\0'));
}

using Request = const Body &;
using Block = const QByteArray &;

// Handlers both families share.
void storeKeyMatrix(Firmware &f, Request r, Block block, Body &)
{
    // 553: the host has already exchanged key entries 5 and 6, the block is kept as received.
    // 560: 128 bytes arrive, the matrix and 64 bytes of padding.
    storeBlock(numbered(f.state.keyMatrices, r[1], 1), block);
}

void storeMacro(Firmware &f, Request r, Block block, Body &)
{
    storeBlock(numbered(f.state.macros, r[1], 1), block);
}

void answerOptions(Firmware &f, Request, Block, Body &reply)
{
    putReply(reply, 1, f.state.keyboardOptions);
}

// 560 03H and 04H: (p, value) for one of the profiles 1..4; the value is also the one in use.
void setForProfile(std::array<int, 4> &perProfile, int &current, Request r)
{
    if (int *value = numbered(perProfile, r[1], 1)) {
        *value = r[2];
        current = r[2];
    }
}

const CommandSpec kCommands[] = {
    // The handshake, the same for both families: the echo is the reply as it starts.
    {Family::Any, 0x00, false, [](Firmware &, Request, Block, Body &) {}},

    // 553 family.
    {Family::F553, 0x01, false,
     [](Firmware &f, Request r, Block, Body &) { f.state.reportRate = r[1]; }},
    {Family::F553, 0x02, false,
     [](Firmware &f, Request r, Block, Body &) { f.state.activeMatrix = r[1]; }},
    {Family::F553, 0x03, false,
     [](Firmware &f, Request r, Block, Body &) {
         f.state.keyboardOptions = requestBytes(r, 1, 4);
     }},
    {Family::F553, 0x04, false,
     [](Firmware &f, Request r, Block, Body &) {
         // Bytes 2..5: times, X, Y, slot; the slot picks the gun.
         if (QByteArray *gun = numbered(f.state.gunData, r[5], 0))
             *gun = requestBytes(r, 2, 4);
     }},
    {Family::F553, 0x0B, false,
     [](Firmware &f, Request r, Block, Body &) { f.state.currentStage = r[1]; }},
    {Family::F553, 0x0D, false,
     [](Firmware &f, Request r, Block, Body &) { f.state.lightingEffect = requestBytes(r, 1, 3); }},
    {Family::F553, 0x10, true,
     [](Firmware &f, Request r, Block block, Body &) {
         f.state.colourType = r[1];
         f.state.colourTable = block;
     }},
    {Family::F553, 0x11, true,
     [](Firmware &f, Request r, Block block, Body &) {
         f.state.dpiStageCount = r[1];
         storeBlock(&f.state.dpiTable, block);
     }},
    {Family::F553, 0x12, true, storeKeyMatrix},
    {Family::F553, 0x13, true, storeMacro},
    {Family::F553, 0x83, false, answerOptions},
    {Family::F553, 0x8B, false,
     [](Firmware &f, Request, Block, Body &reply) { reply[1] = quint8(f.state.currentStage); }},

    // 560 family.
    {Family::F560, 0x01, false,
     [](Firmware &f, Request r, Block, Body &) {
         f.state.keyboardOptions = requestBytes(r, 1, 2);
     }},
    {Family::F560, 0x02, false,
     [](Firmware &f, Request r, Block, Body &) {
         f.state.currentProfile = r[1];
         f.state.activeMatrix = r[1];
     }},
    {Family::F560, 0x03, false,
     [](Firmware &f, Request r, Block, Body &) {
         setForProfile(f.state.profileRates, f.state.reportRate, r);
     }},
    {Family::F560, 0x04, false,
     [](Firmware &f, Request r, Block, Body &) {
         setForProfile(f.state.profileStages, f.state.currentStage, r);
     }},
    {Family::F560, 0x0C, true,
     [](Firmware &f, Request r, Block block, Body &) {
         storeBlock(numbered(f.state.profiles, r[1], 0), block);
     }},
    {Family::F560, 0x0D, true, storeKeyMatrix},
    {Family::F560, 0x0F, true, storeMacro},
    {Family::F560, 0x81, false, answerOptions},
    {Family::F560, 0x82, false,
     [](Firmware &f, Request, Block, Body &reply) { reply[1] = quint8(f.state.currentProfile); }},
    // Byte 1 (the host sends 1) is echoed; byte 2 answers the current stage.
    {Family::F560, 0x84, false,
     [](Firmware &f, Request, Block, Body &reply) { reply[2] = quint8(f.state.currentStage); }},
    {Family::F560, 0x8C, false,
     [](Firmware &f, Request r, Block, Body &) {
         if (QByteArray *image = numbered(f.state.profiles, r[1], 0))
             f.sendInput(*image);
     }},
};

} // namespace

const CommandSpec *findCommand(bool is560, quint8 code)
{
    const Family family = is560 ? Family::F560 : Family::F553;
    for (const CommandSpec &command : kCommands) {
        if (command.code == code && (command.family == Family::Any || command.family == family))
            return &command;
    }
    return nullptr;
}

} // namespace sim
