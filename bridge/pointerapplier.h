#pragma once
// Applies the system-setting page's pointer choices to the desktop through a pointer-settings
// backend. The page works in speed steps 0..10; the desktop gets Windows units: pointer speed
// 2 x step (1 for step 0, so 1, 2, 4 .. 20) and a double-click time of 900 - 70 x step ms
// (900 down to 200). Wheel lines pass unchanged (1000: one screen).
//
// A refused value writes its fixed debug line ("setCursorSpeed Failed", ...). A setting this
// desktop does not have is said once per setting and process, then passed over in silence.
#include "platform/pointersettings.h"

#include <memory>

class PointerApplier
{
public:
    explicit PointerApplier(std::unique_ptr<platform::PointerSettings> backend);

    static unsigned windowsSpeed(unsigned step) { return step == 0 ? 1 : 2 * step; }
    static unsigned doubleClickTime(unsigned step) { return 900 - 70 * step; }

    void setCursorSpeed(unsigned step);
    void setDoubleClickSpeed(unsigned step);
    void setVerticalScrollLines(unsigned lines);

private:
    enum Setting { Speed, DoubleClick, Wheel, SettingCount };
    void report(Setting setting, platform::PointerSettings::Result result);

    std::unique_ptr<platform::PointerSettings> backend_;
    bool unavailableSaid_[SettingCount] = {};
};
