#include "bridge/lighting.h"

#include <algorithm>

namespace lighting
{
namespace
{

constexpr int kPositions = 5; // slider positions 0..4
using Row = std::array<quint8, kPositions>;

// The byte of a slider position in a row, 0 for positions the row does not have.
quint8 pick(const Row &row, int position)
{
    return position >= 0 && position < kPositions ? row[position] : 0;
}

constexpr Row kNoSpeed{0, 0, 0, 0, 0};
constexpr Row kBrightness{0, 64, 128, 192, 255};

struct FullColourRow {
    quint8 mode;
    bool hasLevel; // level = brightness byte, else 0
    Row speeds;
};

// Indexed by effect: 0 Static, 1 Breath, 2 Neon, 3 Off, 4 Twinkling, 5 Wave, 6 Gliding,
// 7 Finger Moving, 8 Vertical Flipping, 9 Yo-yo, 10 Spotlight.
constexpr FullColourRow kFullColour[] = {
    {1, true, kNoSpeed},
    {3, false, {10, 7, 5, 3, 1}},
    {4, false, {10, 7, 5, 3, 1}},
    {0, false, kNoSpeed},
    {2, true, kNoSpeed},
    {5, true, {10, 7, 5, 3, 1}},
    {6, false, kNoSpeed},
    {7, true, kNoSpeed},
    {8, true, {20, 17, 15, 13, 11}},
    {9, true, {15, 13, 10, 7, 5}},
    {10, true, {30, 27, 24, 22, 20}},
};
constexpr int kFullColourEffects = int(sizeof kFullColour / sizeof kFullColour[0]);

constexpr Row kSimpleStatic{1, 3, 5, 7, 10};
constexpr Row kSimpleNeon{30, 24, 18, 12, 6};
constexpr quint8 kSimpleLast = 2;

} // namespace

EffectBytes fullColourEffect(int effect, int speed, int brightness)
{
    if (effect < 0 || effect >= kFullColourEffects)
        return {0, 0, 0};
    const FullColourRow &row = kFullColour[effect];
    return {row.mode, row.hasLevel ? pick(kBrightness, brightness) : quint8(0),
            pick(row.speeds, speed)};
}

EffectBytes simpleEffect(int effect, int speed, int brightness)
{
    switch (effect) {
    case 0:
        return {1, pick(kSimpleStatic, brightness), kSimpleLast};
    case 1:
        return {2, static_cast<quint8>((speed + 1) & 0xFF), kSimpleLast};
    case 2:
        return {3, pick(kSimpleNeon, speed), kSimpleLast};
    default:
        return {0, 0, kSimpleLast};
    }
}

ColourTable colourTable(const QVariantList &values)
{
    ColourTable table{};
    const int n = std::min<int>(int(values.size()), kColourBytes);
    for (int i = 0; i < n; ++i)
        table[i] = static_cast<quint8>(values[i].toInt() & 0xFF);
    return table;
}

} // namespace lighting
