// The factory data tree as the program reads it: the device table and global keys of the global
// file and its factory copy, every key of the factory and user profiles, the profile name list
// and the gun presets.
#include "bridge/settingsstore.h"
#include "device/devicetable.h"
#include "settingsfiles.h"
#include "support/testsupport.h"

#include <QSettings>
#include <QTest>

namespace
{

QList<int> ints(const QVariant &value)
{
    QList<int> result;
    for (const QVariant &element : settingsList(value))
        result.append(element.toInt());
    return result;
}

// The device form of a factory entry: the UI type translated, the other bytes as they are.
QList<int> deviceForm(QList<int> entry)
{
    const bool doubleFire = entry[0] == 0 && entry[2] == 0x1E && entry[3] == 2;
    if (entry[0] == 0)
        entry[0] = doubleFire ? 10 : 1;
    else if (entry[0] == 5)
        entry[0] = 7;
    else if (entry[0] == 0xFF)
        entry[0] = 4;
    return entry;
}

} // namespace

class FactoryDataTest : public QObject
{
    Q_OBJECT

private slots:
    void theGlobalFileHoldsTheDeviceTableAndEveryGlobalKey()
    {
        testsupport::ScratchTree tree;
        QCOMPARE(bytesOf(settingFile(QStringLiteral("apConfigD.bin"))),
                 bytesOf(settingFile(QStringLiteral("apConfig.bin"))));

        const DeviceList table = readDeviceTable(settingFile(QStringLiteral("apConfig.bin")));
        QCOMPARE(table.size(), 2);
        QCOMPARE(table[0].type, 0);
        QCOMPARE(table[0].vid, quint16(0x1209));
        QCOMPARE(table[0].pid, quint16(0x0002));
        QCOMPARE(table[0].usagePage, quint16(0xff01));
        QCOMPARE(table[0].usage2, quint16(0x0001));
        QCOMPARE(table[0].reportLength, 64);
        QCOMPARE(table[1].type, 1);
        QCOMPARE(table[1].pid, quint16(0x0001));
        QCOMPARE(table[1].usagePage, quint16(0xff00));
        QCOMPARE(table[1].usage, quint16(0xff00));
        QCOMPARE(table[1].usagePage2, quint16(0xff01));
        QCOMPARE(table[1].usage2, quint16(0xff01));
        QCOMPARE(table[1].reportLength, 32);
        QVERIFY(!table[1].isEncode);

        SettingsStore store(QStringLiteral("./modules/setting"));
        auto global = [&](const char *key) { return store.globalValue(QLatin1String(key)); };
        QCOMPARE(global("common/name").toString(), QStringLiteral("ORBIS MOUSE R207"));
        QCOMPARE(global("common/language").toString(), QStringLiteral("en"));
        QVERIFY(!global("common/url").toString().isEmpty());
        QVERIFY(global("mouse/isColorful").toBool());
        QVERIFY(global("mouse/isGun").toBool());
        QCOMPARE(global("mouse/icType").toString(), QStringLiteral("553"));
        QCOMPARE(global("mouse/keyCount").toInt(), 8);
        QCOMPARE(global("mouse/minDPI").toInt(), 200);
        QCOMPARE(global("mouse/maxDPI").toInt(), 12000);
        QCOMPARE(global("mouse/sensorType").toString(), QStringLiteral("3360"));
        QCOMPARE(global("mouse/dpiBase").toInt(), 100);
        QCOMPARE(global("mouse/profileNo").toInt(), 0);
        QCOMPARE(ints(global("mouse/selectGun")), QList<int>({0, 1, 2}));
    }

    void everyProfileHoldsEveryKey()
    {
        testsupport::ScratchTree tree;
        const QByteArray factory = bytesOf(settingFile(QStringLiteral("pD.bin")));
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(bytesOf(settingFile(QStringLiteral("p%1.bin").arg(n))), factory);

        QSettings profile(settingFile(QStringLiteral("pD.bin")), QSettings::IniFormat);
        QCOMPARE(profile.status(), QSettings::NoError);
        auto value = [&](const QString &key) { return profile.value(key); };
        QVERIFY(value("mouse/reportRate").toInt() >= 0 && value("mouse/reportRate").toInt() <= 3);
        QCOMPARE(value("mouse/dpiCount").toInt(), 8);
        const int enabled = value("mouse/currentDpiCount").toInt();
        QVERIFY(enabled >= 1 && enabled <= 8);
        const QList<int> dpi = ints(value("mouse/dpiValueArray"));
        QCOMPARE(dpi.size(), 8);
        for (int stage : dpi)
            QVERIFY(stage >= 200 && stage <= 12000 && stage % 100 == 0);
        QCOMPARE(ints(value("mouse/lightValue")).size(), 3);
        const QList<int> colours = ints(value("mouse/colorValue"));
        QCOMPARE(colours.size(), 24);
        for (int channel : colours)
            QVERIFY(channel >= 0 && channel <= 255);
        for (const char *key : {"mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate",
                                "XYSensitive/0", "XYSensitive/1"})
            QVERIFY2(value(QLatin1String(key)).toInt() > 0, key);
        for (int slot = 0; slot < 3; ++slot)
            QVERIFY(!value(QStringLiteral("selectGun/%1").arg(slot)).toString().isEmpty());

        // The factory assignments of the key-matrix page, and the same in device form.
        const QList<QList<int>> keys = {
            {0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0}, {0, 0, 0xF4, 0},
            {0, 0, 0xF3, 0}, {5, 0, 1, 0},    {5, 0, 2, 0},    {0, 0xF0, 0x1E, 0x02},
            {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
            {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0}, {0xFF, 0, 2, 0}};
        for (int b = 0; b < 16; ++b) {
            QCOMPARE(ints(value(QStringLiteral("mouseKeyMatrix/%1").arg(b))), keys[b]);
            QCOMPARE(ints(value(QStringLiteral("mouseFwKeyMatrix/%1").arg(b))),
                     deviceForm(keys[b]));
        }
    }

    void theNameListAndGunPresetsReadBack()
    {
        testsupport::ScratchTree tree;
        QSettings names(settingFile(QStringLiteral("name.bin")), QSettings::IniFormat);
        QCOMPARE(names.value(QStringLiteral("profile/profileName")).toStringList(),
                 QStringList({QStringLiteral("Standard0"), QStringLiteral("loadermarlow")}));

        QSettings guns(QStringLiteral("./modules/gun/gunData.bin"), QSettings::IniFormat);
        guns.beginGroup(QStringLiteral("gunData"));
        QCOMPARE(guns.childKeys().size(), 6);
        const QStringList presets = {"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"};
        for (int i = 0; i < 6; ++i) {
            const QStringList entry = guns.value(QString::number(i)).toStringList();
            QCOMPARE(entry, QStringList({presets[i], "L-Click", "10", "0", "10", "0"}));
        }
    }
};

QTEST_GUILESS_MAIN(FactoryDataTest)
#include "test_settings_factory.moc"
