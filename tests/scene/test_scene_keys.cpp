// The button-assignment pages in the real scene against the simulated mouse: opening the panel
// from the list and from the picture, the commit rule on closing, key capture for combinations,
// the fire section, macros, and the Save, factory reset and profile switch sequences, after which
// the mouse holds what the key list shows.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "hooks/inputhooks.h"
#include "sim/simdevice.h"
#include "support/scenehost.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QJSValue>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QWindow>
#include <QKeyEvent>
#include <QTest>
#include <memory>

namespace
{

// A connected 553 mouse behind the real window, its main screen up.
class KeyScene : public testsupport::SceneHost
{
public:
    explicit KeyScene(const QMap<QString, QVariantList> &p2Keys = {})
        : SceneHost([&p2Keys](testsupport::ScratchTree &tree) {
              QSettings p2(tree.file("modules/setting/p2.bin"), QSettings::IniFormat);
              for (auto it = p2Keys.cbegin(); it != p2Keys.cend(); ++it)
                  p2.setValue(it.key(), it.value());
          })
    {
    }
    bool ready() const
    {
        return SceneHost::ready([this] { return obj("mouseMain")->property("visible").toBool(); });
    }

    // Named objects, delegates of repeaters among them (they hang in the item tree only).
    QObject *obj(const char *name) const
    {
        if (QQuickItem *found = testsupport::findItem(root(), QLatin1String(name)))
            return found;
        return root()->findChild<QObject *>(name);
    }
    QObject *panel() const { return obj("keyAssigmentMain"); }
    QObject *keyList() const { return obj("keyMatrixMain"); }
    bool panelOpen() const { return panel()->property("visible").toBool(); }
    bool isSave() const { return keyList()->property("isSave").toBool(); }

    void click(const char *name) const
    {
        auto *item = qobject_cast<QQuickItem *>(obj(name));
        QVERIFY2(item, name);
        const QPoint at =
            item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
        QTest::mouseClick(widget->view(), Qt::LeftButton, {}, at);
    }
    QVariant call(QObject *target, const char *function, const QVariantList &args = {}) const
    {
        QVariant result;
        QGenericArgument a[4];
        QList<QVariant> held = args;
        for (int i = 0; i < held.size() && i < 4; ++i)
            a[i] = Q_ARG(QVariant, held[i]);
        QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result), a[0], a[1],
                                  a[2], a[3]);
        return result;
    }
    void key(bool isDown, int usage) const
    {
        call(root(), "detectKeyboard", {isDown, usage});
    }

    // Row i of the working key list: four codes and the text.
    QJSValue row(int i) const
    {
        QJSValue value;
        QObject *model = keyList()->property("modKeys").value<QObject *>();
        QMetaObject::invokeMethod(model, "get", Q_RETURN_ARG(QJSValue, value), Q_ARG(int, i));
        return value;
    }
    QList<int> codes(int i) const
    {
        const QJSValue r = row(i);
        return {r.property("keyCode0").toInt(), r.property("keyCode1").toInt(),
                r.property("keyCode2").toInt(), r.property("keyCode3").toInt()};
    }
    QString text(int i) const { return row(i).property("keyText").toString(); }
    void setRow(int i, const QList<int> &c) const
    {
        QObject *model = keyList()->property("modKeys").value<QObject *>();
        QVariantMap values{{"keyCode0", c[0]}, {"keyCode1", c[1]}, {"keyCode2", c[2]},
                           {"keyCode3", c[3]}};
        const QJSValue row = widget->view()->engine()->toScriptValue(values);
        QMetaObject::invokeMethod(model, "set", Q_ARG(int, i), Q_ARG(QJSValue, row));
    }

    // Matrix 1 as the mouse must hold it for the key list on screen (a 553 mouse takes entries
    // 5 and 6 in exchanged places).
    QByteArray expectedMatrix() const
    {
        QVariantList values;
        for (int i = 0; i < keymatrix::kButtons; ++i)
            for (int c : codes(i))
                values << c;
        QByteArray m = keymatrix::toDeviceForm(values);
        const QByteArray five = m.mid(20, 4);
        m.replace(20, 4, m.mid(24, 4));
        m.replace(24, 4, five);
        return m;
    }
    int matrixCommands() const
    {
        int n = 0;
        for (const sim::Transfer &t : mouse->transfers())
            if (t.kind == sim::TransferKind::FeatureOut && quint8(t.bytes.at(1)) == 0x12)
                ++n;
        return n;
    }

};

} // namespace

class KeyPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void listAndPictureOpenThePanel()
    {
        KeyScene scene;
        QVERIFY(scene.ready());
        QCOMPARE(scene.text(0), QStringLiteral("Left Key"));
        QCOMPARE(scene.text(7), QStringLiteral("Double Fire"));

        // The only left button: its row keeps the panel shut, its picture label opens it.
        scene.click("keyRow0");
        QVERIFY(!scene.panelOpen());
        scene.click("mouseLabel0");
        QVERIFY(scene.panelOpen());
        QCOMPARE(scene.panel()->property("keyIndex").toInt(), 0);
        QCOMPARE(scene.obj("mouseMain")->property("selectKey").toInt(), 0);

        // Closing without a change leaves the list unchanged and unsaved.
        scene.click("keyAssigmentMain"); // the panel background
        scene.call(scene.panel(), "closePanel");
        QVERIFY(!scene.panelOpen());
        QVERIFY(!scene.isSave());
        QVERIFY(!scene.obj("mainMask")->property("visible").toBool());

        // With a second left button, both rows open the panel.
        scene.setRow(1, {0, 0, 0xF0, 0});
        scene.click("keyRow0");
        QVERIFY(scene.panelOpen());
        scene.call(scene.panel(), "closePanel");
        scene.click("keyRow1");
        QVERIFY(scene.panelOpen());
        QCOMPARE(scene.panel()->property("keyIndex").toInt(), 1);
        scene.call(scene.panel(), "closePanel");
        for (const QString &line : scene.log.lines())
            QVERIFY2(!line.contains(QLatin1String(".qml:")), qPrintable(line));
    }

    void combinationCaptureAndSave()
    {
        KeyScene scene;
        QVERIFY(scene.ready());
        scene.click("keyRow3");
        QVERIFY(scene.panelOpen());
        scene.click("section2");
        scene.click("comboField");
        QVERIFY(scene.panel()->property("isComboInput").toBool());
        scene.key(true, 0xE0);
        scene.key(true, 0xE1);
        scene.key(true, 0x04);
        scene.key(false, 0x04);
        QTRY_COMPARE(scene.panel()->property("comboKey1").toInt(), 0x04);
        // The cross throws the capture away, the tick keeps it.
        scene.click("comboClose");
        QCOMPARE(scene.panel()->property("comboMask").toInt(), 0);
        scene.click("comboField");
        for (int usage : {0xE0, 0xE1, 0x04})
            scene.key(true, usage);
        QTRY_COMPARE(scene.panel()->property("comboKey1").toInt(), 0x04);
        scene.click("comboSure");
        QVERIFY(!scene.panel()->property("isComboInput").toBool());
        scene.call(scene.panel(), "closePanel");

        QCOMPARE(scene.codes(3), (QList<int>{2, 0x03, 0x04, 0}));
        QCOMPARE(scene.text(3), QStringLiteral("LCtrl+LShift+A"));
        QVERIFY(scene.isSave());
        QCOMPARE(scene.matrixCommands(), 0); // nothing reaches the mouse before Save

        scene.mouse->clearTransfers();
        scene.click("saveBtn");
        QTRY_VERIFY(!scene.isSave());
        QCOMPARE(scene.mouse->keyMatrix(1), scene.expectedMatrix());
        QCOMPARE(scene.mouse->keyMatrix(1).mid(12, 4), QByteArray::fromHex("00030400"));
        const QVariantList stored = scene.widget->view()->mouseGetKeydefine(3, false);
        QCOMPARE(stored.value(1).toInt(), 3);
    }

    void fireSectionShowsEndlessForZeroTimes_data()
    {
        QTest::addColumn<int>("times");
        QTest::addColumn<bool>("endless");
        QTest::newRow("endless") << 0 << true;
        QTest::newRow("five shots") << 5 << false;
    }
    void fireSectionShowsEndlessForZeroTimes()
    {
        QFETCH(int, times);
        QFETCH(bool, endless);
        KeyScene scene;
        QVERIFY(scene.ready());
        scene.setRow(4, {1, 0x04, 20, times});
        scene.call(scene.root(), "openKeyAssigment", {4});
        QCOMPARE(scene.panel()->property("currentSection").toInt(), 1);
        QCOMPARE(scene.obj("endlessBox")->property("isSelect").toBool(), endless);
        QCOMPARE(scene.obj("timesInput")->property("textValue").toString(), QString::number(times));
        QCOMPARE(scene.call(scene.panel(), "keyCodeToString", {1, 0x04, 20, times}).toString(),
                 QStringLiteral("A"));
        // Keys typed while the fire key is captured give the fire entry with its rate and times.
        scene.click("fireKeyField");
        scene.key(true, 0x05);
        QTRY_VERIFY(!scene.panel()->property("isFireInput").toBool());
        scene.call(scene.panel(), "closePanel");
        QCOMPARE(scene.codes(4), (QList<int>{1, 0x05, 20, times}));
        QCOMPARE(scene.text(4), QStringLiteral("B"));
    }

    void macroIsNamedAtOnceAndSentOnSave()
    {
        KeyScene scene;
        QVERIFY(scene.ready());
        scene.call(scene.root(), "openKeyAssigment", {5});
        // The macro editor opened from the panel takes its place until it closes.
        scene.click("section4");
        scene.click("macroEditorBtn");
        QObject *editor = scene.root()->findChild<QObject *>(QStringLiteral("macroEditorMain"));
        QVERIFY(editor);
        QVERIFY(!scene.panelOpen());
        QVERIFY(editor->property("visible").toBool());
        editor->setProperty("visible", false);
        QVERIFY(scene.panelOpen());
        QVERIFY(scene.obj("mainMask")->property("visible").toBool());
        scene.call(scene.panel(), "setMacroNames", {QStringList{"Burst", "loadermarlow"}});
        QCOMPARE(scene.panel()->property("macroNames").toStringList(), QStringList{"Burst"});
        scene.panel()->setProperty("macroName", QStringLiteral("Burst"));
        scene.panel()->setProperty("macroMode", 1);
        scene.call(scene.panel(), "applyMacro");
        scene.mouse->clearTransfers();
        scene.call(scene.panel(), "closePanel");
        QCOMPARE(scene.codes(5), (QList<int>{4, 1, 5, 0}));
        QCOMPARE(scene.text(5), QStringLiteral("Burst"));
        QCOMPARE(scene.widget->view()->getData(QStringLiteral("mouseMacroKey/5"), false).toString(),
                 QStringLiteral("Burst"));
        QCOMPARE(scene.matrixCommands(), 0);
        scene.click("saveBtn");
        QTRY_VERIFY(!scene.isSave());
        // Button 5 arrives in the place of button 6 on a 553 mouse, as a macro of slot 6.
        QCOMPARE(scene.mouse->keyMatrix(1).mid(24, 4), QByteArray::fromHex("09010600"));
        QCOMPARE(scene.mouse->keyMatrix(1), scene.expectedMatrix());
    }

    void resetImagesBringBackFactoryEntries()
    {
        KeyScene scene;
        QVERIFY(scene.ready());
        scene.call(scene.root(), "openKeyAssigment", {5});
        scene.click("section3"); // media: Previous, then Mute; only the last stays chosen
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // old choices
        // The grid places the new choices on its next polish: Mute in row 2.
        QTRY_COMPARE(qobject_cast<QQuickItem *>(scene.obj("choice4"))->y(), 64.0);
        scene.click("choice2");
        scene.click("choice4");
        QVERIFY(!scene.obj("choice2")->property("isSelect").toBool());
        QVERIFY(scene.obj("choice4")->property("isSelect").toBool());
        scene.call(scene.panel(), "closePanel");
        scene.call(scene.root(), "openKeyAssigment", {6});
        scene.call(scene.panel(), "setEntry", {QVariantList{5, 0, 4, 0}, QVariant()});
        scene.call(scene.panel(), "closePanel");
        QCOMPARE(scene.text(5), QStringLiteral("Mute"));
        QCOMPARE(scene.text(6), QStringLiteral("Sniper Key"));
        scene.keyList()->setProperty("isSave", false);

        // The panel's image: this button only.
        scene.call(scene.root(), "openKeyAssigment", {5});
        scene.click("keyResetBtn");
        QCOMPARE(scene.codes(5), (QList<int>{5, 0, 1, 0}));
        QCOMPARE(scene.panel()->property("keyText").toString(), QStringLiteral("DPI+"));
        QVERIFY(scene.isSave());
        scene.call(scene.panel(), "closePanel");
        QCOMPARE(scene.text(6), QStringLiteral("Sniper Key"));

        // The list's image: every button.
        scene.keyList()->setProperty("isSave", false);
        scene.click("keyMatrixReset");
        QCOMPARE(scene.codes(6), (QList<int>{5, 0, 2, 0}));
        QCOMPARE(scene.text(6), QStringLiteral("DPI-"));
        QVERIFY(scene.isSave());
    }

    // After a factory reset and after a profile switch the list shows the profile's entries
    // and the mouse holds them.
    void resetAndProfileSwitchSendWhatTheListShows()
    {
        KeyScene scene({{"mouseKeyMatrix/5", {3, 0, 0xE2, 0}}, {"mouseKeyMatrix/2", {5, 0, 4, 0}}});
        QVERIFY(scene.ready());
        scene.setRow(6, {3, 0, 0xE9, 0}); // an unsaved change the reset must drop
        scene.widget->view()->setDataList(QStringLiteral("mouseKeyMatrix/6"),
                                          {3, 0, 0xE9, 0});
        scene.call(scene.root(), "resetFactory");
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        QCOMPARE(scene.text(6), QStringLiteral("DPI-"));
        QCOMPARE(scene.mouse->keyMatrix(1), scene.expectedMatrix());
        QCOMPARE(scene.mouse->keyMatrix(1).mid(20, 4), QByteArray::fromHex("07000200"));

        scene.mouse->clearTransfers();
        scene.call(scene.root(), "switchProfile", {1});
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        QCOMPARE(scene.text(5), QStringLiteral("Mute"));
        QCOMPARE(scene.text(2), QStringLiteral("Sniper Key"));
        QCOMPARE(scene.mouse->keyMatrix(1), scene.expectedMatrix());
        QCOMPARE(scene.mouse->keyMatrix(1).mid(8, 4), QByteArray::fromHex("07000401"));
        QVERIFY(scene.matrixCommands() >= 1);
    }

    // Without a desktop-wide capture the panel says so, and keys typed into the focused window
    // reach the scene's detectKeyboard with the codes the global capture gives.
    void windowLocalCaptureReachesTheScene()
    {
        KeyScene scene;
        QVERIFY(!installInputHooks(false)); // no X display here
        setKeyboardCallback(&Widget::onKeyboardEvent, scene.widget.get());
        setMouseCallback(&Widget::onMouseEvent, scene.widget.get());
        QVERIFY(scene.ready());
        QSignalSpy keys(scene.root(), SIGNAL(msg_KB(bool, int)));
        scene.call(scene.root(), "openKeyAssigment", {3});
        scene.click("section2");
        QVERIFY(scene.obj("focusNotice")->property("visible").toBool());
        QCOMPARE(scene.obj("focusNotice")->property("text").toString(),
                 QStringLiteral("Keys are captured only while this window has the focus"));
        scene.click("comboField");
        QWindow *window = scene.widget->window()->windowHandle();
        QVERIFY(window);
        // X key codes: left Ctrl 37, A 38, keypad Enter 104.
        for (quint32 code : {37u, 38u, 104u}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, code, 0, 0);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, code, 0, 0);
            QCoreApplication::sendEvent(window, &press);
            QCoreApplication::sendEvent(window, &release);
        }
        QTRY_COMPARE(keys.size(), 6);
        QCOMPARE(keys.at(0), (QVariantList{true, 0xE0}));
        QCOMPARE(keys.at(2), (QVariantList{true, 0x04}));
        QCOMPARE(keys.at(4), (QVariantList{true, 0x58}));
        QCOMPARE(scene.panel()->property("comboMask").toInt(), 1);
        QCOMPARE(scene.panel()->property("comboKey1").toInt(), 0x04);
        QCOMPARE(scene.panel()->property("comboKey2").toInt(), 0x58);
        removeInputHooks();
        setKeyboardCallback(nullptr, nullptr);
        setMouseCallback(nullptr, nullptr);
    }

    void panelScreenshot()
    {
        const QString out = qEnvironmentVariable("ORBIS_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set ORBIS_SCREENSHOT_DIR to write the panel's picture");
        KeyScene scene;
        QVERIFY(scene.ready());
        scene.setRow(3, {2, 0x03, 0x04, 0});
        scene.call(scene.root(), "openKeyAssigment", {3});
        QTest::qWait(300);
        QVERIFY(scene.widget->view()->grabFramebuffer().save(out + "/keyassignment.png"));
        scene.click("section1");
        QTest::qWait(100);
        QVERIFY(scene.widget->view()->grabFramebuffer().save(out + "/keyassignment-fire.png"));
        scene.call(scene.panel(), "closePanel");
        scene.obj("mouseMain")->setProperty("selectKey", 2);
        QTest::qWait(100);
        QVERIFY(scene.widget->view()->grabFramebuffer().save(out + "/keys-main.png"));
        scene.obj("mouseMain")->setProperty("isSide", true);
        QTest::qWait(100);
        QVERIFY(scene.widget->view()->grabFramebuffer().save(out + "/keys-side.png"));
        scene.call(scene.root(), "openKeyAssigment", {5});
        scene.click("section3");
        QTest::qWait(100);
        QVERIFY(scene.widget->view()->grabFramebuffer().save(out + "/keyassignment-media.png"));
    }
};

QTEST_MAIN(KeyPagesTest)
#include "test_scene_keys.moc"
