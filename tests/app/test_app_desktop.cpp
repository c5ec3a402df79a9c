// The program on a desktop, as real processes under a private X server and session bus: a
// StatusNotifier tray (the kind KDE Plasma, GNOME's AppIndicator extension and Xfce show), which
// activates the icon with a single Activate call, and the window's ties to its launcher (window
// class, icon, fixed size). This test program re-launches itself in a child mode that runs the
// whole entry function. Skipped where Xvfb or dbus-daemon is missing.
#include "app/datadir.h"
#include "app/entry.h"
#include "app/globals.h"
#include "app/nomousenotice.h"
#include "app/widget.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/childprocess.h"
#include "support/testsupport.h"
#include "support/xserver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
QString childMode;

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}
} // namespace

// Start-up hook of the child: the desktop decides whether there is a tray; with mode "mouse" a
// simulated mouse is attached. Every change of what shows is reported, with the window's id.
void orbisStartupHook(Widget &widget)
{
    platform::setTrayProbe({});
    say(QStringLiteral("tray=%1").arg(platform::systemTrayAvailable()));
    if (childMode == QLatin1String("mouse"))
        sim::attachMouse(
            sim::mouseConfigFromSettings(QStringLiteral("./modules/setting/apConfig.bin")));
    auto *states = new QTimer(&widget);
    QObject::connect(states, &QTimer::timeout, &widget, [&widget] {
        static QString last;
        const QString state =
            QStringLiteral("state connected=%1 window=%2 notice=%3")
                .arg(deviceConnected)
                .arg(widget.isVisible())
                .arg(widget.noMouseNotice() && widget.noMouseNotice()->isVisible());
        if (state == last)
            return;
        say(last = state);
        if (widget.isVisible())
            say(QStringLiteral("wid=0x%1").arg(widget.winId(), 0, 16));
    });
    states->start(20);
    QTimer::singleShot(0, [] { say(QStringLiteral("ready")); });
}

QString orbisWorkingDirectory(const QString &executableDir)
{
    return resolveWorkingDirectory(executableDir);
}

// The tray side of the desktop: a minimal StatusNotifier watcher with a host, which items
// register with, as the desktops' trays have.
class Watcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        // An item names its bus service, or only its object path on its own connection.
        const QString name = service.startsWith(QLatin1Char('/')) ? message().service() : service;
        items_ << name;
        emit StatusNotifierItemRegistered(name);
    }
    void RegisterStatusNotifierHost(const QString &) {}

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList items_;
};

class DesktopTest : public QObject
{
    Q_OBJECT

    bool ready_ = false;
    Watcher watcher_;

    QString self() const { return QCoreApplication::applicationFilePath(); }

    // Waits for marker in the child's output while this process answers the bus: the child's
    // tray asks the watcher here, so a blocking wait would stall it.
    static bool waitFor(testsupport::Child &c, const QString &marker)
    {
        return QTest::qWaitFor(
            [&] {
                c.collect();
                return c.out.contains(marker);
            },
            15000);
    }

    // A child of a copy of this program with a data tree of its own, on the private desktop.
    bool startChild(testsupport::Child &c, const testsupport::ScratchTree &tree,
                    const QString &mode, const QStringList &options = {})
    {
        const QString copy = tree.file(QFileInfo(self()).fileName());
        QFile::copy(self(), copy);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        c.process.setProcessEnvironment(env);
        c.process.start(copy, QStringList{QStringLiteral("--child=") + mode} + options);
        return c.process.waitForStarted(5000) && waitFor(c, QStringLiteral("ready"));
    }

private slots:
    void initTestCase()
    {
        if (qgetenv("DISPLAY").isEmpty() || qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty())
            QSKIP("Xvfb or dbus-daemon is not installed");
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.isConnected());
        QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher_,
                                   QDBusConnection::ExportAllSlots |
                                       QDBusConnection::ExportAllSignals |
                                       QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
        ready_ = true;
    }

    // The icon registers with the tray; the tray's single activation (what a click on a
    // StatusNotifier icon sends) brings the hidden window back while the mouse is connected,
    // and shows the notice while there is none.
    void statusNotifierActivationShowsTheWindowOrTheNotice_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("mouse connected")
            << QStringLiteral("mouse") << QStringLiteral("connected=1 window=0 notice=0")
            << QStringLiteral("connected=1 window=1 notice=0");
        QTest::newRow("no mouse") << QStringLiteral("stay")
                                  << QStringLiteral("connected=0 window=0 notice=0")
                                  << QStringLiteral("connected=0 window=0 notice=1");
    }

    void statusNotifierActivationShowsTheWindowOrTheNotice()
    {
        QFETCH(QString, mode);
        QFETCH(QString, before);
        QFETCH(QString, after);
        testsupport::ScratchTree tree;
        const int registered = watcher_.items().size();
        testsupport::Child child;
        QVERIFY2(startChild(child, tree, mode, {QStringLiteral("--hidden")}),
                 qPrintable(child.out + child.err));
        QVERIFY2(child.out.contains(QLatin1String("tray=1")), qPrintable(child.out));
        QVERIFY(QTest::qWaitFor([&] { return watcher_.items().size() > registered; }, 10000));
        QVERIFY2(waitFor(child, QStringLiteral("state ") + before), qPrintable(child.out));

        QDBusInterface item(watcher_.items().constLast(), QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"),
                            QDBusConnection::sessionBus());
        // Not waited for: the child may ask the bus in turn while it shows a window.
        QVERIFY(item.isValid());
        item.asyncCall(QStringLiteral("Activate"), 10, 10);
        QVERIFY2(waitFor(child, QStringLiteral("state ") + after), qPrintable(child.out));
    }

    // Docks and window switchers tie the window to its launcher by the window class, which
    // must be the desktop entry's StartupWMClass; they show the window's own icon. The window
    // manager sees a window of one fixed size, which it cannot maximise.
    void theWindowBelongsToItsLauncher()
    {
        testsupport::ScratchTree tree;
        testsupport::Child child;
        QVERIFY2(startChild(child, tree, QStringLiteral("mouse")),
                 qPrintable(child.out + child.err));
        QVERIFY2(waitFor(child, QStringLiteral("wid=")), qPrintable(child.out));
        const QString wid =
            QRegularExpression(QStringLiteral("wid=(0x[0-9a-f]+)")).match(child.out).captured(1);
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), wid, QStringLiteral("WM_CLASS"),
                     QStringLiteral("WM_NORMAL_HINTS"), QStringLiteral("_NET_WM_ICON")});
        QVERIFY(xprop.waitForFinished(10000));
        const QString props = QString::fromUtf8(xprop.readAllStandardOutput());

        QSettings entry(
            QStringLiteral(ORBIS_TEST_DATA_DIR "/../../packaging/io.github.orbis_mouse.desktop"),
            QSettings::IniFormat);
        const QString wmClass =
            entry.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString();
        QVERIFY(!wmClass.isEmpty());
        QVERIFY2(props.contains(QStringLiteral(", \"%1\"").arg(wmClass)), qPrintable(props));
        QVERIFY2(props.contains(QLatin1String("program specified minimum size: 1024 by 640")) &&
                     props.contains(QLatin1String("program specified maximum size: 1024 by 640")),
                 qPrintable(props));
        QVERIFY2(props.contains(QLatin1String("_NET_WM_ICON(CARDINAL) =")), qPrintable(props));
    }
};

int main(int argc, char **argv)
{
    const int childStatus = testsupport::runAsChild(argc, argv, &childMode, orbisMain);
    if (childStatus >= 0)
        return childStatus;
    // A desktop of this run's own: X server, session bus and runtime folder, inherited by the
    // children.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    testsupport::XServer xserver;
    testsupport::SessionBus bus;
    if (!xserver.running())
        qunsetenv("DISPLAY");
    if (bus.address().isEmpty())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    int status = 0;
    {
        QCoreApplication app(argc, argv);
        DesktopTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "test_app_desktop.moc"
