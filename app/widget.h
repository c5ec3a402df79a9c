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
class myQQuickView;
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
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    QTimer pollTimer;
    Ui_Controler *controller = nullptr;
    Hid_Thread hid;
    QSystemTrayIcon *trayIcon = nullptr;

    myQQuickView *view() const;
    QMenu *trayMenu() const { return trayMenu_; }

    // A device was attached or removed: re-arm the poll timer unless the listener runs.
    void deviceChangeNotified();
    // Shows the window again (the tray's restore request).
    void restoreWindow();

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

private:
    // After a connect: initUI from the event loop once no command holds the device, then run
    // after the posted UserEvent 2177.
    void startUi();
    // Runs action now when no command holds the transfer lock, else as soon as none does.
    void whenDeviceFree(std::function<void()> action);
    void connectSequence();
    void disconnectSequence();

    QMenu *trayMenu_ = nullptr;
    // Instance messages' warning boxes, one at a time, opened from the event loop.
    WarningQueue warnings_;
    platform::DeviceChangeSource *deviceChanges_ = nullptr;
    // A check can fall due (poll timer) while another is inside its handshake, which processes
    // events while it waits. Such a check is not nested: it runs once the running one has ended.
    bool checkRunning_ = false;
    bool checkDeferred_ = false;
    // A check fell due while a command held the transfer lock and waits for it.
    bool checkAwaitsLock_ = false;
};

// Called once after the widget is built and before the first device check. The real program
// does nothing here; the demo attaches its simulated mouse and adds its tray actions.
void orbisStartupHook(Widget &widget);
