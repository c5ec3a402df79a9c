#include "bridge/dpistages.h"

#include <algorithm>

namespace dpistages
{
namespace
{

const QString k4090 = QStringLiteral("4090");
const QString k3360 = QStringLiteral("3360");
const QString k3050 = QStringLiteral("3050");
const QString k3389 = QStringLiteral("3389");

// "3050": the code of the first limit that is not below the value; 0 above the last.
struct LimitCode {
    int limit;
    quint8 code;
};
constexpr LimitCode k3050Table[] = {
    {250, 1},     {500, 2},     {750, 3},     {1000, 4},    {1250, 5},    {1500, 6},
    {1750, 7},    {2000, 8},    {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48},
};

quint8 lookup3050(int dpi)
{
    for (const LimitCode &row : k3050Table)
        if (dpi <= row.limit)
            return row.code;
    return 0;
}

quint8 low8(int value)
{
    return static_cast<quint8>(value & 0xFF);
}

} // namespace

bool hasHighBit(const QString &sensorType)
{
    return sensorType == k3389;
}

StageCode encodeStage(const QString &sensorType, int dpi)
{
    StageCode result;
    if (sensorType == k3360) {
        result.code = low8(dpi / 100 - 1);
    } else if (sensorType == k3050) {
        result.code = lookup3050(dpi);
    } else if (sensorType == k3389) {
        const int steps = dpi / 50;
        result.code = low8(steps);
        result.highBit = (steps & 0x100) != 0;
    } else { // "4090" and every type we do not know
        result.code = dpi > 5000 ? low8((dpi / 200) | 0x40) : low8(dpi / 100 - 1);
    }
    return result;
}

StageTable encodeStages(const QString &sensorType, const QVariantList &values)
{
    StageTable table;
    table.listSize = std::min<int>(int(values.size()), kStages);
    for (int i = 0; i < table.listSize; ++i) {
        const StageCode stage = encodeStage(sensorType, values[i].toInt());
        table.codes[i] = stage.code;
        if (stage.highBit)
            table.highMask |= quint8(1u << i);
    }
    return table;
}

} // namespace dpistages
