#include "device/frames.h"

namespace frames
{

uchar checksum(const uchar *seven)
{
    uint sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += seven[i];
    return static_cast<uchar>(~sum);
}

Request request(uchar code, const Params &params)
{
    Request r{};
    r[1] = code;
    for (int i = 0; i < 6; ++i)
        r[2 + i] = params[i];
    r[8] = checksum(&r[1]);
    return r;
}

int chunkLength(int n, int reportLength)
{
    return n < reportLength ? n : reportLength;
}

int roundedSize(int n, int reportLength)
{
    const int len = chunkLength(n, reportLength);
    return len > 0 ? (n + len - 1) / len * len : 0;
}

QByteArray exchangeKeyEntries(const QByteArray &matrix64)
{
    QByteArray block = matrix64;
    for (int i = 0; i < 4; ++i)
        std::swap(block[20 + i], block[24 + i]);
    return block;
}

int dpiSwitchTextIndex(int stage)
{
    return stage >= 1 && stage <= 7 ? stage - 1 : 7;
}

} // namespace frames
