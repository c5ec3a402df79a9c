// DPI stage table: encoded per sensor type here, written the way the mouse's family takes it.
#include "bridge/dpistages.h"
#include "bridge/myqquickview.h"
#include "device/protocol.h"

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    if (protocol_)
        protocol_->writeStages(dpistages::encodeStages(sensorType, dpiValueArray), dpiCount,
                               dpistages::hasHighBit(sensorType));
}
