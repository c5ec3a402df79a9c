#pragma once
// Desktop-wide pointer settings: pointer speed, double-click time and wheel scroll lines. The
// values are given in the Windows units the scene works with; each backend carries them over to
// its desktop. Free of Qt, so the Windows backend builds without it.
#include <memory>

namespace platform
{

class PointerSettings
{
public:
    enum class Result {
        Applied,
        Failed,      // the desktop refused the value
        Unavailable, // this desktop has no such setting (or no backend at all)
    };

    virtual ~PointerSettings() = default;
    // Windows pointer speed 1..20.
    virtual Result setPointerSpeed(unsigned windowsSpeed) = 0;
    virtual Result setDoubleClickTime(unsigned milliseconds) = 0;
    // Lines per wheel notch; 1000 means one screen per notch.
    virtual Result setWheelScrollLines(unsigned lines) = 0;

    // The backend of this OS (Linux: GNOME GSettings and KDE's kdeglobals; Windows:
    // SystemParametersInfoW).
    static std::unique_ptr<PointerSettings> create();
};

} // namespace platform
