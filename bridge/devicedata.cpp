#include "bridge/devicedata.h"

namespace devicedata
{

QByteArray macroBlock(const QVariantList &values)
{
    QByteArray block(MacroBlockSize, '\0');
    const int n = qMin(int(values.size()), MacroBlockSize);
    for (int i = 0; i < n; ++i)
        // Press timings may come with a fraction: the integer part is sent.
        block[i] = char(static_cast<qint64>(values.at(i).toDouble()) & 0xff);
    return block;
}

void patchGunImage(unsigned char *image128, int times, int x, int y)
{
    image128[78] = 0xF0;
    image128[79] = static_cast<unsigned char>(times & 0xff);
    image128[80] = static_cast<unsigned char>(x & 0xff);
    image128[81] = static_cast<unsigned char>(y & 0xff);
    image128[65] &= static_cast<unsigned char>(~0x04);
}

unsigned char gunY553(int y, unsigned char thirdOption)
{
    const int value = thirdOption != 0 ? -y : y;
    return static_cast<unsigned char>(value & 0xff);
}

} // namespace devicedata
