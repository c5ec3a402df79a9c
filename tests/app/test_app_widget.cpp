// The host widget and window controller inside one process: poll-timer coalescing, the tray's
// restore rule, desktops without a tray, the UI start sequence, and the controller's window
// slots.
#include "app/globals.h"
#include "app/nomousenotice.h"
#include "app/widget.h"
#include "bridge/language.h"
#include "bridge/myqquickview.h"
#include "bridge/ui_controler.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{
// What keeps the texts of a dialog from being read, "" when nothing does: the dialog is drawn
// over black, as a translucent window shows without a compositor; in the area of every visible
// enabled label, button and field with text, the lightest and darkest pixels must differ
// clearly (the text against its background).
QString unreadable(QWidget *dialog)
{
    const QImage picture = dialog->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shown(picture.size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    {
        QPainter painter(&shown);
        painter.drawImage(0, 0, picture);
    }
    const qreal ratio = picture.devicePixelRatio();
    QStringList problems;
    int checked = 0;
    for (QWidget *child : dialog->findChildren<QWidget *>()) {
        QString text;
        if (auto *label = qobject_cast<QLabel *>(child))
            text = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(child))
            text = button->text();
        else if (auto *field = qobject_cast<QLineEdit *>(child))
            text = field->text();
        // A disabled button (Open before a file is chosen) is dimmed on purpose.
        if (text.trimmed().isEmpty() || !child->isVisibleTo(dialog) || !child->isEnabled())
            continue;
        const QRect area(child->mapTo(dialog, QPoint(0, 0)) * ratio, child->size() * ratio);
        int darkest = 255, lightest = 0;
        for (int y = area.top(); y <= area.bottom() && y < shown.height(); ++y) {
            for (int x = area.left(); x <= area.right() && x < shown.width(); ++x) {
                const int grey = qGray(shown.pixel(x, y));
                darkest = qMin(darkest, grey);
                lightest = qMax(lightest, grey);
            }
        }
        ++checked;
        if (lightest - darkest < 100)
            problems << QStringLiteral("\"%1\" (%2..%3)").arg(text).arg(darkest).arg(lightest);
    }
    if (checked == 0)
        return QStringLiteral("no text found");
    return problems.join(QStringLiteral(", "));
}
} // namespace

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

    // XEmbed trays send a double click; StatusNotifier trays (KDE Plasma, GNOME's AppIndicator
    // extension, Xfce) only a single activation. Either brings the window back while a mouse is
    // connected; without one, the notice says why there is no window. Other clicks do nothing.
    void trayActivationShowsTheWindowOrTheNotice_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("window");
        QTest::addColumn<bool>("notice");
        const int dbl = QSystemTrayIcon::DoubleClick, single = QSystemTrayIcon::Trigger,
                  middle = QSystemTrayIcon::MiddleClick, menu = QSystemTrayIcon::Context;
        QTest::newRow("double click, connected") << dbl << true << true << false;
        QTest::newRow("single activation, connected") << single << true << true << false;
        QTest::newRow("middle click, connected") << middle << true << false << false;
        QTest::newRow("context menu, connected") << menu << true << false << false;
        QTest::newRow("double click, no mouse") << dbl << false << false << true;
        QTest::newRow("single activation, no mouse") << single << false << false << true;
        QTest::newRow("middle click, no mouse") << middle << false << false << false;
    }

    void trayActivationShowsTheWindowOrTheNotice()
    {
        QFETCH(int, reason);
        QFETCH(bool, connected);
        QFETCH(bool, window);
        QFETCH(bool, notice);
        testsupport::ScratchTree tree;
        Widget w;
        w.hide();
        deviceConnected = connected;
        w.trayIconActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        deviceConnected = false;
        QCOMPARE(w.isVisible(), window);
        QCOMPARE(w.noMouseNotice() && w.noMouseNotice()->isVisible(), notice);
    }

    // With a tray, a user who sees only the icon learns from its menu why nothing happens: the
    // entry shows the notice while no mouse is connected, and closing the notice then only
    // closes it. The notice names the device table the program reads, by its absolute path.
    void trayMenuEntryShowsTheNoticeWhileNoMouseIsConnected()
    {
        testsupport::ScratchTree tree;
        Widget w;
        w.checkDevice(); // nothing attached
        QList<QAction *> actions = w.trayMenu()->actions();
        QCOMPARE(actions.size(), 3);
        QVERIFY(actions.at(0)->isVisible());
        // Between them the switch of the automatic profile choice, on until switched off.
        QVERIFY(actions.at(1)->isCheckable() && actions.at(1)->isChecked());
        actions.at(0)->trigger();
        NoMouseNotice *notice = w.noMouseNotice();
        QVERIFY(notice && notice->isVisible());
        const QString text = notice->findChild<QLabel *>(QStringLiteral("noticeText"))->text();
        QVERIFY2(text.contains(tree.file(QStringLiteral("modules/setting/apConfig.bin"))),
                 qPrintable(text));
        QVERIFY(text.contains(QLatin1String("70-orbis-mouse.rules")));
        QVERIFY(!text.contains(QLatin1String("packaging/")));
        QTest::mouseClick(notice->findChild<QPushButton *>(), Qt::LeftButton);
        QVERIFY(!notice->isVisible());
        QVERIFY(!w.hid.listenRunning && !QCoreApplication::closingDown());

        sim::attachMouse(sim::MouseConfig());
        w.checkDevice();
        QVERIFY(!actions.at(0)->isVisible()); // connected: nothing to explain
        QVERIFY(actions.at(1)->isVisible());
        w.hid.stopHidListen();
        w.hid.waitListenerFinished();
        deviceConnected = false;
        sim::detachAll();
    }

    // The window has the scene's size and no other: it cannot be maximised into a frame the
    // scene does not fill. Hidden and shown again, it keeps its place.
    void windowHasAFixedSizeAndKeepsItsPlace()
    {
        testsupport::ScratchTree tree;
        Widget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.minimumSize(), QSize(1024, 640));
        QCOMPARE(w.maximumSize(), QSize(1024, 640));
        w.showMaximized();
        QCOMPARE(w.size(), QSize(1024, 640));
        w.showNormal();
        w.move(137, 91);
        const QPoint place = w.pos();
        w.controller->onClose();
        w.move(0, 0); // as a window manager may place a mapped-again window anew
        deviceConnected = true;
        w.trayIconActivated(QSystemTrayIcon::Trigger);
        deviceConnected = false;
        QCOMPARE(w.pos(), place);
        QVERIFY(!w.windowIcon().isNull());
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

    // Every dialog the program opens can be read: the file dialogs of profile and macro import
    // and export (parented to the view, inside the translucent host) and the warning box, in
    // both languages. What the screen shows is the dialog's picture over black (a translucent
    // window without a compositor): each label, button and field with text must show its text
    // against a background clearly different from it. The import of a file that is no profile
    // leads from the file dialog to the warning box.
    void everyDialogCanBeRead_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        for (const char *language : {"en", "zh_CN"}) {
            const bool zh = QLatin1String(language) == QLatin1String("zh_CN");
            const QString open = zh ? QStringLiteral("打开文件") : QStringLiteral("Open File");
            const QString save = zh ? QStringLiteral("保存文件") : QStringLiteral("Save File");
            QTest::addRow("profile import, %s", language)
                << QByteArray("loadProfile") << QString::fromLatin1(language) << open;
            QTest::addRow("profile export, %s", language)
                << QByteArray("saveProfile") << QString::fromLatin1(language) << save;
            QTest::addRow("macro import, %s", language)
                << QByteArray("loadMacroFile") << QString::fromLatin1(language) << open;
            QTest::addRow("macro export, %s", language)
                << QByteArray("saveMacroFile") << QString::fromLatin1(language) << save;
        }
    }

    void everyDialogCanBeRead()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QString, language);
        QFETCH(QString, title);
        testsupport::ScratchTree tree;
        const QString notAProfile = tree.file(QStringLiteral("garbage.pf"));
        {
            QFile f(notAProfile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2 * 1024 * 1024, 'x')); // larger than any profile
        }
        // The user's language, as the global file names it.
        QSettings(tree.file(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat)
            .setValue(QStringLiteral("common/language"), language);
        Widget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QStringList seen; // "title: problem" per dialog
        bool sawFileDialog = false;
        bool sawBox = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (!sawFileDialog) {
                    sawFileDialog = true;
                    seen << dialog->windowTitle() + QStringLiteral(": ") + unreadable(dialog);
                    QVERIFY(name);
                }
                if (!name)
                    return;
                // Answered from the event loop, so what the answer opens is watched like the
                // rest; and again on later ticks while the dialog stays open. On a slow run the
                // dialog may still act on the first typed characters (a leading "/" takes it to
                // the root folder and empties the field) or open its completion list: a person
                // then types the name again, or closes the list with Escape, and presses Return.
                QWidget *completions = name->completer() ? name->completer()->popup() : nullptr;
                if (slot != "loadProfile") {
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                } else if (name->text() != notAProfile) {
                    name->clear();
                    QTest::keyClicks(name, notAProfile);
                } else if (completions && completions->isVisible()) {
                    QTest::keyClick(completions, Qt::Key_Escape);
                } else {
                    QMetaObject::invokeMethod(
                        name, [name] { QTest::keyClick(name, Qt::Key_Return); },
                        Qt::QueuedConnection);
                }
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (sawBox)
                    return;
                sawBox = true;
                seen << QStringLiteral("box: ") + unreadable(box);
                QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
            }
        });
        watch.start(50);
        if (slot == "loadProfile" || slot == "saveProfile")
            QMetaObject::invokeMethod(w.view(), slot.constData(), Q_ARG(int, 0));
        else {
            // Export needs a macro to export; import a name that is still free.
            QVariant made;
            QMetaObject::invokeMethod(w.view(), "createMacroIni", Q_RETURN_ARG(QVariant, made),
                                      Q_ARG(QVariant, QStringLiteral("m1")), Q_ARG(QVariant, 0));
            QMetaObject::invokeMethod(w.view(), slot.constData(),
                                      Q_ARG(QVariant, slot == "saveMacroFile"
                                                          ? QStringLiteral("m1")
                                                          : QStringLiteral("m2")));
        }
        watch.stop();
        language::apply(QStringLiteral("en"));
        QVERIFY(sawFileDialog);
        QCOMPARE(seen.value(0), title + QStringLiteral(": "));
        if (slot == "loadProfile") {
            QVERIFY(sawBox);
            QCOMPARE(seen.value(1), QStringLiteral("box: "));
        }
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
