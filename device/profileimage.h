#pragma once
// The 128-byte on-board profile image of a 560-family mouse, with its one layout. Everything
// that writes into an image goes through these accessors; nothing else knows an offset.
//
//   byte   2        gun level mask (image 0)
//   24..47          colour table of a full-colour mouse (image 0): eight colours R, G, B
//   65              flags; bit 2 set while the image carries no gun data
//   71..73          lighting effect: mode, level or value, speed
//   78..81          gun data: marker F0, shot count, X, Y
//   82, 83          ninth bit of each stage code ("3389" sensors), twice
//   84..91, 92..99  the eight stage codes, twice
//   100             enabled-stage mask
//   104..127        colour table of a simple mouse (image 1)
#include <QtGlobal>
#include <algorithm>
#include <array>

class ProfileImage
{
public:
    static constexpr int kSize = 128;
    static constexpr int kStages = 8;
    static constexpr int kColourBytes = 24;

    uchar *data() { return bytes_.data(); }
    const uchar *data() const { return bytes_.data(); }
    uchar operator[](int i) const { return bytes_[i]; }

    uchar levelMask() const { return bytes_[kLevelMask]; }
    void setLevelMask(uchar mask) { bytes_[kLevelMask] = mask; }

    uchar flags() const { return bytes_[kFlags]; }
    void setFlags(uchar flags) { bytes_[kFlags] = flags; }

    // Where the colour table sits: image 0 of a full-colour mouse, image 1 of a simple one.
    enum class ColourPlace { Full, Simple };
    void setColours(ColourPlace place, const std::array<quint8, kColourBytes> &colours)
    {
        std::copy(colours.begin(), colours.end(),
                  bytes_.begin() + (place == ColourPlace::Full ? kColoursFull : kColoursSimple));
    }

    void setEffect(const std::array<quint8, 3> &effect)
    {
        std::copy(effect.begin(), effect.end(), bytes_.begin() + kEffect);
    }
    // The effect's third byte (speed).
    void setEffectSpeed(uchar speed) { bytes_[kEffect + 2] = speed; }

    // One gun preset: the marker, shot count, X and Y, and the flag that says gun data is there.
    void setGunData(uchar times, uchar x, uchar y)
    {
        bytes_[kGun] = kGunMarker;
        bytes_[kGun + 1] = times;
        bytes_[kGun + 2] = x;
        bytes_[kGun + 3] = y;
        bytes_[kFlags] &= static_cast<uchar>(~kFlagNoGunData);
    }

    // The stage codes (twice), the enabled mask and, when withHighBits, the ninth-bit mask (twice).
    void setStages(const std::array<quint8, kStages> &codes, uchar enabledMask, bool withHighBits,
                   uchar highMask)
    {
        std::copy(codes.begin(), codes.end(), bytes_.begin() + kStageCodes);
        std::copy(codes.begin(), codes.end(), bytes_.begin() + kStageCodes + kStages);
        bytes_[kEnabledMask] = enabledMask;
        if (withHighBits) {
            bytes_[kHighMask] = highMask;
            bytes_[kHighMask + 1] = highMask;
        }
    }
    quint8 stageCode(int stage) const { return bytes_[kStageCodes + stage]; }
    uchar enabledMask() const { return bytes_[kEnabledMask]; }

private:
    static constexpr int kLevelMask = 2;
    static constexpr int kColoursFull = 24;
    static constexpr int kFlags = 65;
    static constexpr uchar kFlagNoGunData = 0x04;
    static constexpr int kEffect = 71;
    static constexpr int kGun = 78;
    static constexpr uchar kGunMarker = 0xF0;
    static constexpr int kHighMask = 82;
    static constexpr int kStageCodes = 84;
    static constexpr int kEnabledMask = 100;
    static constexpr int kColoursSimple = 104;
    static_assert(kColoursSimple + kColourBytes == kSize, "the simple colours end the image");

    std::array<uchar, kSize> bytes_{};
};
