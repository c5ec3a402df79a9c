#pragma once
// The one top-level window. It owns the device object, the window controller (which owns the
// QML view) and the tray icon, and drives device polling: a single-shot timer, re-armed by
// device-change notifications while no event listener runs, runs checkDevice.
#include "app/warningqueue.h"
#include "device/hid_thread.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>

class Ui_Controler;
struct StartOptions;
class myQQuickView;
class NoMouseNotice;
class QAction;
class QMenu;
struct CopyDataMessage;
namespace platform
{
class DeviceChangeSource;
}

class Widget : public QWidget
{
    Q_OBJECT
public:
    // When the main scene is built: at once, or at the first device check. The program starts
    // that check after the window's first frame, so the window does not wait for the scene,
    // whose root stays invisible until a mouse has connected anyway.
    enum class SceneLoad { Now, AtFirstCheck };
    explicit Widget(QWidget *parent = nullptr, SceneLoad sceneLoad = SceneLoad::Now);
    ~Widget() override;

    QTimer pollTimer;
    Ui_Controler *controller = nullptr;
    Hid_Thread hid;
    QSystemTrayIcon *trayIcon = nullptr;

    myQQuickView *view() const;
    QMenu *trayMenu() const { return trayMenu_; }
    // Why no mouse is connected and how to fix it: shown after a check that found no usable
    // mouse on a desktop without a tray, or when the window is asked for while no mouse is
    // connected (tray entry or icon, a start from the launcher). Null until first shown.
    NoMouseNotice *noMouseNotice() const { return notice_; }
    void showNoMouseNotice();
    // Whether the window has been asked for: false after a --hidden start until a plain start,
    // the tray icon or its entry asks; a check without a mouse then shows no notice either.
    void setWindowWanted(bool wanted) { windowWanted_ = wanted; }

    // A device was attached or removed: re-arm the poll timer unless the listener runs.
    void deviceChangeNotified();
    // Brings the window back un-minimised, raised and active (the tray's restore request).
    void restoreWindow();
    // The options of this start or of a later one handed over by a second start: the window is
    // shown when they ask for it and a mouse is connected; a profile is chosen once connected.
    void applyStartOptions(const StartOptions &options);

    // Callbacks registered with the hook module, the widget as context.
    static void onCopyData(const CopyDataMessage *message, void *context);
    static void onKeyboardEvent(quint8 usage, bool isDown, void *context);
    static void onMouseEvent(quint8 buttonCode, bool isDown, qint32 x, qint32 y, void *context);

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();

protected:
    void customEvent(QEvent *event) override;
    // Without a tray nothing could reach a hidden window: closing it ends the program.
    void closeEvent(QCloseEvent *event) override;
    // The place the window had when it was hidden, taken again when it is shown.
    void hideEvent(QHideEvent *event) override;
    // A new language: the tray menu's texts follow.
    void changeEvent(QEvent *event) override;

private:
    // After a connect: initUI as a sequence of the runner (from the event loop, once the device
    // is free), then run after the posted UserEvent 2177.
    void startUi();
    // No sequence runs, no command holds the transfer lock, and no device wait is on the stack.
    bool deviceFree() const;
    // Runs action now when the device is free, else as soon as it is.
    void whenDeviceFree(std::function<void()> action);
    // A DPI-switch report from the listener: the scene follows, a balloon tells the stage.
    void showDpiSwitch(int stage);
    void retranslate();
    void connectSequence();
    void disconnectSequence();
    void applyPendingProfile();
    void onStartRequest(const CopyDataMessage &message);

    QMenu *trayMenu_ = nullptr;
    // The tray entry that shows the no-mouse notice; visible while no mouse is connected.
    QAction *noticeAction_ = nullptr;
    QAction *quitAction_ = nullptr;
    // "Switch profiles automatically": the automatic profile choice on or off (global file).
    QAction *autoSwitchAction_ = nullptr;
    bool windowWanted_ = true;
    // A device check has ended at least once: a missing mouse is known, not just not yet found.
    bool checkedOnce_ = false;
    QPoint keptPos_;
    bool hasKeptPos_ = false;
    // Instance messages' warning boxes, one at a time, opened from the event loop.
    WarningQueue warnings_;
    NoMouseNotice *notice_ = nullptr;
    platform::DeviceChangeSource *deviceChanges_ = nullptr;
    // A check can fall due (poll timer) while another is inside its handshake, which processes
    // events while it waits. Such a check is not nested: it runs once the running one has ended.
    bool checkRunning_ = false;
    bool checkDeferred_ = false;
    // A check fell due while a command held the transfer lock and waits for it.
    bool checkAwaitsLock_ = false;
    // The scene's profile number a start asked for, chosen after the next connect; -1: none.
    int pendingProfile_ = -1;
};

// Called once after the widget is built and before the first device check. The real program
// does nothing here; the demo attaches its simulated mouse and adds its tray actions.
void orbisStartupHook(Widget &widget);
