#pragma once
// The platform input source: a desktop-wide capture of keys and mouse buttons that fills hook
// records and hands each to the sinks it was started with (the hook procedures of
// hooks/inputhooks.h). Linux: X11 (XRecord) when the program runs on an X display; Windows: the
// low-level keyboard and mouse hooks.
#include <QtGlobal>

// The fields of a low-level keyboard hook record that the procedure reads.
struct KeyboardHookRecord {
    quint32 vkCode = 0;
    quint32 scanCode = 0;
    quint32 flags = 0; // kFlagExtended, kFlagAltDown
};
// The fields of a low-level mouse hook record that the procedure reads: screen coordinates.
struct MouseHookRecord {
    qint32 x = 0;
    qint32 y = 0;
};

namespace hookmsg
{
constexpr int HcAction = 0;
constexpr quint32 FlagExtended = 0x01;
constexpr quint32 FlagAltDown = 0x20;
constexpr quintptr KeyDown = 0x0100, KeyUp = 0x0101, SysKeyDown = 0x0104, SysKeyUp = 0x0105;
constexpr quintptr LButtonDown = 0x0201, LButtonUp = 0x0202, LButtonDblClk = 0x0203;
constexpr quintptr RButtonDown = 0x0204, RButtonUp = 0x0205, RButtonDblClk = 0x0206;
constexpr quintptr MButtonDown = 0x0207, MButtonUp = 0x0208, MouseWheel = 0x020A;
} // namespace hookmsg

namespace platform
{
// Where the capture hands its records: (hook code, message, record).
struct InputSinks {
    void (*keyboard)(int code, quintptr wParam, const KeyboardHookRecord &record) = nullptr;
    void (*mouse)(int code, quintptr wParam, const MouseHookRecord &record) = nullptr;
};
// Starts the capture, handing every record to sinks; false when none is possible here (no X
// display, a Wayland session, the hooks refused). A failure is logged once; nothing retries.
bool startInputCapture(const InputSinks &sinks);
void stopInputCapture();
// The hook record's scan code and extended flag of a key whose native scan code is the one Qt
// reports on this platform (QKeyEvent::nativeScanCode); false for keys the table lacks.
bool hookScanCode(quint32 nativeScanCode, quint32 *scanCode, bool *extended);
} // namespace platform
