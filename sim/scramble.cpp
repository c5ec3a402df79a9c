#include "sim/scramble.h"

#include <utility>

namespace sim
{
namespace
{

constexpr char kFixedKey[8] = {'V', 'a', 'L', 'm', 'O', 'r', 'K', 'i'};

quint8 swappedKeyByte(int i)
{
    const auto k = static_cast<quint8>(kFixedKey[i]);
    return static_cast<quint8>((k << 4) | (k >> 4));
}

// Exchanges b0 with b5, b1 with b4, b2 with b7, b3 with b6; its own inverse.
void exchangePairs(Body &b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

// Bytes 1..6 are XORed with C1..C6; its own inverse.
void mixCode(Body &b, const SecrecyCode &code)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i - 1];
}

quint64 toWord(const Body &b)
{
    quint64 word = 0;
    for (quint8 byte : b)
        word = (word << 8) | byte;
    return word;
}

void fromWord(quint64 word, Body &b)
{
    for (int i = 7; i >= 0; --i) {
        b[i] = static_cast<quint8>(word & 0xff);
        word >>= 8;
    }
}

} // namespace

quint8 bodyChecksum(const Body &body)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += body[i];
    return static_cast<quint8>(255 - (sum & 0xff));
}

bool checksumValid(const Body &body)
{
    return bodyChecksum(body) == body[7];
}

SecrecyCode secrecyCodeFrom(const QByteArray &text)
{
    SecrecyCode code{};
    for (int i = 0; i < 6 && i < text.size(); ++i)
        code[i] = static_cast<quint8>(text[i]);
    return code;
}

void scrambleBody(Body &body, const SecrecyCode &code)
{
    exchangePairs(body);
    mixCode(body, code);
    const quint64 word = toWord(body);
    fromWord((word << 3) | (word >> 61), body);
    for (int i = 0; i < 8; ++i)
        body[i] = static_cast<quint8>(body[i] + swappedKeyByte(i));
}

void unscrambleBody(Body &body, const SecrecyCode &code)
{
    for (int i = 0; i < 8; ++i)
        body[i] = static_cast<quint8>(body[i] - swappedKeyByte(i));
    const quint64 word = toWord(body);
    fromWord((word >> 3) | (word << 61), body);
    mixCode(body, code);
    exchangePairs(body);
}

} // namespace sim
