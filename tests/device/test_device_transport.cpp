// The transport and both command families against the simulated mouse, on the virtual clock:
// frames and blocks as the mouse received them, pause sequences, the lock, handle keeping,
// failures, and the state the mouse holds afterwards.
#include "base/sleep.h"
#include "device/hid_thread.h"
#include "device/scrambling.h"
#include "sim/simdevice.h"
#include "support/simentry.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace
{

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray pattern(int n, int seed)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(seed + i * 7);
    return b;
}

uchar *u(QByteArray &b)
{
    return reinterpret_cast<uchar *>(b.data());
}

QList<QByteArray> sent(const sim::SimMouse *mouse, sim::TransferKind kind)
{
    QList<QByteArray> out;
    for (const sim::Transfer &t : mouse->transfers())
        if (t.kind == kind && t.path == mouse->commandPath())
            out.append(t.bytes);
    return out;
}

QList<QByteArray> features(const sim::SimMouse *m)
{
    return sent(m, sim::TransferKind::FeatureOut);
}
QList<QByteArray> writes(const sim::SimMouse *m)
{
    return sent(m, sim::TransferKind::Write);
}

} // namespace

class DeviceTransportTest : public QObject
{
    Q_OBJECT

    Hid_Thread *hid = nullptr;
    sim::SimMouse *mouse = nullptr;
    base::VirtualClock *clock = nullptr;

    void attach(const sim::MouseConfig &config, const QString &sCode = QStringLiteral("527361"))
    {
        mouse = sim::attachMouse(config);
        DeviceEntry e = testsupport::entryFor(*mouse);
        e.sCode = sCode; // may differ from the mouse's own code on purpose
        hid->setDeviceTable({e});
        hid->devIndex = 0;
        mouse->clearTransfers();
        clock->clear();
    }

    static sim::MouseConfig config(const QString &family = QStringLiteral("553"),
                                   int reportLength = 32, bool encode = false)
    {
        sim::MouseConfig c;
        c.family = family;
        c.reportLength = reportLength;
        c.isEncode = encode;
        return c;
    }

    // The two block sizes of the reference devices.
    static void reportLengths()
    {
        QTest::addColumn<int>("reportLength");
        QTest::newRow("32") << 32;
        QTest::newRow("64") << 64;
    }

private slots:
    void init()
    {
        clock = new base::VirtualClock;
        hid = new Hid_Thread;
        std::fill(std::begin(secrecyCode), std::end(secrecyCode), 0);
    }

    void cleanup()
    {
        delete hid;
        sim::detachAll();
        delete clock;
    }

    void setWithBlockIsByteExactWithItsPauses()
    {
        attach(config());
        QByteArray src8 = pattern(8, 0x21);
        hid->hid553_11H_SetDPISet(2, u(src8));
        QCOMPARE(features(mouse), QList<QByteArray>{hex("0011020800000000e4")});
        QCOMPARE(writes(mouse), QList<QByteArray>{'\0' + src8 + QByteArray(24, '\0')});
        QCOMPARE(clock->pauses(), (QList<int>{64, 64, 120, 64, 64}));
        QCOMPARE(mouse->dpiTable(), src8);
        QCOMPARE(mouse->dpiStageCount(), 2);
        QCOMPARE(mouse->badChecksums(), 0);
        QVERIFY(hid->hidIdle);
    }

    void setWithoutBlockSendsOneReport()
    {
        attach(config());
        hid->hid553_01H_SetReportRate(3);
        QCOMPARE(features(mouse), QList<QByteArray>{hex("0001030000000000fb")});
        QVERIFY(writes(mouse).isEmpty());
        QCOMPARE(clock->pauses(), (QList<int>{64, 64}));
        QCOMPARE(mouse->reportRate(), 3);
    }

    void block128IsChunkedByReportLength_data() { reportLengths(); }
    void block128IsChunkedByReportLength()
    {
        QFETCH(int, reportLength);
        attach(config(QStringLiteral("553"), reportLength));
        QByteArray macro = pattern(128, 5);
        hid->hid553_13H_SetMacroKey(3, u(macro));
        const QList<QByteArray> w = writes(mouse);
        QCOMPARE(w.size(), 128 / reportLength);
        for (int i = 0; i < w.size(); ++i)
            QCOMPARE(w[i], '\0' + macro.mid(i * reportLength, reportLength));
        QList<int> expected{64, 64};
        for (int i = 0; i < w.size(); ++i)
            expected << 120;
        expected << 64 << 64;
        QCOMPARE(clock->pauses(), expected);
        QCOMPARE(mouse->macro(3), macro);
    }

    void scrambledBodiesCarryTheSameCommands()
    {
        sim::MouseConfig c = config(QStringLiteral("553"), 32, true);
        c.secrecyCode = "Q7x!2k";
        attach(c, QStringLiteral("Q7x!2k"));
        QVERIFY(hid->chkDeviceIsEnCode(0));
        mouse->clearTransfers();
        QByteArray src8 = pattern(8, 0x40);
        hid->hid553_11H_SetDPISet(2, u(src8));
        QByteArray body = features(mouse).value(0).mid(1);
        QCOMPARE(body.size(), 8);
        QVERIFY(body != hex("11020800000000e4"));
        scrambling::decipher(u(body), secrecyCode);
        QCOMPARE(body, hex("11020800000000e4"));
        // Data blocks travel plain.
        QCOMPARE(writes(mouse).value(0).mid(1, 8), src8);
        QCOMPARE(mouse->dpiTable(), src8);
        QCOMPARE(mouse->badChecksums(), 0);

        uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        mouse->setKeyboardOptions(hex("01020304"));
        hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
        const uchar got[4] = {b1, b2, b3, b4};
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(got), 4), hex("01020304"));
    }

    void handshake()
    {
        attach(config());
        QVERIFY(hid->chkDeviceIsEnCode(0));
        const QByteArray request = features(mouse).value(0);
        QCOMPARE(request.size(), 9);
        QCOMPARE(request.left(2), hex("0000"));
        QCOMPARE(request.mid(6, 2), hex("0000"));
        QCOMPARE(uchar(request[8]),
                 frames::checksum(reinterpret_cast<const uchar *>(request.constData()) + 1));

        // A failed exchange never passes.
        mouse->failNextTransfers(1);
        QVERIFY(!hid->chkDeviceIsEnCode(0));
        mouse->setSilent(true);
        QVERIFY(!hid->chkDeviceIsEnCode(0));
    }

    void handshakeWithTheWrongSecrecyCodeFails()
    {
        sim::MouseConfig c = config(QStringLiteral("553"), 32, true);
        c.secrecyCode = "111111";
        attach(c, QStringLiteral("111121")); // one character differs: never a valid checksum
        QVERIFY(!hid->chkDeviceIsEnCode(0));
    }

    void codesOfOtherLengthsKeepThePreviousCode()
    {
        sim::MouseConfig c = config(QStringLiteral("553"), 32, true);
        c.secrecyCode = "ABCDEF";
        attach(c, QStringLiteral("ABCDEF"));
        QVERIFY(hid->chkDeviceIsEnCode(0));
        hid->devList[0].sCode = QStringLiteral("XYZ12"); // five characters: not loaded
        QVERIFY(hid->chkDeviceIsEnCode(0));
        hid->devList[0].sCode = QStringLiteral("XYZ1234");
        QVERIFY(hid->chkDeviceIsEnCode(0));
        hid->devList[0].sCode = QStringLiteral("ABCDEG"); // loaded: one character off
        QVERIFY(!hid->chkDeviceIsEnCode(0));
    }

    void nestedCommandWaitsThenGivesUp()
    {
        attach(config());
        testsupport::LogCapture log;
        uchar r[4] = {9, 9, 9, 9};
        // Runs inside the outer command's event processing, while it holds the lock.
        QMetaObject::invokeMethod(
            hid, [&] { hid->hid553_00H_GetSecrecyCode(r[0], r[1], r[2], r[3]); },
            Qt::QueuedConnection);
        hid->hid553_01H_SetReportRate(2);
        QCOMPARE(log.count(QStringLiteral("cmd Failed 00")), 1);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(r), 4), QByteArray(4, '\0'));
        QCOMPARE(features(mouse), QList<QByteArray>{hex("0001020000000000fc")});
        QCOMPARE(clock->pauses().count(8), 255);
        QVERIFY(hid->hidIdle);

        // Every command writes its own line.
        hid->hidIdle = false;
        QByteArray block = pattern(128, 1);
        uchar b = 7;
        hid->hid553_8BH_GetCurrentDPI(b);
        hid->hid560_8CH_readProfile(u(block), 1);
        hid->hid553_12H_SetKeyMatrix(u(block), 1);
        QCOMPARE(log.count(QStringLiteral("cmd Failed 8BH")), 1);
        QCOMPARE(log.count(QStringLiteral("cmd Failed 8c")), 1);
        QCOMPARE(log.count(QStringLiteral("cmd Failed 12")), 1);
        QCOMPARE(b, uchar(7));
        QCOMPARE(block, pattern(128, 1));
        QCOMPARE(features(mouse).size(), 1);
    }

    void perProfileCommandsHoldTheLockAcrossTheirReports()
    {
        attach(config(QStringLiteral("560")));
        testsupport::LogCapture log;
        QMetaObject::invokeMethod(
            hid, [&] { hid->hid560_02H_SetCurrentProfile(3); }, Qt::QueuedConnection);
        hid->hid560_03H_SetReportRate(4);
        QCOMPARE(log.count(QStringLiteral("cmd Failed 02")), 1);
        const QList<QByteArray> f = features(mouse);
        QCOMPARE(f.size(), 4);
        for (int p = 1; p <= 4; ++p) {
            QCOMPARE(uchar(f[p - 1][1]), uchar(0x03));
            QCOMPARE(int(f[p - 1][2]), p);
            QCOMPARE(int(f[p - 1][3]), 4);
            QCOMPARE(mouse->profileReportRate(p), 4);
        }
        QVERIFY(hid->hidIdle);
    }

    void handleStaysOpenUntilACallFails()
    {
        attach(config());
        hid->hid553_01H_SetReportRate(1);
        hid->hid553_0BH_SetCurrentDPI(2);
        QCOMPARE(sent(mouse, sim::TransferKind::Open).size(), 1);
        QCOMPARE(mouse->openHandles(mouse->commandPath()), 1);

        mouse->failNextTransfers(1);
        hid->hid553_0BH_SetCurrentDPI(3);
        QCOMPARE(mouse->openHandles(mouse->commandPath()), 0);
        QCOMPARE(mouse->currentStage(), 2);
        QVERIFY(hid->hidIdle);
        hid->hid553_0BH_SetCurrentDPI(4);
        QCOMPARE(sent(mouse, sim::TransferKind::Open).size(), 2);
        QCOMPARE(mouse->currentStage(), 4);
    }

    void openFailureClearsThePathUntilTheNextCheck()
    {
        attach(config());
        mouse->setOpenFails(true);
        hid->hid553_01H_SetReportRate(1);
        QVERIFY(hid->devList[0].devPath.isEmpty());
        QVERIFY(hid->hidIdle);
        mouse->setOpenFails(false);
        hid->hid553_01H_SetReportRate(2);
        QVERIFY(features(mouse).isEmpty());
        QCOMPARE(sent(mouse, sim::TransferKind::OpenFailed).size(), 1);
        QCOMPARE(sent(mouse, sim::TransferKind::Open).size(), 0);
    }

    void nonPositiveReportLengthIsRefused()
    {
        attach(config());
        hid->devList[0].reportLength = 0;
        QByteArray src8 = pattern(8, 1);
        hid->hid553_11H_SetDPISet(1, u(src8));
        QVERIFY(features(mouse).isEmpty());
        QVERIFY(writes(mouse).isEmpty());
        QVERIFY(hid->hidIdle);
    }

    void unplugDuringACommandReleasesTheLock()
    {
        attach(config());
        hid->hid553_01H_SetReportRate(1); // the handle is open now
        QMetaObject::invokeMethod(
            hid, [&] { mouse->unplug(); }, Qt::QueuedConnection);
        QByteArray macro = pattern(128, 3);
        hid->hid553_13H_SetMacroKey(1, u(macro));
        QVERIFY(hid->hidIdle);
        QCOMPARE(mouse->openHandles(mouse->commandPath()), 0);
        // Back again: the next command reopens the interface.
        mouse->plug();
        hid->hid553_13H_SetMacroKey(1, u(macro));
        QCOMPARE(mouse->macro(1), macro);

        // Gone for good: the reopen fails and clears the path.
        mouse->unplug();
        hid->hid553_01H_SetReportRate(2);
        hid->hid553_01H_SetReportRate(3);
        QVERIFY(hid->devList[0].devPath.isEmpty());
        QVERIFY(hid->hidIdle);
    }

    void getCommandsWithAFailingTransferReturnTheCallersValues()
    {
        attach(config(QStringLiteral("560")));
        uchar a = 11, b = 12, c = 13, d = 14;
        mouse->failNextTransfers(1);
        hid->hid553_83H_GetKeyboardoption(a, b, c, d);
        QCOMPARE(QList<int>({a, b, c, d}), QList<int>({11, 12, 13, 14}));
        mouse->failNextTransfers(1);
        hid->hid553_8BH_GetCurrentDPI(a);
        QCOMPARE(a, uchar(11));
        mouse->failNextTransfers(1);
        hid->hid560_81H_GetKeyboardoption(a, b);
        QCOMPARE(QList<int>({a, b}), QList<int>({11, 12}));
        mouse->failNextTransfers(1);
        hid->hid560_82H_GetCurrentProfile(c);
        QCOMPARE(c, uchar(13));
        mouse->failNextTransfers(1);
        hid->hid560_84H_GetCurrentDPI(a, d);
        QCOMPARE(QList<int>({a, d}), QList<int>({11, 14}));
        mouse->failNextTransfers(1);
        hid->hid553_00H_GetSecrecyCode(a, b, c, d);
        QCOMPARE(QList<int>({a, b, c, d}), QList<int>({0, 0, 0, 0}));
    }

    void commands553()
    {
        attach(config());
        struct Case {
            const char *name;
            std::function<void()> call;
            QByteArray request;
            QByteArray block; // data bytes of the interrupt reports, without padding
            QList<int> pauses;
            std::function<bool()> mouseHolds;
        };
        static QByteArray key = pattern(64, 9), colours = pattern(24, 3), macro = pattern(128, 2);
        static QByteArray dpi = pattern(8, 1);
        const QList<int> settleOnly{64, 64};
        const QList<Case> cases = {
            {"02H",
             [&] { hid->hid553_02H_SetCurrentKeyMatrix(3); },
             hex("0002030000000000fa"),
             {},
             settleOnly,
             [&] { return mouse->activeMatrix() == 3; }},
            {"03H",
             [&] { hid->hid553_03H_SetKeyboardoption(1, 2, 3, 4); },
             hex("0003010203040000f2"),
             {},
             {8},
             [&] { return mouse->keyboardOptions() == hex("01020304"); }},
            {"04H",
             [&] { hid->hid553_04H_SetGunData(1, 2, 3, 2); },
             hex("0004000102030200f3"),
             {},
             {8},
             [&] { return mouse->gunData(2) == hex("01020302"); }},
            {"0BH",
             [&] { hid->hid553_0BH_SetCurrentDPI(5); },
             hex("000b050000000000ef"),
             {},
             settleOnly,
             [&] { return mouse->currentStage() == 5; }},
            {"0DH",
             [&] { hid->hid553_0DH_SetRGBLedEffect(1, 2, 3); },
             hex("000d010203000000ec"),
             {},
             settleOnly,
             [&] { return mouse->lightingEffect() == hex("010203"); }},
            {"10H type 2",
             [&] { hid->hid553_10H_SetLED8StageColor(2, u(colours)); },
             hex("0010020400000000e9"),
             colours.left(4),
             {64, 64, 120, 64, 64},
             [&] { return mouse->colourTable() == colours.left(4) && mouse->colourType() == 2; }},
            {"10H type 1",
             [&] { hid->hid553_10H_SetLED8StageColor(1, u(colours)); },
             hex("0010011800000000d6"),
             colours,
             {64, 64, 120, 64, 64},
             [&] { return mouse->colourTable() == colours; }},
            {"12H",
             [&] { hid->hid553_12H_SetKeyMatrix(u(key), 2); },
             hex("0012024008000000a3"),
             frames::exchangeKeyEntries(key),
             {64, 64, 120, 120, 64, 64},
             [&] { return mouse->keyMatrix(2) == frames::exchangeKeyEntries(key); }},
        };
        for (const Case &c : cases) {
            mouse->clearTransfers();
            clock->clear();
            c.call();
            QVERIFY2(features(mouse) == QList<QByteArray>{c.request}, c.name);
            QByteArray data;
            for (const QByteArray &w : writes(mouse))
                data += w.mid(1);
            QVERIFY2(data.left(c.block.size()) == c.block, c.name);
            QVERIFY2(data.mid(c.block.size()).count('\0') == data.size() - c.block.size(), c.name);
            QVERIFY2(clock->pauses() == c.pauses, c.name);
            QVERIFY2(c.mouseHolds(), c.name);
        }
        QCOMPARE(mouse->badChecksums(), 0);
        QCOMPARE(mouse->unknownRequests(), 0);
    }

    void keyMatrixExchangeLeavesTheCallersArray()
    {
        attach(config());
        QByteArray key = pattern(64, 50);
        const QByteArray original = key;
        for (int i = 0; i < 3; ++i)
            hid->hid553_12H_SetKeyMatrix(u(key), 1);
        QCOMPARE(key, original);
        QByteArray blocks;
        for (const QByteArray &w : writes(mouse))
            blocks += w.mid(1);
        const QByteArray once = frames::exchangeKeyEntries(original);
        QCOMPARE(blocks, once + once + once);
    }

    void commands560()
    {
        attach(config(QStringLiteral("560")));
        QByteArray image = pattern(128, 77), key = pattern(64, 4), macro = pattern(128, 8);
        hid->hid560_01H_SetKeyboardoption(0x09, 0x02);
        QCOMPARE(features(mouse).last(), hex("0001090200000000f3"));
        QCOMPARE(mouse->keyboardOptions(), hex("0902"));
        QCOMPARE(clock->pauses(), QList<int>{8});

        hid->hid560_02H_SetCurrentProfile(2);
        QCOMPARE(mouse->currentProfile(), 2);

        clock->clear();
        hid->hid560_04H_SetCurrentDPI(3);
        QCOMPARE(clock->pauses(), (QList<int>{64, 64, 64, 64, 64, 64, 64, 64}));
        for (int p = 1; p <= 4; ++p)
            QCOMPARE(mouse->profileStage(p), 3);

        mouse->clearTransfers();
        hid->hid560_0CH_setProfile(u(image), 2);
        QCOMPARE(features(mouse), QList<QByteArray>{hex("000c02800000000071")});
        QCOMPARE(mouse->profileImage(2), image);

        mouse->clearTransfers();
        hid->hid560_0DH_SetKeyMatrix(u(key), 1);
        QCOMPARE(features(mouse), QList<QByteArray>{hex("000d01800000000071")});
        QByteArray data;
        for (const QByteArray &w : writes(mouse))
            data += w.mid(1);
        QCOMPARE(data, key + QByteArray(64, '\0'));
        QCOMPARE(key, pattern(64, 4));

        hid->hid560_0FH_SetMacroKey(4, u(macro));
        QCOMPARE(mouse->macro(4), macro);

        mouse->clearTransfers();
        uchar a = 5, b = 6;
        hid->hid560_81H_GetKeyboardoption(a, b);
        QCOMPARE(QList<int>({a, b}), QList<int>({9, 2}));
        QCOMPARE(features(mouse).last(), hex("00810000000000007e"));
        uchar profile = 0;
        hid->hid560_82H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(2));
        uchar one = 1, stage = 0;
        hid->hid560_84H_GetCurrentDPI(one, stage);
        QCOMPARE(features(mouse).last(), hex("00840100000000007a"));
        QCOMPARE(stage, uchar(3));
        QCOMPARE(mouse->badChecksums(), 0);
        QCOMPARE(mouse->unknownRequests(), 0);
    }

    void readProfileRightAfterOpen_data() { reportLengths(); }
    void readProfileRightAfterOpen()
    {
        QFETCH(int, reportLength);
        attach(config(QStringLiteral("560"), reportLength));
        const QByteArray image = pattern(128, 99);
        mouse->setProfileImage(1, image);
        QByteArray target(128, '\x55');
        // The first command opens the interface: its answer must not fall into the kernel's
        // dropping window.
        hid->hid560_8CH_readProfile(u(target), 1);
        QCOMPARE(target, image);
        QCOMPARE(features(mouse), QList<QByteArray>{hex("008c01000000000072")});
        QVERIFY(clock->pauses().contains(50));
        // A second read on the open handle needs no wait.
        clock->clear();
        mouse->setProfileImage(3, pattern(128, 3));
        hid->hid560_8CH_readProfile(u(target), 3);
        QCOMPARE(target, pattern(128, 3));
        QVERIFY(clock->pauses().isEmpty());
    }

    void readProfileFromASilentMouseLeavesTheImage()
    {
        attach(config(QStringLiteral("560")));
        mouse->setSilent(true);
        QByteArray target = pattern(128, 1);
        hid->hid560_8CH_readProfile(u(target), 0);
        QCOMPARE(target, pattern(128, 1));
        QVERIFY(hid->hidIdle);
    }

    void staleInputIsNotTakenForTheAnswer()
    {
        attach(config(QStringLiteral("560")));
        mouse->setProfileImage(0, pattern(128, 10));
        mouse->setProfileImage(1, pattern(128, 20));
        QByteArray target(128, '\0');
        // Taking the mouse's 32-byte reports as 64-byte chunks reads two of its four reports
        // and leaves two queued on the handle.
        hid->devList[0].reportLength = 64;
        hid->hid560_8CH_readProfile(u(target), 0);
        hid->devList[0].reportLength = 32;
        hid->hid560_8CH_readProfile(u(target), 1);
        QCOMPARE(target, pattern(128, 20));
    }

    void listenerStartWritesTheOptionsBackOnlyWhenTheyWereRead()
    {
        attach(config());
        mouse->setKeyboardOptions(hex("01020304"));
        hid->startHidListen(0);
        QCOMPARE(mouse->keyboardOptions(), hex("01020344"));
        hid->stopHidListen();
        hid->waitListenerFinished();

        mouse->setKeyboardOptions(hex("01020304"));
        mouse->clearTransfers();
        mouse->failNextTransfers(1); // the option read fails
        hid->startHidListen(0);
        QCOMPARE(mouse->keyboardOptions(), hex("01020304"));
        for (const QByteArray &request : features(mouse))
            QVERIFY(request.at(1) != 0x03);
        QVERIFY(hid->listenRunning);
        hid->stopHidListen();
        hid->waitListenerFinished();
    }

    void traceWritesOneLinePerTransfer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("ORBIS_HID_TRACE", path.toLocal8Bit());
        attach(config());
        QByteArray src8 = pattern(8, 0);
        hid->hid553_11H_SetDPISet(2, u(src8));
        qunsetenv("ORBIS_HID_TRACE");
        hid->hid553_01H_SetReportRate(1); // not traced any more
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains(QRegularExpression("^\\d+ cmd open ok ")));
        QVERIFY(lines[1].contains(
            QRegularExpression("^\\d+ cmd feature-out 9 00 11 02 08 00 00 00 00 e4$")));
        QVERIFY(lines[2].contains(QRegularExpression("^\\d+ cmd write 33 00 00 07 0e")));
    }
};

QTEST_GUILESS_MAIN(DeviceTransportTest)
#include "test_device_transport.moc"
