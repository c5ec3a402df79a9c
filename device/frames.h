#pragma once
// Report framing: the 9-byte feature report (report id 0, command code, six parameters, checksum)
// and the data blocks that follow some requests.
#include <QByteArray>
#include <QtGlobal>
#include <array>

namespace frames
{

using Params = std::array<uchar, 6>;  // request offsets 2..7
using Request = std::array<uchar, 9>; // offsets 0..8

// Ones' complement of the 8-bit sum of seven bytes (request offsets 1..7).
uchar checksum(const uchar *seven);

// 00, code, params, checksum.
Request request(uchar code, const Params &params);

// A copy of n caller-owned bytes.
inline QByteArray bytes(const uchar *src, int n)
{
    return QByteArray(reinterpret_cast<const char *>(src), n);
}

// Bytes per interrupt report of a block of n bytes: n when it fits one report, else
// reportLength. Not defined for a non-positive reportLength (refused earlier).
int chunkLength(int n, int reportLength);
// n rounded up to a whole number of chunks: the room a block buffer needs.
int roundedSize(int n, int reportLength);

// The 64-byte key matrix as a 553 device takes it: key entries 5 and 6 (bytes 20..23 and
// 24..27) trade places. Returns a changed copy.
QByteArray exchangeKeyEntries(const QByteArray &matrix64);

// Index into the eight DPI-switch notice texts for a reported stage: stage 1..7 → 0..6, any other
// stage → 7.
int dpiSwitchTextIndex(int stage);

} // namespace frames
