#pragma once
// Scrambling of the 8-byte body (command code, six parameters, checksum) of a feature report:
// a fixed byte permutation, XOR with the device's secrecy code, a 3-bit rotation of the whole
// body and the addition of a fixed key. Data blocks and event reports are never scrambled.
#include <QString>
#include <QtGlobal>

namespace scrambling
{

// Scrambles body[0..7] in place with secrecy code code[0..7] (only code[1..6] are used).
void encrypt(uchar *body, const uchar *code);
// Exact inverse of encrypt().
void decipher(uchar *body, const uchar *code);

// Copies the Latin-1 codes of a six-character sCode into code[1..6]. Any other length leaves the
// code unchanged and returns false.
bool loadSecrecyCode(const QString &sCode, uchar *code);

} // namespace scrambling
