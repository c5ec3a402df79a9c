// End to end on a private X server: the program's window with the real scene, the desktop-wide
// X capture, and xdotool typing a key and clicking a button in another program's window. The
// scene's detectKeyboard and detectMouse (seen through its msg_KB and msg_MS signals) must get
// the device codes. Skipped where Xvfb or xdotool is missing.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "hooks/inputhooks.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"
#include "support/xserver.h"

#include <QApplication>
#include <QProcess>
#include <QQuickItem>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace
{
bool haveTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

bool xserverRunning = false;

// The other program: a plain window that takes the focus and stays until it is killed.
int otherWindow(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QRasterWindow window;
    window.setTitle(QStringLiteral("other-window"));
    window.setGeometry(600, 300, 300, 200);
    window.show();
    window.requestActivate();
    return app.exec();
}

bool xdotool(const QStringList &args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}
} // namespace

class X11CaptureTest : public QObject
{
    Q_OBJECT

private slots:
    void keysAndButtonsOfOtherWindowsReachTheScene()
    {
        if (!qEnvironmentVariableIsSet("DISPLAY") || !xserverRunning)
            QSKIP("Xvfb or xdotool is not installed");
        testsupport::ScratchTree tree;
        sim::attachMouse(sim::MouseConfig());
        Widget widget;
        QVERIFY(installInputHooks(false));
        QVERIFY(inputCaptureIsGlobal());
        setKeyboardCallback(&Widget::onKeyboardEvent, &widget);
        setMouseCallback(&Widget::onMouseEvent, &widget);
        widget.show();
        widget.checkDevice();
        QVERIFY(deviceConnected);
        QQuickItem *root = widget.view()->rootObject();
        QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
        QSignalSpy buttons(root, SIGNAL(msg_MS(bool, int, int, int)));

        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--other-window")});
        QVERIFY(other.waitForStarted());
        QVERIFY(xdotool({"search", "--sync", "--name", "other-window", "windowfocus", "--sync"}));

        QVERIFY(xdotool({"key", "a"}));
        QVERIFY(xdotool({"key", "KP_Enter"}));
        QVERIFY(xdotool({"mousemove", "700", "350", "click", "3"}));
        QVERIFY(xdotool({"click", "4"})); // the wheel: nothing
        QTRY_COMPARE(keys.size(), 4);
        QTRY_COMPARE(buttons.size(), 2);
        QCOMPARE(keys.at(0), (QVariantList{true, 0x04}));
        QCOMPARE(keys.at(1), (QVariantList{false, 0x04}));
        QCOMPARE(keys.at(2), (QVariantList{true, 0x58}));
        QCOMPARE(keys.at(3), (QVariantList{false, 0x58}));
        QCOMPARE(buttons.at(0), (QVariantList{true, 0xF1, 700, 350}));
        QCOMPARE(buttons.at(1), (QVariantList{false, 0xF1, 700, 350}));
        QTest::qWait(200);
        QCOMPARE(buttons.size(), 2);

        other.kill();
        other.waitForFinished();
        removeInputHooks();
        setKeyboardCallback(nullptr, nullptr);
        setMouseCallback(nullptr, nullptr);
        sim::detachAll();
        deviceConnected = false;
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--other-window") == 0)
        return otherWindow(argc, argv);
    std::unique_ptr<testsupport::XServer> xserver;
    if (haveTools())
        xserver = std::make_unique<testsupport::XServer>();
    xserverRunning = xserver && xserver->running();
    if (xserverRunning)
        qputenv("QT_QPA_PLATFORM", "xcb");
    int status = 0;
    {
        QApplication app(argc, argv);
        app.setQuitOnLastWindowClosed(false);
        X11CaptureTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "test_hooks_x11.moc"
