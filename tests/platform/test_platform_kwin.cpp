// The window in front on KDE Plasma's Wayland session, without KWin: a stand-in for KWin's
// scripting service on a private session bus checks what the source loads, starts and unloads,
// the script itself runs in a JavaScript engine against stand-ins of both scripting APIs
// (Plasma 6 and 5), and the script's calls reach the source over the bus as they would from
// KWin. kwin_wayland itself is not run here.
#include "platform/linux/activewindow_kwin.h"
#include "support/xserver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QJSEngine>
#include <QMutex>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <unistd.h>

using platform::ActiveWindow;
using platform::KWinActiveWindowSource;

namespace
{
// KWin's /Scripting, in a thread of its own so the source's blocking calls get their answers.
class FakeScripting : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    QStringList calls() const
    {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    QString script() const
    {
        QMutexLocker lock(&mutex_);
        return script_;
    }

public slots:
    int loadScript(const QString &path, const QString &plugin)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QMutexLocker lock(&mutex_);
        script_ = QString::fromUtf8(file.readAll());
        calls_ << QStringLiteral("load ") + plugin;
        return 7;
    }
    bool unloadScript(const QString &plugin)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("unload ") + plugin;
        return true;
    }
    void start()
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("start");
    }

private:
    mutable QMutex mutex_;
    QStringList calls_;
    QString script_;
};

// Runs the script as KWin would, with workspace and callDBus played by the test: returns the
// arguments of each callDBus, first for the window in front at the start, then for "later".
QList<QVariantList> runScript(const QString &script, bool plasma6)
{
    QJSEngine engine;
    engine.evaluate(QStringLiteral(
        "var calls = [];"
        "function callDBus() { calls.push(Array.prototype.slice.call(arguments)); }"
        "var handlers = [];"
        "var signal = { connect: function (f) { handlers.push(f); } };"
        "function win(cls, name, desktop, pid) {"
        "    return { resourceClass: cls, resourceName: name, desktopFileName: desktop, pid: pid };"
        "}"
        "var workspace = {};"));
    engine.evaluate(plasma6 ? QStringLiteral("workspace.windowActivated = signal;"
                                             "workspace.activeWindow = win('Konsole', 'konsole',"
                                             " 'org.kde.konsole', 12);")
                            : QStringLiteral("workspace.clientActivated = signal;"
                                             "workspace.activeClient = win('Konsole', 'konsole',"
                                             " 'org.kde.konsole', 12);"));
    const QJSValue result = engine.evaluate(script);
    if (result.isError())
        qWarning() << "script:" << result.toString();
    engine.evaluate(QStringLiteral("handlers.forEach(function (f) {"
                                   "    f(win('steam_app_1', 'steam_app_1', '', 99)); f(null); });"));
    QList<QVariantList> calls;
    for (const QVariant &call : engine.globalObject().property("calls").toVariant().toList())
        calls << call.toList();
    return calls;
}
} // namespace

class KWinSourceTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (bus_.address().isEmpty())
            QSKIP("dbus-daemon is not installed");
    }

    // The script reports the window in front at its start and every activation after, in both
    // scripting APIs, to the object of the program's connection.
    void theScriptReportsActivatedWindows_data()
    {
        QTest::addColumn<bool>("plasma6");
        QTest::newRow("Plasma 6") << true;
        QTest::newRow("Plasma 5") << false;
    }
    void theScriptReportsActivatedWindows()
    {
        QFETCH(bool, plasma6);
        const QString text =
            KWinActiveWindowSource::scriptText(QStringLiteral(":1.42"), QStringLiteral("/a/b"));
        const QList<QVariantList> calls = runScript(text, plasma6);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0], (QVariantList{":1.42", "/a/b", KWinActiveWindowSource::kInterface,
                                         "windowActivated", "Konsole", "konsole",
                                         "org.kde.konsole", "12"}));
        QCOMPARE(calls[1].mid(4), (QVariantList{"steam_app_1", "steam_app_1", "", "99"}));
    }

    // Loaded (after a stale one of the same name is unloaded) and started at creation,
    // unloaded when the source goes; the script names the program's own connection.
    void theSourceLoadsStartsAndUnloadsItsScript()
    {
        FakeKWin kwin(bus_.address());
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(bus_.address()),
                                                            QStringLiteral("program"));
        {
            KWinActiveWindowSource source(bus);
            QVERIFY(source.loaded());
            const QString plugin = QLatin1String(KWinActiveWindowSource::kPluginName);
            QCOMPARE(kwin.scripting->calls(),
                     (QStringList{"unload " + plugin, "load " + plugin, "start"}));
            QVERIFY(kwin.scripting->script().contains(
                QStringLiteral("callDBus(\"%1\", \"%2\"")
                    .arg(bus.baseService(), KWinActiveWindowSource::kObjectPath)));
        }
        QCOMPARE(kwin.scripting->calls().last(),
                 QStringLiteral("unload ") + KWinActiveWindowSource::kPluginName);
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
    }

    // A call of the script, sent by another connection as KWin sends it, becomes a report with
    // the executable and the own-window flag filled in from the pid.
    void aCallFromTheBusBecomesAReport_data()
    {
        QTest::addColumn<bool>("ownPid");
        QTest::newRow("another program") << false;
        QTest::newRow("this program") << true;
    }
    void aCallFromTheBusBecomesAReport()
    {
        QFETCH(bool, ownPid);
        FakeKWin kwin(bus_.address());
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(bus_.address()),
                                                            QStringLiteral("program"));
        {
            KWinActiveWindowSource source(bus);
            QSignalSpy reports(&source, &platform::ActiveWindowSource::activated);
            const int pid = ownPid ? int(getpid()) : int(getppid());
            QDBusMessage call = QDBusMessage::createMethodCall(
                bus.baseService(), QLatin1String(KWinActiveWindowSource::kObjectPath),
                QLatin1String(KWinActiveWindowSource::kInterface),
                QStringLiteral("windowActivated"));
            call << QStringLiteral("steam_app_1") << QStringLiteral("game.exe")
                 << QString() << QString::number(pid);
            kwin.connection.asyncCall(call);
            QTRY_COMPARE(reports.size(), 1);
            const auto w = reports.at(0).at(0).value<ActiveWindow>();
            QCOMPARE(w.className, QStringLiteral("steam_app_1"));
            QCOMPARE(w.instanceName, QStringLiteral("game.exe"));
            QCOMPARE(w.pid, qint64(pid));
            QCOMPARE(w.own, ownPid);
            QVERIFY(!w.exeName.isEmpty());
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
    }

    // KWin absent from the bus: nothing is loaded, and the source says so.
    void withoutKWinNothingIsLoaded()
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(bus_.address()),
                                                            QStringLiteral("lonely"));
        KWinActiveWindowSource source(bus);
        QVERIFY(!source.loaded());
        QDBusConnection::disconnectFromBus(QStringLiteral("lonely"));
    }

private:
    // KWin on the bus: org.kde.KWin with /Scripting, served from a thread of its own.
    struct FakeKWin {
        QThread thread;
        FakeScripting *scripting = new FakeScripting;
        QDBusConnection connection;
        explicit FakeKWin(const QByteArray &address)
            : connection(QDBusConnection::connectToBus(QString::fromUtf8(address),
                                                       QStringLiteral("kwin")))
        {
            scripting->moveToThread(&thread);
            thread.start();
            connection.registerObject(QStringLiteral("/Scripting"), scripting,
                                      QDBusConnection::ExportAllSlots);
            connection.registerService(QStringLiteral("org.kde.KWin"));
        }
        ~FakeKWin()
        {
            connection.unregisterService(QStringLiteral("org.kde.KWin"));
            connection.unregisterObject(QStringLiteral("/Scripting"));
            QDBusConnection::disconnectFromBus(QStringLiteral("kwin"));
            thread.quit();
            thread.wait();
            delete scripting;
        }
    };

    testsupport::SessionBus bus_;
};

QTEST_GUILESS_MAIN(KWinSourceTest)
#include "test_platform_kwin.moc"
