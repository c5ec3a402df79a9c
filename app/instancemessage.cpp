#include "app/instancemessage.h"

#include <QStringDecoder>
#include <QtEndian>
#include <cstring>

namespace instancemessage
{

QByteArray encode(quint32 tag, const QByteArray &payload)
{
    QByteArray frame(8, '\0');
    qToLittleEndian<quint32>(tag, frame.data());
    qToLittleEndian<quint32>(static_cast<quint32>(payload.size()), frame.data() + 4);
    return frame + payload;
}

FrameReader::Status FrameReader::append(const QByteArray &bytes)
{
    if (status_ != NeedMore)
        return status_;
    buffer_.append(bytes);
    if (buffer_.size() < 8)
        return status_;
    const quint32 length = qFromLittleEndian<quint32>(buffer_.constData() + 4);
    if (length > kMaxPayload) {
        buffer_.clear();
        return status_ = Invalid;
    }
    if (static_cast<quint32>(buffer_.size()) < 8 + length)
        return status_;
    if (static_cast<quint32>(buffer_.size()) > 8 + length) {
        buffer_.clear();
        return status_ = Invalid; // one frame per connection
    }
    tag_ = qFromLittleEndian<quint32>(buffer_.constData());
    payload_ = buffer_.mid(8);
    buffer_.clear();
    return status_ = Complete;
}

QString warningText(const char *data, quint32 cbData)
{
    if (!data)
        return QString();
    const char *end = static_cast<const char *>(std::memchr(data, '\0', cbData));
    const qsizetype length = end ? end - data : static_cast<qsizetype>(cbData);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(QByteArrayView(data, length));
    if (text.toUtf8().size() != static_cast<qsizetype>(cbData))
        return QString();
    return text;
}

} // namespace instancemessage
