#include "hooks/inputhooks.h"

#include "hooks/localcapture.h"
#include "platform/inputsource.h"

#include <QMap>
#include <iterator>

namespace
{
KeyboardCallback keyboardCallback = nullptr;
void *keyboardContext = nullptr;
MouseCallback mouseCallback = nullptr;
void *mouseContext = nullptr;
CopyDataCallback copyDataCallback = nullptr;
void *copyDataContext = nullptr;

bool isoLayout = false;
bool globalCapture = false;
bool installed = false;
// key = scan code << 8 | extended flag; value = virtual-key code.
QMap<quint16, quint8> scanToVk;
// virtual-key code to HID keyboard usage (page 0x07).
QMap<quint8, quint8> vkToUsage;
// Last reported state of each usage: 1 down, 0 up. Kept for the whole process.
quint8 keyDownState[256] = {};

// Runs of consecutive codes: first key, first value, length.
struct Run {
    quint16 key;
    quint8 value;
    quint8 count;
};

constexpr quint16 scan(quint8 code, bool extended = false)
{
    return static_cast<quint16>(code << 8 | (extended ? 1 : 0));
}

const Run kScanToVk[] = {
    {scan(0x01), 0x1B, 1}, {scan(0x02), 0x31, 9}, {scan(0x0B), 0x30, 1}, {scan(0x0C), 0xBD, 1},
    {scan(0x0D), 0xBB, 1}, {scan(0x0E), 0x08, 2}, {scan(0x10), 0x51, 1}, {scan(0x11), 0x57, 1},
    {scan(0x12), 0x45, 1}, {scan(0x13), 0x52, 1}, {scan(0x14), 0x54, 1}, {scan(0x15), 0x59, 1},
    {scan(0x16), 0x55, 1}, {scan(0x17), 0x49, 1}, {scan(0x18), 0x4F, 2}, {scan(0x1A), 0xDB, 1},
    {scan(0x1B), 0xDD, 1}, {scan(0x1C), 0x0D, 1}, {scan(0x1D), 0xA2, 1}, {scan(0x1E), 0x41, 1},
    {scan(0x1F), 0x53, 1}, {scan(0x20), 0x44, 1}, {scan(0x21), 0x46, 3}, {scan(0x24), 0x4A, 3},
    {scan(0x27), 0xBA, 1}, {scan(0x28), 0xDE, 1}, {scan(0x29), 0xC0, 1}, {scan(0x2A), 0xA0, 1},
    {scan(0x2B), 0xDC, 1}, {scan(0x2C), 0x5A, 1}, {scan(0x2D), 0x58, 1}, {scan(0x2E), 0x43, 1},
    {scan(0x2F), 0x56, 1}, {scan(0x30), 0x42, 1}, {scan(0x31), 0x4E, 1}, {scan(0x32), 0x4D, 1},
    {scan(0x33), 0xBC, 1}, {scan(0x34), 0xBE, 2}, {scan(0x37), 0x6A, 1}, {scan(0x38), 0xA4, 1},
    {scan(0x39), 0x20, 1}, {scan(0x3A), 0x14, 1}, {scan(0x3B), 0x70, 10}, {scan(0x45), 0x13, 1},
    {scan(0x46), 0x91, 1}, {scan(0x47), 0x67, 3}, {scan(0x4A), 0x6D, 1}, {scan(0x4B), 0x64, 3},
    {scan(0x4E), 0x6B, 1}, {scan(0x4F), 0x61, 3}, {scan(0x52), 0x60, 1}, {scan(0x53), 0x6E, 1},
    {scan(0x56), 0xE2, 1}, {scan(0x57), 0x7A, 2}, {scan(0x6E), 0x86, 1},
    // Extended keys; 0x0E is this system's private code for the keypad Enter key.
    {scan(0x1C, true), 0x0E, 1}, {scan(0x1D, true), 0xA3, 1}, {scan(0x35, true), 0x6F, 1},
    {scan(0x36, true), 0xA1, 1}, {scan(0x37, true), 0x2C, 1}, {scan(0x38, true), 0xA5, 1},
    {scan(0x45, true), 0x90, 1}, {scan(0x47, true), 0x24, 1}, {scan(0x48, true), 0x26, 1},
    {scan(0x49, true), 0x21, 1}, {scan(0x4B, true), 0x25, 1}, {scan(0x4D, true), 0x27, 1},
    {scan(0x4F, true), 0x23, 1}, {scan(0x50, true), 0x28, 1}, {scan(0x51, true), 0x22, 1},
    {scan(0x52, true), 0x2D, 2}, {scan(0x5B, true), 0x5B, 1}, {scan(0x5D, true), 0x5D, 1},
};

// The backslash entry (0xDC) is added apart: its usage depends on the layout.
const Run kVkToUsage[] = {
    {0x08, 0x2A, 2},  {0x0D, 0x28, 1}, {0x0E, 0x58, 1}, {0x13, 0x48, 1}, {0x14, 0x39, 1},
    {0x1B, 0x29, 1},  {0x20, 0x2C, 1}, {0x21, 0x4B, 1}, {0x22, 0x4E, 1}, {0x23, 0x4D, 1},
    {0x24, 0x4A, 1},  {0x25, 0x50, 1}, {0x26, 0x52, 1}, {0x27, 0x4F, 1}, {0x28, 0x51, 1},
    {0x2C, 0x46, 1},  {0x2D, 0x49, 1}, {0x2E, 0x4C, 1}, {0x30, 0x27, 1}, {0x31, 0x1E, 9},
    {0x41, 0x04, 26}, {0x5B, 0xE3, 1}, {0x5C, 0xE7, 1}, {0x5D, 0x65, 1}, {0x60, 0x62, 1},
    {0x61, 0x59, 9},  {0x6A, 0x55, 1}, {0x6B, 0x57, 1}, {0x6D, 0x56, 1}, {0x6E, 0x63, 1},
    {0x6F, 0x54, 1},  {0x70, 0x3A, 12}, {0x7C, 0x68, 12}, {0x90, 0x53, 1}, {0x91, 0x47, 1},
    {0xA0, 0xE1, 1},  {0xA1, 0xE5, 1}, {0xA2, 0xE0, 1}, {0xA3, 0xE4, 1}, {0xA4, 0xE2, 1},
    {0xA5, 0xE6, 1},  {0xBA, 0x33, 1}, {0xBB, 0x2E, 1}, {0xBC, 0x36, 1}, {0xBD, 0x2D, 1},
    {0xBE, 0x37, 2},  {0xC0, 0x35, 1}, {0xC1, 0x87, 1}, {0xC2, 0x85, 1}, {0xDB, 0x2F, 1},
    {0xDD, 0x30, 1},  {0xDE, 0x34, 1}, {0xE2, 0x64, 1}, {0xEB, 0x8B, 1}, {0xFF, 0x66, 1},
};

// Extended keys step by 1 in the key's low bit, so runs of them step the scan byte instead.
template <typename Key> void fill(QMap<Key, quint8> &map, const Run *runs, size_t n, int keyStep)
{
    map.clear();
    for (size_t r = 0; r < n; ++r)
        for (int i = 0; i < runs[r].count; ++i)
            map.insert(static_cast<Key>(runs[r].key + i * keyStep),
                       static_cast<quint8>(runs[r].value + i));
}

void buildMaps()
{
    fill(scanToVk, kScanToVk, std::size(kScanToVk), 0x100);
    fill(vkToUsage, kVkToUsage, std::size(kVkToUsage), 1);
    vkToUsage.insert(0xDC, isoLayout ? 0x32 : 0x31);
}

// Mouse messages 0x0201..0x0208: button code (0 = not reported) and isDown.
struct ButtonRow {
    quint8 code;
    bool isDown;
};
const ButtonRow kButtons[] = {{0xF0, true},  {0xF0, false}, {0, false}, {0xF1, true},
                              {0xF1, false}, {0, false},    {0xF2, true}, {0xF2, false}};
} // namespace

bool installInputHooks(bool iso)
{
    isoLayout = iso;
    buildMaps();
    if (installed)
        removeInputHooks();
    installed = true;
    globalCapture = platform::startInputCapture({keyboardHookProc, mouseHookProc});
    if (!globalCapture)
        localcapture::start();
    return globalCapture;
}

void removeInputHooks()
{
    platform::stopInputCapture();
    localcapture::stop();
    globalCapture = false;
    installed = false;
}

bool inputCaptureIsGlobal()
{
    return globalCapture;
}

void keyboardHookProc(int code, quintptr wParam, const KeyboardHookRecord &record)
{
    const bool isDown = code == hookmsg::HcAction
                        && (wParam == hookmsg::KeyDown || wParam == hookmsg::SysKeyDown);
    const bool extended = record.flags & hookmsg::FlagExtended;
    const quint8 scanByte = record.scanCode > 255 ? 0 : static_cast<quint8>(record.scanCode);
    quint8 vk = scanToVk.value(scan(scanByte, extended), 0);
    if (scanByte == 0x46 && extended) // Ctrl+Break
        vk = 0x13;
    else if (scanByte == 0x54 && (record.flags & hookmsg::FlagAltDown)) // Alt+Print Screen
        vk = 0x2C;
    if (vk == 0)
        return;
    const quint8 usage = vkToUsage.value(vk, 0);
    if (usage == 0 || keyDownState[usage] == (isDown ? 1 : 0))
        return;
    keyDownState[usage] = isDown ? 1 : 0;
    if (keyboardCallback)
        keyboardCallback(usage, isDown, keyboardContext);
}

void mouseHookProc(int /*code*/, quintptr wParam, const MouseHookRecord &record)
{
    if (wParam < hookmsg::LButtonDown || wParam > hookmsg::MButtonUp)
        return;
    const ButtonRow &row = kButtons[wParam - hookmsg::LButtonDown];
    if (row.code != 0 && mouseCallback)
        mouseCallback(row.code, row.isDown, record.x, record.y, mouseContext);
}

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
