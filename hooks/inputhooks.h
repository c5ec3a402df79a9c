#pragma once
// Global input capture for macro recording and key capture, and the delivery of messages sent
// by other processes (the counterpart of a copy-data message). Callbacks are plain function
// pointers with an untyped context, stored process-wide.
//
// The hook procedures take hook records as a low-level keyboard or mouse hook delivers them;
// the platform input source (platform/inputsource.h, which defines them) fills the records: a global capture where
// the desktop allows one, else the events of this program's own windows while they have the
// focus. Every keystroke becomes a HID keyboard usage through two fixed maps (scan code to
// virtual key, virtual key to usage); left, right and middle buttons become the codes F0..F2.
#include "platform/inputsource.h"

#include <QtGlobal>

class QCoreApplication;

// A message from another process: a tag, a byte count and the bytes.
struct CopyDataMessage {
    quintptr dwData = 0;
    quint32 cbData = 0;
    const void *lpData = nullptr;
};

using KeyboardCallback = void (*)(quint8 usage, bool isDown, void *context);
using MouseCallback = void (*)(quint8 buttonCode, bool isDown, qint32 x, qint32 y, void *context);
using CopyDataCallback = void (*)(const CopyDataMessage *message, void *context);

// Keeps the flag, fills the key maps and starts the capture; true when keys and buttons are
// captured desktop-wide. Without a global capture (no X display, a Wayland session) the
// program's own windows are watched instead and false is returned; the program goes on.
bool installInputHooks(bool isoLayout);
void removeInputHooks();
// True while the global capture runs; false when keys reach the program only while one of its
// windows has the focus.
bool inputCaptureIsGlobal();
void setKeyboardCallback(KeyboardCallback callback, void *context);
void setMouseCallback(MouseCallback callback, void *context);
// Stores the callback; every message another process sends reaches it (see dispatchCopyData).
void setCopyDataCallback(CopyDataCallback callback, QCoreApplication *app, void *context);

// Hands one received message to the registered copy-data callback; false when none is set.
bool dispatchCopyData(const CopyDataMessage &message);

// The hook procedures, called by the platform input source for every key and mouse event.
// They only observe: passing the event on is the caller's business.
void keyboardHookProc(int code, quintptr wParam, const KeyboardHookRecord &record);
void mouseHookProc(int code, quintptr wParam, const MouseHookRecord &record);
