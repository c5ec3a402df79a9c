#pragma once
// The object through which the scene acts on the frameless host window ("ui_Ctl"): it moves,
// minimises and hides the window and switches on the scene's busy protection.
#include <QObject>

class AutoSwitchHost;
class Hid_Thread;
class myQQuickView;
class QWidget;

class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    explicit Ui_Controler(QObject *parent = nullptr);

    QWidget *hostWidget = nullptr; // not owned
    myQQuickView *view = nullptr;  // child of hostWidget
    AutoSwitchHost *autoSwitch = nullptr; // child of view; "ui_AutoSwitch" to the scene

    // The main scene's size (its root item's): the window has it before the scene is built.
    static constexpr int kSceneWidth = 1024;
    static constexpr int kSceneHeight = 640;

    // Makes the host a frameless translucent window of the scene's size, creates the view inside
    // it and publishes ui_View, hid and ui_Ctl to the view's context. The main scene is built
    // here when loadNow is set, else by the first call of loadScene.
    void setup(QWidget *host, Hid_Thread *hid, bool loadNow = true);
    // Builds the main scene into the view, once; later calls do nothing.
    void loadScene();
    bool sceneLoaded() const;

public slots:
    void onMinimize();
    void onClose();
    // Hands the drag that has just been pressed to the window system (the only way to move a
    // window on Wayland, and the window manager's own move on X11); false when the platform
    // cannot, and the scene then moves the window itself with onXChanged and onYChanged.
    bool startSystemMove();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();
};
