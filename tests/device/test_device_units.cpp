// Pure units of the device layer: device table, scrambling, framing, interface matching, trace.
#include "device/access.h"
#include "device/devicetable.h"
#include "device/enumeration.h"
#include "device/frames.h"
#include "device/hidio.h"
#include "device/scrambling.h"
#include "support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class DeviceUnitsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString writeTable(const QByteArray &text)
    {
        static int n = 0;
        const QString path = dir.filePath(QStringLiteral("table%1.ini").arg(++n));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }

private slots:
    void referenceTable()
    {
        const DeviceList list = readDeviceTable(writeTable(
            "[common]\ndeviceCount=2\n"
            "[0]\ntype=0\nvid=1a2b\npid=00ff\nusagePage=ff01\nusage=0001\nusagePage2=ff02\n"
            "usage2=0001\nreportLength=64\nisEncode=true\nsCode=ABCDEF\n"
            "[1]\ntype=1\nvid=1209\npid=0001\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\n"
            "usage2=ff01\n"
            "[2]\ntype=1\nvid=1\npid=1\n"));
        QCOMPARE(list.size(), 2); // group 2 lies beyond deviceCount
        QCOMPARE(list[0].type, 0);
        QCOMPARE(list[0].vid, quint16(0x1a2b));
        QCOMPARE(list[0].pid, quint16(0x00ff));
        QCOMPARE(list[0].usagePage, quint16(0xff01));
        QCOMPARE(list[0].usage2, quint16(0x0001));
        QCOMPARE(list[0].reportLength, 64);
        QVERIFY(list[0].isEncode);
        QCOMPARE(list[0].sCode, QStringLiteral("ABCDEF"));
        QCOMPARE(list[1].usagePage2, quint16(0xff01));
        // Defaults of absent keys.
        QCOMPARE(list[1].reportLength, 32);
        QVERIFY(!list[1].isEncode);
        QCOMPARE(list[1].sCode, QStringLiteral("527361"));
        QVERIFY(list[1].devPath.isEmpty() && list[1].devPath2.isEmpty());
    }

    void missingFileOrCountGivesEmptyTable()
    {
        QVERIFY(readDeviceTable(dir.filePath(QStringLiteral("absent.ini"))).isEmpty());
        QVERIFY(readDeviceTable(writeTable("[0]\nvid=1209\n")).isEmpty());
    }

    void malformedEntriesAreSkippedWithADebugLine()
    {
        testsupport::LogCapture log;
        const DeviceList list =
            readDeviceTable(writeTable("[common]\ndeviceCount=8\n"
                                       "[0]\nvid=zz\nusagePage=ff00\n" // not hexadecimal
                                       "[1]\npid=12345\n"              // does not fit 16 bits
                                       "[2]\nreportLength=0\n"         // no usable chunk size
                                       "[3]\nreportLength=-8\n"
                                       "[4]\nreportLength=1025\n" // every block would be huge
                                       "[5]\nreportLength=2000000000\n"
                                       "[6]\nvid=1209\nreportLength=64\n" // the good ones
                                       "[7]\nvid=1209\nreportLength=1024\n"));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].vid, quint16(0x1209));
        QCOMPARE(list[0].reportLength, 64);
        QCOMPARE(list[1].reportLength, 1024);
        QCOMPARE(log.lines().filter(QStringLiteral("entry skipped")).size(), 6);
    }

    void hugeDeviceCountCostsOnlyThePresentGroups()
    {
        testsupport::LogCapture log;
        QElapsedTimer timer;
        timer.start();
        const DeviceList list = readDeviceTable(
            writeTable("[common]\ndeviceCount=2000000000\n[0]\nvid=1\n[7]\nvid=7\n"));
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[1].vid, quint16(7));
        QCOMPARE(log.lines().filter(QStringLiteral("deviceCount")).size(), 1);
    }

    void scramblingRoundTrips()
    {
        QRandomGenerator rng(1234);
        for (int round = 0; round < 2000; ++round) {
            uchar code[8], body[8], original[8];
            for (int i = 0; i < 8; ++i) {
                code[i] = static_cast<uchar>(rng.bounded(256));
                original[i] = body[i] = static_cast<uchar>(rng.bounded(256));
            }
            scrambling::encrypt(body, code);
            scrambling::decipher(body, code);
            QVERIFY(std::equal(body, body + 8, original));
            scrambling::decipher(body, code);
            scrambling::encrypt(body, code);
            QVERIFY(std::equal(body, body + 8, original));
        }
    }

    void scramblingIgnoresC0AndC7()
    {
        uchar a[8] = {0x11, 0x02, 0x08, 0, 0, 0, 0, 0xe4}, b[8];
        std::copy(a, a + 8, b);
        uchar code1[8] = {0, '5', '2', '7', '3', '6', '1', 0};
        uchar code2[8] = {0xaa, '5', '2', '7', '3', '6', '1', 0x55};
        scrambling::encrypt(a, code1);
        scrambling::encrypt(b, code2);
        QVERIFY(std::equal(a, a + 8, b));
        // And the code matters: C1..C6 change the result.
        uchar c[8] = {0x11, 0x02, 0x08, 0, 0, 0, 0, 0xe4};
        uchar code3[8] = {0, '5', '2', '7', '3', '6', '2', 0};
        scrambling::encrypt(c, code3);
        QVERIFY(!std::equal(a, a + 8, c));
    }

    void onlySixCharacterCodesAreLoaded()
    {
        uchar code[8] = {};
        QVERIFY(scrambling::loadSecrecyCode(QStringLiteral("527361"), code));
        const uchar expected[8] = {0, '5', '2', '7', '3', '6', '1', 0};
        QVERIFY(std::equal(code, code + 8, expected));
        QVERIFY(!scrambling::loadSecrecyCode(QStringLiteral("12345"), code));
        QVERIFY(!scrambling::loadSecrecyCode(QStringLiteral("1234567"), code));
        QVERIFY(std::equal(code, code + 8, expected));
    }

    void framing()
    {
        const frames::Request r = frames::request(0x11, {2, 8});
        const frames::Request expected = {0x00, 0x11, 0x02, 0x08, 0, 0, 0, 0, 0xe4};
        QCOMPARE(r, expected);
        QCOMPARE(frames::request(0x83, {})[8], uchar(0x7c));
        // Offsets 1..8 always sum to 255.
        const frames::Request big = frames::request(0xff, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff});
        uint sum = 0;
        for (int i = 1; i <= 8; ++i)
            sum += big[i];
        QCOMPARE(sum % 256, 255u);

        QCOMPARE(frames::chunkLength(8, 32), 8);
        QCOMPARE(frames::chunkLength(128, 32), 32);
        QCOMPARE(frames::roundedSize(128, 64), 128);
        QCOMPARE(frames::roundedSize(24, 16), 32);
        QCOMPARE(frames::roundedSize(0, 32), 0);
    }

    void keyEntriesFiveAndSixTradePlaces()
    {
        QByteArray matrix(64, '\0');
        for (int i = 0; i < 64; ++i)
            matrix[i] = static_cast<char>(i);
        const QByteArray block = frames::exchangeKeyEntries(matrix);
        QCOMPARE(block.mid(20, 4), matrix.mid(24, 4));
        QCOMPARE(block.mid(24, 4), matrix.mid(20, 4));
        QCOMPARE(block.left(20), matrix.left(20));
        QCOMPARE(block.mid(28), matrix.mid(28));
    }

    void dpiSwitchTextIndex()
    {
        QCOMPARE(frames::dpiSwitchTextIndex(1), 0);
        QCOMPARE(frames::dpiSwitchTextIndex(3), 2);
        QCOMPARE(frames::dpiSwitchTextIndex(7), 6);
        QCOMPARE(frames::dpiSwitchTextIndex(0), 7);
        QCOMPARE(frames::dpiSwitchTextIndex(9), 7);
        QCOMPARE(frames::dpiSwitchTextIndex(255), 7);
    }

    void matchingLastRecordWinsAndOneRecordMaySetBoth()
    {
        DeviceEntry e;
        e.usagePage = 0xff00;
        e.usage = 0xff00;
        e.usagePage2 = 0xff01;
        e.usage2 = 0xff01;
        matchInterfaces(e, {{"a", 0xff00, 0xff00},
                            {"b", 0xff01, 0xff01},
                            {"c", 0xff00, 0xff00},
                            {"d", 0xff00, 0x0001}});
        QCOMPARE(e.devPath, QStringLiteral("c"));
        QCOMPARE(e.devPath2, QStringLiteral("b"));

        DeviceEntry same;
        same.usagePage = same.usagePage2 = 0xff00;
        same.usage = same.usage2 = 0x0002;
        matchInterfaces(same, {{"x", 0xff00, 0x0002}});
        QCOMPARE(same.devPath, QStringLiteral("x"));
        QCOMPARE(same.devPath2, QStringLiteral("x"));
    }

    void traceLineFormat()
    {
        const uchar bytes[9] = {0x00, 0x11, 0x02, 0x08, 0, 0, 0, 0, 0xe4};
        QCOMPARE(hidio::traceLine(1042, hidio::Interface::Command, "feature-out",
                                  QStringLiteral("9"), bytes, 9),
                 QStringLiteral("1042 cmd feature-out 9 00 11 02 08 00 00 00 00 e4"));
        QCOMPARE(
            hidio::traceLine(7, hidio::Interface::Event, "read", QStringLiteral("0"), bytes, 0),
            QStringLiteral("7 evt read 0"));
    }

    // The advice fits how the program was installed: an installed rule needs only a re-plug or
    // a trigger (never the copy of a file the user does not have); without one, the copy
    // command names the rule that came with the program, where it really is.
    void udevAdviceFitsTheInstallation_data()
    {
        QTest::addColumn<QString>("installedIn"); // "etc", "lib" or "" (not installed)
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QStringList>("says");
        QTest::addColumn<QStringList>("never");
        const QStringList copy = {QStringLiteral("sudo cp ")};
        QTest::newRow("package: rule in udev's folder")
            << QStringLiteral("lib") << false
            << QStringList{QStringLiteral("LIB/70-orbis-mouse.rules"), QStringLiteral("Re-plug"),
                           QStringLiteral("sudo udevadm trigger")}
            << copy;
        QTest::newRow("administrator's copy first")
            << QStringLiteral("etc") << true
            << QStringList{QStringLiteral("ETC/70-orbis-mouse.rules"), QStringLiteral("Re-plug")}
            << copy;
        QTest::newRow("build tree: rule not installed")
            << QString() << true
            << QStringList{QStringLiteral("sudo cp SHIPPED /etc/udev/rules.d/"),
                           QStringLiteral("--reload-rules"), QStringLiteral("Re-plug")}
            << QStringList{QStringLiteral("packaging/")};
        QTest::newRow("installed rule removed")
            << QString() << false << QStringList{QStringLiteral("reinstall the package")} << copy;
    }

    void udevAdviceFitsTheInstallation()
    {
        QFETCH(QString, installedIn);
        QFETCH(bool, shipped);
        QFETCH(QStringList, says);
        QFETCH(QStringList, never);
        QTemporaryDir root;
        const QString etc = root.filePath(QStringLiteral("etc/udev/rules.d"));
        const QString lib = root.filePath(QStringLiteral("usr/lib/udev/rules.d"));
        const QString shippedRule = root.filePath(QStringLiteral("share/70-orbis-mouse.rules"));
        QDir().mkpath(etc);
        QDir().mkpath(lib);
        QDir().mkpath(root.filePath(QStringLiteral("share")));
        const auto touch = [](const QString &path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        if (installedIn == QLatin1String("etc") || installedIn == QLatin1String("lib"))
            touch((installedIn == QLatin1String("etc") ? etc : lib) +
                  QStringLiteral("/70-orbis-mouse.rules"));
        if (installedIn == QLatin1String("etc")) // an older copy in udev's folder as well
            touch(lib + QStringLiteral("/70-orbis-mouse.rules"));
        if (shipped)
            touch(shippedRule);
        const QString advice =
            deviceaccess::udevRuleAdvice({etc, lib}, shipped ? shippedRule : QString());
        for (QString expected : says) {
            expected.replace(QLatin1String("ETC"), etc)
                .replace(QLatin1String("LIB"), lib)
                .replace(QLatin1String("SHIPPED"), shippedRule);
            QVERIFY2(advice.contains(expected), qPrintable(advice));
        }
        for (const QString &unexpected : never)
            QVERIFY2(!advice.contains(unexpected), qPrintable(advice));
    }
};

QTEST_GUILESS_MAIN(DeviceUnitsTest)
#include "test_device_units.moc"
