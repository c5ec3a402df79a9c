#pragma once
// The window in front on an X display: the root window's _NET_ACTIVE_WINDOW, which the window
// manager keeps, watched for PropertyNotify on an xcb connection of its own (so it works
// whatever Qt's platform is, XWayland included). Each change reads the window's WM_CLASS and
// _NET_WM_PID.
#include "platform/activewindow.h"

#include <xcb/xcb.h>

class QSocketNotifier;

namespace platform
{

class X11ActiveWindowSource : public ActiveWindowSource
{
    Q_OBJECT
public:
    // Connects to displayName ($DISPLAY when empty); valid() is false when that failed.
    explicit X11ActiveWindowSource(bool coversAll, QObject *parent = nullptr,
                                   const QByteArray &displayName = QByteArray());
    ~X11ActiveWindowSource() override;
    bool valid() const { return connection_ != nullptr; }
    bool coversAll() const override { return coversAll_; }
    // Reads the window in front now and reports it when it changed.
    void readActive();

private:
    void readEvents();
    xcb_atom_t atom(const char *name) const;
    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const;

    bool coversAll_;
    xcb_connection_t *connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t activeAtom_ = 0;
    xcb_atom_t pidAtom_ = 0;
    QSocketNotifier *notifier_ = nullptr;
    xcb_window_t last_ = 0;
    bool reported_ = false;
};

} // namespace platform
