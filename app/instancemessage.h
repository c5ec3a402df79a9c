#pragma once
// Messages that another process sends to the running instance over its local socket.
// Frame: tag (32-bit little-endian), byte count n (32-bit little-endian), then n bytes.
#include <QByteArray>
#include <QString>

namespace instancemessage
{

constexpr quint32 kWarningTag = 9487;      // the only tag that may show the warning box
// A second start of the program: the body carries its options (app/commandline.h).
constexpr quint32 kStartRequestTag = 9500;
constexpr quint32 kMaxPayload = 64 * 1024; // longer frames are refused unread

QByteArray encode(quint32 tag, const QByteArray &payload);

// Accumulates the bytes of one connection until one whole frame has arrived.
class FrameReader
{
public:
    enum Status { NeedMore, Complete, Invalid };
    Status append(const QByteArray &bytes);
    quint32 tag() const { return tag_; }
    const QByteArray &payload() const { return payload_; }

private:
    QByteArray buffer_;
    quint32 tag_ = 0;
    QByteArray payload_;
    Status status_ = NeedMore;
};

// The text to show for a payload of cbData bytes, or a null string when nothing is shown:
// the payload is decoded as UTF-8 up to the first zero byte, and only if re-encoding that text
// gives exactly cbData bytes (well-formed UTF-8, no terminating or embedded zero) is it shown.
QString warningText(const char *data, quint32 cbData);

} // namespace instancemessage
