#pragma once
// Global input capture for macro recording and key capture, and the delivery of messages sent
// by other processes (the counterpart of a copy-data message). Callbacks are plain function
// pointers with an untyped context, stored process-wide.
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

// Fills the key maps and installs the keyboard and mouse capture; true when both are in place.
bool installInputHooks(bool isoLayout);
void removeInputHooks();
void setKeyboardCallback(KeyboardCallback callback, void *context);
void setMouseCallback(MouseCallback callback, void *context);
// Stores the callback; every message another process sends reaches it (see dispatchCopyData).
void setCopyDataCallback(CopyDataCallback callback, QCoreApplication *app, void *context);

// Hands one received message to the registered copy-data callback; false when none is set.
bool dispatchCopyData(const CopyDataMessage &message);
