// Key-matrix slots: storing and sending the button assignments, switching the active matrix,
// resetting the gun matrices 2 to 4 to the profile's firmware matrix, the keyboard options and
// the read of one stored assignment. The translation itself lives in bridge/keymatrix.
#include "base/logging.h"
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "device/hid_thread.h"
#include "device/protocol.h"
#include "hooks/inputhooks.h"

#include <QSettings>

namespace
{
bool sameEntry(const QVariantList &a, const QVariantList &b)
{
    for (int i = 0; i < 4; ++i)
        if (a.value(i).toString().trimmed() != b.value(i).toString().trimmed())
            return false;
    return true;
}
} // namespace

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    // Only whole entries are stored; nothing past the list is read. An entry the panel cannot
    // make is neither stored nor sent: the button keeps its usable entry. And the usable entry
    // that stands in for a broken one in the file is not written over it as if it were chosen.
    QSettings &profile = *store->currentProfile();
    for (int b = 0; b < keymatrix::kButtons && 4 * b + 3 < src64.size(); ++b) {
        bool storedReplaced = false;
        const QVariantList usable =
            keymatrix::usableEntry(profile, *store->factoryProfile(), b, &storedReplaced);
        QVariantList entry = src64.mid(4 * b, 4);
        if (!keymatrix::isValidEntry(entry, b)) {
            noteOnce(QStringLiteral("%1: button %2 was given an entry the panel cannot make; its "
                                    "usable entry is kept")
                         .arg(profile.fileName())
                         .arg(b));
            entry = usable;
            for (int i = 0; i < 4; ++i)
                src64[4 * b + i] = entry.at(i);
        }
        if (storedReplaced && sameEntry(entry, usable))
            continue;
        store->setList(QStringLiteral("mouseKeyMatrix/%1").arg(b), entry);
    }
    if (!isSendData || !protocol_)
        return;
    if (src64.size() < keymatrix::kBytes) {
        // A short list would give the missing buttons keyboard entries without a key.
        ORBIS_LOG(lcBridge, "Key matrix not sent: fewer than 64 values");
        return;
    }
    QByteArray m1 = keymatrix::toDeviceForm(src64);
    const bool gunKeys = keymatrix::hasGunKey(m1);
    const QByteArray firmware =
        gunKeys ? keymatrix::usableFirmwareMatrix(*store->currentProfile(), *store->factoryProfile())
                : QByteArray();
    const Family family = protocol_->family();
    if (firmware.isEmpty()) {
        if (gunKeys) {
            // Matrix 1 still carries its gun keys with their level bytes, as when the gun
            // matrices go out with it.
            ORBIS_LOG(lcBridge, "Gun matrices not sent: no complete firmware matrix");
            m1 = keymatrix::gunMatrices(m1, QByteArray(), family, otherParam).matrices.first();
        }
        protocol_->writeKeyMatrix(m1);
        return;
    }
    const keymatrix::GunMatrices gun = keymatrix::gunMatrices(m1, firmware, family, otherParam);
    protocol_->writeGunKeyMatrices(gun.matrices, gun.levelMask);
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    if (protocol_)
        protocol_->switchKeyMatrix(indexNo);
}

void myQQuickView::mouseResetKeyMatrix()
{
    if (!protocol_)
        return;
    const QByteArray firmware =
        keymatrix::usableFirmwareMatrix(*store->currentProfile(), *store->factoryProfile());
    if (firmware.isEmpty()) {
        ORBIS_LOG(lcBridge, "Gun matrices not reset: no complete firmware matrix");
        return;
    }
    protocol_->resetGunKeyMatrices(keymatrix::gunResetMatrices(firmware, protocol_->family()));
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (hid)
        hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    uchar b[4] = {0, 0, 0, 0};
    if (hid)
        hid->hid553_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return {int(b[0]), int(b[1]), int(b[2]), int(b[3])};
}

QVariantList myQQuickView::mouseGetKeydefine(int index, bool isRecovery)
{
    if (index < 0 || index >= keymatrix::kButtons)
        return QVariantList();
    const QSettings &factory = *store->factoryProfile();
    const QSettings &source = isRecovery ? factory : *store->currentProfile();
    bool replaced = false;
    const QVariantList entry = keymatrix::usableEntry(source, factory, index, &replaced);
    if (replaced)
        noteOnce(QStringLiteral("%1: button %2 has no usable entry; the factory entry is used")
                     .arg(source.fileName())
                     .arg(index));
    return entry;
}

bool myQQuickView::isGlobalInputCapture()
{
    return inputCaptureIsGlobal();
}
