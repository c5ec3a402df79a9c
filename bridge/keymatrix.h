#pragma once
// Key matrices in the device form: sixteen entries of four bytes (type, code 1, code 2, code 3),
// button 0 first.
#include <QByteArray>
#include <QList>

class QSettings;

namespace keymatrix
{

constexpr int kButtons = 16;
constexpr int kBytes = kButtons * 4;

// The firmware matrix a profile keeps as mouseFwKeyMatrix/0..15 (four values each, low 8 bits).
// A missing entry, or a missing or unreadable value in one, is sent as 0.
QByteArray firmwareMatrix(const QSettings &profile);

// The matrices 2, 3 and 4 that reset the gun levels of a 553-family mouse: the firmware matrix,
// then the same with the gun-period entry and the gun keys of levels one and two.
QList<QByteArray> gunResetMatrices553(const QByteArray &firmware);

} // namespace keymatrix
