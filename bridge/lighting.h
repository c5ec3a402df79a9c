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

// Full-colour model: (mode, level, speed). Effects, speeds and brightnesses out of range give
// zero bytes, as the page's positions 0..4 and effects 0..10 are all the device knows.
EffectBytes fullColourEffect(int effect, int speed, int brightness);
// Simple model: (mode, value, 2).
EffectBytes simpleEffect(int effect, int speed, int brightness);

// The first 24 values of a list, low 8 bits each; missing values are 0.
ColourTable colourTable(const QVariantList &values);

} // namespace lighting
