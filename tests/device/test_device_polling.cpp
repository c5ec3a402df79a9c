// Device polling with a host widget against simulated devices: which entry connects, what a
// failed handshake does, what a check tells the log, deferral of a check that falls due inside another, and the per-profile
// commands' rule read from the view.
#include "app/globals.h"
#include "widgetharness.h"

#include <QApplication>
#include <QtTest>

class DevicePollingTest : public QObject
{
    Q_OBJECT

    static sim::MouseConfig mouseConfig()
    {
        sim::MouseConfig c; // vid 1209, pid 0001, the mouse entry of the table
        return c;
    }

private slots:
    void onlyTheMouseConnectsEntryOne()
    {
        WidgetHarness h;
        sim::SimMouse *mouse = sim::attachMouse(mouseConfig());
        testsupport::LogCapture log;
        h.widget->show();
        h.widget->checkDevice();
        QCOMPARE(log.count(QStringLiteral("Device Connect")), 1);
        QCOMPARE(h.hid().devIndex, 1);
        QVERIFY(h.hid().devList[0].devPath.isEmpty());
        QVERIFY(deviceConnected);
        QVERIFY(h.widget->isVisible());
        QCOMPARE(h.balloons, QStringList{QStringLiteral("Info|Brisvanta Gaming MouseQ46")});
        QVERIFY(h.hid().listenRunning);
        // The listener start switched on the event reports (553: bit 40H of option byte 4).
        QVERIFY(uchar(mouse->keyboardOptions().at(3)) & 0x40);
        QCOMPARE(mouse->badChecksums(), 0);
    }

    // Each check says what it searched and found; a node this user may not open is named with
    // the fix.
    void checkTellsWhatItSearchedAndWhyNothingConnected_data()
    {
        QTest::addColumn<bool>("attached");
        QTest::addColumn<bool>("openRefused");
        QTest::newRow("nothing attached") << false << false;
        QTest::newRow("mouse refuses its open") << true << true;
        QTest::newRow("mouse connects") << true << false;
    }

    void checkTellsWhatItSearchedAndWhyNothingConnected()
    {
        QFETCH(bool, attached);
        QFETCH(bool, openRefused);
        WidgetHarness h;
        sim::SimMouse *mouse = attached ? sim::attachMouse(mouseConfig()) : nullptr;
        if (mouse)
            mouse->setOpenFails(openRefused);
        testsupport::LogCapture log;
        h.widget->checkDevice();
        const QString found =
            mouse ? QStringLiteral("%1 (1209:0001 ff00:ff00, command), "
                                   "%2 (1209:0001 ff01:ff01, event)")
                        .arg(mouse->commandPath(), mouse->eventPath())
                  : QStringLiteral("no interface of these ids");
        QCOMPARE(log.lines().filter(QStringLiteral("Device check:")),
                 QStringList{QStringLiteral("Device check: searched 1209:0002, 1209:0001; found ") +
                             found});
        const QStringList refused = log.lines().filter(QStringLiteral("permission denied"));
        QCOMPARE(refused.size(), openRefused ? 1 : 0);
        if (openRefused) {
            QVERIFY(refused[0].startsWith(QStringLiteral("Cannot open ") + mouse->commandPath() +
                                          QStringLiteral(": permission denied. ")));
            QVERIFY(refused[0].contains(
                QStringLiteral("/share/orbis-mouse/70-orbis-mouse.rules /etc/udev/rules.d/")));
        }
        QCOMPARE(deviceConnected, attached && !openRefused);
    }

    void withBothAttachedEntryZeroConnects()
    {
        WidgetHarness h;
        sim::attachMouse(mouseConfig());
        sim::attachKeyboard(0x1209, 0x0002);
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        QCOMPARE(h.hid().devIndex, 0);
    }

    void wrongSecrecyCodeHidesTheWindowWithoutBalloon()
    {
        // One character differs: the mouse always finds the checksum wrong. (Codes that differ in
        // several characters can, by chance, still yield a valid checksum: the XOR with the code
        // cancels through the echo.)
        WidgetHarness h(true, QStringLiteral("111112"));
        sim::MouseConfig c = mouseConfig();
        c.isEncode = true;
        c.secrecyCode = "111111";
        sim::attachMouse(c);
        testsupport::LogCapture log;
        h.widget->show();
        h.widget->checkDevice();
        QCOMPARE(log.count(QStringLiteral("Device DisConnect")), 1);
        QVERIFY(!deviceConnected);
        QVERIFY(!h.widget->isVisible());
        QVERIFY(h.balloons.isEmpty());
        QVERIFY(!h.hid().listenRunning);
        // The entry keeps the paths found.
        QVERIFY(!h.hid().devList[1].devPath.isEmpty());
    }

    void matchingSecrecyCodeConnects()
    {
        WidgetHarness h(true, QStringLiteral("x9Y8z7"));
        sim::MouseConfig c = mouseConfig();
        c.isEncode = true;
        c.secrecyCode = "x9Y8z7";
        sim::attachMouse(c);
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
    }

    void deviceAttachedWhileHiddenConnectsButStaysHidden()
    {
        WidgetHarness h;
        h.widget->show();
        h.widget->checkDevice(); // nothing attached
        QVERIFY(!h.widget->isVisible());
        sim::attachMouse(mouseConfig());
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        QCOMPARE(h.balloons.size(), 1);
        QVERIFY(!h.widget->isVisible());
    }

    void listenerStartOn560SetsOptionBit08()
    {
        WidgetHarness h;
        h.view()->icType = QStringLiteral("560");
        h.view()->isGun = false;
        sim::MouseConfig c = mouseConfig();
        c.family = QStringLiteral("560");
        sim::SimMouse *mouse = sim::attachMouse(c);
        mouse->setKeyboardOptions(QByteArray::fromHex("0102"));
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        QCOMPARE(mouse->keyboardOptions(), QByteArray::fromHex("0902"));
    }

    void checkFallingDueWhileTheLockIsHeldWaitsForIt()
    {
        WidgetHarness h;
        sim::SimMouse *mouse = sim::attachMouse(mouseConfig());
        testsupport::LogCapture log;
        deviceConnected = false;
        // Something holds the device: the check neither waits nor gives up, it touches nothing.
        h.hid().hidIdle = false;
        h.widget->checkDevice();
        QVERIFY(!deviceConnected);
        QVERIFY(mouse->transfers().isEmpty());
        QVERIFY(log.lines().isEmpty());
        h.hid().hidIdle = true;
        QTRY_VERIFY(deviceConnected);
        QCOMPARE(log.lines().filter(QRegularExpression("^(Device (Dis)?Connect|cmd Failed.*)$")),
                 QStringList{QStringLiteral("Device Connect")});
    }

    // A device change falls due while a long command (block writes, as a Save sends them)
    // processes events: the check waits for the command, and the mouse stays connected.
    void deviceCheckDuringACommandLeavesTheMouseConnected()
    {
        WidgetHarness h;
        sim::SimMouse *mouse = sim::attachMouse(mouseConfig());
        h.widget->checkDevice();
        QVERIFY(deviceConnected);
        testsupport::LogCapture log;
        QMetaObject::invokeMethod(h.widget.get(), &Widget::checkDevice, Qt::QueuedConnection);
        QByteArray macro(128, '\x5a');
        h.hid().hid553_13H_SetMacroKey(3, reinterpret_cast<uchar *>(macro.data()));
        QCOMPARE(mouse->macro(3), macro);
        QVERIFY(deviceConnected);
        // The deferred check ran once the command had freed the lock, and found the mouse.
        QTRY_COMPARE(log.count(QStringLiteral("Device Connect")), 1);
        QVERIFY(deviceConnected);
        QCOMPARE(log.count(QStringLiteral("Device DisConnect")), 0);
        QVERIFY(log.lines().filter(QStringLiteral("cmd Failed")).isEmpty());
        QVERIFY(h.hid().hidIdle);
    }

    // The scene's initUI reads the device; when the connect is followed at once by a command,
    // initUI waits for that command instead of failing inside it.
    void sceneStartWaitsForARunningCommand()
    {
        WidgetHarness h;
        const QString qml = h.tree.file(QStringLiteral("reads.qml"));
        QFile f(qml);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("import QtQuick\nItem {\n function setCurrentDPI(v) {}\n"
                " function initUI() { recorder.record(ui_View.mouseGetCurrentDPI()) }\n"
                " function run() { recorder.record(-1) }\n function setProtectUI(t) {}\n}\n");
        f.close();
        h.view()->setSource(QUrl::fromLocalFile(qml));
        sim::SimMouse *mouse = sim::attachMouse(mouseConfig());
        mouse->setCurrentStage(3);
        testsupport::LogCapture log;
        h.widget->checkDevice();
        QByteArray macro(128, '\x11');
        h.hid().hid553_13H_SetMacroKey(2, reinterpret_cast<uchar *>(macro.data()));
        QTRY_COMPARE(h.recorder.dpiValues, (QList<int>{3, -1}));
        QVERIFY(log.lines().filter(QStringLiteral("cmd Failed")).isEmpty());
    }

    void perProfileCommandsFollowTheGunFlag()
    {
        WidgetHarness h;
        sim::MouseConfig c = mouseConfig();
        c.family = QStringLiteral("560");
        sim::SimMouse *mouse = sim::attachMouse(c);
        h.hid().setDeviceTable({});
        DeviceEntry e;
        e.devPath = mouse->commandPath();
        h.hid().setDeviceTable({e});
        h.hid().devIndex = 0;
        const auto reports = [mouse] {
            int n = 0;
            for (const sim::Transfer &t : mouse->transfers())
                n += t.kind == sim::TransferKind::FeatureOut;
            return n;
        };
        h.hid().isGun = true;
        mouse->clearTransfers();
        h.hid().hid560_03H_SetReportRate(2);
        QCOMPARE(reports(), 1);
        QCOMPARE(mouse->profileReportRate(1), 2);
        h.hid().isGun = false;
        mouse->clearTransfers();
        h.hid().hid560_04H_SetCurrentDPI(3);
        QCOMPARE(reports(), 4);
        QCOMPARE(mouse->profileStage(4), 3);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DevicePollingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "moc_widgetharness.cpp"
#include "test_device_polling.moc"
