#pragma once
// DPI stage tables in the device form: one code byte per stage, encoded the way the mouse's
// optical sensor expects, plus the masks that go with them. Pure functions, no device.
#include <QString>
#include <QVariantList>
#include <array>

namespace dpistages
{

constexpr int kStages = 8;
constexpr quint8 kStageOff = 0x80; // 553 family: a stage that is not enabled

// Byte offsets inside a 560 on-board profile image.
constexpr int kImageHighMask = 82;  // high-bit mask of "3389" sensors, also at 83
constexpr int kImageCodes = 84;     // eight stage codes, repeated at 92
constexpr int kImageEnabled = 100;  // enabled-stage mask

struct StageCode {
    quint8 code = 0;
    bool highBit = false; // only "3389" codes have a ninth bit
};

// One stage value in DPI encoded for a sensor type; unknown types encode like "4090". Values
// that do not fit a byte keep their low 8 bits.
StageCode encodeStage(const QString &sensorType, int dpi);

struct StageTable {
    std::array<quint8, kStages> codes{}; // stages missing from the list stay 0
    quint8 highMask = 0;                 // bit i: the ninth code bit of stage i
    int listSize = 0;                    // stages taken from the list (at most kStages)
};

// Encodes the first eight values of a list (numbers or their text; anything else counts as 0).
StageTable encodeStages(const QString &sensorType, const QVariantList &values);

// Bit i set for every stage i below the number of enabled stages.
quint8 enabledMask(int enabledStages);

// 553 family: the stages of the list from `enabledStages` on are switched off.
void switchOffFrom(StageTable &table, int enabledStages);

// 560 family: writes the codes (twice), the enabled mask and, for "3389", the high-bit mask
// (twice) into a 128-byte profile image.
void writeToImage(uchar *image, const StageTable &table, int enabledStages, bool withHighMask);

bool hasHighBit(const QString &sensorType);

} // namespace dpistages
