#pragma once
// The device commands as data: code, the line written when the transfer lock is not obtained,
// and what follows the transfer. The request layouts are the slots' arguments (hid_thread
// command files); one routine per command shape sends them.
#include <QtGlobal>

struct CommandSpec {
    enum After { Nothing, Settle, Pause8 };
    uchar code;
    const char *failLine;
    After after; // settle pause inside the transfer, or an 8 ms pause once the lock is free
};

namespace cmd553
{
constexpr CommandSpec GetSecrecyCode{0x00, "cmd Failed 00", CommandSpec::Nothing};
constexpr CommandSpec SetReportRate{0x01, "cmd Failed 01", CommandSpec::Settle};
constexpr CommandSpec SetCurrentKeyMatrix{0x02, "cmd Failed 02", CommandSpec::Settle};
constexpr CommandSpec SetKeyboardoption{0x03, "cmd Failed 03", CommandSpec::Pause8};
constexpr CommandSpec SetGunData{0x04, "cmd Failed 04", CommandSpec::Pause8};
constexpr CommandSpec SetCurrentDPI{0x0B, "cmd Failed 0B", CommandSpec::Settle};
constexpr CommandSpec SetRGBLedEffect{0x0D, "cmd Failed 0D", CommandSpec::Settle};
constexpr CommandSpec SetLED8StageColor{0x10, "cmd Failed 10", CommandSpec::Settle};
constexpr CommandSpec SetDPISet{0x11, "cmd Failed 11", CommandSpec::Settle};
constexpr CommandSpec SetKeyMatrix{0x12, "cmd Failed 12", CommandSpec::Settle};
constexpr CommandSpec SetMacroKey{0x13, "cmd Failed 13", CommandSpec::Settle};
constexpr CommandSpec GetKeyboardoption{0x83, "cmd Failed 83", CommandSpec::Nothing};
constexpr CommandSpec GetCurrentDPI{0x8B, "cmd Failed 8BH", CommandSpec::Nothing};
} // namespace cmd553

namespace cmd560
{
constexpr CommandSpec SetKeyboardoption{0x01, "cmd Failed 01", CommandSpec::Pause8};
constexpr CommandSpec SetCurrentProfile{0x02, "cmd Failed 02", CommandSpec::Pause8};
constexpr CommandSpec SetReportRate{0x03, "cmd Failed 03", CommandSpec::Settle};
constexpr CommandSpec SetCurrentDPI{0x04, "cmd Failed 04", CommandSpec::Settle};
constexpr CommandSpec SetProfile{0x0C, "cmd Failed 0C", CommandSpec::Settle};
constexpr CommandSpec SetKeyMatrix{0x0D, "cmd Failed 0D", CommandSpec::Settle};
constexpr CommandSpec SetMacroKey{0x0F, "cmd Failed 0F", CommandSpec::Settle};
constexpr CommandSpec GetKeyboardoption{0x81, "cmd Failed 81", CommandSpec::Nothing};
constexpr CommandSpec GetCurrentProfile{0x82, "cmd Failed 82", CommandSpec::Nothing};
constexpr CommandSpec GetCurrentDPI{0x84, "cmd Failed 84", CommandSpec::Nothing};
constexpr CommandSpec ReadProfile{0x8C, "cmd Failed 8c", CommandSpec::Nothing};
} // namespace cmd560
