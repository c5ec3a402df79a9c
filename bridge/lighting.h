#pragma once
// Lighting in the device form: the three effect bytes of the full-colour and the simple
// lighting model, and the 24-byte colour table. Pure functions, no device.
#include <QVariantList>
#include <array>

namespace lighting
{

using EffectBytes = std::array<quint8, 3>;
constexpr int kColourBytes = 24; // eight colours R, G, B, colour 0 first
using ColourTable = std::array<quint8, kColourBytes>;

// Byte offsets inside a 560 on-board profile image.
constexpr int kImageEffect = 71;        // mode, level or value, speed (three bytes)
constexpr int kImageColoursFull = 24;   // image 0 of full-colour mice
constexpr int kImageColoursSimple = 104; // image 1 of simple mice
constexpr quint8 kSimpleStandalone = 3; // byte 73 of image 1 on a simple mouse without guns

// Full-colour model: (mode, level, speed). Effects, speeds and brightnesses out of range give
// zero bytes, as the page's positions 0..4 and effects 0..10 are all the device knows.
EffectBytes fullColourEffect(int effect, int speed, int brightness);
// Simple model: (mode, value, 2).
EffectBytes simpleEffect(int effect, int speed, int brightness);

// The first 24 values of a list, low 8 bits each; missing values are 0.
ColourTable colourTable(const QVariantList &values);

} // namespace lighting
