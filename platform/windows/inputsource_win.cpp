// Windows input source: system-wide low-level keyboard and mouse hooks on the GUI thread. Each
// hook procedure hands its record to the sinks and passes the event on.
#include "platform/inputsource.h"

#include <windows.h>

namespace platform
{
namespace
{
InputSinks sinks;
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;

LRESULT CALLBACK lowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
    KeyboardHookRecord record;
    record.vkCode = info->vkCode;
    record.scanCode = info->scanCode;
    record.flags = info->flags;
    sinks.keyboard(code, wParam, record);
    return CallNextHookEx(keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK lowLevelMouse(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
    MouseHookRecord record;
    record.x = info->pt.x;
    record.y = info->pt.y;
    sinks.mouse(code, wParam, record);
    return CallNextHookEx(mouseHook, code, wParam, lParam);
}
} // namespace

bool startInputCapture(const InputSinks &to)
{
    sinks = to;
    if (keyboardHook || mouseHook)
        stopInputCapture();
    HMODULE module = GetModuleHandleW(nullptr);
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, lowLevelKeyboard, module, 0);
    mouseHook = SetWindowsHookExW(WH_MOUSE_LL, lowLevelMouse, module, 0);
    if (keyboardHook && mouseHook)
        return true;
    // A hook that was installed alone is removed again: half a capture is no capture.
    stopInputCapture();
    return false;
}

void stopInputCapture()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    keyboardHook = mouseHook = nullptr;
}

bool hookScanCode(quint32 nativeScanCode, quint32 *scanCode, bool *extended)
{
    // Qt reports the scan code with the extended flag in bit 8.
    *scanCode = nativeScanCode & 0xFF;
    *extended = (nativeScanCode & 0x100) != 0;
    return *scanCode != 0;
}
} // namespace platform
