#pragma once
// A private X server (Xvfb) for tests that need a real display, and a private D-Bus session bus
// for tests that need one: each started for the test program, with its environment pointing at
// it, and stopped when the object goes.
#include <QByteArray>
#include <QProcess>
#include <sys/types.h>

namespace testsupport
{

class XServer
{
public:
    // Starts Xvfb on a free display number and points DISPLAY at it; running() tells whether
    // one started (Xvfb may not be installed).
    XServer();
    ~XServer();
    bool running() const { return pid_ > 0; }

private:
    pid_t pid_ = 0;
};

class SessionBus
{
public:
    // Starts dbus-daemon with a session configuration and points DBUS_SESSION_BUS_ADDRESS at
    // it; address() is empty when none started.
    SessionBus();
    ~SessionBus();
    const QByteArray &address() const { return address_; }

private:
    QProcess daemon_;
    QByteArray address_;
};

} // namespace testsupport
