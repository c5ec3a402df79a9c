#pragma once
// The object through which the scene acts on the frameless host window ("ui_Ctl"): it moves,
// minimises and hides the window and switches on the scene's busy protection.
#include <QObject>

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

    // Makes the host a frameless translucent window, creates the view inside it, loads the main
    // scene and publishes ui_View, hid and ui_Ctl to it.
    void setup(QWidget *host, Hid_Thread *hid);

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();
};
