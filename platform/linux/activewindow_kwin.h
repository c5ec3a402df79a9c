#pragma once
// The window in front on KDE Plasma's Wayland session: a small KWin script, loaded over the
// session bus (org.kde.KWin /Scripting), reports every activated window to an object this source
// registers on the bus. The script is unloaded when the source goes.
#include "platform/activewindow.h"

#include <QDBusConnection>
#include <QTemporaryFile>

namespace platform
{

class KWinActiveWindowSource : public ActiveWindowSource
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.orbis_mouse.ActiveWindow")
public:
    static constexpr const char *kObjectPath = "/io/github/orbis_mouse/ActiveWindow";
    static constexpr const char *kInterface = "io.github.orbis_mouse.ActiveWindow";
    static constexpr const char *kPluginName = "orbis-mouse-active-window";

    // The script that reports to method "windowActivated" of the object at path, in service (the
    // program's unique name on the bus). It speaks the scripting API of Plasma 6 and of 5.
    static QString scriptText(const QString &service, const QString &path);

    // Registers the object and loads and starts the script; loaded() is false when KWin refused
    // or is not on the bus.
    explicit KWinActiveWindowSource(const QDBusConnection &bus, QObject *parent = nullptr);
    ~KWinActiveWindowSource() override;
    bool loaded() const { return loaded_; }
    bool coversAll() const override { return true; }

public slots:
    // Called by the script over the bus. Every argument is text: the script's numbers would
    // reach the bus as doubles.
    Q_SCRIPTABLE void windowActivated(const QString &resourceClass, const QString &resourceName,
                                      const QString &desktopFileName, const QString &pid);

private:
    QDBusConnection bus_;
    QTemporaryFile script_;
    bool registered_ = false;
    bool loaded_ = false;
};

} // namespace platform
