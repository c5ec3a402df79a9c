#include "hooks/inputhooks.h"

namespace
{
KeyboardCallback keyboardCallback = nullptr;
void *keyboardContext = nullptr;
MouseCallback mouseCallback = nullptr;
void *mouseContext = nullptr;
CopyDataCallback copyDataCallback = nullptr;
void *copyDataContext = nullptr;
} // namespace

// Global capture arrives with the button-assignment work; until then nothing is captured.
bool installInputHooks(bool /*isoLayout*/)
{
    return false;
}

void removeInputHooks() {}

void setKeyboardCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void setMouseCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

void setCopyDataCallback(CopyDataCallback callback, QCoreApplication * /*app*/, void *context)
{
    copyDataCallback = callback;
    copyDataContext = context;
}

bool dispatchCopyData(const CopyDataMessage &message)
{
    if (!copyDataCallback)
        return false;
    copyDataCallback(&message, copyDataContext);
    return true;
}
