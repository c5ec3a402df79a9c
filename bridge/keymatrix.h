#pragma once
// Key matrices: sixteen entries of four values (type, code 1, code 2, code 3), button 0 first.
// The pages keep the UI form; the device receives the device form as 64 bytes, translated here.
// Everything in this unit is pure: lists and byte arrays in, byte arrays out.
#include "bridge/vocabulary.h"
#include "device/protocol.h"

#include <QByteArray>
#include <QList>
#include <QVariantList>

class QSettings;

namespace keymatrix
{

constexpr int kButtons = MouseButtons::Count;
constexpr int kBytes = kButtons * 4;

// Device type of a gun key, and of the gun-period entry of the matrices 2 to 4.
constexpr uchar kGunKeyType = ButtonAction::Gun;
constexpr uchar kGunPeriodType = 0x0B;

// Whether a UI-form entry (four values) is one the assignment panel can produce for this button,
// the factory special functions (type 0xFF) and the empty entry (0, 0, 0, 0) included: four
// whole numbers of a known type with codes of that type. A macro entry must name the button's
// own slot, one of the twelve the mouse has.
bool isValidEntry(const QVariantList &entry, int button);
// The assignment of a button as the pages and the mouse get it: the profile's entry when valid,
// else the factory profile's (else the empty entry). *replaced tells whether the profile's
// entry was set aside; the file is left as it is.
QVariantList usableEntry(const QSettings &profile, const QSettings &factory, int button,
                         bool *replaced);

// The firmware matrix a profile keeps as mouseFwKeyMatrix/0..15 (four values each, low 8 bits).
// Returns false, leaving *matrix untouched, when an entry is missing, has fewer than four values
// or holds a value that is not a number: such a matrix must never reach the device half built.
bool firmwareMatrix(const QSettings &profile, QByteArray *matrix);
// The firmware matrix to build on: the profile's own when it is complete, else the factory
// profile's; empty when neither is complete.
QByteArray usableFirmwareMatrix(const QSettings &profile, const QSettings &factory);

// The matrices 2, 3 and 4 that reset the gun levels of a 553-family mouse: the firmware matrix,
// then the same with the gun-period entry and the gun keys of levels one and two.
QList<QByteArray> gunResetMatrices553(const QByteArray &firmware);
// The matrices 2, 3 and 4 that reset the gun levels of the family's mouse: the 553's above, the
// firmware matrix three times for the 560.
QList<QByteArray> gunResetMatrices(const QByteArray &firmware, Family family);

// Matrix 1 in the device form from the first 64 values of the UI form (low 8 bits of each);
// values missing from a shorter list count as 0.
QByteArray toDeviceForm(const QVariantList &ui);
bool hasGunKey(const QByteArray &deviceForm);

// What a matrix with gun keys sends: matrices 1 to 4 and, for the 560 family, the level mask
// for byte 2 of profile image 0 (-1 when no gun key had a level of 1, 2 or 3).
struct GunMatrices {
    QList<QByteArray> matrices; // matrix 1 first
    int levelMask = -1;
};
// Builds matrices 1 to 4 from the translated matrix 1, the firmware matrix and the three gun
// periods (a period missing from the list counts as 0).
GunMatrices gunMatrices(const QByteArray &deviceForm, const QByteArray &firmware, Family family,
                        const QVariantList &gunPeriods);

} // namespace keymatrix
