// Key-matrix slots the main scene uses after a profile switch or a factory reset: switching the
// active matrix and resetting the gun matrices 2 to 4 to the profile's firmware matrix.
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "device/hid_thread.h"

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_02H_SetCurrentProfile(static_cast<uchar>(indexNo));
    else
        hid->hid553_02H_SetCurrentKeyMatrix(static_cast<uchar>(indexNo - 1));
}

void myQQuickView::mouseResetKeyMatrix()
{
    if (!hid)
        return;
    QByteArray firmware = keymatrix::firmwareMatrix(*store->currentProfile());
    if (is560()) {
        for (uchar matrix = 2; matrix <= 4; ++matrix)
            hid->hid560_0DH_SetKeyMatrix(reinterpret_cast<uchar *>(firmware.data()), matrix);
        return;
    }
    QList<QByteArray> matrices = keymatrix::gunResetMatrices553(firmware);
    for (int i = 0; i < matrices.size(); ++i)
        hid->hid553_12H_SetKeyMatrix(reinterpret_cast<uchar *>(matrices[i].data()),
                                     static_cast<uchar>(i + 2));
}
