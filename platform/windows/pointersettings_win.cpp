// Windows pointer settings: one SystemParametersInfoW call per setting, stored in the user
// profile and broadcast to running applications. Built only on Windows.
#include "platform/pointersettings.h"

#include <windows.h>

namespace platform
{
namespace
{

constexpr UINT StoreAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

PointerSettings::Result result(BOOL ok)
{
    return ok ? PointerSettings::Result::Applied : PointerSettings::Result::Failed;
}

class WindowsPointerSettings : public PointerSettings
{
public:
    Result setPointerSpeed(unsigned windowsSpeed) override
    {
        // The speed travels as the pointer value itself.
        return result(SystemParametersInfoW(
            SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(windowsSpeed)),
            StoreAndBroadcast));
    }
    Result setDoubleClickTime(unsigned milliseconds) override
    {
        return result(SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                            StoreAndBroadcast));
    }
    Result setWheelScrollLines(unsigned lines) override
    {
        return result(
            SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, StoreAndBroadcast));
    }
};

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::create()
{
    return std::make_unique<WindowsPointerSettings>();
}

} // namespace platform
