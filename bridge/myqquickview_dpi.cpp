// DPI stage table: encoded per sensor type and sent by command (553 family) or inside the
// on-board profile images (560 family).
#include "bridge/dpistages.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

void myQQuickView::sendStageImages(bool withGunProfiles)
{
    const int last = withGunProfiles ? kLastStageImage : kFirstStageImage;
    for (int n = kFirstStageImage; n <= last; ++n)
        hid->hid560_0CH_setProfile(profileImage[n], static_cast<uchar>(n));
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    if (!hid)
        return;
    dpistages::StageTable table = dpistages::encodeStages(sensorType, dpiValueArray);
    if (is560()) {
        const bool withHighMask = dpistages::hasHighBit(sensorType);
        for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
            dpistages::writeToImage(profileImage[n], table, dpiCount, withHighMask);
        sendStageImages(isGun);
        return;
    }
    dpistages::switchOffFrom(table, dpiCount);
    hid->hid553_11H_SetDPISet(static_cast<uchar>(dpiCount), table.codes.data());
}
