#pragma once
// Values handed over by the scene, made fit for the INI files.
//
// A JavaScript array or object passed to a QVariant parameter arrives wrapped as a QJSValue, which
// QSettings can only write as a binary "@Variant(...)" blob that no later start can read back.
// Every slot that stores what the scene hands it passes the value through plainSettingValue
// first, so the files hold the plain text the stored formats use: numbers and text as they are,
// lists as "a, b, c".
#include <QVariant>

// The value as plain text or a list of plain texts: a QJSValue is unwrapped, a list (of any
// depth of wrapping) becomes a QStringList of its elements' texts, a whole number held as a
// double is written without a fraction, and an undefined or null value becomes empty text. Other scalars are kept as they are.
QVariant plainSettingValue(const QVariant &value);
