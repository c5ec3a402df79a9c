#pragma once
// DPI stage tables in the device form: one code byte per stage, encoded the way the mouse's
// optical sensor expects, plus the masks that go with them. Pure functions, no device.
#include "device/stagetable.h"

#include <QString>
#include <QVariantList>

namespace dpistages
{

struct StageCode {
    quint8 code = 0;
    bool highBit = false; // only "3389" codes have a ninth bit
};

// One stage value in DPI encoded for a sensor type; unknown types encode like "4090". Values
// that do not fit a byte keep their low 8 bits.
StageCode encodeStage(const QString &sensorType, int dpi);

// Encodes the first eight values of a list (numbers or their text; anything else counts as 0).
StageTable encodeStages(const QString &sensorType, const QVariantList &values);

bool hasHighBit(const QString &sensorType);

} // namespace dpistages
