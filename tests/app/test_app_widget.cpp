// The host widget and window controller inside one process: poll-timer coalescing, the tray's
// restore rule, desktops without a tray, the UI start sequence, and the controller's window
// slots.
#include "app/globals.h"
#include "app/nomousenotice.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "bridge/ui_controler.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class WidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void burstOfDeviceChangesGivesOneCheckAfterTheLast()
    {
        testsupport::ScratchTree tree;
        Widget w;
        testsupport::LogCapture log;
        QElapsedTimer sinceLast;
        for (int i = 0; i < 10; ++i) {
            w.deviceChangeNotified();
            sinceLast.start();
            QTest::qWait(100);
        }
        QCOMPARE(log.count(QStringLiteral("Device DisConnect")), 0);
        QTRY_COMPARE_WITH_TIMEOUT(log.count(QStringLiteral("Device DisConnect")), 1, 5000);
        const qint64 delay = sinceLast.elapsed();
        QVERIFY2(delay >= 2040 && delay < 3500, qPrintable(QString::number(delay)));
        QTest::qWait(500);
        QCOMPARE(log.count(QStringLiteral("Device DisConnect")), 1);
    }

    void deviceChangesAreIgnoredWhileTheListenerRuns()
    {
        testsupport::ScratchTree tree;
        Widget w;
        testsupport::LogCapture log;
        w.hid.listenRunning = true;
        w.deviceChangeNotified();
        QTest::qWait(2600);
        QCOMPARE(log.count(QStringLiteral("Device DisConnect")), 0);
        w.hid.listenRunning = false;
    }

    void trayDoubleClickRestoresOnlyWhileConnected()
    {
        testsupport::ScratchTree tree;
        Widget w;
        w.hide();
        deviceConnected = false;
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!w.isVisible());
        deviceConnected = true;
        w.trayIconActivated(QSystemTrayIcon::Trigger);
        w.trayIconActivated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!w.isVisible());
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(w.isVisible());
        deviceConnected = false;
    }

    // The scene's minimise and close buttons, then the tray's double click.
    void trayDoubleClickBringsAMinimisedWindowBack_data()
    {
        QTest::addColumn<bool>("alsoClosed");
        QTest::newRow("minimised") << false;
        QTest::newRow("minimised, then closed") << true;
    }

    void trayDoubleClickBringsAMinimisedWindowBack()
    {
        QFETCH(bool, alsoClosed);
        testsupport::ScratchTree tree;
        Widget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.controller->onMinimize();
        QVERIFY(w.isMinimized());
        if (alsoClosed)
            w.controller->onClose();
        deviceConnected = true;
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        deviceConnected = false;
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    void windowIsFramelessTranslucentAndSizedToTheScene()
    {
        testsupport::ScratchTree tree;
        Widget w;
        QCOMPARE(w.objectName(), QStringLiteral("Widget"));
        QCOMPARE(w.windowFlags(), Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w.view()->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(w.size(), QSize(1024, 640));
        QCOMPARE(w.trayIcon->toolTip(), QStringLiteral("TALVERN ORBIS MOUSE R207"));
        QCOMPARE(w.view()->hid, &w.hid);
    }

    void missingIconAndGlobalFileDoNotStopStartUp()
    {
        testsupport::ScratchTree tree;
        QFile::remove(tree.file(QStringLiteral("modules/img/logo.ico")));
        QFile::remove(tree.file(QStringLiteral("modules/setting/apConfig.bin")));
        Widget w;
        QVERIFY(w.windowTitle().isEmpty());
        QVERIFY(w.trayIcon->icon().pixmap(16).isNull());
        w.checkDevice();
        QVERIFY(!w.isVisible());
        QVERIFY(!deviceConnected);
    }

    void controllerMovesMinimisesAndHidesTheWindow()
    {
        testsupport::ScratchTree tree;
        Widget w;
        w.show();
        w.move(100, 120);
        Ui_Controler *ctl = w.controller;
        const QPoint start = w.pos();
        ctl->onXChanged(0);
        ctl->onYChanged(0);
        QCOMPARE(w.pos(), start);
        ctl->onXChanged(15);
        ctl->onYChanged(-7);
        QCOMPARE(w.pos(), start + QPoint(15, -7));
        ctl->onClose();
        QVERIFY(!w.isVisible());

        Ui_Controler detached;
        detached.onXChanged(10); // no host yet: nothing happens, nothing crashes
        detached.onClose();
        detached.onMinimize();
        detached.setBusy(); // no view yet either
    }

    // With a tray, closing only hides and a check without a mouse shows nothing new. Without
    // one, the program stays reachable: a notice says why no mouse was found, a later connect
    // brings the window in its place, and closing either of them ends the program. (Runs the
    // application's event loop, which only the quit ends.)
    void withoutATrayTheProgramStaysReachableAndCanEnd_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("closeTheNotice"); // else connect, then close the window
        QTest::newRow("tray") << true << false;
        QTest::newRow("no tray, notice closed") << false << true;
        QTest::newRow("no tray, window closed") << false << false;
    }

    void withoutATrayTheProgramStaysReachableAndCanEnd()
    {
        QFETCH(bool, tray);
        QFETCH(bool, closeTheNotice);
        testsupport::ScratchTree tree;
        platform::setTrayProbe([tray] { return tray; });
        Widget w;
        w.show();
        w.checkDevice(); // nothing attached
        QVERIFY(!w.isVisible());
        if (tray) {
            QVERIFY(!w.noMouseNotice());
            sim::attachMouse(sim::MouseConfig());
            w.checkDevice();
            w.show();
            w.controller->onClose();
            QVERIFY(!w.isVisible());
            QVERIFY(w.hid.listenRunning); // the program goes on
        } else {
            NoMouseNotice *notice = w.noMouseNotice();
            QVERIFY(notice && notice->isVisible());
            QCOMPARE(notice->windowTitle(), w.windowTitle());
            QVERIFY(NoMouseNotice::noticeText().contains(QLatin1String("70-orbis-mouse.rules")));
            if (!closeTheNotice) {
                sim::attachMouse(sim::MouseConfig());
                w.checkDevice();
                QVERIFY(!notice->isVisible());
                QVERIFY(w.isVisible());
            }
            QTimer::singleShot(0, &w, [&] {
                if (closeTheNotice)
                    notice->close();
                else
                    w.controller->onClose();
            });
            QTimer guard; // ends a loop the close failed to end
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            guard.start(10000);
            QCOMPARE(QApplication::exec(), 0);
            guard.stop();
            QVERIFY(!w.hid.listenRunning);
        }
        platform::setTrayProbe([] { return true; });
        deviceConnected = false;
        sim::detachAll();
    }

    void busyProtectionDisablesTheViewForItsTime()
    {
        testsupport::ScratchTree tree;
        Widget w;
        w.controller->setBusy(300);
        QVERIFY(!w.view()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.view()->isEnabled(), 2000);
        w.controller->setBusy();
        QVERIFY(!w.view()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.view()->isEnabled(), 1000);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    WidgetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_widget.moc"
