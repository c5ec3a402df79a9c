// The DPI and lighting pages in the real scene against a simulated mouse: the slider formula,
// the stage-count list, effect controls, colour blocks and the colour bar, and the three
// sequences of the main window (Save, factory reset, profile switch) after which the mouse
// holds what the pages show.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/dpistages.h"
#include "bridge/lighting.h"
#include "bridge/myqquickview.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <memory>

namespace
{

using Keys = QList<QPair<QString, QVariant>>;

// Writes keys into a settings file of the scratch tree; an invalid value removes the key.
void writeKeys(const QString &file, const Keys &keys)
{
    QSettings settings(file, QSettings::IniFormat);
    for (const auto &key : keys) {
        if (key.second.isValid())
            settings.setValue(key.first, key.second);
        else
            settings.remove(key.first);
    }
}

QByteArray bytesOf(const QVariantList &values)
{
    QByteArray out;
    for (const QVariant &v : values)
        out.append(char(v.toInt()));
    return out;
}

// The connected main screen over a private data tree, with the pages under test at hand.
class Pages
{
public:
    Pages(const Keys &global, const Keys &profile1 = {})
    {
        writeKeys(tree_.file(QStringLiteral("modules/setting/apConfig.bin")), global);
        writeKeys(tree_.file(QStringLiteral("modules/setting/p1.bin")), profile1);
        mouse = sim::attachMouse(
            sim::mouseConfigFromSettings(tree_.file(QStringLiteral("modules/setting/apConfig.bin"))));
        widget_ = std::make_unique<Widget>();
        widget_->show();
        widget_->checkDevice();
        ready = deviceConnected &&
                QTest::qWaitFor(
                    [this] {
                        // The main screen is built once the start-up picture is on the screen.
                        const QObject *panel = scene("panelRight");
                        return view()->isEnabled() && panel && panel->property("visible").toBool();
                    },
                    testsupport::kStartWaitMs);
    }
    ~Pages()
    {
        widget_.reset();
        sim::detachAll();
        deviceConnected = false;
    }

    myQQuickView *view() const { return widget_->view(); }
    QObject *scene(const char *name) const
    {
        QQuickItem *root = view()->rootObject();
        if (qstrcmp(name, "mainIten") == 0)
            return root;
        QObject *found = root->findChild<QObject *>(name);
        return found ? found : testsupport::findItem(root, QLatin1String(name));
    }
    // Repeater delegates are found through the visual item tree.
    QVariant get(const char *name, const char *property) const
    {
        return scene(name)->property(property);
    }
    void set(const char *name, const char *property, const QVariant &value)
    {
        scene(name)->setProperty(property, value);
    }
    QVariant call(const char *name, const char *function, const QVariantList &args = {})
    {
        QVariant result;
        QGenericArgument a[3];
        for (int i = 0; i < args.size() && i < 3; ++i)
            a[i] = Q_ARG(QVariant, args[i]);
        QMetaObject::invokeMethod(scene(name), function, Q_RETURN_ARG(QVariant, result), a[0],
                                  a[1], a[2]);
        return result;
    }
    QVariantList profileList(const char *key) const
    {
        return view()->getDataList(QString::fromLatin1(key), false);
    }
    // The stage values the page shows, as numbers.
    QVariantList stageValues() const
    {
        return answer("dpiSettingMain", "stageValues").toList();
    }
    QVariantList colourBytes() const { return answer("lightControlMain", "colourBytes").toList(); }
    QVariant answer(const char *name, const char *function) const
    {
        QVariant result;
        QMetaObject::invokeMethod(scene(name), function, Q_RETURN_ARG(QVariant, result));
        return result;
    }
    void clickSave() { QMetaObject::invokeMethod(view()->rootObject(), "saveAll"); }

    // The mouse holds what the pages show: the DPI table of the shown stages and count, the
    // effect and the colours.
    void verifyMouseMatchesPages()
    {
        const int count = get("dpiSettingMain", "currentDpiCount").toInt();
        const QString sensor = get("dpiSettingMain", "sensorType").toString();
        dpistages::StageTable table = dpistages::encodeStages(sensor, stageValues());
        dpistages::switchOffFrom(table, count);
        QCOMPARE(mouse->dpiTable(),
                 QByteArray(reinterpret_cast<const char *>(table.codes.data()), 8));
        QCOMPARE(mouse->dpiStageCount(), count);
        const int effect = get("lightControlMain", "effect").toInt();
        const int speed = get("lightControlMain", "speed").toInt();
        const int brightness = get("lightControlMain", "brightness").toInt();
        const lighting::EffectBytes bytes =
            get("mainIten", "isColorful").toBool()
                ? lighting::fullColourEffect(effect, speed, brightness)
                : lighting::simpleEffect(effect, speed, brightness);
        QCOMPARE(mouse->lightingEffect(),
                 QByteArray(reinterpret_cast<const char *>(bytes.data()), 3));
        QCOMPARE(mouse->colourTable(), bytesOf(colourBytes()));
    }

    sim::SimMouse *mouse = nullptr;
    bool ready = false;

private:
    testsupport::ScratchTree tree_;
    std::unique_ptr<Widget> widget_;
};

const char *const kNotReady = "the main screen did not come up";

} // namespace

class DpiLightPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void slidersShowTheFormulaValues()
    {
        Pages pages({{"mouse/minDPI", 200}, {"mouse/maxDPI", 6000}, {"mouse/dpiBase", 50}},
                    {{"mouse/dpiValueArray", QVariantList{400, 850, 1600, 3200, 4800, 5950,
                                                          6000, 200}}});
        QVERIFY2(pages.ready, kNotReady);
        // Stored values come back unchanged through the slider positions (400 is one that a
        // plain floating-point round trip would show as 350).
        QCOMPARE(pages.stageValues(), (QVariantList{400, 850, 1600, 3200, 4800, 5950, 6000, 200}));
        pages.call("dpiSettingMain", "setPosition", {0, 161});
        pages.call("dpiSettingMain", "setPosition", {1, 3});
        pages.call("dpiSettingMain", "setPosition", {2, 82}); // (79 * 5800 / 158 + 200) = 3100
        pages.call("dpiSettingMain", "setPosition", {3, 500}); // beyond the top stays at the top
        QCOMPARE(pages.get("dpiValue0", "text").toString(), QStringLiteral("6000"));
        QCOMPARE(pages.get("dpiValue1", "text").toString(), QStringLiteral("200"));
        QCOMPARE(pages.get("dpiValue2", "text").toString(), QStringLiteral("3100"));
        QCOMPARE(pages.get("dpiValue3", "text").toString(), QStringLiteral("6000"));
        // The current stage is drawn in the highlight colour.
        pages.set("dpiSettingMain", "currentDPI", 2);
        QVERIFY(pages.get("dpiStage2", "current").toBool());
        QVERIFY(!pages.get("dpiStage1", "current").toBool());
    }

    void stageCountListFollowsTheProfile()
    {
        Pages pages({}, {{"mouse/dpiCount", 6}, {"mouse/currentDpiCount", 5}});
        QVERIFY2(pages.ready, kNotReady);
        QCOMPARE(pages.get("dpiStageCountList", "count").toInt(), 6);
        QCOMPARE(pages.get("dpiStageCountList", "currentSelect").toInt(), 4);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(pages.get(qPrintable(QStringLiteral("dpiStage%1").arg(i)), "visible").toBool(),
                     i < 5);

        // Choosing "2" shows two sliders and asks for a Save, which sends two enabled stages.
        pages.call("dpiStageCountList", "chooseRow", {1});
        QTRY_VERIFY(pages.get("dpiSettingMain", "isSave").toBool());
        QCOMPARE(pages.get("dpiSettingMain", "currentDpiCount").toInt(), 2);
        QVERIFY(!pages.get("dpiStage2", "visible").toBool());
        pages.clickSave();
        QCOMPARE(pages.mouse->dpiStageCount(), 2);
        QCOMPARE(pages.mouse->dpiTable().mid(2), QByteArray(6, char(0x80)));
        QCOMPARE(pages.view()->getData(QStringLiteral("mouse/currentDpiCount"), false).toInt(), 2);
    }

    void choosingAnEffectResetsItsControls_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("speedShown");
        QTest::addColumn<bool>("brightnessShown");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("brightness");
        // The profile starts at Wave, speed 3, brightness 2.
        QTest::newRow("Static") << 0 << false << true << 3 << 4;
        QTest::newRow("Breath") << 1 << true << false << 0 << 2;
        QTest::newRow("Neon") << 2 << true << false << 0 << 2;
        QTest::newRow("Off") << 3 << false << false << 3 << 0;
        QTest::newRow("Wave") << 5 << true << true << 0 << 4;
        QTest::newRow("Gliding") << 6 << false << false << 0 << 4;
        QTest::newRow("Spotlight") << 10 << true << true << 0 << 4;
    }
    void choosingAnEffectResetsItsControls()
    {
        QFETCH(int, effect);
        QFETCH(bool, speedShown);
        QFETCH(bool, brightnessShown);
        QFETCH(int, speed);
        QFETCH(int, brightness);
        Pages pages({{"mouse/isColorful", true}}, {{"mouse/lightValue", QVariantList{5, 3, 2}}});
        QVERIFY2(pages.ready, kNotReady);
        QCOMPARE(pages.get("lightEffectList", "count").toInt(), 11);
        QCOMPARE(pages.get("lightEffectList", "textValue").toString(), QStringLiteral("Wave"));

        pages.call("lightEffectList", "chooseRow", {effect});
        QTRY_VERIFY(pages.get("lightControlMain", "isSave").toBool());
        QCOMPARE(pages.get("lightControlMain", "effect").toInt(), effect);
        QCOMPARE(pages.get("lightSpeedSlider", "visible").toBool(), speedShown);
        QCOMPARE(pages.get("lightBrightnessSlider", "visible").toBool(), brightnessShown);
        QCOMPARE(pages.get("lightControlMain", "speed").toInt(), speed);
        QCOMPARE(pages.get("lightControlMain", "brightness").toInt(), brightness);

        pages.clickSave();
        const lighting::EffectBytes bytes = lighting::fullColourEffect(effect, speed, brightness);
        QCOMPARE(pages.mouse->lightingEffect(),
                 QByteArray(reinterpret_cast<const char *>(bytes.data()), 3));
        QCOMPARE(pages.profileList("mouse/lightValue"),
                 (QVariantList{QString::number(effect), QString::number(speed),
                               QString::number(brightness)}));
    }

    void simpleMouseShowsBlocksPerStageButSendsAllColours()
    {
        Pages pages({{"mouse/isColorful", false}}, {{"mouse/dpiCount", 3}});
        QVERIFY2(pages.ready, kNotReady);
        QCOMPARE(pages.get("lightEffectList", "count").toInt(), 4);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(pages.get(qPrintable(QStringLiteral("lightBlock%1").arg(i)), "visible").toBool(),
                     i < 3);

        // Block 2 (green) takes pure blue from the bar; all eight colours are stored and sent.
        pages.call("lightControlMain", "selectBlock", {1});
        pages.call("lightControlMain", "pickAt", {136});
        QCOMPARE(pages.get("lightRed", "textValue").toString(), QStringLiteral("0"));
        QCOMPARE(pages.get("lightBlue", "textValue").toString(), QStringLiteral("255"));
        pages.mouse->clearTransfers();
        pages.clickSave();
        const QVariantList colours = pages.colourBytes();
        QCOMPARE(colours.size(), 24);
        QCOMPARE(colours.mid(3, 3), (QVariantList{0, 0, 255}));
        QCOMPARE(pages.mouse->colourType(), 1);
        QCOMPARE(pages.mouse->colourTable(), bytesOf(colours));
        QCOMPARE(bytesOf(pages.profileList("mouse/colorValue")), bytesOf(colours));
        // The simple model's Static at the stored brightness.
        QCOMPARE(pages.mouse->lightingEffect(), QByteArray("\x01\x0a\x02", 3));
    }

    void colourBarMapsPureHuesBothWays_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<QVariantList>("rgb");
        QTest::newRow("red") << 0 << QVariantList{255, 0, 0};
        QTest::newRow("yellow") << 34 << QVariantList{255, 255, 0};
        QTest::newRow("green") << 68 << QVariantList{0, 255, 0};
        QTest::newRow("cyan") << 102 << QVariantList{0, 255, 255};
        QTest::newRow("blue") << 136 << QVariantList{0, 0, 255};
        QTest::newRow("magenta") << 170 << QVariantList{255, 0, 255};
        QTest::newRow("white") << 204 << QVariantList{255, 255, 255};
    }
    void colourBarMapsPureHuesBothWays()
    {
        QFETCH(int, x);
        QFETCH(QVariantList, rgb);
        // The bar's own functions, without a window: a 206-pixel bar as the page draws it.
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQml\nimport \"qrc:/modules/qml/Vq3/colourbar.js\" as Bar\n"
                          "QtObject {\n"
                          "  function at(x) { return Bar.colourAt(x, 206) }\n"
                          "  function pos(c) { return Bar.positionOf(c[0], c[1], c[2], 206) }\n"
                          "}\n",
                          QUrl());
        std::unique_ptr<QObject> bar(component.create());
        QVERIFY2(bar, qPrintable(component.errorString()));
        QVariant colour, position;
        QMetaObject::invokeMethod(bar.get(), "at", Q_RETURN_ARG(QVariant, colour),
                                  Q_ARG(QVariant, x));
        QMetaObject::invokeMethod(bar.get(), "pos", Q_RETURN_ARG(QVariant, position),
                                  Q_ARG(QVariant, rgb));
        QCOMPARE(colour.toList(), rgb);
        QCOMPARE(position.toInt(), x);
    }

    void colourBarInsideThePage()
    {
        Pages pages({{"mouse/isColorful", true}});
        QVERIFY2(pages.ready, kNotReady);
        // Half-way through the cyan-to-blue part, and a typed colour moving the marker.
        pages.call("lightControlMain", "selectBlock", {5});
        pages.call("lightControlMain", "pickAt", {119});
        QCOMPARE(pages.colourBytes().mid(15, 3), (QVariantList{0, 128, 255}));
        QVERIFY(pages.get("lightControlMain", "isSave").toBool());
        pages.set("lightGreen", "textValue", QStringLiteral("255"));
        pages.set("lightBlue", "textValue", QStringLiteral("0"));
        pages.set("lightRed", "textValue", QStringLiteral("0"));
        pages.call("lightControlMain", "typeColour");
        QCOMPARE(pages.get("lightControlMain", "markerX").toInt(), 68);
        QCOMPARE(pages.colourBytes().mid(15, 3), (QVariantList{0, 255, 0}));
    }

    void saveResetAndProfileSwitchLeaveTheMouseHoldingThePages()
    {
        Pages pages({{"mouse/isColorful", true}, {"mouse/sensorType", "3360"}},
                    {{"mouse/lightValue", QVariantList{2, 1, 1}}});
        QVERIFY2(pages.ready, kNotReady);
        // Profile 2 differs in every value the pages keep.
        writeKeys(QStringLiteral("modules/setting/p2.bin"),
                  {{"mouse/dpiCount", 8},
                   {"mouse/currentDpiCount", 6},
                   {"mouse/dpiValueArray", QVariantList{1000, 1100, 1200, 1300, 1400, 1500, 1600,
                                                        1700}},
                   {"mouse/lightValue", QVariantList{9, 3, 2}},
                   {"mouse/colorValue", QVariantList{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                                     14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}}});

        // Save: a moved slider and a new colour.
        pages.call("dpiSettingMain", "setPosition", {1, 100});
        pages.set("dpiSettingMain", "isSave", true);
        pages.call("lightControlMain", "pickAt", {50});
        pages.clickSave();
        pages.verifyMouseMatchesPages();
        QCOMPARE(pages.profileList("mouse/dpiValueArray").value(1).toInt(),
                 pages.stageValues().value(1).toInt());

        // Profile switch: the second profile is shown and sent.
        pages.call("mainIten", "switchProfile", {1});
        QCOMPARE(pages.get("dpiSettingMain", "currentDpiCount").toInt(), 6);
        QCOMPARE(pages.get("lightControlMain", "effect").toInt(), 9);
        QCOMPARE(pages.stageValues().value(7).toInt(), 1700);
        pages.verifyMouseMatchesPages();
        QCOMPARE(bytesOf(pages.colourBytes()).at(23), char(24));

        // Factory reset of that profile: the factory values, shown and sent.
        pages.call("mainIten", "resetFactory");
        QSettings factory(QStringLiteral("modules/setting/pD.bin"), QSettings::IniFormat);
        QCOMPARE(pages.stageValues().value(0), factory.value("mouse/dpiValueArray").toList().value(0).toInt());
        QCOMPARE(pages.get("lightControlMain", "effect").toInt(),
                 factory.value("mouse/lightValue").toList().value(0).toInt());
        pages.verifyMouseMatchesPages();
    }

    void resetImagesShowTheFactoryValuesAndKeepTheCount()
    {
        Pages pages({}, {{"mouse/currentDpiCount", 3},
                         {"mouse/dpiValueArray", QVariantList{500, 500, 500, 500, 500, 500, 500,
                                                              500}},
                         {"mouse/lightValue", QVariantList{1, 2, 0}}});
        QVERIFY2(pages.ready, kNotReady);
        QMetaObject::invokeMethod(pages.scene("dpiResetBtn"), "clicked", Q_ARG(int, 0));
        QMetaObject::invokeMethod(pages.scene("lightResetBtn"), "clicked", Q_ARG(int, 0));
        QSettings factory(QStringLiteral("modules/setting/pD.bin"), QSettings::IniFormat);
        QVariantList expected;
        for (const QVariant &v : factory.value("mouse/dpiValueArray").toList())
            expected << v.toInt();
        QCOMPARE(pages.stageValues(), expected);
        QCOMPARE(pages.get("dpiSettingMain", "currentDpiCount").toInt(), 3);
        QCOMPARE(pages.get("lightControlMain", "effect").toInt(),
                 factory.value("mouse/lightValue").toList().value(0).toInt());
        QVERIFY(pages.get("dpiSettingMain", "isSave").toBool());
        QVERIFY(pages.get("lightControlMain", "isSave").toBool());
    }

    // Broken values give way to the factory profile's, as on the mouse.
    void brokenProfileKeysShowTheFactoryValues()
    {
        Pages pages({{"mouse/isColorful", true}},
                    {{"mouse/dpiCount", "many"},
                     {"mouse/currentDpiCount", QVariant()},
                     {"mouse/dpiValueArray", QVariantList{"fast", 800}},
                     {"mouse/lightValue", "bright"},
                     {"mouse/colorValue", QVariantList{255, 0, "red"}}});
        QVERIFY2(pages.ready, kNotReady);
        QSettings factory(QStringLiteral("modules/setting/pD.bin"), QSettings::IniFormat);
        const int factoryCount = factory.value("mouse/dpiCount").toInt();
        QCOMPARE(pages.get("dpiSettingMain", "dpiCount").toInt(), factoryCount);
        QCOMPARE(pages.get("dpiStageCountList", "count").toInt(), factoryCount);
        const QVariantList values = pages.stageValues();
        QCOMPARE(values.size(), 8);
        QCOMPARE(values.value(0).toInt(), factory.value("mouse/dpiValueArray").toList().value(0).toInt());
        QCOMPARE(values.value(1).toInt(), 800);
        QCOMPARE(pages.get("lightControlMain", "effect").toInt(), 0);
        QCOMPARE(pages.get("lightControlMain", "brightness").toInt(), 4);
        QCOMPARE(pages.colourBytes().mid(0, 3), (QVariantList{255, 0, 0}));

        // Still usable: a Save stores and sends well-formed values.
        pages.set("lightControlMain", "isSave", true);
        pages.set("dpiSettingMain", "isSave", true);
        pages.clickSave();
        pages.verifyMouseMatchesPages();
        QCOMPARE(pages.profileList("mouse/colorValue").size(), 24);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DpiLightPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scene_dpilight.moc"
