#pragma once
// The window in front on the desktop: which application it belongs to, as the automatic profile
// choice matches it, and the sources that report it when it changes. Every source is event
// driven; none polls.
//
// Linux: on an X display (an X11 session, or XWayland) the root window's _NET_ACTIVE_WINDOW,
// watched for PropertyNotify on a connection of its own; on KDE Plasma's Wayland session a KWin
// script that reports each activated window back over the session bus. Elsewhere (GNOME on
// Wayland) only X11 applications are seen.
#include <QMetaType>
#include <QObject>
#include <QString>

namespace platform
{

struct ActiveWindow {
    QString className;    // X11 WM_CLASS class (KWin: resource class)
    QString instanceName; // X11 WM_CLASS instance (KWin: resource name)
    QString appId;        // Wayland app id (KWin: desktop file name)
    qint64 pid = 0;       // 0 when the window does not say
    QString exeName;      // file name of /proc/<pid>/exe, "" when it cannot be read
    bool own = false;     // a window of this program

    // The name the rules list for this application: the first of class, app id, instance and
    // executable that is known.
    QString applicationName() const;
};

// Fills exeName and own from pid (the process's executable, this program's process id).
void completeFromProcess(ActiveWindow &window);

class ActiveWindowSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The sources that apply to this session, combined; never null. coversAll() tells whether
    // native Wayland windows are seen as well as X11 ones.
    static ActiveWindowSource *create(QObject *parent);
    // What create() would give without creating it: whether native Wayland windows would be
    // seen too.
    static bool sessionCoversAll();

    // False where only X11 windows can be seen (a Wayland session without KWin) or none at all.
    virtual bool coversAll() const = 0;

protected:
    // A source of a desktop that reports nothing (for the backends' create()).
    static ActiveWindowSource *silent(QObject *parent);

signals:
    // The window in front changed (or, right after the start, the one that is in front).
    void activated(const platform::ActiveWindow &window);
};

} // namespace platform

Q_DECLARE_METATYPE(platform::ActiveWindow)
