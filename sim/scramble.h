#pragma once
// The firmware's side of the feature-report framing: the checksum of a body and the scrambling
// of bodies with the device's secrecy code. A body is the 8 bytes after the report id: command
// code, six parameter bytes, checksum.
#include <QByteArray>
#include <array>

namespace sim
{

using Body = std::array<quint8, 8>;
using SecrecyCode = std::array<quint8, 6>; // C1..C6

// 255 minus the 8-bit sum of body bytes 0..6.
quint8 bodyChecksum(const Body &body);
bool checksumValid(const Body &body);

// The six characters of a secrecy code; missing characters count as 0.
SecrecyCode secrecyCodeFrom(const QByteArray &text);

// What the host does before sending and the firmware does before replying.
void scrambleBody(Body &body, const SecrecyCode &code);
// The exact inverse: what the firmware does with a request and the host with a reply.
void unscrambleBody(Body &body, const SecrecyCode &code);

} // namespace sim
