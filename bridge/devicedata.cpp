#include "bridge/devicedata.h"

#include <cmath>

namespace devicedata
{

QByteArray macroBlock(const QVariantList &values)
{
    QByteArray block(MacroBlockSize, '\0');
    const int n = qMin(int(values.size()), MacroBlockSize);
    for (int i = 0; i < n; ++i) {
        // Press timings may come with a fraction: the integer part is sent. A value that is no
        // number, or beyond any integer, is sent as 0 rather than cast.
        const double value = values.at(i).toDouble();
        const bool castable = std::isfinite(value) && std::fabs(value) < 1e15;
        block[i] = char((castable ? static_cast<qint64>(value) : 0) & 0xff);
    }
    return block;
}

} // namespace devicedata
