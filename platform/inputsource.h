#pragma once
// The platform input source: a desktop-wide capture of keys and mouse buttons that fills hook
// records and calls the hook procedures of hooks/inputhooks.h. Linux: X11 (XRecord) when the
// program runs on an X display; Windows: the low-level keyboard and mouse hooks.
#include <QtGlobal>

namespace platform
{
// Starts the capture; false when none is possible here (no X display, a Wayland session, the
// hooks refused). A failure is logged once; nothing retries.
bool startInputCapture();
void stopInputCapture();
// The hook record's scan code and extended flag of a key whose native scan code is the one Qt
// reports on this platform (QKeyEvent::nativeScanCode); false for keys the table lacks.
bool hookScanCode(quint32 nativeScanCode, quint32 *scanCode, bool *extended);
} // namespace platform
