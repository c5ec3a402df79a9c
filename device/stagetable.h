#pragma once
// A DPI stage table in the device form, as the stage encoder hands it to the mouse's protocol:
// one code byte per stage and the ninth bits of "3389" codes.
#include <QtGlobal>
#include <algorithm>
#include <array>

namespace dpistages
{

constexpr int kStages = 8;
constexpr quint8 kStageOff = 0x80; // 553 family: a stage that is not enabled

struct StageTable {
    std::array<quint8, kStages> codes{}; // stages missing from the list stay 0
    quint8 highMask = 0;                 // bit i: the ninth code bit of stage i
    int listSize = 0;                    // stages taken from the list (at most kStages)
};

// Bit i set for every stage i below the number of enabled stages.
inline quint8 enabledMask(int enabledStages)
{
    const int n = std::clamp(enabledStages, 0, kStages);
    return static_cast<quint8>((1u << n) - 1);
}

// 553 family: the stages of the list from `enabledStages` on are switched off.
inline void switchOffFrom(StageTable &table, int enabledStages)
{
    for (int i = std::max(enabledStages, 0); i < table.listSize; ++i)
        table.codes[i] = kStageOff;
}

} // namespace dpistages
