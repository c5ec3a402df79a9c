// Desktop pointer settings: the step-to-Windows values and their failure lines, the Linux
// backend against GSettings' in-process memory backend (never the user's desktop), and the
// line-preserving kdeglobals edit.
#include "bridge/pointerapplier.h"
#include "platform/linux/giosettings.h"
#include "platform/linux/inilines.h"
#include "support/testsupport.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace
{

using Result = platform::PointerSettings::Result;

// Records what reached it and answers with a fixed result.
struct FakeBackend : platform::PointerSettings {
    Result answer = Result::Applied;
    QList<unsigned> speeds, times, lines;
    Result setPointerSpeed(unsigned v) override
    {
        speeds << v;
        return answer;
    }
    Result setDoubleClickTime(unsigned v) override
    {
        times << v;
        return answer;
    }
    Result setWheelScrollLines(unsigned v) override
    {
        lines << v;
        return answer;
    }
};

const QString MouseSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");

// Receives KDE's settings-change notices from the session bus.
class KdeNotices : public QObject
{
    Q_OBJECT
public:
    QList<QPair<int, int>> received;
public slots:
    void notifyChange(int type, int category) { received << qMakePair(type, category); }
};

} // namespace

class PointerTest : public QObject
{
    Q_OBJECT
    QTemporaryDir config;
    QProcess bus; // a session bus of this test's own, so no desktop hears the notices

private slots:
    void initTestCase()
    {
        // Both stores stay private to this process.
        qputenv("GSETTINGS_BACKEND", "memory");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "");
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
        QVERIFY2(bus.waitForStarted(), "dbus-daemon (package dbus-daemon) is needed");
        QVERIFY(bus.waitForReadyRead(5000));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }
    void cleanupTestCase()
    {
        bus.kill();
        bus.waitForFinished();
    }

    void stepsBecomeWindowsValues()
    {
        auto owned = std::make_unique<FakeBackend>();
        FakeBackend *fake = owned.get();
        PointerApplier applier(std::move(owned));
        for (unsigned step : {0u, 1u, 6u, 10u}) {
            applier.setCursorSpeed(step);
            applier.setDoubleClickSpeed(step);
        }
        applier.setVerticalScrollLines(1000);
        QCOMPARE(fake->speeds, QList<unsigned>({1, 2, 12, 20}));
        QCOMPARE(fake->times, QList<unsigned>({900, 830, 480, 200}));
        QCOMPARE(fake->lines, QList<unsigned>({1000}));
    }

    void failuresWriteTheirLineEachTimeAbsenceOnce()
    {
        testsupport::LogCapture log;
        auto owned = std::make_unique<FakeBackend>();
        FakeBackend *fake = owned.get();
        PointerApplier applier(std::move(owned));

        fake->answer = Result::Failed;
        for (int i = 0; i < 2; ++i) {
            applier.setCursorSpeed(3);
            applier.setDoubleClickSpeed(3);
            applier.setVerticalScrollLines(3);
        }
        QCOMPARE(log.count(QStringLiteral("setCursorSpeed Failed")), 2);
        QCOMPARE(log.count(QStringLiteral("setDoubleClickSpeed Failed")), 2);
        QCOMPARE(log.count(QStringLiteral("setVerticalScrollLines Failed")), 2);

        log.clear();
        fake->answer = Result::Unavailable;
        for (int i = 0; i < 3; ++i) {
            applier.setCursorSpeed(3);
            applier.setVerticalScrollLines(3);
        }
        QCOMPARE(log.lines(), QStringList({"This desktop has no pointer speed setting",
                                           "This desktop has no wheel scroll lines setting"}));
    }

    void gnomeGetsTheMappedSpeedAndTheDoubleClickTime()
    {
        platform::GioSettings mouse(MouseSchema);
        if (!mouse.isValid())
            QSKIP("the GNOME desktop schemas are not installed");
        auto backend = platform::PointerSettings::create();

        QCOMPARE(backend->setPointerSpeed(1), Result::Applied);
        QCOMPARE(*mouse.doubleValue(QStringLiteral("speed")), -1.0);
        QCOMPARE(backend->setPointerSpeed(20), Result::Applied);
        QCOMPARE(*mouse.doubleValue(QStringLiteral("speed")), 1.0);
        QCOMPARE(backend->setPointerSpeed(12), Result::Applied);
        QCOMPARE(*mouse.doubleValue(QStringLiteral("speed")), 11.0 / 19.0 * 2.0 - 1.0);

        QCOMPARE(backend->setDoubleClickTime(200), Result::Applied);
        QCOMPARE(*mouse.intValue(QStringLiteral("double-click")), 200);
        // A time GSettings cannot hold is refused, and the stored one stays.
        QCOMPARE(backend->setDoubleClickTime(0x80000000u), Result::Failed);
        QCOMPARE(*mouse.intValue(QStringLiteral("double-click")), 200);
    }

    void gioRefusesWrongTypesRangesAndSchemas()
    {
        platform::GioSettings mouse(MouseSchema);
        if (!mouse.isValid())
            QSKIP("the GNOME desktop schemas are not installed");
        QVERIFY(!mouse.setDouble(QStringLiteral("speed"), 1.5));
        QVERIFY(!mouse.setInt(QStringLiteral("speed"), 0));
        QVERIFY(!mouse.setInt(QStringLiteral("no-such-key"), 0));
        QVERIFY(!mouse.intValue(QStringLiteral("speed")));
        QVERIFY(!platform::GioSettings(QStringLiteral("org.example.none")).isValid());
    }

    void wheelLinesGoToKdeOnlyWhereKdeIs()
    {
        const QString path = config.filePath(QStringLiteral("kdeglobals"));
        auto backend = platform::PointerSettings::create();
        QCOMPARE(backend->setWheelScrollLines(3), Result::Unavailable);
        QVERIFY(!QFile::exists(path));

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nfont=Sans\n");
        file.close();
        KdeNotices notices;
        QVERIFY(QDBusConnection::sessionBus().connect(
            QString(), QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"),
            QStringLiteral("notifyChange"), &notices, SLOT(notifyChange(int, int))));
        QCOMPARE(backend->setWheelScrollLines(1000), Result::Applied);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("[General]\nfont=Sans\n\n[KDE]\nWheelScrollLines=1000\n"));
        // KDE's applications are told to read the mouse settings again: one notice, after the
        // file holds the value.
        QTRY_COMPARE(notices.received, (QList<QPair<int, int>>{{3, 0}}));
    }

    void kdeGlobalsEditKeepsEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file") << QByteArray() << QByteArray("[KDE]\nWheelScrollLines=5\n");
        QTest::newRow("key replaced in place")
            << QByteArray("[KDE]\nA=1\nWheelScrollLines=3\nB=2\n")
            << QByteArray("[KDE]\nA=1\nWheelScrollLines=5\nB=2\n");
        QTest::newRow("added at the group's end, before the blank line")
            << QByteArray("[KDE]\nA=1\n\n[Icons]\nWheelScrollLines=9\n")
            << QByteArray("[KDE]\nA=1\nWheelScrollLines=5\n\n[Icons]\nWheelScrollLines=9\n");
        QTest::newRow("longer key names are other keys")
            << QByteArray("[KDE]\nWheelScrollLinesX=1\n")
            << QByteArray("[KDE]\nWheelScrollLinesX=1\nWheelScrollLines=5\n");
        QTest::newRow("no final newline, comments and markers kept")
            << QByteArray("# c\n[General][$i]\nx[$e]=$HOME")
            << QByteArray("# c\n[General][$i]\nx[$e]=$HOME\n\n[KDE]\nWheelScrollLines=5\n");
    }
    void kdeGlobalsEditKeepsEverythingElse()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(platform::withIniValue(before, "KDE", "WheelScrollLines", "5"), after);
    }
};

QTEST_GUILESS_MAIN(PointerTest)
#include "test_platform_pointer.moc"
