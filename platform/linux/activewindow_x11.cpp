#include "platform/linux/activewindow_x11.h"

#include "base/logging.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>

namespace platform
{

X11ActiveWindowSource::X11ActiveWindowSource(bool coversAll, QObject *parent,
                                             const QByteArray &displayName)
    : ActiveWindowSource(parent), coversAll_(coversAll)
{
    xcb_connection_t *connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        ORBIS_LOG(lcPlatform, "Window in front: no X display to watch");
        return;
    }
    connection_ = connection;
    const xcb_setup_t *setup = xcb_get_setup(connection_);
    root_ = xcb_setup_roots_iterator(setup).data->root;
    activeAtom_ = atom("_NET_ACTIVE_WINDOW");
    pidAtom_ = atom("_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read,
                                    this);
    connect(notifier_, &QSocketNotifier::activated, this, &X11ActiveWindowSource::readEvents);
    // The window in front at the start, once the creator has connected to the signal.
    QMetaObject::invokeMethod(this, &X11ActiveWindowSource::readActive, Qt::QueuedConnection);
}

X11ActiveWindowSource::~X11ActiveWindowSource()
{
    delete notifier_;
    if (connection_)
        xcb_disconnect(connection_);
}

xcb_atom_t X11ActiveWindowSource::atom(const char *name) const
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

QByteArray X11ActiveWindowSource::property(xcb_window_t window, xcb_atom_t name,
                                           xcb_atom_t type) const
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, name, type, 0, 256), nullptr);
    QByteArray bytes;
    // xcb_get_property_value_length() counts bytes already, whatever the format.
    if (reply && reply->type == type)
        bytes = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    std::free(reply);
    return bytes;
}

void X11ActiveWindowSource::readEvents()
{
    if (xcb_connection_has_error(connection_)) {
        // The display went away: nothing more will come.
        notifier_->setEnabled(false);
        return;
    }
    bool changed = false;
    // Replies read meanwhile may queue further events, so the queue is emptied to the end.
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event);
            changed = changed || (notify->window == root_ && notify->atom == activeAtom_);
        }
        std::free(event);
    }
    if (changed)
        readActive();
}

void X11ActiveWindowSource::readActive()
{
    if (!connection_)
        return;
    const QByteArray active = property(root_, activeAtom_, XCB_ATOM_WINDOW);
    xcb_window_t window = 0;
    if (active.size() >= static_cast<int>(sizeof window))
        std::memcpy(&window, active.constData(), sizeof window);
    if (reported_ && window == last_)
        return;
    reported_ = true;
    last_ = window;
    ActiveWindow info;
    if (window != 0) {
        // WM_CLASS: the instance name, then the class name, each ended by a zero byte.
        const QList<QByteArray> names =
            property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
        info.instanceName = QString::fromLocal8Bit(names.value(0));
        info.className = QString::fromLocal8Bit(names.value(1));
        const QByteArray pid = property(window, pidAtom_, XCB_ATOM_CARDINAL);
        if (pid.size() >= 4) {
            quint32 value = 0;
            std::memcpy(&value, pid.constData(), sizeof value);
            info.pid = value;
        }
    }
    completeFromProcess(info);
    emit activated(info);
}

} // namespace platform
