// The macro editor page in the real scene with a simulated mouse: recording from the scene's
// keyboard signal, the inserts and their placement, the library limits, renames and deletes,
// and the re-send of an edited macro to every button that plays it.
#include "app/globals.h"
#include "app/widget.h"
#include "base/sleep.h"
#include "bridge/myqquickview.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace
{

constexpr int KeyA = 0x04, KeyB = 0x05;

struct Editor {
    base::VirtualClock clock; // the protocol's fixed pauses cost no time
    testsupport::ScratchTree tree;
    testsupport::LogCapture log;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;
    QObject *page = nullptr;

    Editor()
    {
        sim::MouseConfig mc;
        mc.family = QStringLiteral("553");
        mouse = sim::attachMouse(mc);
        widget = std::make_unique<Widget>();
        widget->show();
    }
    ~Editor()
    {
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }
    // Connects and finds the page, still closed; false when the scene did not come up.
    bool connect()
    {
        widget->checkDevice();
        if (!QTest::qWaitFor([this] { return root() && root()->property("isPownOn").toBool() &&
                                              view()->isEnabled(); },
                             testsupport::kStartWaitMs))
            return false;
        page = root()->findChild<QObject *>(QStringLiteral("macroEditorMain"));
        return page != nullptr;
    }
    // Connects and opens the page; false when the scene did not come up.
    bool open()
    {
        if (!page && !connect())
            return false;
        QMetaObject::invokeMethod(root(), "openPage", Q_ARG(QVariant, QVariant::fromValue(page)),
                                  Q_ARG(QVariant, true));
        return page->property("visible").toBool();
    }
    myQQuickView *view() const { return widget->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QObject *item(const char *name) const { return root()->findChild<QObject *>(name); }

    QVariant call(const char *function, const QVariantList &args = {}) const
    {
        QVariant result;
        switch (args.size()) {
        case 0:
            QMetaObject::invokeMethod(page, function, Q_RETURN_ARG(QVariant, result));
            break;
        case 1:
            QMetaObject::invokeMethod(page, function, Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, args[0]));
            break;
        default:
            QMetaObject::invokeMethod(page, function, Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1]));
        }
        return result;
    }
    // A key event as the input capture delivers it: through the view into the scene's signal.
    void key(bool isDown, int usbCode)
    {
        view()->notifyKeyboard(isDown, uchar(usbCode));
        QCoreApplication::processEvents();
    }
    void tap(int usbCode)
    {
        key(true, usbCode);
        key(false, usbCode);
    }
    QStringList actions() const
    {
        QStringList list;
        const QVariantList all = call("actions").toList();
        for (const QVariant &a : all) {
            const QVariantMap m = a.toMap();
            list << m.value("type").toString() + QLatin1Char(',') + m.value("info").toString();
        }
        return list;
    }
    QStringList names() const { return page->property("macroNames").toStringList(); }
    void select(int index) { call("selectMacro", {index}); }
    void selectAction(int index)
    {
        page->setProperty("currentAction", index);
    }
    // Records the events; the pauses between them are set on the tick counter by hand (its
    // 10 ms timer is held), so nothing depends on real time.
    void record(const std::function<void()> &events)
    {
        call("startRecording");
        item("tickTimer")->setProperty("running", false);
        events();
        call("stopRecording");
    }
    QStringList stored(const QString &name) const { return view()->loadMacroIni(name); }
    // Binds button k of the current profile's key matrix to macro number k playing name.
    void bind(int k, const QString &name)
    {
        QObject *keys = root()->findChild<QObject *>(QStringLiteral("keyMatrixMain"));
        QObject *model = keys->property("modKeys").value<QObject *>();
        QMetaObject::invokeMethod(model, "setProperty", Q_ARG(int, k),
                                  Q_ARG(QString, QStringLiteral("keyCode0")), Q_ARG(QVariant, 4));
        QMetaObject::invokeMethod(model, "setProperty", Q_ARG(int, k),
                                  Q_ARG(QString, QStringLiteral("keyCode2")), Q_ARG(QVariant, k));
        view()->setData(QStringLiteral("mouseMacroKey/%1").arg(k), name);
    }
    // Assignment type of button k in the key matrix list.
    int keyCode0(int k) const
    {
        QObject *keys = root()->findChild<QObject *>(QStringLiteral("keyMatrixMain"));
        auto *model = qobject_cast<QAbstractItemModel *>(keys->property("modKeys").value<QObject *>());
        return model->data(model->index(k, 0), model->roleNames().key("keyCode0")).toInt();
    }
    QStringList qmlWarnings() const { return log.scriptWarnings(); }
};

QByteArray padded(const char *hexText)
{
    const QByteArray head = QByteArray::fromHex(QByteArray(hexText).replace(' ', ""));
    return head + QByteArray(128 - head.size(), '\0');
}

const char *const kNoScene = "the scene did not come up with the simulated mouse";

} // namespace

class MacroEditorTest : public QObject
{
    Q_OBJECT

private slots:
    // A macro file on disk that the name list lost (or that the user copied in) is never taken
    // by a new entry: New and Import, clicked as a person does, choose a name free on disk too.
    void newEntriesNeverTakeAUsersFile_data()
    {
        QTest::addColumn<bool>("import");
        QTest::newRow("New") << false;
        QTest::newRow("Import") << true;
    }
    void newEntriesNeverTakeAUsersFile()
    {
        QFETCH(bool, import);
        QTemporaryDir outside;
        const QByteArray users = "[config]\ntotal=1\nrepeat=7\n[macro]\n0=\"0,40\"\n";
        const QByteArray imported = "[config]\ntotal=0\nrepeat=2\n";
        Editor e;
        for (const char *name : {"Macro_0", "Macro_1"}) {
            QFile file(e.tree.file(QStringLiteral("modules/macro/%1.bin").arg(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(users);
        }
        QFile source(outside.filePath(QStringLiteral("in.mc")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(imported);
        source.close();
        int dialogs = 0;
        platform::setFileDialogHandler([&](bool, const QString &, const QString &, const QString &) {
            ++dialogs;
            return source.fileName();
        });
        QVERIFY2(e.open(), kNoScene);
        auto *page = qobject_cast<QQuickItem *>(e.page);
        if (import) {
            // The list is empty: the right-click menu of its empty part, second entry.
            auto *list = qobject_cast<QQuickItem *>(e.item("macroList"));
            QTest::mouseClick(e.view(), Qt::RightButton, {},
                              list->mapToScene(QPointF(20, 100)).toPoint());
            auto *menu = qobject_cast<QQuickItem *>(e.item("macroMenu"));
            QVERIFY(menu->isVisible());
            const qreal row = (menu->height() - 4) / 3;
            QTest::mouseClick(e.view(), Qt::LeftButton, {},
                              menu->mapToScene(QPointF(20, 2 + 1.5 * row)).toPoint());
        } else {
            auto *button = qobject_cast<QQuickItem *>(e.item("newButton"));
            QTest::mouseClick(e.view(), Qt::LeftButton, {},
                              button->mapToScene(button->boundingRect().center()).toPoint());
        }
        platform::setFileDialogHandler({});
        QVERIFY(page->isVisible());
        QCOMPARE(e.names(), QStringList{"Macro_2"});
        QCOMPARE(dialogs, import ? 1 : 0);
        for (const char *name : {"Macro_0", "Macro_1"}) {
            QFile file(e.tree.file(QStringLiteral("modules/macro/%1.bin").arg(name)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), users);
        }
        QCOMPARE(e.stored(QStringLiteral("Macro_2")).last(), import ? QString("2") : QString("1"));
    }

    void recordingStoresTheKeysAndEditsReachEveryBoundButton()
    {
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        e.call("newMacro");
        QCOMPARE(e.names(), QStringList{"Macro_0"});
        QCOMPARE(e.view()->getNameList(0), (QVariantList{"Macro_0", "loadermarlow"}));

        // Keys reach the page only while it records.
        e.tap(KeyB);
        e.record([&] { e.tap(KeyA); });
        e.tap(KeyB);
        QCOMPARE(e.actions(), (QStringList{"1,A", "2,A"}));
        QCOMPARE(e.stored("Macro_0"), (QStringList{"1,A", "2,A", "1"}));

        // With the Delay box the pause between events is stored; the tick counter counts 10 ms.
        e.item("delayBox")->setProperty("isSelect", true);
        e.record([&] {
            e.key(true, KeyA);
            e.page->setProperty("ticks", 12);
            e.key(false, KeyA);
        });
        QCOMPARE(e.stored("Macro_0"), (QStringList{"1,A", "0,120", "2,A", "1"}));

        // Buttons 2 and 5 play the macro; an edit re-sends it to both (device slots 3 and 6).
        e.bind(2, QStringLiteral("Macro_0"));
        e.bind(5, QStringLiteral("Macro_0"));
        e.selectAction(2);
        e.call("insertDelay");
        QCOMPARE(e.actions(), (QStringList{"1,A", "0,120", "0,50", "2,A"}));
        QCOMPARE(e.mouse->macro(3), padded("0001 1104 8104 0000"));
        QCOMPARE(e.mouse->macro(6), padded("0001 1104 8104 0000"));
        QCOMPARE(e.mouse->macro(1), QByteArray(128, '\0'));

        // The repeat field is saved on leaving it.
        QObject *repeat = e.item("repeatInput");
        repeat->setProperty("textValue", QStringLiteral("300"));
        QMetaObject::invokeMethod(repeat, "endInputSignal");
        QCOMPARE(e.stored("Macro_0").constLast(), QStringLiteral("300"));
        QCOMPARE(e.mouse->macro(6), padded("012c 1104 8104 0000"));
        QCOMPARE(e.qmlWarnings(), QStringList());
    }

    void recordingStopsAtTheLimit()
    {
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        e.call("newMacro");
        e.record([&] {
            for (int i = 0; i < 40; ++i)
                e.tap(KeyA);
        });
        // 61 actions make a list of 126 values; everything after is refused.
        QCOMPARE(e.actions().size(), 61);
        QCOMPARE(e.call("recordCount").toInt(), 126);
        e.selectAction(0);
        e.call("insertDelay");
        e.call("insertMouseButton", {0xF0});
        QCOMPARE(e.actions().size(), 61);
        QCOMPARE(e.stored("Macro_0").size(), 62);
    }

    void insertsFollowTheirPlacementRules()
    {
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        e.call("newMacro");
        e.record([&] {
            e.tap(KeyA);
            e.tap(KeyB);
            e.key(true, KeyA);
        });
        const QStringList five{"1,A", "2,A", "1,B", "2,B", "1,A"};
        QCOMPARE(e.actions(), five);

        // A key goes before the selected action, press first.
        e.selectAction(1);
        e.call("openInsertKey");
        QVERIFY(e.page->property("isInsertting").toBool());
        e.key(true, 0xF0); // mouse buttons are not offered
        e.key(true, 0x06);
        e.key(false, 0x06);
        QCOMPARE(e.page->property("insertLabel").toString(), QStringLiteral("C"));
        e.call("closeInsertKey", {true});
        QCOMPARE(e.actions(),
                 (QStringList{"1,A", "1,C", "2,C", "2,A", "1,B", "2,B", "1,A"}));

        // A mouse button goes after the selected action.
        e.selectAction(0);
        e.call("actionMenuCmd", {3});
        QCOMPARE(e.actions().mid(0, 4), (QStringList{"1,A", "3,MS-L", "4,MS-L", "1,C"}));
        // With the last action selected both go to the end.
        e.selectAction(8);
        e.call("actionMenuCmd", {5});
        e.selectAction(10);
        e.call("openInsertKey");
        e.key(true, KeyB);
        e.call("closeInsertKey", {true});
        QCOMPARE(e.actions().mid(8), (QStringList{"1,A", "3,MS-R", "4,MS-R", "1,B", "2,B"}));
        QCOMPARE(e.stored("Macro_0").mid(8),
                 (QStringList{"1,A", "3,MS-R", "4,MS-R", "1,B", "2,B", "1"}));

        // Editing a delay: a number replaces it, anything else keeps it.
        e.selectAction(1);
        e.call("insertDelay");
        e.call("setDelay", {1, QStringLiteral("70")});
        e.call("setDelay", {1, QStringLiteral("x")});
        QCOMPARE(e.actions().value(1), QStringLiteral("0,70"));
    }

    void theLibraryKeepsItsLimitsAndRefusesUnusableNames()
    {
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        QStringList hundred;
        for (int i = 0; i < 100; ++i)
            hundred << QStringLiteral("Macro_%1").arg(i + 1);
        e.view()->updataNameList(0, hundred);
        e.call("init");
        e.call("newMacro");
        e.call("importMacro");
        QCOMPARE(e.names(), hundred);
        QVERIFY(!QFile::exists(QStringLiteral("./modules/macro/Macro_0.bin")));

        e.view()->updataNameList(0, {});
        e.call("init");
        e.call("newMacro");
        e.call("newMacro");
        QCOMPARE(e.names(), (QStringList{"Macro_0", "Macro_1"}));
        e.bind(3, QStringLiteral("Macro_0"));

        // An existing name, a name no file system takes and a path change nothing.
        for (const QString &name :
             {QStringLiteral("Macro_1"), QStringLiteral("../up"), QStringLiteral("a/b"),
              QStringLiteral("NUL"), QStringLiteral("tab\there")}) {
            e.call("renameMacro", {0, name});
            QCOMPARE(e.names(), (QStringList{"Macro_0", "Macro_1"}));
        }
        QVERIFY(!e.page->property("nameMessage").toString().isEmpty());
        QCOMPARE(e.view()->getData(QStringLiteral("mouseMacroKey/3"), false).toString(),
                 QStringLiteral("Macro_0"));
        QCOMPARE(QDir(QStringLiteral("./modules/macro")).entryList(QDir::Files),
                 (QStringList{"Macro_0.bin", "Macro_1.bin"}));
        QVERIFY(!QFile::exists(QStringLiteral("./modules/up.bin")));

        // A good name renames the entry, the file and the binding.
        e.call("renameMacro", {0, QStringLiteral("Jump")});
        QCOMPARE(e.page->property("nameMessage").toString(), QString());
        QCOMPARE(e.names(), (QStringList{"Jump", "Macro_1"}));
        QCOMPARE(e.view()->getNameList(0), (QVariantList{"Jump", "Macro_1"}));
        QCOMPARE(e.view()->getData(QStringLiteral("mouseMacroKey/3"), false).toString(),
                 QStringLiteral("Jump"));
        QCOMPARE(QDir(QStringLiteral("./modules/macro")).entryList(QDir::Files),
                 (QStringList{"Jump.bin", "Macro_1.bin"}));

        // Deleting it gives button 3 its factory entry back.
        QCOMPARE(e.keyCode0(3), 4);
        e.select(0);
        e.call("deleteSelected");
        QCOMPARE(e.names(), QStringList{"Macro_1"});
        QCOMPARE(e.view()->getNameList(0), (QVariantList{"Macro_1", "loadermarlow"}));
        QVERIFY(!QFile::exists(QStringLiteral("./modules/macro/Jump.bin")));
        QCOMPARE(e.keyCode0(3), 0);
        QCOMPARE(e.qmlWarnings(), QStringList());
    }

    void theListAnswersThePointerAndTheKeyboard()
    {
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        e.call("newMacro");
        e.call("newMacro");
        auto *list = qobject_cast<QQuickItem *>(e.item("macroList"));
        const QPoint firstRow = list->mapToScene(QPointF(20, 12)).toPoint();
        const QPoint secondRow = list->mapToScene(QPointF(20, 36)).toPoint();

        // A click selects, a double click edits the name, Enter takes it.
        QTest::mouseClick(e.view(), Qt::LeftButton, {}, firstRow);
        QCOMPARE(list->property("currentIndex").toInt(), 0);
        QTest::mouseDClick(e.view(), Qt::LeftButton, {}, firstRow);
        QTRY_VERIFY(e.item("macroEdit")->property("activeFocus").toBool());
        QTest::keyClicks(e.view(), QStringLiteral("Jump"));
        QTest::keyClick(e.view(), Qt::Key_Return);
        QCOMPARE(e.names(), (QStringList{"Jump", "Macro_1"}));

        // A refused name shows why; a click elsewhere in the panel ends the edit.
        QTest::mouseDClick(e.view(), Qt::LeftButton, {}, secondRow);
        QTRY_VERIFY(e.item("macroEdit")->property("activeFocus").toBool());
        QTest::keyClicks(e.view(), QStringLiteral("a/b"));
        const QPoint panelTitle = qobject_cast<QQuickItem *>(e.page)->mapToScene(QPointF(300, 60)).toPoint();
        QTest::mouseClick(e.view(), Qt::LeftButton, {}, panelTitle);
        QCOMPARE(e.names(), (QStringList{"Jump", "Macro_1"}));
        QVERIFY(e.item("macroNameMessage")->property("visible").toBool());
        QVERIFY(!e.item("macroNameMessage")->property("text").toString().isEmpty());

        // The right-click menu deletes the row under the pointer.
        QTest::mouseClick(e.view(), Qt::RightButton, {}, firstRow);
        QVERIFY(e.item("macroMenu")->property("visible").toBool());
        auto *menu = qobject_cast<QQuickItem *>(e.item("macroMenu"));
        QTest::mouseClick(e.view(), Qt::LeftButton, {}, menu->mapToScene(QPointF(20, 14)).toPoint());
        QCOMPARE(e.names(), QStringList{"Macro_1"});
        QVERIFY(!QFile::exists(QStringLiteral("./modules/macro/Jump.bin")));
        QCOMPARE(e.qmlWarnings(), QStringList());
    }

    // The page works before its controls exist (the key assignment page and the key capture
    // use it closed); opened later, the controls show the library, the selection and the
    // recorded actions, and answer the pointer.
    void theControlsShowWhatWasDoneBeforeTheFirstOpening()
    {
        Editor e;
        QVERIFY2(e.connect(), kNoScene);
        QVERIFY(!e.item("actionList"));
        e.call("newMacro");
        e.call("newMacro");
        e.select(0);
        e.record([&] { e.tap(KeyA); e.tap(KeyB); });
        e.page->setProperty("repeatText", QStringLiteral("3"));
        e.call("autoSave");
        QVERIFY2(e.open(), kNoScene);

        auto *macros = qobject_cast<QQuickItem *>(e.item("macroList"));
        auto *actions = qobject_cast<QQuickItem *>(e.item("actionList"));
        QVERIFY(macros && actions);
        QCOMPARE(macros->property("count").toInt(), 2);
        QCOMPARE(macros->property("currentIndex").toInt(), 0);
        QCOMPARE(actions->property("count").toInt(), 4);
        QCOMPARE(e.item("repeatInput")->property("textValue").toString(), QStringLiteral("3"));

        // The second row's menu, first entry: that action is deleted and the file follows.
        const QPoint secondAction = actions->mapToScene(QPointF(100, 36)).toPoint();
        QTest::mouseClick(e.view(), Qt::RightButton, {}, secondAction);
        QCOMPARE(e.page->property("currentAction").toInt(), 1);
        auto *menu = qobject_cast<QQuickItem *>(e.item("actionMenu"));
        QVERIFY(menu->isVisible());
        QTest::mouseClick(e.view(), Qt::LeftButton, {}, menu->mapToScene(QPointF(20, 14)).toPoint());
        QCOMPARE(e.stored("Macro_0"), (QStringList{"1,A", "1,B", "2,B", "3"}));
        QCOMPARE(actions->property("count").toInt(), 3);
        QCOMPARE(e.qmlWarnings(), QStringList());
    }

    // Kept as a picture for a person to look at when ORBIS_SCREENSHOT names a file.
    void screenshotOfARecordedMacro()
    {
        const QString target = qEnvironmentVariable("ORBIS_SCREENSHOT");
        if (target.isEmpty())
            QSKIP("ORBIS_SCREENSHOT names no file");
        Editor e;
        QVERIFY2(e.open(), kNoScene);
        e.call("newMacro");
        e.call("newMacro");
        e.item("delayBox")->setProperty("isSelect", true);
        e.record([&] {
            for (int code : {0xE1, KeyA, KeyB}) {
                e.key(true, code);
                e.page->setProperty("ticks", 8);
            }
            for (int code : {KeyB, KeyA, 0xE1}) {
                e.key(false, code);
                e.page->setProperty("ticks", 15);
            }
        });
        e.selectAction(2);
        e.call("insertMouseButton", {0xF0});
        QTest::qWait(100);
        QVERIFY(e.view()->grabFramebuffer().save(target));

        // The action menu and the insert-key dialog in a second picture beside it.
        auto *list = qobject_cast<QQuickItem *>(e.item("actionList"));
        QTest::mouseClick(e.view(), Qt::RightButton, {},
                          list->mapToScene(QPointF(200, 60)).toPoint());
        e.call("renameMacro", {0, QStringLiteral("bad/name")});
        QTest::qWait(100);
        QVERIFY(e.view()->grabFramebuffer().save(target + QStringLiteral(".menu.png")));
        e.call("macroEditorFocus");
        e.call("openInsertKey");
        e.key(true, KeyB);
        QTest::qWait(100);
        QVERIFY(e.view()->grabFramebuffer().save(target + QStringLiteral(".insert.png")));
        e.call("closeInsertKey", {false});
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    MacroEditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_macro_editor.moc"
