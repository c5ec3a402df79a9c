// The gun editor, system setting and profile pages in the real scene with a simulated mouse:
// what the mouse, the gun file, the profile files and the desktop's pointer settings hold after
// the user's actions, the factory reset and a profile switch. Desktop settings go to GSettings'
// memory backend and a private kdeglobals, never to the user's desktop.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "platform/dialogs.h"
#include "platform/linux/giosettings.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMetaMethod>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace
{

const QString MouseSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");

QVariant call(QObject *object, const char *function, const QVariantList &args = {})
{
    QVariant result;
    const QVariant a0 = args.value(0), a1 = args.value(1);
    bool ok = false;
    if (args.isEmpty())
        ok = QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result));
    else if (args.size() == 1)
        ok = QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result),
                                       Q_ARG(QVariant, a0));
    else
        ok = QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result),
                                       Q_ARG(QVariant, a0), Q_ARG(QVariant, a1));
    if (!ok)
        qWarning() << "no function" << function;
    return result;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList texts(const QVariant &value)
{
    QStringList out;
    for (const QVariant &v : value.toList())
        out << v.toString();
    return out;
}

// The main scene on a connected simulated gun mouse, with the settings files of a private tree;
// files are written before the widget exists.
struct PageScene {
    testsupport::ScratchTree tree;
    testsupport::LogCapture log;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;

    explicit PageScene(const std::function<void(PageScene &)> &prepare = {})
    {
        if (prepare)
            prepare(*this);
        mouse = sim::attachMouse(sim::MouseConfig());
        widget = std::make_unique<Widget>();
        widget->show();
    }
    ~PageScene()
    {
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }
    bool start()
    {
        widget->checkDevice();
        return deviceConnected && QTest::qWaitFor(
                                      [this] {
                                          return root()->property("isPownOn").toBool() &&
                                                 view()->isEnabled() &&
                                                 !item("powerOnLogo")->property("visible").toBool();
                                      },
                                      testsupport::kStartWaitMs);
    }

    // Opens a page as the main window does and returns it.
    QObject *openPage(const char *name) const
    {
        QObject *page = object(name);
        call(root(), "openPage", {QVariant::fromValue(page), true});
        return page;
    }
    QStringList scriptErrors() const
    {
        QStringList errors;
        for (const QString &line : log.lines())
            if (line.contains(QLatin1String(".qml:")))
                errors << line;
        return errors;
    }

    myQQuickView *view() const { return widget->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QQuickItem *item(const char *name) const { return root()->findChild<QQuickItem *>(name); }
    QObject *object(const char *name) const { return root()->findChild<QObject *>(name); }

    QPoint at(const char *name, QPointF local) const
    {
        return item(name)->mapToScene(local).toPoint();
    }
    QPoint centreOf(const char *name) const
    {
        QQuickItem *i = item(name);
        return at(name, QPointF(i->width() / 2, i->height() / 2));
    }
    void click(const QPoint &point, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view(), button, {}, point);
    }
    // QTest's double click is the double-click event alone; a person's also presses and
    // releases around it.
    void doubleClick(const QPoint &point)
    {
        QTest::mouseClick(view(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(view(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, point);
    }
    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(view(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view(), (from + to) / 2);
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
    }
    QVariant profileValue(const QString &key) const { return view()->getData(key, false); }
    QSettings &profileFile(int number) const
    {
        QSettings *settings = view()->store->profile(number);
        settings->sync();
        return *settings;
    }
    int gunReports() const
    {
        int n = 0;
        for (const sim::Transfer &t : mouse->transfers())
            if (t.kind == sim::TransferKind::FeatureOut && t.bytes.size() > 1 &&
                quint8(t.bytes[1]) == 0x04)
                ++n;
        return n;
    }
    // Gun slot s (1..3) as the mouse holds it: times, X, Y.
    QByteArray mouseGun(int slot) const { return mouse->gunData(slot - 1).left(3); }
    // Name list 2 (the profiles) as the bridge gives it.
    QStringList profileNames() const
    {
        QVariantList names;
        QMetaObject::invokeMethod(view(), "getNameList", Q_RETURN_ARG(QVariantList, names),
                                  Q_ARG(QVariant, 2));
        return texts(names);
    }
};

QByteArray gunBytes(int times, int x, int y)
{
    return QByteArray() + char(times) + char(x) + char(y);
}

QStringList gunEntry(const QString &index)
{
    QSettings file(QStringLiteral("./modules/gun/gunData.bin"), QSettings::IniFormat);
    return file.value(QStringLiteral("gunData/") + index).toStringList();
}

double gnomeSpeedOfStep(int step)
{
    const int windowsSpeed = step == 0 ? 1 : 2 * step;
    return (windowsSpeed - 1) / 19.0 * 2.0 - 1.0;
}

void writeNameList(const QStringList &names)
{
    QSettings file(QStringLiteral("./modules/setting/name.bin"), QSettings::IniFormat);
    file.setValue(QStringLiteral("profile/profileName"), names);
}

// The centre of a repeated item (found in the visual tree), in view coordinates.
QPoint centreOfItem(const PageScene &scene, const char *name)
{
    QQuickItem *i = testsupport::findItem(scene.root(), QString::fromLatin1(name));
    return i ? i->mapToScene(QPointF(i->width() / 2, i->height() / 2)).toPoint() : QPoint();
}

// A mouse that does not connect is a failure, never a skip.
#define START_OR_FAIL(scene) QVERIFY2((scene).start(), "the simulated mouse does not connect")
#define NO_SCRIPT_ERRORS(scene)                                                                    \
    QVERIFY2((scene).scriptErrors().isEmpty(),                                                     \
             qPrintable((scene).scriptErrors().join(QLatin1Char('\n'))))

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir config;

    // A kdeglobals in the private configuration folder, so wheel lines are applied.
    QString kdeGlobals() const { return config.filePath(QStringLiteral("kdeglobals")); }
    QString wheelLines() const
    {
        return QSettings(kdeGlobals(), QSettings::IniFormat)
            .value(QStringLiteral("KDE/WheelScrollLines"))
            .toString();
    }

private slots:
    void initTestCase()
    {
        qputenv("GSETTINGS_BACKEND", "memory");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QFile file(kdeGlobals());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\n");
    }

    // --- System setting page ---

    void slidersStoreTheirPositionAndApplyTheirStep()
    {
        platform::GioSettings gnome(MouseSchema);
        if (!gnome.isValid())
            QSKIP("the GNOME desktop schemas are not installed");
        PageScene scene;
        START_OR_FAIL(scene);
        scene.openPage("systemSettingMain");

        // A click on the track glides the knob there; the value counts once it rests. The knob
        // is 14 wide, so a click 7 right of a position centres it there.
        scene.click(scene.at("speedSlider", QPointF(200 + 7, 9)));
        QTRY_COMPARE(scene.profileValue("mouse/mouseRate").toInt(), 200);
        QTRY_COMPARE(*gnome.doubleValue(QStringLiteral("speed")), gnomeSpeedOfStep(6));

        scene.click(scene.at("doubleSlider", QPointF(351, 9)));
        QTRY_COMPARE(scene.profileValue("mouse/doubleRate").toInt(), 337);
        QTRY_COMPARE(*gnome.intValue(QStringLiteral("double-click")), 200);
        scene.click(scene.at("doubleSlider", QPointF(0, 9)));
        QTRY_COMPARE(scene.profileValue("mouse/doubleRate").toInt(), 3);
        QTRY_COMPARE(*gnome.intValue(QStringLiteral("double-click")), 900);
        // The speed was not applied again by the double-click slider.
        QCOMPARE(*gnome.doubleValue(QStringLiteral("speed")), gnomeSpeedOfStep(6));

        // Dragging the knob to the far right.
        const QPoint knob = scene.at("speedSlider", QPointF(200 + 7, 9));
        scene.drag(knob, knob + QPoint(300, 0));
        QTRY_COMPARE(scene.profileValue("mouse/mouseRate").toInt(), 337);
        QTRY_COMPARE(*gnome.doubleValue(QStringLiteral("speed")), 1.0);
        NO_SCRIPT_ERRORS(scene);
    }

    void scrollChoicesStoreAndApplyTheirLines()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        QObject *page = scene.openPage("systemSettingMain");

        scene.click(scene.centreOf("screenRadio"));
        QCOMPARE(scene.profileValue("mouse/scrollRate").toInt(), 1000);
        QCOMPARE(wheelLines(), QStringLiteral("1000"));
        // The page shows what init reads: rows chosen on the page, a whole screen in the file.
        scene.click(scene.centreOf("rowsRadio"));
        QVERIFY(!scene.item("screenRadio")->property("isSelect").toBool());
        scene.view()->setData(QStringLiteral("mouse/scrollRate"), 1000);
        call(page, "init", {false, false});
        QVERIFY(scene.item("screenRadio")->property("isSelect").toBool());
        QVERIFY(!scene.item("rowsRadio")->property("isSelect").toBool());

        // Typing 0 into the lines field and leaving it.
        scene.click(scene.centreOf("rowsRadio"));
        scene.click(scene.centreOf("linesInput"));
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("0"));
        call(page, "systemSettingFocus");
        QCOMPARE(scene.item("linesInput")->property("textValue").toString(), QStringLiteral("1"));
        QCOMPARE(scene.profileValue("mouse/scrollRate").toInt(), 1);
        QCOMPARE(wheelLines(), QStringLiteral("1"));
    }

    // The language choice of the system page lists the language files present and applies a
    // choice at once: the scene's texts, the native ones (tray menu) and the global file. The
    // factory reset of the global settings keeps the user's language.
    void languageChoiceAppliesAtOnceAndSurvivesTheFactoryReset()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        scene.openPage("systemSettingMain");
        QVERIFY(testsupport::findItem(scene.root(), QStringLiteral("language_en")) && testsupport::findItem(scene.root(), QStringLiteral("language_zh_CN")));
        QCOMPARE(testsupport::findItem(scene.root(), QStringLiteral("language_zh_CN"))->property("textValue").toString(),
                 QStringLiteral("简体中文"));
        QAction *quit = scene.widget->trayMenu()->actions().constLast();
        QCOMPARE(quit->text(), QStringLiteral("Quit (&Q)"));

        scene.click(centreOfItem(scene, "language_zh_CN"));
        QCOMPARE(scene.view()->getGlobalData(QStringLiteral("common/language")).toString(),
                 QStringLiteral("zh_CN"));
        QVERIFY(testsupport::findItem(scene.root(), QStringLiteral("language_zh_CN"))->property("isSelect").toBool());
        QVERIFY(!testsupport::findItem(scene.root(), QStringLiteral("language_en"))->property("isSelect").toBool());
        QCOMPARE(scene.object("systemSettingMain")->property("titleText").toString(),
                 QStringLiteral("系统设置"));
        QTRY_COMPARE(quit->text(), QStringLiteral("退出 (&Q)"));

        QMetaObject::invokeMethod(scene.view(), "resetApconfig");
        QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(global.value(QStringLiteral("common/language")).toString(),
                 QStringLiteral("zh_CN"));
        QCOMPARE(global.value(QStringLiteral("common/name")).toString(),
                 QStringLiteral("ORBIS MOUSE R207"));

        scene.click(centreOfItem(scene, "language_en"));
        QTRY_COMPARE(quit->text(), QStringLiteral("Quit (&Q)"));
        QCOMPARE(scene.object("systemSettingMain")->property("titleText").toString(),
                 QStringLiteral("System Setting"));
        NO_SCRIPT_ERRORS(scene);
    }

    void restoringDefaultsWritesTheFactoryValuesIntoTheCurrentProfile()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        call(scene.root(), "switchProfile", {3});
        QCOMPARE(scene.view()->store->currentProfileIndex(), 3);
        QObject *page = scene.object("systemSettingMain");
        scene.view()->setData(QStringLiteral("mouse/mouseRate"), 40);
        scene.view()->setData(QStringLiteral("mouse/doubleRate"), 300);
        scene.view()->setData(QStringLiteral("mouse/scrollRate"), 1000);
        call(page, "init", {false, false});
        scene.openPage(qPrintable(page->objectName()));

        scene.click(scene.centreOf("systemRestoreBtn"));
        QSettings &p4 = scene.profileFile(3);
        QSettings factory(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat);
        for (const char *key : {"mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate"})
            QCOMPARE(p4.value(QLatin1String(key)).toInt(),
                     factory.value(QLatin1String(key)).toInt());
        QCOMPARE(QSettings(QStringLiteral("./modules/setting/p4.bin"), QSettings::IniFormat)
                     .value(QStringLiteral("mouse/mouseRate"))
                     .toInt(),
                 factory.value(QStringLiteral("mouse/mouseRate")).toInt());
        QCOMPARE(scene.item("speedSlider")->property("position").toInt(),
                 factory.value(QStringLiteral("mouse/mouseRate")).toInt());
        QCOMPARE(wheelLines(), factory.value(QStringLiteral("mouse/scrollRate")).toString());
    }

    // A switch shows and applies the new profile's values; the old profile keeps its own.
    void profileSwitchAppliesTheNewProfilesPointerSettings()
    {
        platform::GioSettings gnome(MouseSchema);
        if (!gnome.isValid())
            QSKIP("the GNOME desktop schemas are not installed");
        PageScene scene([](PageScene &s) {
            QSettings p3(s.tree.file("modules/setting/p3.bin"), QSettings::IniFormat);
            p3.setValue(QStringLiteral("mouse/mouseRate"), 3);
            p3.setValue(QStringLiteral("mouse/doubleRate"), 337);
            p3.setValue(QStringLiteral("mouse/scrollRate"), 7);
        });
        START_OR_FAIL(scene);
        call(scene.root(), "switchProfile", {2});
        QCOMPARE(*gnome.doubleValue(QStringLiteral("speed")), -1.0);
        QCOMPARE(*gnome.intValue(QStringLiteral("double-click")), 200);
        QCOMPARE(wheelLines(), QStringLiteral("7"));
        scene.openPage("systemSettingMain");
        QCOMPARE(scene.item("speedSlider")->property("position").toInt(), 3);
        QCOMPARE(scene.item("linesInput")->property("textValue").toString(), QStringLiteral("7"));
        QCOMPARE(scene.profileFile(0).value(QStringLiteral("mouse/scrollRate")).toInt(), 3);
    }

    // --- Gun editor page ---

    void slotTwoGetsPresetFourAndClosingSendsIt()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        scene.mouse->clearTransfers();
        QObject *page = scene.openPage("gunControlMain");
        QVERIFY(page->property("visible").toBool());

        QObject *slotList = scene.object("gunSlotList");
        call(slotList, "chooseRow", {1});
        QTRY_COMPARE(slotList->property("currentSelect").toInt(), 1);
        scene.click(scene.at("gunList", QPointF(40, 4 * 58 + 29)));
        QCOMPARE(texts(scene.view()->getGlobalData(QStringLiteral("mouse/selectGun"))),
                 QStringList({"0", "4", "2"}));
        QCOMPARE(page->property("gunListIndex").toInt(), 4);

        // The shown preset's Y field, then the times field.
        scene.click(scene.centreOf("gunYInput"));
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("33"));
        scene.click(scene.centreOf("gunTimesInput"));
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("3"));
        call(page, "gunControlFocus");
        QCOMPARE(gunEntry("4"), QStringList({"UNP9", "L-Click", "10", "0", "33", "3"}));
        QCOMPARE(scene.gunReports(), 0);

        call(page, "closePage");
        QVERIFY(!page->property("visible").toBool());
        QCOMPARE(scene.mouseGun(2), gunBytes(3, 0, 33));
        QCOMPARE(scene.mouseGun(1), gunBytes(0, 0, 10));
        QCOMPARE(scene.mouseGun(3), gunBytes(0, 0, 10));
        NO_SCRIPT_ERRORS(scene);

        // Nothing changed since: closing again sends nothing.
        scene.mouse->clearTransfers();
        scene.openPage(qPrintable(page->objectName()));
        call(page, "closePage");
        QCOMPARE(scene.gunReports(), 0);
    }

    void theDotSetsYFromTopToBottom()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        QObject *page = scene.openPage("gunControlMain");

        scene.drag(scene.centreOf("gunDot"), scene.centreOf("gunDot") + QPoint(0, 400));
        QCOMPARE(scene.item("gunYInput")->property("textValue").toString(), QStringLiteral("64"));
        QCOMPARE(gunEntry("0").value(4), QStringLiteral("64"));
        scene.drag(scene.centreOf("gunDot"), scene.centreOf("gunDot") - QPoint(0, 400));
        QCOMPARE(scene.item("gunYInput")->property("textValue").toString(), QStringLiteral("0"));
        QCOMPARE(gunEntry("0").value(4), QStringLiteral("0"));
        QVERIFY(page->property("isChanged").toBool());

        // Ticking the endless box makes the shots endless; clearing it changes nothing.
        scene.click(scene.centreOf("gunTimesInput"));
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("7"));
        call(page, "gunControlFocus");
        QCOMPARE(gunEntry("0").value(5), QStringLiteral("7"));
        scene.item("gunEndlessBox")->setProperty("isSelect", false);
        scene.click(scene.centreOf("gunEndlessBox"));
        QCOMPARE(gunEntry("0").value(5), QStringLiteral("0"));
        QCOMPARE(scene.item("gunTimesInput")->property("textValue").toString(),
                 QStringLiteral("0"));
        scene.click(scene.centreOf("gunEndlessBox"));
        QVERIFY(!scene.item("gunEndlessBox")->property("isSelect").toBool());
        QCOMPARE(gunEntry("0").value(5), QStringLiteral("0"));
    }

    void theRateTextGivesThePeriod_data()
    {
        QTest::addColumn<int>("knobX");
        QTest::addColumn<QString>("text");
        QTest::newRow("one digit") << 8 << QStringLiteral("9MS");
        QTest::newRow("two digits") << 44 << QStringLiteral("45MS");
    }
    void theRateTextGivesThePeriod()
    {
        QFETCH(int, knobX);
        QFETCH(QString, text);
        PageScene scene;
        START_OR_FAIL(scene);
        QObject *page = scene.openPage("gunControlMain");
        call(page, "chooseGun", {1});
        QObject *rate = scene.object("gunRateSlider");
        call(rate, "closeMenu");
        rate->setProperty("isDrop", true);
        QObject *slider = rate->property("slider").value<QObject *>();
        auto *track = qobject_cast<QQuickItem *>(slider);
        QTRY_COMPARE(track->parentItem()->height(), 32.0); // the drop-down is open

        // Press on the track where the knob's left edge lands on knobX, then release.
        const QPoint point = track->mapToScene(QPointF(knobX + 7, track->height() / 2)).toPoint();
        scene.click(point);
        QCOMPARE(rate->property("textValue").toString(), text);
        QCOMPARE(gunEntry("1").value(2), text.chopped(2));
    }

    void factoryResetSendsTheFirstThreePresets()
    {
        PageScene scene;
        START_OR_FAIL(scene);
        scene.view()->setGlobalData(QStringLiteral("mouse/selectGun"), QVariantList{5, 4, 3});
        QObject *page = scene.object("gunControlMain");
        call(page, "init");

        scene.click(scene.centreOf("resetBtn"));
        scene.click(scene.centreOf("okBtn"));
        QCOMPARE(scene.mouseGun(1), gunBytes(0, 0, 5));
        QCOMPARE(scene.mouseGun(2), gunBytes(0, 0, 7));
        QCOMPARE(scene.mouseGun(3), gunBytes(0, 0, 8));
        QCOMPARE(texts(scene.view()->getGlobalData(QStringLiteral("mouse/selectGun"))),
                 QStringList({"0", "1", "2"}));
        QCOMPARE(gunEntry("1"), QStringList({"AKM", "L-Click", "9", "0", "7", "0"}));
        QCOMPARE(page->property("gunListIndex").toInt(), 0);
        scene.openPage("gunControlMain");
        QCOMPARE(scene.item("gunYInput")->property("textValue").toString(), QStringLiteral("5"));
    }

    void badGunFilesAndSlotListsLeaveDefaults_data()
    {
        QTest::addColumn<QByteArray>("gunFile");
        QTest::addColumn<QVariant>("selectGun");
        QTest::newRow("missing file, text slots")
            << QByteArray() << QVariant(QStringLiteral("abc"));
        QTest::newRow("short entries, short slot list")
            << QByteArray("[gunData]\n0=M416, L-Click\n1=Text\n2=\n") << QVariant(QStringList{"4"});
        QTest::newRow("slot numbers out of range")
            << QByteArray("[gunData]\n0=A, L-Click, 10, 0, 10, 0\n")
            << QVariant(QStringList{"9", "-1", "x"});
    }
    void badGunFilesAndSlotListsLeaveDefaults()
    {
        QFETCH(QByteArray, gunFile);
        QFETCH(QVariant, selectGun);
        PageScene scene([&](PageScene &s) {
            const QString path = s.tree.file("modules/gun/gunData.bin");
            QFile::remove(path);
            if (!gunFile.isEmpty()) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(gunFile);
            }
            QSettings(s.tree.file("modules/setting/apConfig.bin"), QSettings::IniFormat)
                .setValue(QStringLiteral("mouse/selectGun"), selectGun);
        });
        START_OR_FAIL(scene);
        QObject *page = scene.object("gunControlMain");
        QCOMPARE(page->property("selectGun1").toInt(), 0);
        QCOMPARE(page->property("selectGun2").toInt(), 1);
        QCOMPARE(page->property("selectGun3").toInt(), 2);
        QCOMPARE(call(page, "field", {1, "name"}).toString(), QStringLiteral("AKM"));
        QCOMPARE(call(page, "field", {1, "yAdjust"}).toString(), QStringLiteral("10"));
        NO_SCRIPT_ERRORS(scene);
        if (gunFile.isEmpty()) {
            call(page, "chooseGun", {2});
            call(page, "saveData", {2, false});
            QVERIFY(!QFile::exists(scene.tree.file("modules/gun/gunData.bin")));
        }
    }

    // --- Profile page ---

    void sixEntriesTakeNoNewOneAndImportReplacesTheSelected()
    {
        QTemporaryDir source;
        const QString pf = source.filePath(QStringLiteral("mine.pf"));
        PageScene scene([&](PageScene &) {
            writeNameList({"Standard0", "a1", "b2", "c3", "d4", "e5"});
            QSettings file(pf, QSettings::IniFormat);
            file.setValue(QStringLiteral("mouse/reportRate"), 1);
            file.setValue(QStringLiteral("mouse/scrollRate"), 42);
        });
        START_OR_FAIL(scene);
        QObject *page = scene.object("profileMain");
        QObject *model = page->property("profileDataModel0").value<QObject *>();
        QCOMPARE(model->property("count").toInt(), 6);
        const QByteArray p6Before = fileBytes(scene.tree.file("modules/setting/p6.bin"));

        call(page, "newProfile");
        QCOMPARE(model->property("count").toInt(), 6);

        platform::setFileDialogHandler(
            [&](bool, const QString &, const QString &, const QString &) { return pf; });
        page->setProperty("selectedRow", 4); // "d", number 4: p5.bin
        call(page, "profileMenuCmd", {2});
        platform::setFileDialogHandler({});
        QCOMPARE(model->property("count").toInt(), 6);
        QCOMPARE(scene.profileFile(4).value(QStringLiteral("mouse/scrollRate")).toInt(), 42);
        QCOMPARE(scene.profileFile(3).value(QStringLiteral("mouse/scrollRate")).toInt(), 3);
        QCOMPARE(fileBytes(scene.tree.file("modules/setting/p6.bin")), p6Before);
    }

    void afterAMiddleDeletionEveryChoiceReachesTheEntrysOwnFile()
    {
        QTemporaryDir source;
        const QString pf = source.filePath(QStringLiteral("mine.pf"));
        PageScene scene([&](PageScene &s) {
            writeNameList({"Standard0", "a1", "b2", "c3"});
            QSettings file(pf, QSettings::IniFormat);
            file.setValue(QStringLiteral("mouse/scrollRate"), 55);
            QSettings p4(s.tree.file("modules/setting/p4.bin"), QSettings::IniFormat);
            p4.setValue(QStringLiteral("mouse/scrollRate"), 44);
        });
        START_OR_FAIL(scene);
        QObject *page = scene.object("profileMain");
        QObject *topBar = scene.object("upItem")->property("profileBtn").value<QObject *>();

        page->setProperty("selectedRow", 1);
        call(page, "profileMenuCmd", {0});
        QCOMPARE(scene.profileNames(), QStringList({"Standard0", "b2", "c3"}));

        // Row 2 of the top bar is "c", number 3: its file is p4.bin.
        call(topBar, "chooseRow", {2});
        QTRY_COMPARE(page->property("profileNo").toInt(), 3);
        QCOMPARE(scene.view()->store->currentProfileIndex(), 3);
        QCOMPARE(scene.view()->getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), 3);
        scene.openPage("systemSettingMain");
        QCOMPARE(scene.item("linesInput")->property("textValue").toString(), QStringLiteral("44"));

        // New takes the freed number 1 (p2.bin); import then fills number 2's file from row 2.
        call(page, "newProfile");
        QCOMPARE(scene.profileNames(), QStringList({"Standard0", "b2", "c3", "profile_01"}));
        call(page, "newProfile");
        call(page, "newProfile");
        QCOMPARE(scene.profileNames(),
                 QStringList({"Standard0", "b2", "c3", "profile_01", "profile_14", "profile_25"}));
        platform::setFileDialogHandler(
            [&](bool, const QString &, const QString &, const QString &) { return pf; });
        page->setProperty("selectedRow", 1);
        call(page, "profileMenuCmd", {2});
        platform::setFileDialogHandler({});
        QCOMPARE(scene.profileFile(2).value(QStringLiteral("mouse/scrollRate")).toInt(), 55);
        QCOMPARE(scene.profileFile(1).value(QStringLiteral("mouse/scrollRate")).toInt(), 3);
    }

    void deleteRenameAndChoosingTheActiveRowRefuseWhatTheyMust()
    {
        PageScene scene([](PageScene &) { writeNameList({"Mine0", "a1", "b2"}); });
        START_OR_FAIL(scene);
        QObject *page = scene.object("profileMain");
        QObject *model = page->property("profileDataModel0").value<QObject *>();
        // The first entry always goes by the standard name.
        QCOMPARE(scene.profileNames(), QStringList({"Standard0", "a1", "b2"}));
        call(scene.root(), "switchProfile", {2});

        for (int row : {0, 2}) { // the first entry, and the active one
            page->setProperty("selectedRow", row);
            call(page, "profileMenuCmd", {0});
            QCOMPARE(model->property("count").toInt(), 3);
        }

        scene.openPage(qPrintable(page->objectName()));
        const QPoint row1 = scene.at("profileList", QPointF(40, 28 + 14));
        scene.doubleClick(row1);
        QCOMPARE(page->property("editingRow").toInt(), 1);
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("b"));
        QTest::keyClick(scene.view(), Qt::Key_Return);
        QCOMPARE(scene.profileNames(), QStringList({"Standard0", "a1", "b2"}));
        scene.doubleClick(row1);
        QTest::keyClick(scene.view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(scene.view(), QStringLiteral("Work"));
        QCOMPARE(page->property("editingRow").toInt(), 1);
        call(page, "profileFocus");
        QCOMPARE(scene.profileNames(), QStringList({"Standard0", "Work1", "b2"}));

        scene.mouse->clearTransfers();
        QObject *topBar = scene.object("upItem")->property("profileBtn").value<QObject *>();
        call(topBar, "chooseRow", {2});
        QTRY_COMPARE(topBar->property("currentSelect").toInt(), 2);
        QCOMPARE(scene.mouse->transfers().size(), 0);
        NO_SCRIPT_ERRORS(scene);
    }

    // A right click on an entry selects it and opens its menu inside the page; the menu's
    // Delete takes the entry away, except the active one.
    void theRightClickMenuDeletesTheEntryUnderThePointer()
    {
        PageScene scene([](PageScene &) { writeNameList({"Standard0", "a1", "b2"}); });
        START_OR_FAIL(scene);
        QObject *page = scene.openPage("profileMain");
        QQuickItem *pageItem = scene.item("profileMain");
        const struct {
            int row;
            QStringList after;
        } cases[] = {
            {0, {"Standard0", "a1", "b2"}}, // the active entry stays
            {2, {"Standard0", "a1"}},
        };
        for (const auto &c : cases) {
            scene.click(scene.at("profileList", QPointF(300, c.row * 28 + 14)), Qt::RightButton);
            QCOMPARE(page->property("selectedRow").toInt(), c.row);
            QQuickItem *menu = scene.item("profileMenu");
            QVERIFY(menu->isVisible());
            const QRectF inPage = menu->mapRectToItem(pageItem, menu->boundingRect());
            QVERIFY(pageItem->boundingRect().contains(inPage));
            scene.click(scene.at("profileMenu", QPointF(60, 1 + 12)));
            QVERIFY(!menu->isVisible());
            QCOMPARE(scene.profileNames(), c.after);
        }
        NO_SCRIPT_ERRORS(scene);
    }
};

QTEST_MAIN(PagesTest)
#include "test_scene_pages.moc"
