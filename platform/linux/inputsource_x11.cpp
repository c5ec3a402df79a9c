// Linux input source: a desktop-wide capture through the X Record extension, read on the GUI
// thread through a socket notifier. Each X key event becomes the scan code and extended flag of
// a low-level keyboard hook record, each button event the matching mouse message with screen
// coordinates. Used only when the program itself runs on an X display; a Wayland session lets
// no client see other clients' input, and there the program's own windows are watched instead.
#include "base/logging.h"
#include "platform/inputsource.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#ifdef ORBIS_HAVE_XRECORD
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#endif

namespace platform
{
namespace
{
InputSinks sinks;

// Evdev key codes (X key codes minus 8) to the scan codes of the hook record. Codes 1..88 are
// the scan codes themselves, apart from the few listed here.
struct EvdevKey {
    quint16 evdev;
    quint8 scan;
    bool extended;
};
const EvdevKey kExceptions[] = {
    {54, 0x36, true},  // right Shift: the maps know it only with the extended flag
    {69, 0x45, true},  // Num Lock
    {84, 0, false},    {85, 0, false}, // no keys of the table
    {96, 0x1C, true},  // keypad Enter
    {97, 0x1D, true},  // right Ctrl
    {98, 0x35, true},  // keypad /
    {99, 0x37, true},  // Print Screen
    {100, 0x38, true}, // right Alt
    {102, 0x47, true}, {103, 0x48, true}, {104, 0x49, true}, {105, 0x4B, true},
    {106, 0x4D, true}, {107, 0x4F, true}, {108, 0x50, true}, {109, 0x51, true},
    {110, 0x52, true}, {111, 0x53, true}, // Home .. Delete
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  {126, 0x5C, true}, {127, 0x5D, true}, // Windows keys, Application
    {193, 0x6E, false}, // F23
};

bool evdevToScan(quint32 evdev, quint32 *scan, bool *extended)
{
    for (const EvdevKey &k : kExceptions) {
        if (k.evdev == evdev) {
            *scan = k.scan;
            *extended = k.extended;
            return k.scan != 0;
        }
    }
    if (evdev < 1 || evdev > 88)
        return false;
    *scan = evdev;
    *extended = false;
    return true;
}

#ifdef ORBIS_HAVE_XRECORD
class XRecordCapture
{
public:
    ~XRecordCapture() { stop(); }

    bool start()
    {
        control_ = XOpenDisplay(nullptr);
        data_ = XOpenDisplay(nullptr);
        int major = 0, minor = 0;
        if (!control_ || !data_ || !XRecordQueryVersion(control_, &major, &minor))
            return fail("X Record extension unavailable: keys are captured only in this window");
        XRecordRange *range = XRecordAllocRange();
        if (!range)
            return fail("X Record range refused: keys are captured only in this window");
        range->device_events.first = KeyPress;
        range->device_events.last = ButtonRelease;
        XRecordClientSpec clients = XRecordAllClients;
        context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
        XFree(range);
        XSync(control_, False);
        if (!context_ || !XRecordEnableContextAsync(data_, context_, &XRecordCapture::onData,
                                                    nullptr))
            return fail("X Record context refused: keys are captured only in this window");
        notifier_ = new QSocketNotifier(ConnectionNumber(data_), QSocketNotifier::Read);
        QObject::connect(notifier_, &QSocketNotifier::activated, notifier_,
                         [this] { XRecordProcessReplies(data_); });
        XRecordProcessReplies(data_);
        return true;
    }

    void stop()
    {
        delete notifier_;
        notifier_ = nullptr;
        if (context_ && control_) {
            XRecordDisableContext(control_, context_);
            XRecordFreeContext(control_, context_);
            XFlush(control_);
        }
        context_ = 0;
        if (data_)
            XCloseDisplay(data_);
        if (control_)
            XCloseDisplay(control_);
        data_ = control_ = nullptr;
    }

private:
    bool fail(const char *line)
    {
        ORBIS_LOG(lcHooks, line);
        stop();
        return false;
    }

    static void onData(XPointer, XRecordInterceptData *intercept)
    {
        if (intercept->category == XRecordFromServer && intercept->data_len * 4 >= sizeof(xEvent)) {
            const auto *event = reinterpret_cast<const xEvent *>(intercept->data);
            const int type = event->u.u.type & 0x7F;
            const int detail = event->u.u.detail;
            if (type == KeyPress || type == KeyRelease) {
                KeyboardHookRecord record;
                bool extended = false;
                if (detail >= 8 && evdevToScan(detail - 8, &record.scanCode, &extended)) {
                    record.flags = (extended ? hookmsg::FlagExtended : 0)
                                   | (event->u.keyButtonPointer.state & Mod1Mask
                                          ? hookmsg::FlagAltDown : 0);
                    sinks.keyboard(hookmsg::HcAction,
                                     type == KeyPress ? hookmsg::KeyDown : hookmsg::KeyUp, record);
                }
            } else if (type == ButtonPress || type == ButtonRelease) {
                // X buttons 1, 2, 3 are left, middle, right; the wheel (4..7) and the extra
                // buttons have no message.
                static const quintptr down[] = {0, hookmsg::LButtonDown, hookmsg::MButtonDown,
                                                hookmsg::RButtonDown};
                static const quintptr up[] = {0, hookmsg::LButtonUp, hookmsg::MButtonUp,
                                              hookmsg::RButtonUp};
                if (detail >= 1 && detail <= 3) {
                    MouseHookRecord record;
                    record.x = event->u.keyButtonPointer.rootX;
                    record.y = event->u.keyButtonPointer.rootY;
                    sinks.mouse(hookmsg::HcAction,
                                  type == ButtonPress ? down[detail] : up[detail], record);
                }
            }
        }
        XRecordFreeData(intercept);
    }

    Display *control_ = nullptr;
    Display *data_ = nullptr;
    XRecordContext context_ = 0;
    QSocketNotifier *notifier_ = nullptr;
};
XRecordCapture *capture = nullptr;
#endif
} // namespace

bool startInputCapture(const InputSinks &to)
{
    sinks = to;
    // A capture that could not start is not tried again: the reason is logged once.
    static bool unavailable = false;
    if (unavailable)
        return false;
#ifdef ORBIS_HAVE_XRECORD
    if (capture)
        return true;
#endif
    const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
    unavailable = true;
#ifdef ORBIS_HAVE_XRECORD
    if (onX) {
        capture = new XRecordCapture;
        if (capture->start()) {
            unavailable = false;
            return true;
        }
        delete capture; // it said why
        capture = nullptr;
        return false;
    }
#endif
    ORBIS_LOG(lcHooks, onX ? "Built without X Record: keys are captured only in this window"
                           : "No X display: keys are captured only in this window");
    return false;
}

void stopInputCapture()
{
#ifdef ORBIS_HAVE_XRECORD
    delete capture;
    capture = nullptr;
#endif
}

bool hookScanCode(quint32 nativeScanCode, quint32 *scanCode, bool *extended)
{
    // Qt reports X key codes (evdev + 8) under X11 and under Wayland alike.
    return nativeScanCode >= 8 && evdevToScan(nativeScanCode - 8, scanCode, extended);
}

} // namespace platform
