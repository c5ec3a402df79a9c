// The hook procedures fed with hook records as the input source delivers them, and the
// window-local capture that stands in when no desktop-wide capture exists.
#include "hooks/inputhooks.h"
#include "hooks/localcapture.h"
#include "platform/inputsource.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>

namespace
{
struct Report {
    int code;
    bool isDown;
    qint32 x = 0, y = 0;
    bool operator==(const Report &o) const
    {
        return code == o.code && isDown == o.isDown && x == o.x && y == o.y;
    }
};
QList<Report> reports;

char *toString(const Report &r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)")
                               .arg(r.code, 0, 16).arg(r.isDown).arg(r.x).arg(r.y));
}

void onKey(quint8 usage, bool isDown, void *)
{
    reports << Report{usage, isDown};
}
void onMouse(quint8 code, bool isDown, qint32 x, qint32 y, void *)
{
    reports << Report{code, isDown, x, y};
}

void key(quint32 scan, bool extended, bool isDown, quint32 extraFlags = 0,
         quintptr message = 0)
{
    KeyboardHookRecord record;
    record.scanCode = scan;
    record.flags = (extended ? hookmsg::FlagExtended : 0) | extraFlags;
    if (message == 0)
        message = isDown ? hookmsg::KeyDown : hookmsg::KeyUp;
    keyboardHookProc(hookmsg::HcAction, message, record);
}
void press(quint32 scan, bool extended = false, quint32 extraFlags = 0)
{
    key(scan, extended, true, extraFlags);
    key(scan, extended, false, extraFlags);
}
} // namespace

class HookCaptureTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No desktop-wide capture under the offscreen platform: the window is watched.
        QVERIFY(!installInputHooks(false));
        QVERIFY(!inputCaptureIsGlobal());
        setKeyboardCallback(&onKey, nullptr);
        setMouseCallback(&onMouse, nullptr);
    }
    void init() { reports.clear(); }

    void heldKeyReportsOnePressAndOneRelease()
    {
        key(0x1E, false, true);
        for (int i = 0; i < 20; ++i) // auto-repeat
            key(0x1E, false, true);
        key(0x1E, false, false);
        key(0x1E, false, false);
        QCOMPARE(reports, (QList<Report>{{0x04, true}, {0x04, false}}));
        // A system key-down counts as a press; any hook code but 0 as a release.
        key(0x38, false, true, 0, hookmsg::SysKeyDown);
        KeyboardHookRecord alt;
        alt.scanCode = 0x38;
        keyboardHookProc(3, hookmsg::KeyDown, alt);
        QCOMPARE(reports.mid(2), (QList<Report>{{0xE2, true}, {0xE2, false}}));
    }

    void keysReportTheirUsages_data()
    {
        QTest::addColumn<quint32>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<int>("usage"); // 0: nothing reported
        QTest::newRow("keypad Enter") << 0x1Cu << true << 0u << 0x58;
        QTest::newRow("main Enter") << 0x1Cu << false << 0u << 0x28;
        QTest::newRow("Ctrl+Break") << 0x46u << true << 0u << 0x48;
        QTest::newRow("Scroll Lock") << 0x46u << false << 0u << 0x47;
        QTest::newRow("Pause") << 0x45u << false << 0u << 0x48;
        QTest::newRow("Num Lock") << 0x45u << true << 0u << 0x53;
        QTest::newRow("Alt+Print Screen") << 0x54u << false << hookmsg::FlagAltDown << 0x46;
        QTest::newRow("0x54 without Alt") << 0x54u << false << 0u << 0;
        QTest::newRow("Print Screen") << 0x37u << true << 0u << 0x46;
        QTest::newRow("keypad *") << 0x37u << false << 0u << 0x55;
        QTest::newRow("right Windows") << 0x5Cu << true << 0u << 0;
        QTest::newRow("left Windows") << 0x5Bu << true << 0u << 0xE3;
        QTest::newRow("right Shift") << 0x36u << true << 0u << 0xE5;
        QTest::newRow("right Shift unflagged") << 0x36u << false << 0u << 0;
        QTest::newRow("backslash") << 0x2Bu << false << 0u << 0x31;
        QTest::newRow("ISO extra key") << 0x56u << false << 0u << 0x64;
        QTest::newRow("F23") << 0x6Eu << false << 0u << 0x72;
        QTest::newRow("Delete") << 0x53u << true << 0u << 0x4C;
        QTest::newRow("scan above a byte") << 0x11Eu << false << 0u << 0;
    }
    void keysReportTheirUsages()
    {
        QFETCH(quint32, scan);
        QFETCH(bool, extended);
        QFETCH(quint32, flags);
        QFETCH(int, usage);
        press(scan, extended, flags);
        if (usage == 0)
            QVERIFY(reports.isEmpty());
        else
            QCOMPARE(reports, (QList<Report>{{usage, true}, {usage, false}}));
    }

    // Every entry of the scan-code map leads to a usage: 105 keys, plus Ctrl+Break by rule.
    void everyMappedKeyIsReported()
    {
        for (quint32 scan = 0; scan < 0x100; ++scan)
            for (bool extended : {false, true})
                press(scan, extended);
        QCOMPARE(reports.size(), 2 * 106);
    }

    // Reinstalling rebuilds the maps for the layout; the capture that could not start is
    // neither retried nor logged again.
    void isoLayoutMovesBackslash()
    {
        testsupport::LogCapture log;
        QVERIFY(!installInputHooks(true));
        press(0x2B);
        QVERIFY(!installInputHooks(false));
        press(0x2B);
        QCOMPARE(reports, (QList<Report>{{0x32, true}, {0x32, false}, {0x31, true},
                                         {0x31, false}}));
        QVERIFY(log.lines().isEmpty());
    }

    void mouseButtonsReportCodesAndCoordinates()
    {
        const quintptr messages[] = {hookmsg::LButtonDown,   hookmsg::LButtonUp,
                                     hookmsg::LButtonDblClk, hookmsg::RButtonDown,
                                     hookmsg::RButtonUp,     hookmsg::MButtonDown,
                                     hookmsg::MButtonUp,     hookmsg::MouseWheel,
                                     0x0200 /* move */};
        MouseHookRecord record;
        record.x = -5;
        record.y = 700;
        for (quintptr m : messages)
            mouseHookProc(hookmsg::HcAction, m, record);
        mouseHookProc(hookmsg::HcAction, hookmsg::LButtonDown, record); // no repeat filter
        QCOMPARE(reports, (QList<Report>{{0xF0, true, -5, 700},
                                         {0xF0, false, -5, 700},
                                         {0xF1, true, -5, 700},
                                         {0xF1, false, -5, 700},
                                         {0xF2, true, -5, 700},
                                         {0xF2, false, -5, 700},
                                         {0xF0, true, -5, 700}}));
        mouseHookProc(hookmsg::HcAction, hookmsg::LButtonUp, record);
    }

    void noCallbackNoReport()
    {
        setKeyboardCallback(nullptr, nullptr);
        key(0x10, false, true);
        setKeyboardCallback(&onKey, nullptr);
        key(0x10, false, false);
        // The press was recorded in the key state even without a callback.
        QCOMPARE(reports, (QList<Report>{{0x14, false}}));
    }

    // Keys and buttons given to this program's own window reach the procedures with the codes
    // the desktop-wide capture gives (X key code = evdev + 8 = scan code + 8 for plain keys).
    void windowLocalCaptureFeedsTheSameCodes()
    {
        QWindow window;
        window.show();
        auto sendKey = [&](QEvent::Type type, quint32 xKeyCode, Qt::KeyboardModifiers mods) {
            QKeyEvent event(type, Qt::Key_unknown, mods, xKeyCode, 0, 0);
            QCoreApplication::sendEvent(&window, &event);
        };
        sendKey(QEvent::KeyPress, 0x1E + 8, Qt::NoModifier);  // A
        sendKey(QEvent::KeyPress, 0x1E + 8, Qt::NoModifier);  // auto-repeat
        sendKey(QEvent::KeyRelease, 0x1E + 8, Qt::NoModifier);
        sendKey(QEvent::KeyPress, 96 + 8, Qt::NoModifier);    // keypad Enter
        sendKey(QEvent::KeyRelease, 96 + 8, Qt::NoModifier);
        sendKey(QEvent::KeyPress, 99 + 8, Qt::AltModifier);   // Print Screen with Alt
        sendKey(QEvent::KeyRelease, 99 + 8, Qt::AltModifier);
        sendKey(QEvent::KeyPress, 126 + 8, Qt::NoModifier);   // right Windows: not captured
        sendKey(QEvent::KeyPress, 0, Qt::NoModifier);         // no native code: not captured
        QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, QPoint(3, 4));
        const QPoint global = window.mapToGlobal(QPoint(3, 4));
        QCOMPARE(reports, (QList<Report>{{0x04, true},
                                         {0x04, false},
                                         {0x58, true},
                                         {0x58, false},
                                         {0x46, true},
                                         {0x46, false},
                                         {0xF1, true, global.x(), global.y()},
                                         {0xF1, false, global.x(), global.y()}}));
        sendKey(QEvent::KeyRelease, 126 + 8, Qt::NoModifier);

        // Once removed, the window is no longer watched.
        removeInputHooks();
        sendKey(QEvent::KeyPress, 0x10 + 8, Qt::NoModifier);
        QCOMPARE(reports.size(), 8);
        QVERIFY(!installInputHooks(false));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    HookCaptureTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hooks_capture.moc"
