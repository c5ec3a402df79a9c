#pragma once
// Device bytes built from what the pages pass: the 128-byte macro block.
#include <QByteArray>
#include <QVariantList>

namespace devicedata
{

constexpr int MacroBlockSize = 128;
constexpr int MacroSlotCount = 12; // slots 0..11 here, 1..12 on the wire

// A zeroed block holding the low 8 bits of the values in order; values past the block's end
// are dropped.
QByteArray macroBlock(const QVariantList &values);

} // namespace devicedata
