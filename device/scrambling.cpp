#include "device/scrambling.h"

#include <utility>

namespace scrambling
{
namespace
{

const uchar kEncodeKey[8] = {'V', 'a', 'L', 'm', 'O', 'r', 'K', 'i'};

uchar swapNibbles(uchar x)
{
    return static_cast<uchar>((x << 4) | (x >> 4));
}

void permute(uchar *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void applyCode(uchar *b, const uchar *code)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
}

} // namespace

void encrypt(uchar *b, const uchar *code)
{
    permute(b);
    applyCode(b, code);
    const uchar first = b[0];
    for (int i = 0; i < 7; ++i)
        b[i] = static_cast<uchar>((b[i] << 3) | (b[i + 1] >> 5));
    b[7] = static_cast<uchar>((b[7] << 3) | (first >> 5));
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<uchar>(b[i] + swapNibbles(kEncodeKey[i]));
}

void decipher(uchar *b, const uchar *code)
{
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<uchar>(b[i] - swapNibbles(kEncodeKey[i]));
    const uchar last = b[7];
    for (int i = 7; i > 0; --i)
        b[i] = static_cast<uchar>((b[i] >> 3) | (b[i - 1] << 5));
    b[0] = static_cast<uchar>((b[0] >> 3) | (last << 5));
    applyCode(b, code);
    permute(b);
}

bool loadSecrecyCode(const QString &sCode, uchar *code)
{
    if (sCode.size() != 6)
        return false;
    const QByteArray latin = sCode.toLatin1();
    for (int k = 0; k < 6; ++k)
        code[k + 1] = static_cast<uchar>(latin[k]);
    return true;
}

} // namespace scrambling
