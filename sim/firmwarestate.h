#pragma once
// Everything the simulated firmware keeps, as set commands and profile images leave it.
#include <QByteArray>
#include <array>

namespace sim
{

struct FirmwareState {
    int reportRate = 1;                    // rate code: 1 = 1000 Hz
    int currentStage = 1;                  // DPI stage, from 1
    QByteArray dpiTable;                   // 8 stage codes
    int dpiStageCount = 4;                 // enabled stages of the table
    std::array<QByteArray, 4> keyMatrices; // 64 bytes each, matrix 1..4
    int activeMatrix = 1;
    QByteArray lightingEffect; // effect, option1, option2
    QByteArray colourTable;    // 4 or 24 bytes
    int colourType = 0;
    std::array<QByteArray, 12> macros;  // 128 bytes each, wire slot 1..12
    std::array<QByteArray, 3> gunData;  // 4 bytes each as sent, slot 0..2
    QByteArray keyboardOptions;         // 553: 4 bytes; 560: 2 bytes
    std::array<QByteArray, 5> profiles; // 560: 128-byte on-board images 0..4
    int currentProfile = 1;             // 560
    std::array<int, 4> profileRates{};  // 560 03H, p = 1..4
    std::array<int, 4> profileStages{}; // 560 04H, p = 1..4

    explicit FirmwareState(bool is560);
};

// The factory content of on-board image `profile`: byte i is 0x11 * (profile + 1) + i (never
// zero), except a four-stage DPI table (codes 03 07 0F 1F, the rest off) in bytes 84..99 and
// the enabled-stage mask 0x0F in byte 100.
QByteArray factoryProfileImage(int profile);

} // namespace sim
