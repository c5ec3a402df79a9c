// The event listener with a host widget and the simulated mouse, in real time: DPI-switch
// reports reach the scene on the GUI thread with their balloon, other reports change nothing,
// removal, an entry without event interface, and no report lost at any moment of the cycle.
#include "app/globals.h"
#include "widgetharness.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

class DeviceListenerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WidgetHarness> h;
    sim::SimMouse *mouse = nullptr;
    QString savedTexts[8];

    void connectMouse(bool eventInterface = true)
    {
        h = std::make_unique<WidgetHarness>();
        sim::MouseConfig c;
        c.hasEventInterface = eventInterface;
        mouse = sim::attachMouse(c);
        h->widget->checkDevice();
        QVERIFY(deviceConnected);
        h->balloons.clear();
        // The kernel drops what arrives in the first 50 ms after the open.
        QTest::qWait(60);
    }

    static QByteArray report(const char *hexText) { return QByteArray::fromHex(hexText); }

private slots:
    void init()
    {
        for (int i = 0; i < 8; ++i) {
            savedTexts[i] = dpiSwitchText[i];
            dpiSwitchText[i] = QStringLiteral("text%1").arg(i);
        }
    }

    void cleanup()
    {
        h.reset(); // stops the listener and waits for it
        sim::detachAll();
        for (int i = 0; i < 8; ++i)
            dpiSwitchText[i] = savedTexts[i];
    }

    void dpiSwitchReachesTheSceneAndTheTray()
    {
        connectMouse();
        mouse->sendEventReport(report("06070003"));
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues, QList<int>{3}, 3000);
        QVERIFY(!h->recorder.offGuiThread);
        QCOMPARE(h->balloons, QStringList{QStringLiteral("Info|text2 ")});
    }

    void stagesOutsideOneToSevenUseTheLastText()
    {
        connectMouse();
        mouse->sendEventReport(report("06070000"));
        mouse->sendEventReport(report("06070509"));
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues, (QList<int>{0, 9}), 3000);
        QCOMPARE(h->balloons,
                 (QStringList{QStringLiteral("Info|text7 "), QStringLiteral("Info|text7 ")}));
    }

    void otherReportsChangeNothing()
    {
        connectMouse();
        mouse->sendEventReport(report("060703"));
        mouse->sendEventReport(report("06080003"));
        mouse->sendEventReport(report("06070006")); // the marker that everything was read
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues, QList<int>{6}, 3000);
        QCOMPARE(h->balloons.size(), 1);
    }

    // hidraw hands over the whole report: the first four bytes of any report of at least four
    // count. The device object works here on its own, without a window.
    void reportsOfFourBytesOrMoreAreReadFromTheirStart_data()
    {
        QTest::addColumn<QByteArray>("event");
        QTest::addColumn<QList<int>>("stages");
        const QByteArray tail(28, '\x55');
        QTest::newRow("4 bytes") << report("06070003") << QList<int>{3};
        QTest::newRow("8 bytes") << report("0607000500000000") << QList<int>{5};
        QTest::newRow("32 bytes") << report("06070002") + tail << QList<int>{2};
        QTest::newRow("32 bytes, other code") << report("06080002") + tail << QList<int>{};
    }

    void reportsOfFourBytesOrMoreAreReadFromTheirStart()
    {
        QFETCH(QByteArray, event);
        QFETCH(QList<int>, stages);
        mouse = sim::attachMouse(sim::MouseConfig());
        Hid_Thread hid;
        DeviceEntry entry;
        entry.devPath = mouse->commandPath();
        entry.devPath2 = mouse->eventPath();
        hid.setDeviceTable({entry});
        hid.devIndex = 0;
        QSignalSpy switched(&hid, &Hid_Thread::dpiSwitched);
        hid.startHidListen(0);
        QTest::qWait(60); // the kernel drops what arrives in the first 50 ms after the open
        mouse->sendEventReport(event);
        mouse->sendEventReport(report("06070007")); // the marker that everything was read
        QTRY_VERIFY_WITH_TIMEOUT(!switched.isEmpty() && switched.last().value(0) == 7, 3000);
        QList<int> seen;
        for (const QList<QVariant> &arguments : switched)
            seen << arguments.value(0).toInt();
        QCOMPARE(seen, stages + QList<int>{7});
    }

    void unplugEndsTheListenerAndDisablesTheView()
    {
        connectMouse();
        testsupport::LogCapture log;
        QElapsedTimer timer;
        timer.start();
        mouse->unplug();
        QTRY_VERIFY_WITH_TIMEOUT(h->hid().listenFuture.isFinished(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!h->view()->isEnabled(), 1000);
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(log.count(QStringLiteral("Device removed")), 1);
        QVERIFY(h->hid().devList[1].devPath2.isEmpty());
        QVERIFY(!h->hid().listenRunning);
        QVERIFY(deviceConnected); // until the next check
        // Device changes start checks again.
        h->widget->deviceChangeNotified();
        QVERIFY(h->widget->pollTimer.isActive());
    }

    void entryWithoutEventInterfaceEndsAtOnceWithTheFlagSet()
    {
        connectMouse(false);
        QTRY_VERIFY_WITH_TIMEOUT(h->hid().listenFuture.isFinished(), 1000);
        QVERIFY(h->hid().listenRunning);
        h->widget->deviceChangeNotified();
        QVERIFY(!h->widget->pollTimer.isActive());
    }

    void aFailedReadReopensAndKeepsListening()
    {
        connectMouse();
        mouse->failNextTransfersOn(mouse->eventPath(), 1);
        QTest::qWait(50);
        mouse->sendEventReport(report("06070002"));
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues, QList<int>{2}, 3000);
        QVERIFY(h->hid().listenRunning);
        QVERIFY(h->view()->isEnabled());
    }

    void restartWaitsForThePreviousListener()
    {
        connectMouse();
        const QFuture<void> first = h->hid().listenFuture;
        h->hid().startHidListen(1);
        QVERIFY(first.isFinished());
        QCOMPARE(mouse->openHandles(mouse->eventPath()), 1);
        mouse->sendEventReport(report("06070004"));
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues, QList<int>{4}, 3000);
    }

    void everyReportArrivesWhateverItsTiming()
    {
        connectMouse();
        QRandomGenerator rng(42);
        QList<int> expected;
        for (int i = 0; i < 40; ++i) {
            const int stage = 1 + i % 7;
            mouse->sendEventReport(QByteArray::fromHex("060700") + char(stage));
            expected << stage;
            QTest::qWait(static_cast<int>(rng.bounded(0, 60))); // spread over the 500 ms cycle
        }
        QTRY_COMPARE_WITH_TIMEOUT(h->recorder.dpiValues.size(), expected.size(), 5000);
        QCOMPARE(h->recorder.dpiValues, expected);
        QCOMPARE(h->balloons.size(), expected.size());
        QCOMPARE(mouse->openHandles(mouse->eventPath()), 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DeviceListenerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "moc_widgetharness.cpp"
#include "test_device_listener.moc"
