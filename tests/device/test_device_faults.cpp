// The fault matrix: every fault the simulated mouse can inject, at every command-interface
// transfer of every command of both families, of the connect sequence (handshake, listener start,
// the 560 profile reads) and of a listening pass. After each fault: the transfer lock is free,
// the operation paused no longer than it does without the fault, the next device check connects
// again, and no settings file changed. A new command joins by adding a row to its family's table.
#include "app/globals.h"
#include "base/sleep.h"
#include "widgetharness.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QtTest>
#include <functional>

namespace
{

using Fault = sim::SimMouse::Fault;

// A failed transfer closes the command interface; a block read right after reopening it waits
// out the kernel's quiet window first. That is the only pause a fault may add, once per
// transfer at most: no lock wait, no timeout.
constexpr qint64 kReopenWaitMs = 50;

struct Operation {
    const char *name;
    std::function<void(WidgetHarness &)> run;
};

// Caller-owned buffers of the block commands.
QByteArray block128(128, '\x21'), block64(64, '\x12'), block24(24, '\x33'), block8(8, '\x07');
uchar *u(QByteArray &b)
{
    return reinterpret_cast<uchar *>(b.data());
}

const QList<Operation> &operations553()
{
    static const QList<Operation> ops = {
        {"connect", [](WidgetHarness &h) { h.widget->checkDevice(); }},
        {"00H", [](WidgetHarness &h) {
             uchar a, b, c, d;
             h.hid().hid553_00H_GetSecrecyCode(a, b, c, d);
         }},
        {"01H", [](WidgetHarness &h) { h.hid().hid553_01H_SetReportRate(2); }},
        {"02H", [](WidgetHarness &h) { h.hid().hid553_02H_SetCurrentKeyMatrix(2); }},
        {"03H", [](WidgetHarness &h) { h.hid().hid553_03H_SetKeyboardoption(1, 0, 0, 0x41); }},
        {"04H", [](WidgetHarness &h) { h.hid().hid553_04H_SetGunData(1, 2, 3, 1); }},
        {"0BH", [](WidgetHarness &h) { h.hid().hid553_0BH_SetCurrentDPI(2); }},
        {"0DH", [](WidgetHarness &h) { h.hid().hid553_0DH_SetRGBLedEffect(1, 2, 3); }},
        {"10H", [](WidgetHarness &h) { h.hid().hid553_10H_SetLED8StageColor(1, u(block24)); }},
        {"11H", [](WidgetHarness &h) { h.hid().hid553_11H_SetDPISet(4, u(block8)); }},
        {"12H", [](WidgetHarness &h) { h.hid().hid553_12H_SetKeyMatrix(u(block64), 1); }},
        {"13H", [](WidgetHarness &h) { h.hid().hid553_13H_SetMacroKey(1, u(block128)); }},
        {"83H", [](WidgetHarness &h) {
             uchar a = 0, b = 0, c = 0, d = 0;
             h.hid().hid553_83H_GetKeyboardoption(a, b, c, d);
         }},
        {"8BH", [](WidgetHarness &h) {
             uchar a = 0;
             h.hid().hid553_8BH_GetCurrentDPI(a);
         }},
    };
    return ops;
}

const QList<Operation> &operations560()
{
    static const QList<Operation> ops = {
        {"connect", [](WidgetHarness &h) { h.widget->checkDevice(); }},
        {"01H", [](WidgetHarness &h) { h.hid().hid560_01H_SetKeyboardoption(9, 0); }},
        {"02H", [](WidgetHarness &h) { h.hid().hid560_02H_SetCurrentProfile(2); }},
        {"03H", [](WidgetHarness &h) { h.hid().hid560_03H_SetReportRate(1); }},
        {"04H", [](WidgetHarness &h) { h.hid().hid560_04H_SetCurrentDPI(2); }},
        {"0CH", [](WidgetHarness &h) { h.hid().hid560_0CH_setProfile(u(block128), 1); }},
        {"0DH", [](WidgetHarness &h) { h.hid().hid560_0DH_SetKeyMatrix(u(block64), 1); }},
        {"0FH", [](WidgetHarness &h) { h.hid().hid560_0FH_SetMacroKey(1, u(block128)); }},
        {"81H", [](WidgetHarness &h) {
             uchar a = 0, b = 0;
             h.hid().hid560_81H_GetKeyboardoption(a, b);
         }},
        {"82H", [](WidgetHarness &h) {
             uchar a = 0;
             h.hid().hid560_82H_GetCurrentProfile(a);
         }},
        {"84H", [](WidgetHarness &h) {
             uchar a = 0, b = 0;
             h.hid().hid560_84H_GetCurrentDPI(a, b);
         }},
        {"8CH", [](WidgetHarness &h) {
             QByteArray image(128, '\0');
             h.hid().hid560_8CH_readProfile(u(image), 2);
         }},
    };
    return ops;
}

// The simulator's faults; an unplugged mouse is either still gone at the next check or back.
struct Injection {
    Fault fault;
    bool replug;
};
const Injection kInjections[] = {
    {Fault::FailOne, false}, {Fault::FailAll, false}, {Fault::Unplug, false},
    {Fault::Silent, false},  {Fault::Unplug, true},
};

const char *faultName(Fault fault, bool replug)
{
    switch (fault) {
    case Fault::FailOne:
        return "one transfer fails";
    case Fault::FailAll:
        return "all later transfers fail";
    case Fault::Unplug:
        return replug ? "unplug and replug" : "unplug";
    case Fault::Silent:
        return "silent";
    }
    return "";
}

// Every file under modules/setting, with the hash of its bytes.
QMap<QString, QByteArray> settingsSnapshot()
{
    QMap<QString, QByteArray> files;
    QDirIterator it(QStringLiteral("./modules/setting"), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.insert(path, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

} // namespace

class DeviceFaultsTest : public QObject
{
    Q_OBJECT

    int cases_ = 0;

    // Runs every operation of a family once without a fault (to count its transfers and its
    // virtual time), then once per fault per transfer.
    void runMatrix(const QString &family, const QList<Operation> &operations)
    {
        base::VirtualClock clock;
        WidgetHarness h;
        h.view()->icType = family;
        h.view()->isGun = true; // the 560 connect reads profiles 2 to 4 as well
        sim::MouseConfig config;
        config.family = family;
        // Without an event interface the listener task ends at once, so every check can restart
        // it without waiting for a read; the listening pass has its own test.
        config.hasEventInterface = false;
        sim::SimMouse *mouse = sim::attachMouse(config);
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        const QMap<QString, QByteArray> settings = settingsSnapshot();
        testsupport::LogCapture log;

        const auto restore = [&] {
            mouse->faultAtTransfer(-1, Fault::FailOne);
            mouse->failNextTransfers(0);
            mouse->setSilent(false);
            mouse->plug();
        };
        for (const Operation &op : operations) {
            mouse->faultAtTransfer(-1, Fault::FailOne);
            qint64 start = clock.now();
            op.run(h);
            const int transfers = mouse->transfersCounted();
            const qint64 duration = clock.now() - start;
            QVERIFY2(transfers > 0, op.name);
            QVERIFY2(h.hid().hidIdle, op.name);

            for (int transfer = 0; transfer < transfers; ++transfer) {
                for (const Injection &injection : kInjections) {
                    const Fault fault = injection.fault;
                    const bool replug = injection.replug;
                    const QByteArray name = QByteArray(op.name) + " / transfer " +
                                            QByteArray::number(transfer) + " / " +
                                            faultName(fault, replug);
                    ++cases_;
                    log.clear();
                    mouse->faultAtTransfer(transfer, fault);
                    start = clock.now();
                    op.run(h);
                    QVERIFY2(clock.now() - start <= duration + transfers * kReopenWaitMs,
                             name.constData());
                    QVERIFY2(h.hid().hidIdle, name.constData());
                    if (fault == Fault::Unplug && !replug) {
                        // Still gone at the next check: the window goes, the mouse is absent.
                        mouse->faultAtTransfer(-1, Fault::FailOne);
                        h.widget->checkDevice();
                        QVERIFY2(!deviceConnected, name.constData());
                    }
                    restore();
                    h.widget->checkDevice();
                    QVERIFY2(deviceConnected, name.constData());
                    QVERIFY2(log.lines().filter(QStringLiteral("cmd Failed")).isEmpty(),
                             name.constData());
                    QVERIFY2(h.hid().hidIdle, name.constData());
                    QVERIFY2(settingsSnapshot() == settings, name.constData());
                }
            }
        }
        QCOMPARE(mouse->badChecksums(), 0);
    }

private slots:
    void cleanupTestCase() { qInfo("fault matrix: %d cases", cases_); }

    void family553() { runMatrix(QStringLiteral("553"), operations553()); }
    void family560() { runMatrix(QStringLiteral("560"), operations560()); }

    // The listener's pass on the event interface: a failed read is retried, an unplugged mouse
    // is noticed, a silent one is waited for; afterwards the next check connects again and DPI
    // switches reach the view.
    void listeningPass_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("removed");
        QTest::newRow("one read fails") << 0 << false;
        QTest::newRow("all reads fail") << 1 << false;
        QTest::newRow("unplug") << 2 << true;
        QTest::newRow("silent") << 3 << false;
        QTest::newRow("unplug and replug") << 4 << true;
    }

    void listeningPass()
    {
        QFETCH(int, fault);
        QFETCH(bool, removed);
        WidgetHarness h;
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        QVERIFY(h.hid().listenRunning);
        const QMap<QString, QByteArray> settings = settingsSnapshot();
        testsupport::LogCapture log;
        ++cases_;
        switch (fault) {
        case 0:
            mouse->failNextTransfersOn(mouse->eventPath(), 1);
            break;
        case 1:
            mouse->failNextTransfersOn(mouse->eventPath(), std::numeric_limits<int>::max());
            break;
        case 2:
        case 4:
            mouse->unplug();
            break;
        case 3:
            mouse->setSilent(true);
            break;
        }
        // The pass in progress ends (its read fails, or is woken by the report) and the next
        // ones run into the fault.
        mouse->sendEventReport(QByteArray::fromHex("06070003"));
        if (removed) {
            QTRY_VERIFY(!h.hid().listenRunning);
            QCOMPARE(log.count(QStringLiteral("Device removed")), 1);
            QTRY_VERIFY(!h.view()->isEnabled());
        } else {
            QTest::qWait(600); // at least one more pass
            QVERIFY(h.hid().listenRunning);
            QCOMPARE(log.count(QStringLiteral("Device removed")), 0);
        }
        QVERIFY(h.hid().hidIdle);

        mouse->failNextTransfersOn(mouse->eventPath(), 0);
        mouse->setSilent(false);
        if (fault == 2) {
            h.widget->checkDevice();
            QVERIFY(!deviceConnected);
        }
        mouse->plug();
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        QVERIFY(h.view()->isEnabled());
        h.recorder.dpiValues.clear();
        // Sent again at every poll: a freshly opened interface drops what arrives at once.
        QTRY_VERIFY((mouse->sendEventReport(QByteArray::fromHex("06070005")),
                     h.recorder.dpiValues.contains(5)));
        QVERIFY(log.lines().filter(QStringLiteral("cmd Failed")).isEmpty());
        QVERIFY(settingsSnapshot() == settings);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DeviceFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "moc_widgetharness.cpp"
#include "test_device_faults.moc"
