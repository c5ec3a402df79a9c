// The real main scene in the real view, inside the host widget, with a simulated mouse: the
// first and later connects, DPI reports from the device, the report rate, the Save button, the
// reset confirmation, window dragging, and the 560 profile rule at start-up.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QJSValue>
#include <QQuickWindow>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <memory>

namespace
{

// One scene under test: a private data tree, a simulated mouse and the host widget.
struct Scene {
    testsupport::ScratchTree tree;
    testsupport::LogCapture log;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;

    // Global keys written before the widget (and so the view's cached flags) exist.
    explicit Scene(const QString &family = QStringLiteral("553"),
                   const QVariantMap &globals = QVariantMap(),
                   Widget::SceneLoad sceneLoad = Widget::SceneLoad::Now)
    {
        QSettings config(tree.file("modules/setting/apConfig.bin"), QSettings::IniFormat);
        for (auto it = globals.cbegin(); it != globals.cend(); ++it) {
            if (it.value().isValid())
                config.setValue(it.key(), it.value());
            else
                config.remove(it.key());
        }
        config.sync();
        sim::MouseConfig mc;
        mc.family = family;
        mouse = sim::attachMouse(mc);
        widget = std::make_unique<Widget>(nullptr, sceneLoad);
        widget->show();
    }
    ~Scene()
    {
        widget.reset();
        sim::detachAll();
    }

    myQQuickView *view() const { return widget->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QObject *item(const char *name) const { return root()->findChild<QObject *>(name); }
    QVariant rootProperty(const char *name) const { return root()->property(name); }
    QVariant property(const char *itemName, const char *name) const
    {
        return item(itemName)->property(name);
    }

    // The device check of a plug-in; true when the mouse was connected.
    bool connect()
    {
        widget->checkDevice();
        return deviceConnected;
    }
    // Waits for the first initialisation and for the start-up picture to give way to the main
    // screen (item visibility includes the root's, which initUI switches on).
    bool waitForMainScreen()
    {
        return QTest::qWaitFor(
            [this] {
                return rootProperty("isPownOn").toBool() &&
                       property("panelleft", "visible").toBool() && view()->isEnabled();
            },
            testsupport::kStartWaitMs);
    }

    QPoint centreOf(const char *name) const
    {
        auto *quickItem = qobject_cast<QQuickItem *>(item(name));
        return quickItem->mapToScene(QPointF(quickItem->width() / 2, quickItem->height() / 2))
            .toPoint();
    }
    void click(const QPoint &at) { QTest::mouseClick(view(), Qt::LeftButton, {}, at); }
    void click(const char *name) { click(centreOf(name)); }

    // Warnings the scene wrote (binding errors, failed images, type errors).
    QStringList qmlWarnings() const
    {
        QStringList warnings;
        for (const QString &line : log.lines())
            if (line.contains(QLatin1String(".qml:")) || line.contains(QLatin1String("qrc:/")))
                warnings << line;
        return warnings;
    }

    int featureReports(quint8 code) const
    {
        int n = 0;
        for (const sim::Transfer &t : mouse->transfers())
            if (t.kind == sim::TransferKind::FeatureOut && t.bytes.size() > 1 &&
                quint8(t.bytes[1]) == code)
                ++n;
        return n;
    }
};

// The rows of the report-rate list drawn in the highlight colour.
QList<int> litRows(const Scene &scene)
{
    const QColor lit = scene.rootProperty("colorOrange").value<QColor>();
    QList<int> rows;
    QList<QQuickItem *> items{qobject_cast<QQuickItem *>(scene.item("reportRateList"))};
    while (!items.isEmpty()) {
        QQuickItem *item = items.takeFirst();
        items += item->childItems();
        const QVariant index = item->property("index");
        if (index.isValid() && item->property("color").value<QColor>() == lit)
            rows << index.toInt();
    }
    return rows;
}

// Records the first frame the view paints from its creation on, with the number of transfers
// the mouse had seen by then.
struct FirstPaint : QObject {
    const Scene &scene;
    bool seen = false;
    int transfersBefore = -1;
    QImage image;
    explicit FirstPaint(const Scene &s) : scene(s) { scene.view()->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            transfersBefore = static_cast<int>(scene.mouse->transfers().size());
            image = scene.view()->grabFramebuffer();
        }
        return QObject::eventFilter(watched, event);
    }
};

int differingPixels(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size())
        return x.width() * x.height();
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            n += x.pixel(col, row) != y.pixel(col, row);
    return n;
}

} // namespace

class SceneTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { deviceConnected = false; }

    // The program builds the scene at the first device check, after the window's first frame;
    // the window already has the scene's size, and the start runs as with a scene built at once.
    void firstConnectLoadsFlagsLanguagesAndPagesAndReadsTheDpi_data()
    {
        QTest::addColumn<Widget::SceneLoad>("sceneLoad");
        QTest::newRow("scene built with the window") << Widget::SceneLoad::Now;
        QTest::newRow("scene built at the first check") << Widget::SceneLoad::AtFirstCheck;
    }

    void firstConnectLoadsFlagsLanguagesAndPagesAndReadsTheDpi()
    {
        QFETCH(Widget::SceneLoad, sceneLoad);
        Scene scene(QStringLiteral("553"), QVariantMap(), sceneLoad);
        scene.mouse->setCurrentStage(3);
        QCOMPARE(scene.widget->size(), QSize(1024, 640));
        if (sceneLoad == Widget::SceneLoad::Now)
            QVERIFY(!scene.rootProperty("visible").toBool());
        else
            QVERIFY(!scene.root());
        // What the first frame with the scene shown holds: the start-up picture alone, the rest
        // is built behind it.
        int shownFrames = 0;
        bool builtAtFirstFrame = true;
        QObject::connect(scene.view()->quickWindow(), &QQuickWindow::afterRendering,
                         scene.view(), [&] {
                             QQuickItem *root = scene.root();
                             if (root && root->isVisible() && shownFrames++ == 0)
                                 builtAtFirstFrame = root->property("sceneBuilt").toBool();
                         });
        QVERIFY(scene.connect());
        QTRY_VERIFY_WITH_TIMEOUT(scene.rootProperty("isPownOn").toBool(),
                                 testsupport::kStartWaitMs);
        QVERIFY(shownFrames > 0);
        QVERIFY(!builtAtFirstFrame);

        // Start-up picture under busy protection first.
        QVERIFY(scene.rootProperty("visible").toBool());
        QVERIFY(scene.property("powerOnLogo", "visible").toBool());
        QVERIFY(scene.property("protectUIItem", "isBusy").toBool());
        QVERIFY(!scene.property("panelleft", "visible").toBool());
        QVERIFY(!scene.view()->isEnabled());

        // Flags and texts of the installed global and English language files.
        QCOMPARE(scene.rootProperty("icType").toString(), QStringLiteral("553"));
        QCOMPARE(scene.rootProperty("isGun").toBool(), true);
        QCOMPARE(scene.rootProperty("isColorful").toBool(), true);
        QCOMPARE(scene.rootProperty("language").toString(), QStringLiteral("en"));
        QCOMPARE(scene.rootProperty("url").toString(),
                 QStringLiteral("https://www.example.com/orbis-mouse"));
        QCOMPARE(scene.property("mouseMain", "keyCount").toInt(), 8);
        QCOMPARE(scene.rootProperty("mainLang").toStringList().value(10), QStringLiteral("Save"));
        QCOMPARE(scene.property("keyMatrixMain", "keyMatrixLang").toStringList().value(1),
                 QStringLiteral("Key Function"));
        QCOMPARE(scene.property("keyAssigmentMain", "keyAssigmentLang").toStringList().size(), 58);
        QCOMPARE(dpiSwitchText[2], QStringLiteral("DPI Switch to 3"));
        const int storedRate =
            scene.view()->getData(QStringLiteral("mouse/reportRate"), false).toInt();
        QCOMPARE(scene.property("reportRateList", "currentSelect").toInt(), storedRate);
        QCOMPARE(scene.property("profileMain", "profileNo").toInt(), 0);
        QVERIFY(scene.log.lines().contains(QStringLiteral("profileNo 0")));

        // The key-name table took the language file's labels and keeps the first-match rules.
        QObject *keys = scene.item("_KeyCodeString");
        QVariant result;
        QMetaObject::invokeMethod(keys, "strTokeycode", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, QStringLiteral("Intl2")));
        QCOMPARE(result.toInt(), 0x88);
        QMetaObject::invokeMethod(keys, "keycodeTostr", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, 0x32));
        QCOMPARE(result.toString(), QStringLiteral("\\"));
        QMetaObject::invokeMethod(keys, "keycodeTostr", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, 0x74));
        QCOMPARE(result.toString(), QString());

        // The device's current stage (from 1) selects the DPI index (from 0).
        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 2);

        // After the first second: the main screen.
        QVERIFY(scene.waitForMainScreen());
        for (const char *name :
             {"envItem", "panelleft", "bottomBar", "panelRight", "upItem", "mouseMain"})
            QVERIFY2(scene.property(name, "visible").toBool(), name);
        QVERIFY(!scene.property("protectUIItem", "isBusy").toBool());
        QVERIFY(!scene.property("mainMask", "visible").toBool());
        QCOMPARE(scene.qmlWarnings(), QStringList());

        // The texts ask for the scene's font family; where it is not installed, its stand-in
        // draws them, not whatever default the system has.
        const QString asked = scene.root()->property("fontFamily").toString();
        const QString expected = QFontDatabase::hasFamily(asked)
                                     ? asked
                                     : QStringLiteral("WenQuanYi Micro Hei");
        QObject *caption = nullptr;
        for (QObject *child : scene.item("reportRateRect")->findChildren<QObject *>()) {
            if (!caption && child->inherits("QQuickText"))
                caption = child;
        }
        QVERIFY(caption);
        QCOMPARE(caption->property("fontInfo").value<QJSValue>().property("family").toString(),
                 expected);
    }

    void laterConnectOnlyRearmsTheBusyProtectionAndRereadsTheDpi()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.root()->setProperty("mainLang", QStringList{QStringLiteral("kept")});
        scene.item("keyMatrixMain")->setProperty("isSave", true);
        scene.mouse->setCurrentStage(5);

        scene.view()->initUI();
        QTRY_VERIFY(!scene.view()->isEnabled());
        QVERIFY(scene.property("protectUIItem", "isBusy").toBool());
        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 4);
        QCOMPARE(scene.rootProperty("mainLang").toStringList(), QStringList{"kept"});
        QVERIFY(scene.property("keyMatrixMain", "isSave").toBool());
        QVERIFY(!scene.property("powerOnLogo", "visible").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(scene.view()->isEnabled(), 3000);
        QVERIFY(!scene.property("protectUIItem", "isBusy").toBool());
    }

    void dpiReportsFromTheDeviceSelectTheStage()
    {
        Scene scene;
        scene.mouse->setCurrentStage(1);
        QVERIFY(scene.connect());
        QTRY_VERIFY_WITH_TIMEOUT(scene.rootProperty("isPownOn").toBool(),
                                 testsupport::kStartWaitMs);
        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 0);
        scene.view()->setCurrentDPI(3);
        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 2);
        scene.view()->setCurrentDPI(0);
        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 2);
    }

    void choosingAReportRateStoresItAndSendsItAtOnce()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.mouse->clearTransfers();

        // The list opens upwards from its header; "250Hz" is its second row.
        const QPoint header = scene.centreOf("reportRateList");
        scene.click(header);
        QTRY_COMPARE(scene.property("reportRateList", "isDrop").toBool(), true);
        QTest::qWait(300); // the opening slide
        scene.click(QPoint(header.x(), header.y() - 12 - 1 - 4 * 24 + 24 + 12));
        QTRY_COMPARE(scene.mouse->reportRate(), 4);
        QCOMPARE(scene.property("reportRateList", "isDrop").toBool(), false);
        QCOMPARE(scene.property("reportRateList", "textValue").toString(), QStringLiteral("250Hz"));
        QCOMPARE(scene.view()->getData(QStringLiteral("mouse/reportRate"), false).toInt(), 1);
        QCOMPARE(scene.featureReports(0x01), 1);

        // Opened again, one row is lit: the chosen one, or the one under the pointer.
        scene.click(header);
        QTRY_COMPARE(scene.property("reportRateList", "isDrop").toBool(), true);
        QTest::qWait(300);
        QCOMPARE(litRows(scene), QList<int>{1});
        QTest::mouseMove(scene.view(), QPoint(header.x(), header.y() - 12 - 1 - 4 * 24 + 12));
        QTRY_COMPARE(litRows(scene), QList<int>{0});
    }

    // Esc closes what is in front: the reset confirmation, a page (the key assignment page
    // also puts out its button in the mouse picture), or the open menus.
    void escapeClosesTheFrontPageOrMenu_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::newRow("reset confirmation") << QStringLiteral("factorysure");
        QTest::newRow("key assignment") << QStringLiteral("keyAssigmentMain");
        QTest::newRow("profiles") << QStringLiteral("profileMain");
        QTest::newRow("report-rate menu") << QStringLiteral("reportRateList");
    }

    void escapeClosesTheFrontPageOrMenu()
    {
        QFETCH(QString, opened);
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        const QByteArray name = opened.toLatin1();
        const char *shown = opened == QLatin1String("reportRateList") ? "isDrop" : "visible";
        if (opened == QLatin1String("keyAssigmentMain"))
            QMetaObject::invokeMethod(scene.root(), "openKeyAssigment", Q_ARG(QVariant, 2));
        else if (opened == QLatin1String("profileMain"))
            scene.click("configBtn");
        else if (opened == QLatin1String("factorysure"))
            scene.click("resetBtn");
        else
            scene.click("reportRateList");
        QTRY_VERIFY(scene.property(name, shown).toBool());
        if (opened == QLatin1String("keyAssigmentMain"))
            QCOMPARE(scene.property("mouseMain", "selectKey").toInt(), 2);

        scene.view()->setFocus();
        QTest::keyClick(scene.view(), Qt::Key_Escape);
        QTRY_VERIFY(!scene.property(name, shown).toBool());
        QVERIFY(!scene.property("mainMask", "visible").toBool());
        QCOMPARE(scene.property("mouseMain", "selectKey").toInt(), -1);
    }

    void saveButtonWithoutChangesOnlyClosesMenus()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.item("reportRateList")->setProperty("isDrop", true);
        scene.item("askMenu")->setProperty("visible", true);
        const QColor normal = scene.property("saveBtn", "normalColor").value<QColor>();
        QCOMPARE(normal, QColor("#09347f"));
        scene.mouse->clearTransfers();

        scene.click("saveBtn");
        QTRY_VERIFY(!scene.property("reportRateList", "isDrop").toBool());
        QVERIFY(!scene.property("askMenu", "visible").toBool());
        QVERIFY(scene.view()->isEnabled());
        QVERIFY(!scene.property("protectUIItem", "isBusy").toBool());
        QTest::qWait(200);
        QCOMPARE(scene.mouse->transfers().size(), 0);

        // A pending change turns the face red; saving clears the flag and the colour.
        scene.item("dpiSettingMain")->setProperty("isSave", true);
        QCOMPARE(scene.property("saveBtn", "normalColor").value<QColor>(), QColor("#ff3030"));
        scene.click("saveBtn");
        QTRY_VERIFY(!scene.property("dpiSettingMain", "isSave").toBool());
        QCOMPARE(scene.property("saveBtn", "normalColor").value<QColor>(), normal);
        QTRY_VERIFY(scene.view()->isEnabled()); // the sequence ends from the event loop
    }

    void resetConfirmationCancelsOrRunsTheResetSequence()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());

        scene.click("resetBtn");
        QVERIFY(scene.property("factorysure", "visible").toBool());
        QVERIFY(scene.property("mainMask", "visible").toBool());
        QCOMPARE(scene.centreOf("factorysure"), QPoint(512, 320));
        scene.click("cancelBtn");
        QVERIFY(!scene.property("factorysure", "visible").toBool());
        QVERIFY(!scene.property("mainMask", "visible").toBool());

        // Profile 0 drifts from the factory values; the reset brings them back and sends them.
        scene.view()->setData(QStringLiteral("mouse/reportRate"), 0);
        scene.item("lightControlMain")->setProperty("isSave", true);
        scene.mouse->clearTransfers();
        scene.click("resetBtn");
        scene.click("okBtn");
        // Whatever a step does, the window is never left locked.
        QTRY_VERIFY(scene.view()->isEnabled());
        QVERIFY(!scene.property("protectUIItem", "isBusy").toBool());
        QVERIFY(!scene.property("factorysure", "visible").toBool());
        QVERIFY(!scene.property("mainMask", "visible").toBool());
        QVERIFY(!scene.property("lightControlMain", "isSave").toBool());
        const QVariant factoryRate =
            scene.view()->getData(QStringLiteral("mouse/reportRate"), true);
        QCOMPARE(scene.view()->getData(QStringLiteral("mouse/reportRate"), false), factoryRate);
        QCOMPARE(scene.property("reportRateList", "currentSelect").toInt(), factoryRate.toInt());
        QVERIFY(scene.featureReports(0x01) >= 1);

        QCOMPARE(scene.property("dpiSettingMain", "currentDPI").toInt(), 1);
        QCOMPARE(scene.mouse->currentStage(), 2);
    }

    // The first frame the window paints after a Save click already shows the busy picture, and
    // the mouse has received nothing yet; once the sequence is over the picture is gone.
    void savePaintsTheBusyPictureBeforeTheFirstTransfer()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.click("lightResetBtn"); // a pending lighting change
        QTRY_COMPARE(scene.property("saveBtn", "normalColor").value<QColor>(), QColor("#ff3030"));
        auto *busy = qobject_cast<QQuickItem *>(scene.item("protectUIItem"));
        const QRect busyRect = busy->mapRectToScene(QRectF(0, 0, busy->width(), busy->height()))
                                   .toAlignedRect()
                                   .adjusted(0, 0, 0, 20); // its text may reach below the item
        QTest::qWait(100); // the click's own frames are done
        const QImage before = scene.view()->grabFramebuffer().copy(busyRect);
        scene.mouse->clearTransfers();

        FirstPaint first(scene);
        scene.click("saveBtn");
        QTRY_VERIFY(first.seen);
        QCOMPARE(first.transfersBefore, 0);
        QVERIFY(differingPixels(first.image.copy(busyRect), before) > 50);
        // The sequence went out whole, and the busy picture went with its end.
        QTRY_VERIFY(scene.view()->isEnabled());
        QVERIFY(scene.featureReports(0x0D) >= 1);
        QTest::qWait(100);
        QCOMPARE(differingPixels(scene.view()->grabFramebuffer().copy(busyRect), before), 0);
        QVERIFY(!scene.log.lines().join('\n').contains(QLatin1String("cmd Failed")));
    }

    // Switches asked for while a sequence runs (from inside its device waits, as a second start
    // hands them over) wait for its end, and collapse to the newest; one to the profile that is
    // current by then sends nothing. Nothing fails for want of the transfer lock.
    void switchesAskedForDuringASequenceRunAfterItCollapsed_data()
    {
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<int>("expectedProfile");
        QTest::addColumn<int>("expectedSwitches");
        QTest::newRow("one") << QList<int>{2} << 2 << 1;
        QTest::newRow("three collapse to the last") << QList<int>{1, 2, 1} << 1 << 1;
        QTest::newRow("back to the current one") << QList<int>{2, 0} << 0 << 0;
    }

    void switchesAskedForDuringASequenceRunAfterItCollapsed()
    {
        QFETCH(QList<int>, asked);
        QFETCH(int, expectedProfile);
        QFETCH(int, expectedSwitches);
        Scene scene(QStringLiteral("553"), {{QStringLiteral("mouse/isGun"), false}});
        {
            QSettings names(scene.tree.file("modules/setting/name.bin"), QSettings::IniFormat);
            names.setValue("profile/profileName", QStringList{"A0", "B1", "C2"});
            for (int p = 1; p <= 3; ++p) {
                QSettings profile(scene.tree.file(QStringLiteral("modules/setting/p%1.bin").arg(p)),
                                  QSettings::IniFormat);
                profile.setValue("mouse/reportRate", p - 1); // rate codes 8, 4, 2
            }
        }
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.click("lightResetBtn");
        QTRY_COMPARE(scene.property("saveBtn", "normalColor").value<QColor>(), QColor("#ff3030"));
        scene.mouse->clearTransfers();

        // Fires inside the Save's first device wait.
        bool askedInside = false;
        QTimer::singleShot(0, scene.widget.get(), [&] {
            askedInside = !scene.view()->isEnabled();
            for (int profile : asked)
                scene.view()->chooseProfile(profile);
        });
        scene.click("saveBtn");
        QTRY_VERIFY_WITH_TIMEOUT(scene.view()->isEnabled() && scene.featureReports(0x0D) > 0,
                                 10000);
        QVERIFY(askedInside);

        // Save first, whole; then the switches, each sending its report rate (01H) once.
        QList<QByteArray> sent;
        for (const sim::Transfer &t : scene.mouse->transfers())
            if (t.kind == sim::TransferKind::FeatureOut)
                sent << t.bytes.mid(1, 2);
        int lastLighting = -1;
        int firstSwitch = -1;
        for (int i = 0; i < sent.size(); ++i) {
            if (quint8(sent[i][0]) == 0x01 && firstSwitch < 0)
                firstSwitch = i;
            if (quint8(sent[i][0]) == 0x0D && firstSwitch < 0)
                lastLighting = i;
        }
        QVERIFY(lastLighting >= 0);
        QCOMPARE(scene.featureReports(0x01), expectedSwitches);
        QCOMPARE(QSettings(scene.tree.file("modules/setting/apConfig.bin"), QSettings::IniFormat)
                     .value("mouse/profileNo")
                     .toInt(),
                 expectedProfile);
        if (expectedSwitches > 0) {
            QVERIFY(firstSwitch > lastLighting);
            const int rateCodes[3] = {8, 4, 2};
            QCOMPARE(scene.mouse->reportRate(), rateCodes[expectedProfile]);
        }
        QVERIFY(!scene.log.lines().join('\n').contains(QLatin1String("cmd Failed")));
    }

    void draggingTheSceneMovesTheWindow()
    {
        Scene scene;
        QVERIFY(scene.connect());
        QVERIFY(scene.waitForMainScreen());
        scene.widget->move(100, 100);
        const QPoint start = scene.widget->pos();
        // An empty spot of the backdrop, below the title bar and beside the mouse picture.
        const QPoint at(300, 560);
        QTest::mousePress(scene.view(), Qt::LeftButton, {}, at);
        QTest::mouseMove(scene.view(), at + QPoint(30, 20));
        QTRY_COMPARE(scene.widget->pos(), start + QPoint(30, 20));
        QTest::mouseRelease(scene.view(), Qt::LeftButton, {}, at + QPoint(30, 20));
        QCOMPARE(scene.widget->pos(), start + QPoint(30, 20));
    }

    void mouse560IsSwitchedToProfile1AtTheFirstStart()
    {
        Scene scene(QStringLiteral("560"),
                    {{QStringLiteral("mouse/icType"), QStringLiteral("560")},
                     {QStringLiteral("mouse/isGun"), QStringLiteral("false")}});
        scene.mouse->setCurrentProfile(3);
        QVERIFY(scene.connect());
        QTRY_VERIFY_WITH_TIMEOUT(scene.rootProperty("isPownOn").toBool(),
                                 testsupport::kStartWaitMs);
        QCOMPARE(scene.rootProperty("icType").toString(), QStringLiteral("560"));
        QCOMPARE(scene.mouse->currentProfile(), 1);
        // "false" from the settings file is false, and without guns the editor panel is short.
        QCOMPARE(scene.rootProperty("isGun").toBool(), false);
        QCOMPARE(scene.property("editorPanel", "height").toInt(), 76);

        // A later connect leaves the profile alone.
        scene.mouse->setCurrentProfile(2);
        scene.view()->initUI();
        QTRY_VERIFY(!scene.view()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(scene.view()->isEnabled(), 3000);
        QCOMPARE(scene.mouse->currentProfile(), 2);
    }

    void missingGlobalKeysLeaveAUsableScene()
    {
        Scene scene(QStringLiteral("553"), {{QStringLiteral("common/language"), QVariant()},
                                            {QStringLiteral("common/url"), QVariant()},
                                            {QStringLiteral("mouse/keyCount"), QVariant()},
                                            {QStringLiteral("mouse/isGun"), QVariant()},
                                            {QStringLiteral("mouse/profileNo"), QVariant()}});
        QVERIFY(scene.connect());
        QTRY_VERIFY_WITH_TIMEOUT(scene.rootProperty("isPownOn").toBool(),
                                 testsupport::kStartWaitMs);
        QVERIFY(scene.waitForMainScreen());
        // No language file for the built-in code: the captions are the built-in English ones,
        // neither empty nor "undefined".
        QCOMPARE(scene.rootProperty("mainLang").toStringList().value(10), QStringLiteral("Save"));
        QCOMPARE(scene.property("saveBtn", "textValue").toString(), QStringLiteral("Save"));
        QCOMPARE(scene.property("mouseMain", "keyCount").toInt(), 8);
        QCOMPARE(scene.property("profileMain", "profileNo").toInt(), 0);
        QCOMPARE(scene.qmlWarnings(), QStringList());

        // Still usable: the help menu opens and closes.
        scene.click(scene.centreOf("upItem") + QPoint(-36, 0));
        QVERIFY(scene.property("askMenu", "visible").toBool());
        scene.click(QPoint(300, 560));
        QVERIFY(!scene.property("askMenu", "visible").toBool());
        // Its version row does nothing but close it.
        scene.click(scene.centreOf("upItem") + QPoint(-36, 0));
        scene.click(scene.centreOf("askMenu") + QPoint(0, 12));
        QVERIFY(!scene.property("askMenu", "visible").toBool());
        QVERIFY(scene.view()->isEnabled());
    }
};

QTEST_MAIN(SceneTest)
#include "test_scene_main.moc"
