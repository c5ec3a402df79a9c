#pragma once
// Device bytes built from what the pages pass: the 128-byte macro block and the gun data of
// one gun slot, for both device families.
#include <QByteArray>
#include <QVariantList>

namespace devicedata
{

constexpr int MacroBlockSize = 128;
constexpr int MacroSlotCount = 12; // slots 0..11 here, 1..12 on the wire

// A zeroed block holding the low 8 bits of the values in order; values past the block's end
// are dropped.
QByteArray macroBlock(const QVariantList &values);

// Gun slot s of a 560-family mouse lives in profile image s: marker 0xF0 at byte 78, then shot
// count, X and Y; bit 2 of byte 65 cleared.
void patchGunImage(unsigned char *image128, int times, int x, int y);
// The Y correction a 553-family mouse gets: negated (8-bit two's complement) when the third
// keyboard option byte is set.
unsigned char gunY553(int y, unsigned char thirdOption);

} // namespace devicedata
