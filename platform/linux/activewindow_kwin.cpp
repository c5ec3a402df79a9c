#include "platform/linux/activewindow_kwin.h"

#include "base/logging.h"

#include <QDBusMessage>
#include <QDir>
#include <QDBusReply>

namespace platform
{

namespace
{
const char *const kKWinService = "org.kde.KWin";
const char *const kScriptingPath = "/Scripting";
const char *const kScriptingInterface = "org.kde.kwin.Scripting";

QDBusMessage scriptingCall(const char *method)
{
    return QDBusMessage::createMethodCall(QLatin1String(kKWinService),
                                          QLatin1String(kScriptingPath),
                                          QLatin1String(kScriptingInterface),
                                          QLatin1String(method));
}

// A JavaScript string literal of text (bus names and paths hold no quote, but say so anyway).
QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
} // namespace

QString KWinActiveWindowSource::scriptText(const QString &service, const QString &path)
{
    // Plasma 6 names windows "window" (windowActivated, activeWindow); Plasma 5 "client".
    return QStringLiteral(
               "function report(w) {\n"
               "    if (!w)\n"
               "        return;\n"
               "    callDBus(%1, %2, %3, \"windowActivated\",\n"
               "             String(w.resourceClass || \"\"), String(w.resourceName || \"\"),\n"
               "             String(w.desktopFileName || \"\"), String(w.pid || 0));\n"
               "}\n"
               "if (workspace.windowActivated)\n"
               "    workspace.windowActivated.connect(report);\n"
               "else\n"
               "    workspace.clientActivated.connect(report);\n"
               "report(workspace.activeWindow || workspace.activeClient);\n")
        .arg(quoted(service), quoted(path), quoted(QLatin1String(kInterface)));
}

KWinActiveWindowSource::KWinActiveWindowSource(const QDBusConnection &bus, QObject *parent)
    : ActiveWindowSource(parent), bus_(bus)
{
    if (!bus_.isConnected())
        return;
    registered_ = bus_.registerObject(QLatin1String(kObjectPath), this,
                                      QDBusConnection::ExportScriptableSlots);
    script_.setFileTemplate(QDir::tempPath() + QStringLiteral("/orbis-mouse-kwin-XXXXXX.js"));
    if (!registered_ || !script_.open()) {
        ORBIS_LOG(lcPlatform, "Window in front: no KWin script (bus object or file refused)");
        return;
    }
    script_.write(scriptText(bus_.baseService(), QLatin1String(kObjectPath)).toUtf8());
    script_.flush();
    // A script of an earlier run that ended without unloading it would report to a bus name
    // that no longer exists.
    QDBusMessage unload = scriptingCall("unloadScript");
    unload << QLatin1String(kPluginName);
    bus_.call(unload);
    QDBusMessage load = scriptingCall("loadScript");
    load << script_.fileName() << QLatin1String(kPluginName);
    const QDBusReply<int> id = bus_.call(load);
    if (!id.isValid() || id.value() < 0) {
        ORBIS_LOG(lcPlatform, QStringLiteral("Window in front: KWin did not load the script (%1)")
                                  .arg(id.error().message()));
        return;
    }
    // Runs the loaded scripts that do not run yet: ours.
    bus_.call(scriptingCall("start"));
    loaded_ = true;
    ORBIS_LOG(lcPlatform, QStringLiteral("Window in front: KWin script %1 loaded").arg(id.value()));
}

KWinActiveWindowSource::~KWinActiveWindowSource()
{
    if (loaded_) {
        QDBusMessage unload = scriptingCall("unloadScript");
        unload << QLatin1String(kPluginName);
        bus_.call(unload);
    }
    if (registered_)
        bus_.unregisterObject(QLatin1String(kObjectPath));
}

void KWinActiveWindowSource::windowActivated(const QString &resourceClass, const QString &resourceName,
                                       const QString &desktopFileName, const QString &pid)
{
    ActiveWindow window;
    window.className = resourceClass;
    window.instanceName = resourceName;
    window.appId = desktopFileName;
    window.pid = qMax(0LL, pid.toLongLong());
    completeFromProcess(window);
    emit activated(window);
}

} // namespace platform
