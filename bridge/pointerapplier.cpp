#include "bridge/pointerapplier.h"

#include "base/logging.h"

namespace
{

struct SettingLines {
    const char *failed;
    const char *unavailable;
};

// Indexed by PointerApplier::Setting.
constexpr SettingLines Lines[] = {
    {"setCursorSpeed Failed", "This desktop has no pointer speed setting"},
    {"setDoubleClickSpeed Failed", "This desktop has no double-click time setting"},
    {"setVerticalScrollLines Failed", "This desktop has no wheel scroll lines setting"},
};

} // namespace

PointerApplier::PointerApplier(std::unique_ptr<platform::PointerSettings> backend)
    : backend_(std::move(backend))
{
}

void PointerApplier::report(Setting setting, platform::PointerSettings::Result result)
{
    using Result = platform::PointerSettings::Result;
    if (result == Result::Failed) {
        ORBIS_LOG(lcBridge, Lines[setting].failed);
    } else if (result == Result::Unavailable && !unavailableSaid_[setting]) {
        unavailableSaid_[setting] = true;
        ORBIS_LOG(lcBridge, Lines[setting].unavailable);
    }
}

void PointerApplier::setCursorSpeed(unsigned step)
{
    report(Speed, backend_->setPointerSpeed(windowsSpeed(step)));
}

void PointerApplier::setDoubleClickSpeed(unsigned step)
{
    report(DoubleClick, backend_->setDoubleClickTime(doubleClickTime(step)));
}

void PointerApplier::setVerticalScrollLines(unsigned lines)
{
    report(Wheel, backend_->setWheelScrollLines(lines));
}
