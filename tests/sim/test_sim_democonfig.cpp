// The demo's mouse is built from the global settings file.
#include "sim/simdevice.h"

#include <QTemporaryDir>
#include <QtTest>

namespace
{

// Writes the keys to a fresh settings file in dir and returns its path.
QString settingsFile(const QTemporaryDir &dir, const QVariantMap &keys)
{
    const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
    QSettings settings(path, QSettings::IniFormat);
    for (auto it = keys.begin(); it != keys.end(); ++it)
        settings.setValue(it.key(), it.value());
    return path;
}

} // namespace

class TestSimDemoConfig : public QObject
{
    Q_OBJECT
private slots:
    void mouseEntryAndModelFlags()
    {
        QTemporaryDir dir;
        const sim::MouseConfig config =
            sim::mouseConfigFromSettings(settingsFile(dir, {{"common/deviceCount", 3},
                                                            {"0/type", "0"},
                                                            {"0/vid", "1111"},
                                                            {"1/type", "1"},
                                                            {"1/vid", "abcd"},
                                                            {"1/pid", "0042"},
                                                            {"1/usagePage", "ff10"},
                                                            {"1/usage2", "0002"},
                                                            {"1/reportLength", 64},
                                                            {"1/isEncode", true},
                                                            {"1/sCode", "abcdef"},
                                                            {"2/type", "1"},
                                                            {"2/vid", "2222"},
                                                            {"mouse/icType", "560"},
                                                            {"mouse/isGun", true}}));
        QCOMPARE(config.vid, quint16(0xabcd)); // the first mouse entry
        QCOMPARE(config.pid, quint16(0x0042));
        QCOMPARE(config.usagePage, quint16(0xff10));
        QCOMPARE(config.usage2, quint16(0x0002));
        QCOMPARE(config.reportLength, 64);
        QVERIFY(config.isEncode);
        QCOMPARE(config.secrecyCode, QByteArray("abcdef"));
        QCOMPARE(config.family, QStringLiteral("560"));
        QVERIFY(config.isGun);
        QVERIFY(!config.isColorful);
    }

    void withoutMouseEntryTheDefaultsStand()
    {
        QTemporaryDir dir;
        const sim::MouseConfig config =
            sim::mouseConfigFromSettings(settingsFile(dir, {{"common/deviceCount", 1},
                                                            {"0/type", "0"},
                                                            {"0/vid", "1111"},
                                                            {"mouse/icType", "999"}}));
        const sim::MouseConfig defaults;
        QCOMPARE(config.vid, defaults.vid);
        QCOMPARE(config.usagePage, defaults.usagePage);
        QCOMPARE(config.family, QStringLiteral("553"));
    }
};

QTEST_GUILESS_MAIN(TestSimDemoConfig)
#include "test_sim_democonfig.moc"
