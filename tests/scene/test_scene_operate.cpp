// The pages operated as a person does: mouse clicks and key presses on the window at each
// control's place, then close or Save; then what the simulated mouse (or the desktop's pointer
// settings) holds and what the files on disk hold, and the same once more after the program has
// been started again on those files. Desktop settings go to GSettings' memory backend and a
// private kdeglobals, never to the user's desktop.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/autoswitch.h"
#include "bridge/autoswitchhost.h"
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "bridge/settingsstore.h"
#include "hooks/inputhooks.h"
#include "platform/activewindow.h"
#include "platform/linux/giosettings.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDirIterator>
#include <QMenu>
#include <QFile>
#include <QKeyEvent>
#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

namespace
{

// X key codes (evdev + 8) as a keyboard delivers them.
constexpr quint32 XKeyB = 56, XKeyA = 38;

struct Person {
    testsupport::ScratchTree tree;
    testsupport::LogCapture log;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;

    Person() { mouse = sim::attachMouse(sim::MouseConfig()); }
    ~Person()
    {
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }
    // Starts the program on the data tree as it is now: the first start, or a restart after
    // the previous program has ended. The mouse keeps what it holds.
    bool start()
    {
        widget.reset();
        deviceConnected = false;
        widget = std::make_unique<Widget>();
        widget->show();
        widget->checkDevice();
        return deviceConnected &&
               QTest::qWaitFor(
                   [this] {
                       QQuickItem *logo = item("powerOnLogo");
                       return root()->property("isPownOn").toBool() && view()->isEnabled() &&
                              logo && !logo->isVisible();
                   },
                   testsupport::kStartWaitMs);
    }

    myQQuickView *view() const { return widget->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QQuickItem *item(const QString &name, QQuickItem *under = nullptr) const
    {
        return testsupport::findItem(under ? under : root(), name);
    }
    QObject *page(const char *name) const { return root()->findChild<QObject *>(name); }

    // A click at a point of an item, in the item's own coordinates (its centre by default).
    void clickAt(QQuickItem *target, QPointF local = QPointF(-1, -1))
    {
        QVERIFY(target);
        QVERIFY2(target->isVisible(), qPrintable(target->objectName() + " is not visible"));
        if (local.x() < 0)
            local = QPointF(target->width() / 2, target->height() / 2);
        QTest::mouseClick(view(), Qt::LeftButton, {}, target->mapToScene(local).toPoint());
    }
    void click(const QString &name, QQuickItem *under = nullptr)
    {
        QQuickItem *target = item(name, under);
        QVERIFY2(target, qPrintable(name));
        clickAt(target);
    }
    // Row `row` of a list whose rows are `rowHeight` high, starting `top` below the list's top.
    void clickRow(const QString &list, int row, qreal rowHeight, qreal top = 0,
                  QQuickItem *under = nullptr)
    {
        QQuickItem *target = item(list, under);
        QVERIFY2(target, qPrintable(list));
        clickAt(target, QPointF(target->width() / 2, top + row * rowHeight + rowHeight / 2));
    }
    // Row `row` of a drop-down list: the header opens it, the row is clicked once it is open.
    void chooseDropDownRow(const QString &list, int row)
    {
        QQuickItem *target = item(list);
        QVERIFY2(target, qPrintable(list));
        chooseDropDownRow(target, row);
    }
    void chooseDropDownRow(QQuickItem *target, int row)
    {
        QVERIFY(target);
        clickAt(target);
        QTRY_VERIFY(target->property("isDrop").toBool());
        const qreal h = target->property("rowHeight").toReal();
        QTest::qWait(250); // the list slides open
        clickAt(target, QPointF(target->width() / 2, h + 1 + row * h + h / 2));
        QTRY_VERIFY(!target->property("isDrop").toBool());
        QTest::qWait(250); // the choice is reported once the list has closed
    }
    void type(const QString &text) { QTest::keyClicks(view(), text); }
    // The tray menu's quit entry, as the user ends the program.
    void quitFromTray()
    {
        const QList<QAction *> actions = widget->trayMenu()->actions();
        for (QAction *action : actions) {
            if (action->text().startsWith(QStringLiteral("Quit")))
                return action->trigger();
        }
        QFAIL("the tray menu has no quit entry");
    }
    // A click into a field, all of its text selected, and `text` typed over it.
    void typeInto(const QString &field, const QString &text)
    {
        click(field);
        QTest::keyClick(view(), Qt::Key_A, Qt::ControlModifier);
        type(text);
    }
    // A key pressed and released on the window, delivered by Qt as from the keyboard (with
    // its X key code, as the window-local capture reads it).
    void keyOnWindow(quint32 xKeyCode, Qt::Key key, bool autoRepeat = false, bool press = true)
    {
        QWindow *window = widget->window()->windowHandle();
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                        xKeyCode, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(window, &event);
        QCoreApplication::processEvents();
    }
    void tapOnWindow(quint32 xKeyCode, Qt::Key key)
    {
        keyOnWindow(xKeyCode, key, false, true);
        keyOnWindow(xKeyCode, key, false, false);
    }
    // Sequences to the mouse run through the runner, after the busy picture is drawn.
    void waitForSequences()
    {
        QTRY_VERIFY(!view()->runner()->active() && view()->runner()->pending() == 0 &&
                    view()->isEnabled());
    }
    void closePage(const char *name)
    {
        click(QStringLiteral("closeBtn"), item(name));
        waitForSequences();
    }
    void save()
    {
        click(QStringLiteral("saveBtn"));
        waitForSequences();
    }

    // What a file of the data tree holds for a key, read from disk as a new start reads it.
    QString stored(const QString &file, const QString &key) const
    {
        QCoreApplication::processEvents(); // settings writes are deferred to the event loop
        view()->store->currentProfile()->sync();
        view()->store->global()->sync();
        QSettings settings(tree.file(QStringLiteral("modules/") + file), QSettings::IniFormat);
        // (QSettings shares one cache per file within a process: a value this process wrote
        // comes back in the type it was written in.)
        const QVariant value = settings.value(key);
        const bool isList = value.typeId() == QMetaType::QStringList ||
                            value.typeId() == QMetaType::QVariantList;
        return isList ? value.toStringList().join(QStringLiteral(", ")) : value.toString();
    }
    // Entry k of matrix 1 as the mouse holds it (a 553 mouse takes 5 and 6 in exchanged places).
    QByteArray mouseEntry(int k) const
    {
        const int place = k == 5 ? 6 : k == 6 ? 5 : k;
        return mouse->keyMatrix(1).mid(4 * place, 4);
    }
    // The device form of the entry stored for button k.
    QByteArray storedDeviceEntry(int k) const
    {
        QVariantList ui;
        for (int b = 0; b < keymatrix::kButtons; ++b) {
            const QStringList codes = stored(QStringLiteral("setting/p1.bin"),
                                             QStringLiteral("mouseKeyMatrix/%1").arg(b))
                                          .split(QStringLiteral(", "));
            for (int c = 0; c < 4; ++c)
                ui << codes.value(c).toInt();
        }
        return keymatrix::toDeviceForm(ui).mid(4 * k, 4);
    }
    QStringList qmlWarnings() const { return log.scriptWarnings(); }

    // The red field of the lighting page's first colour block, as the page shows it once the
    // block is clicked.
    QString firstBlockRed()
    {
        click(QStringLiteral("lightBlock0"));
        return item(QStringLiteral("lightRed"))->property("textValue").toString();
    }
    // The top bar's drop-down of the profile entries.
    QQuickItem *topBarProfiles() const
    {
        return page("upItem")->property("profileBtn").value<QQuickItem *>();
    }
    // Opens the profile page and makes a new entry with its New button ("profile_0", stored
    // number 1: p2.bin), which the page selects.
    void makeProfile()
    {
        click(QStringLiteral("configBtn"));
        QTRY_VERIFY(item(QStringLiteral("profileMain"))->isVisible());
        click(QStringLiteral("profileNewBtn"));
        QTRY_COMPARE(page("profileMain")->property("selectedRow").toInt(), 1);
        // The list lays out the new row on its next frame; a click before that misses it.
        QTRY_COMPARE(item(QStringLiteral("profileList"))->property("contentHeight").toInt(),
                     2 * 28);
    }

    // Two macros made with the macro editor's New button ("Macro_0", "Macro_1").
    void makeTwoMacros()
    {
        click(QStringLiteral("macroEditorOpenBtn"));
        click(QStringLiteral("newButton"));
        click(QStringLiteral("newButton"));
        closePage("macroEditorMain");
    }
    // Opens the assignment panel of button k from the picture and chooses a section.
    void openAssignment(int k, int section)
    {
        click(QStringLiteral("mouseLabel%1").arg(k));
        QTRY_VERIFY(item(QStringLiteral("keyAssigmentMain"))->isVisible());
        click(QStringLiteral("section%1").arg(section));
    }
};

#define START_OR_FAIL(person) QVERIFY2((person).start(), "the simulated mouse does not connect")

// One way of operating a page, what it must leave in the files, on the mouse, and on the page
// after a restart.
struct Case {
    const char *name;
    std::function<void(Person &)> operate;
    QList<QPair<QString, QString>> files; // (file, key) -> text, after Save or close
    QList<QString> fileTexts;
    std::function<void(Person &)> checkMouse;
    std::function<void(Person &)> checkPageAfterRestart;
};

// The panel's macro section with macro `macro` (0 or 1) chosen for button 4, run mode `mode`.
void chooseMacro(Person &p, int macro, int mode)
{
    p.openAssignment(4, 4);
    p.clickRow(QStringLiteral("macroList"), macro, 24, 0, p.item(QStringLiteral("keyAssigmentMain")));
    p.click(QStringLiteral("macroMode%1").arg(mode));
    p.closePage("keyAssigmentMain");
    p.save();
}

Case macroModeCase(int mode)
{
    static const char *names[] = {"macro runs once", "macro until any button",
                                  "macro until released"};
    return Case{names[mode],
                [mode](Person &p) {
                    p.makeTwoMacros();
                    chooseMacro(p, 0, mode);
                },
                {{"setting/p1.bin", "mouseKeyMatrix/4"}, {"setting/p1.bin", "mouseMacroKey/4"}},
                {QStringLiteral("4, %1, 4, 0").arg(mode), QStringLiteral("Macro_0")},
                [](Person &p) { QCOMPARE(p.mouseEntry(4), p.storedDeviceEntry(4)); },
                [mode](Person &p) {
                    // The chosen mode, and only it, is lit.
                    p.openAssignment(4, 4);
                    for (int m = 0; m < 3; ++m)
                        QCOMPARE(p.item(QStringLiteral("macroMode%1").arg(m))
                                     ->property("isSelect")
                                     .toBool(),
                                 m == mode);
                    p.closePage("keyAssigmentMain");
                }};
}

// The desktop's pointer settings as the system page applies them: GNOME's speed and
// double-click time (when its schema is installed) and KDE's wheel lines in the private
// kdeglobals the test case made.
struct Desktop {
    static QString kdeGlobals()
    {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kdeglobals");
    }
    static QString wheelLines()
    {
        return QSettings(kdeGlobals(), QSettings::IniFormat)
            .value(QStringLiteral("KDE/WheelScrollLines"))
            .toString();
    }
    // GNOME's speed for a speed step 0..10 (Windows speeds 1, 2, 4, .. 20 over -1..1).
    static double gnomeSpeedOfStep(int step)
    {
        const int windowsSpeed = step == 0 ? 1 : 2 * step;
        return (windowsSpeed - 1) / 19.0 * 2.0 - 1.0;
    }
    static void check(double speed, int doubleClickMs, const QString &lines)
    {
        platform::GioSettings gnome(QStringLiteral("org.gnome.desktop.peripherals.mouse"));
        if (gnome.isValid()) {
            QCOMPARE(gnome.doubleValue(QStringLiteral("speed")).value_or(-2), speed);
            QCOMPARE(gnome.intValue(QStringLiteral("double-click")).value_or(-1), doubleClickMs);
        }
        QCOMPARE(wheelLines(), lines);
    }
};

// The desktop reports the window of an application with this WM_CLASS in front (the test
// stands in for the window manager: the scene runs offscreen).
void windowInFront(Person &p, const QString &className)
{
    const QVariant property =
        p.view()->rootContext()->contextProperty(QStringLiteral("ui_AutoSwitch"));
    auto *host = qobject_cast<AutoSwitchHost *>(property.value<QObject *>());
    QVERIFY(host);
    platform::ActiveWindow window;
    window.className = className;
    window.instanceName = className.toLower();
    host->choice()->windowActivated(window);
}

// The gun editor's preset 4 (UNP9) chosen for slot 2 and given Y 33 and 5 shots in its fields.
void editGunPreset(Person &p)
{
    p.click(QStringLiteral("gunEditorOpenBtn"));
    p.chooseDropDownRow(QStringLiteral("gunSlotList"), 1);
    p.clickRow(QStringLiteral("gunList"), 4, 58);
    p.typeInto(QStringLiteral("gunYInput"), QStringLiteral("33"));
    p.typeInto(QStringLiteral("gunTimesInput"), QStringLiteral("5"));
    QTest::keyClick(p.view(), Qt::Key_Return);
}

const QList<Case> &cases()
{
    static const QList<Case> all = {
        macroModeCase(0),
        macroModeCase(1),
        macroModeCase(2),
        {"another macro, same mode",
         [](Person &p) {
             p.makeTwoMacros();
             chooseMacro(p, 0, 1);
             p.mouse->clearTransfers();
             chooseMacro(p, 1, 1);
         },
         {{"setting/p1.bin", "mouseKeyMatrix/4"}, {"setting/p1.bin", "mouseMacroKey/4"}},
         {"4, 1, 4, 0", "Macro_1"},
         [](Person &p) {
             // The second macro went out as well (its own 128-byte transfer to slot 5).
             int macroSends = 0;
             for (const sim::Transfer &t : p.mouse->transfers())
                 if (t.kind == sim::TransferKind::FeatureOut && quint8(t.bytes.at(1)) == 0x13)
                     ++macroSends;
             QVERIFY(macroSends > 0);
         },
         [](Person &p) {
             p.openAssignment(4, 4);
             QCOMPARE(p.page("keyAssigmentMain")->property("macroName").toString(),
                      QStringLiteral("Macro_1"));
             p.closePage("keyAssigmentMain");
         }},
        {"fire times typed, then the panel closed",
         [](Person &p) {
             p.openAssignment(4, 1);
             p.click(QStringLiteral("fireKeyField"));
             p.view()->notifyKeyboard(true, 0x05); // B, as the capture reports it
             p.view()->notifyKeyboard(false, 0x05);
             QTRY_VERIFY(!p.page("keyAssigmentMain")->property("isFireInput").toBool());
             p.click(QStringLiteral("timesInput"));
             p.type(QStringLiteral("7"));
             p.closePage("keyAssigmentMain"); // no click elsewhere first
             p.save();
         },
         {{"setting/p1.bin", "mouseKeyMatrix/4"}},
         {"1, 5, 10, 7"},
         [](Person &p) { QCOMPARE(p.mouseEntry(4), p.storedDeviceEntry(4)); },
         [](Person &p) {
             p.openAssignment(4, 1);
             QCOMPARE(p.item(QStringLiteral("timesInput"))->property("textValue").toString(),
                      QStringLiteral("7"));
             QVERIFY(!p.item(QStringLiteral("endlessBox"))->property("isSelect").toBool());
             p.closePage("keyAssigmentMain");
         }},
        {"fire times typed, then Enter",
         [](Person &p) {
             p.openAssignment(4, 1);
             p.click(QStringLiteral("fireKeyField"));
             p.view()->notifyKeyboard(true, 0x05);
             p.view()->notifyKeyboard(false, 0x05);
             QTRY_VERIFY(!p.page("keyAssigmentMain")->property("isFireInput").toBool());
             p.click(QStringLiteral("timesInput"));
             p.type(QStringLiteral("3"));
             QTest::keyClick(p.view(), Qt::Key_Return);
             // The red focus frame is gone with the focus.
             QVERIFY(!p.item(QStringLiteral("timesInput"))
                          ->property("input")
                          .value<QQuickItem *>()
                          ->hasActiveFocus());
             p.closePage("keyAssigmentMain");
             p.save();
         },
         {{"setting/p1.bin", "mouseKeyMatrix/4"}},
         {"1, 5, 10, 3"},
         {},
         {}},
        {"gun for slot 2",
         [](Person &p) {
             p.click(QStringLiteral("gunEditorOpenBtn"));
             p.chooseDropDownRow(QStringLiteral("gunSlotList"), 1);
             p.clickRow(QStringLiteral("gunList"), 4, 58);
             p.closePage("gunControlMain");
         },
         {{"setting/apConfig.bin", "mouse/selectGun"}},
         {"0, 4, 2"},
         [](Person &p) {
             // Slot 2 holds preset 4's times, X and Y as the gun file gives them.
             QSettings gun(p.tree.file(QStringLiteral("modules/gun/gunData.bin")),
                           QSettings::IniFormat);
             const QStringList preset = gun.value(QStringLiteral("gunData/4")).toStringList();
             QVERIFY(preset.size() >= 6);
             QCOMPARE(p.mouse->gunData(1).left(3),
                      QByteArray() + char(preset[5].toInt()) + char(preset[3].toInt()) +
                          char(preset[4].toInt()));
         },
         [](Person &p) {
             QCOMPARE(p.page("gunControlMain")->property("selectGun2").toInt(), 4);
             p.click(QStringLiteral("gunEditorOpenBtn"));
             p.chooseDropDownRow(QStringLiteral("gunSlotList"), 1);
             QCOMPARE(p.page("gunControlMain")->property("gunListIndex").toInt(), 4);
             p.closePage("gunControlMain");
         }},
        {"red typed, then another colour block",
         [](Person &p) {
             p.click(QStringLiteral("lightBlock0"));
             p.typeInto(QStringLiteral("lightRed"), QStringLiteral("17"));
             p.click(QStringLiteral("lightBlock1"));
             p.save();
         },
         {{"setting/p1.bin", "mouse/colorValue"}},
         {"17, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255, 255, 255, "
          "255, 255, 128, 0"},
         [](Person &p) { QCOMPARE(p.mouse->colourTable().left(3), QByteArray::fromHex("110000")); },
         [](Person &p) {
             QCOMPARE(p.firstBlockRed(), QStringLiteral("17"));
         }},
        {"repeat typed, then another macro",
         [](Person &p) {
             p.makeTwoMacros();
             p.click(QStringLiteral("macroEditorOpenBtn"));
             p.clickRow(QStringLiteral("macroList"), 0, 24);
             p.typeInto(QStringLiteral("repeatInput"), QStringLiteral("9"));
             p.clickRow(QStringLiteral("macroList"), 1, 24);
             p.closePage("macroEditorMain");
         },
         {{"macro/Macro_0.bin", "config/repeat"}, {"macro/Macro_1.bin", "config/repeat"}},
         {"9", "1"},
         {},
         [](Person &p) {
             p.click(QStringLiteral("macroEditorOpenBtn"));
             p.clickRow(QStringLiteral("macroList"), 0, 24);
             QCOMPARE(p.item(QStringLiteral("repeatInput"))->property("textValue").toString(),
                      QStringLiteral("9"));
             p.closePage("macroEditorMain");
         }},
        {"gun preset edited in its fields",
         [](Person &p) {
             editGunPreset(p);
             p.closePage("gunControlMain");
         },
         {{"gun/gunData.bin", "gunData/4"}, {"setting/apConfig.bin", "mouse/selectGun"}},
         {"UNP9, L-Click, 10, 0, 33, 5", "0, 4, 2"},
         [](Person &p) {
             // Slot 2: times, X, Y of the edited preset; slot 1 keeps preset 0's.
             QCOMPARE(p.mouse->gunData(1).left(3), QByteArray::fromHex("050021"));
             QCOMPARE(p.mouse->gunData(0).left(3), QByteArray::fromHex("00000a"));
         },
         [](Person &p) {
             p.click(QStringLiteral("gunEditorOpenBtn"));
             p.chooseDropDownRow(QStringLiteral("gunSlotList"), 1);
             QCOMPARE(p.item(QStringLiteral("gunYInput"))->property("textValue").toString(),
                      QStringLiteral("33"));
             QCOMPARE(p.item(QStringLiteral("gunTimesInput"))->property("textValue").toString(),
                      QStringLiteral("5"));
             // The red dot stands at Y 33 of the target's 0..64.
             QQuickItem *dot = p.item(QStringLiteral("gunDot"));
             QCOMPARE(qRound(dot->y() + dot->height() / 2), qRound(89 + 94 * 33 / 64.0));
             // Five shots are not endless.
             QVERIFY(!p.item(QStringLiteral("gunEndlessBox"))->property("isSelect").toBool());
             p.closePage("gunControlMain");
         }},
        {"gun preset edited, the editor left open when the program is quit",
         [](Person &p) {
             editGunPreset(p);
             p.quitFromTray();
         },
         {{"gun/gunData.bin", "gunData/4"}, {"setting/apConfig.bin", "mouse/selectGun"}},
         {"UNP9, L-Click, 10, 0, 33, 5", "0, 4, 2"},
         // The quit closed the editor as its close button does: the slots went out.
         [](Person &p) { QCOMPARE(p.mouse->gunData(1).left(3), QByteArray::fromHex("050021")); },
         [](Person &p) {
             QCOMPARE(p.page("gunControlMain")->property("selectGun2").toInt(), 4);
             QCOMPARE(p.mouse->gunData(1).left(3), QByteArray::fromHex("050021"));
         }},
        {"pointer speed, double-click and wheel lines",
         [](Person &p) {
             p.click(QStringLiteral("systemSettingOpenBtn"));
             // A click on a track glides the knob there (the knob is 14 wide: 7 right of a
             // position centres it there); the value counts once it rests.
             p.clickAt(p.item(QStringLiteral("speedSlider")), QPointF(200 + 7, 9));
             QTRY_COMPARE(p.page("systemSettingMain")->property("speedPosition").toInt(), 200);
             p.clickAt(p.item(QStringLiteral("doubleSlider")), QPointF(351, 9));
             QTRY_COMPARE(p.page("systemSettingMain")->property("doublePosition").toInt(), 337);
             p.typeInto(QStringLiteral("linesInput"), QStringLiteral("12"));
             QTest::keyClick(p.view(), Qt::Key_Return);
             p.closePage("systemSettingMain");
         },
         {{"setting/p1.bin", "mouse/mouseRate"},
          {"setting/p1.bin", "mouse/doubleRate"},
          {"setting/p1.bin", "mouse/scrollRate"}},
         {"200", "337", "12"},
         [](Person &) { Desktop::check(Desktop::gnomeSpeedOfStep(6), 200, QStringLiteral("12")); },
         [](Person &p) {
             p.click(QStringLiteral("systemSettingOpenBtn"));
             QCOMPARE(p.item(QStringLiteral("speedSlider"))->property("position").toInt(), 200);
             QCOMPARE(p.item(QStringLiteral("doubleSlider"))->property("position").toInt(), 337);
             QCOMPARE(p.item(QStringLiteral("linesInput"))->property("textValue").toString(),
                      QStringLiteral("12"));
             QVERIFY(p.item(QStringLiteral("rowsRadio"))->property("isSelect").toBool());
             p.closePage("systemSettingMain");
         }},
        {"wheel scrolls one screen",
         [](Person &p) {
             p.click(QStringLiteral("systemSettingOpenBtn"));
             p.click(QStringLiteral("screenRadio"));
             p.closePage("systemSettingMain");
         },
         {{"setting/p1.bin", "mouse/scrollRate"}},
         {"1000"},
         [](Person &) { QCOMPARE(Desktop::wheelLines(), QStringLiteral("1000")); },
         [](Person &p) {
             p.click(QStringLiteral("systemSettingOpenBtn"));
             QVERIFY(p.item(QStringLiteral("screenRadio"))->property("isSelect").toBool());
             QVERIFY(!p.item(QStringLiteral("rowsRadio"))->property("isSelect").toBool());
             p.closePage("systemSettingMain");
         }},
        {"new profile renamed, then chosen in the top bar",
         [](Person &p) {
             // The first profile's colour differs from the factory one the new profile has.
             p.click(QStringLiteral("lightBlock0"));
             p.typeInto(QStringLiteral("lightRed"), QStringLiteral("17"));
             p.click(QStringLiteral("lightBlock1"));
             p.save();
             p.makeProfile();
             // A double click on the new entry opens its name editor.
             QQuickItem *list = p.item(QStringLiteral("profileList"));
             const QPoint row1 = list->mapToScene(QPointF(40, 28 + 14)).toPoint();
             QTest::mouseClick(p.view(), Qt::LeftButton, {}, row1);
             QTest::mouseDClick(p.view(), Qt::LeftButton, {}, row1);
             QTest::mouseRelease(p.view(), Qt::LeftButton, {}, row1);
             QTRY_VERIFY(p.item(QStringLiteral("profileNameEditor")));
             QTest::keyClick(p.view(), Qt::Key_A, Qt::ControlModifier);
             p.type(QStringLiteral("Work"));
             QTest::keyClick(p.view(), Qt::Key_Return);
             p.closePage("profileMain");
             p.chooseDropDownRow(p.topBarProfiles(), 1);
             p.waitForSequences();
         },
         {{"setting/name.bin", "profile/profileName"},
          {"setting/apConfig.bin", "mouse/profileNo"},
          {"setting/p1.bin", "mouse/colorValue"},
          {"setting/p2.bin", "mouse/colorValue"}},
         {"Standard0, Work1", "1",
          "17, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255, 255, 255, "
          "255, 255, 128, 0",
          "255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255, 255, 255, "
          "255, 255, 128, 0"},
         // The switch sent the new profile's colours.
         [](Person &p) { QCOMPARE(p.mouse->colourTable().left(3), QByteArray::fromHex("ff0000")); },
         [](Person &p) {
             QCOMPARE(p.topBarProfiles()->property("textValue").toString(), QStringLiteral("Work"));
             QCOMPARE(p.page("profileMain")->property("profileNo").toInt(), 1);
             QCOMPARE(p.firstBlockRed(), QStringLiteral("255"));
         }},
        {"application in front added to a new profile's rules",
         [](Person &p) {
             p.makeProfile();
             p.click(QStringLiteral("autoSwitchAddBtn"));
             // The user clicks into the application during the countdown.
             windowInFront(p, QStringLiteral("Game"));
             QTRY_COMPARE_WITH_TIMEOUT(
                 p.item(QStringLiteral("autoSwitchList"))->property("count").toInt(), 1, 6000);
             p.closePage("profileMain");
         },
         {{"setting/name.bin", "profile/profileName"},
          {"setting/p2.bin", "autoSwitch/applications"}},
         {"Standard0, profile_01", "Game"},
         {},
         [](Person &p) {
             p.click(QStringLiteral("configBtn"));
             p.clickRow(QStringLiteral("profileList"), 1, 28);
             QTRY_COMPARE(
                 p.item(QStringLiteral("autoSwitchRules"))->property("names").toStringList(),
                 QStringList{QStringLiteral("Game")});
             QCOMPARE(p.item(QStringLiteral("autoSwitchList"))->property("count").toInt(), 1);
             p.closePage("profileMain");
         }},
    };
    return all;
}

} // namespace

class OperatePagesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir config;

private slots:
    // Pointer settings go to GSettings' memory and a kdeglobals of the test's own (so wheel
    // lines are applied); no window manager is asked which window is in front.
    void initTestCase()
    {
        qputenv("GSETTINGS_BACKEND", "memory");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        QFile file(Desktop::kdeGlobals());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\n");
    }

    void choicesReachTheMouseAndTheFilesAndSurviveARestart_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases().size(); ++i)
            QTest::newRow(cases().at(i).name) << i;
    }
    void choicesReachTheMouseAndTheFilesAndSurviveARestart()
    {
        QFETCH(int, index);
        const Case &c = cases().at(index);
        Person p;
        START_OR_FAIL(p);
        c.operate(p);
        if (QTest::currentTestFailed())
            return;
        for (int i = 0; i < c.files.size(); ++i)
            QCOMPARE(p.stored(c.files[i].first, c.files[i].second), c.fileTexts.at(i));
        if (c.checkMouse)
            c.checkMouse(p);
        QVERIFY2(p.qmlWarnings().isEmpty(), qPrintable(p.qmlWarnings().join('\n')));

        // A new start on the same files shows the choice, and sends it again.
        const QByteArray held = p.mouse->keyMatrix(1);
        p.mouse->clearTransfers();
        START_OR_FAIL(p);
        if (c.checkPageAfterRestart)
            c.checkPageAfterRestart(p);
        for (int i = 0; i < c.files.size(); ++i)
            QCOMPARE(p.stored(c.files[i].first, c.files[i].second), c.fileTexts.at(i));
        QCOMPARE(p.mouse->keyMatrix(1), held);

        // No value reached a file as a binary blob.
        QDirIterator files(p.tree.file(QStringLiteral("modules")), QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray text = file.readAll();
            QVERIFY2(!text.contains("@Variant(") && !text.contains("@ByteArray("),
                     qPrintable(file.fileName()));
        }
    }

    // The pages over the main screen are built the first time they open. What they show then
    // is what was read at start, before they existed: the current profile's pointer settings and
    // button entries, the gun slots and presets, the profile and macro lists.
    void everyOverlayShowsTheCurrentDataOnFirstOpen()
    {
        Person p;
        {
            const auto file = [&](const char *name) {
                return p.tree.file(QStringLiteral("modules/") + QLatin1String(name));
            };
            QSettings names(file("setting/name.bin"), QSettings::IniFormat);
            names.setValue(QStringLiteral("profile/profileName"),
                           QStringList{"Standard0", "work1"});
            names.setValue(QStringLiteral("macro/macroName"), QStringList{"alpha", "beta"});
            QSettings global(file("setting/apConfig.bin"), QSettings::IniFormat);
            global.setValue(QStringLiteral("mouse/profileNo"), 1);
            global.setValue(QStringLiteral("mouse/selectGun"), QStringList{"3", "1", "2"});
            QSettings profile(file("setting/p2.bin"), QSettings::IniFormat);
            profile.setValue(QStringLiteral("mouse/mouseRate"), 40);
            profile.setValue(QStringLiteral("mouse/scrollRate"), 7);
            profile.setValue(QStringLiteral("mouseKeyMatrix/3"), QStringList{"1", "4", "20", "3"});
            QSettings gun(file("gun/gunData.bin"), QSettings::IniFormat);
            gun.setValue(QStringLiteral("gunData/3"),
                         QStringList{"SCAR-L", "L-Click", "10", "0", "33", "0"});
        }
        START_OR_FAIL(p);

        struct Overlay {
            const char *page, *opener, *control;
            std::function<void(Person &, QQuickItem *)> check;
        };
        const QList<Overlay> overlays{
            {"profileMain", "configBtn", "profileList",
             [](Person &p, QQuickItem *list) {
                 QCOMPARE(list->property("count").toInt(), 2);
                 QCOMPARE(p.page("profileMain")->property("selectedRow").toInt(), 1);
             }},
            {"systemSettingMain", "systemSettingOpenBtn", "speedSlider",
             [](Person &p, QQuickItem *slider) {
                 QCOMPARE(slider->property("position").toInt(), 40);
                 QCOMPARE(p.item(QStringLiteral("linesInput"))->property("textValue").toString(),
                          QStringLiteral("7"));
                 QVERIFY(p.item(QStringLiteral("rowsRadio"))->property("isSelect").toBool());
             }},
            {"gunControlMain", "gunEditorOpenBtn", "gunYInput",
             [](Person &, QQuickItem *y) {
                 QCOMPARE(y->property("textValue").toString(), QStringLiteral("33"));
             }},
            {"keyAssigmentMain", "mouseLabel3", "timesInput",
             [](Person &p, QQuickItem *times) {
                 QCOMPARE(p.page("keyAssigmentMain")->property("currentSection").toInt(), 1);
                 QCOMPARE(times->property("textValue").toString(), QStringLiteral("3"));
             }},
            {"macroEditorMain", "macroEditorOpenBtn", "macroList",
             [](Person &, QQuickItem *list) { QCOMPARE(list->property("count").toInt(), 2); }},
        };
        for (const Overlay &o : overlays) {
            QQuickItem *page = p.item(QLatin1String(o.page));
            QVERIFY2(!p.item(QLatin1String(o.control), page), o.page); // not built before
            p.click(QLatin1String(o.opener));
            QTRY_VERIFY2(page->isVisible(), o.page);
            QQuickItem *control = p.item(QLatin1String(o.control), page);
            QVERIFY2(control, o.control);
            o.check(p, control);
            if (QTest::currentTestFailed())
                return;
            p.closePage(o.page);
        }
        QVERIFY2(p.qmlWarnings().isEmpty(), qPrintable(p.qmlWarnings().join('\n')));
    }

    // Where only the window's own input is seen: a held key is one press and one release, and a
    // click on the scene one press and one release, as the desktop-wide capture reports them.
    void windowLocalCaptureReportsEachPressOnce()
    {
        Person p;
        QVERIFY(!installInputHooks(false)); // no X display here
        START_OR_FAIL(p);
        setKeyboardCallback(&Widget::onKeyboardEvent, p.widget.get());
        setMouseCallback(&Widget::onMouseEvent, p.widget.get());
        QSignalSpy keys(p.root(), SIGNAL(msg_KB(bool, int)));
        QSignalSpy buttons(p.root(), SIGNAL(msg_MS(bool, int, int, int)));

        p.keyOnWindow(XKeyA, Qt::Key_A);
        for (int i = 0; i < 5; ++i) { // Qt's auto-repeat: release and press pairs
            p.keyOnWindow(XKeyA, Qt::Key_A, true, false);
            p.keyOnWindow(XKeyA, Qt::Key_A, true, true);
        }
        p.keyOnWindow(XKeyA, Qt::Key_A, false, false);
        p.tapOnWindow(XKeyB, Qt::Key_B);
        QTRY_COMPARE(keys.size(), 4);
        QCOMPARE(keys.at(0), (QVariantList{true, 0x04}));
        QCOMPARE(keys.at(1), (QVariantList{false, 0x04}));
        QCOMPARE(keys.at(2), (QVariantList{true, 0x05}));

        // A click through the window into the scene (the Qt Quick widget hands it on to its
        // own window in memory).
        QTest::mouseClick(p.widget->window()->windowHandle(), Qt::LeftButton, {}, QPoint(500, 300));
        QTRY_COMPARE(buttons.size(), 2);
        QTest::qWait(50);
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons.at(0).at(0).toBool(), true);
        QCOMPARE(buttons.at(1).at(0).toBool(), false);
        removeInputHooks();
        setKeyboardCallback(nullptr, nullptr);
        setMouseCallback(nullptr, nullptr);
    }

    // Pictures of the assignment panel with each run mode chosen, for a reader to look at.
    void screenshotsOfTheRunModes()
    {
        const QString out = qEnvironmentVariable("ORBIS_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set ORBIS_SCREENSHOT_DIR to write the pictures");
        Person p;
        START_OR_FAIL(p);
        p.makeTwoMacros();
        p.openAssignment(4, 4);
        p.clickRow(QStringLiteral("macroList"), 0, 24, 0, p.item(QStringLiteral("keyAssigmentMain")));
        for (int mode = 0; mode < 3; ++mode) {
            p.click(QStringLiteral("macroMode%1").arg(mode));
            QTest::qWait(100);
            QVERIFY(p.view()->grabFramebuffer().save(out + QStringLiteral("/runmode%1.png").arg(mode)));
        }
    }
};

QTEST_MAIN(OperatePagesTest)
#include "test_scene_operate.moc"
