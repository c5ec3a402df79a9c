// The demo's mouse is built from the global settings file.
#include "sim/simdevice.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSimDemoConfig : public QObject
{
    Q_OBJECT
private slots:
    void mouseEntryAndModelFlags()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(QStringLiteral("common/deviceCount"), 3);
            s.setValue(QStringLiteral("0/type"), QStringLiteral("0"));
            s.setValue(QStringLiteral("0/vid"), QStringLiteral("1111"));
            s.setValue(QStringLiteral("1/type"), QStringLiteral("1"));
            s.setValue(QStringLiteral("1/vid"), QStringLiteral("abcd"));
            s.setValue(QStringLiteral("1/pid"), QStringLiteral("0042"));
            s.setValue(QStringLiteral("1/usagePage"), QStringLiteral("ff10"));
            s.setValue(QStringLiteral("1/usage2"), QStringLiteral("0002"));
            s.setValue(QStringLiteral("1/reportLength"), 64);
            s.setValue(QStringLiteral("1/isEncode"), true);
            s.setValue(QStringLiteral("1/sCode"), QStringLiteral("abcdef"));
            s.setValue(QStringLiteral("2/type"), QStringLiteral("1"));
            s.setValue(QStringLiteral("2/vid"), QStringLiteral("2222"));
            s.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            s.setValue(QStringLiteral("mouse/isGun"), true);
        }
        const sim::MouseConfig config = sim::mouseConfigFromSettings(path);
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
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(QStringLiteral("common/deviceCount"), 1);
            s.setValue(QStringLiteral("0/type"), QStringLiteral("0"));
            s.setValue(QStringLiteral("0/vid"), QStringLiteral("1111"));
            s.setValue(QStringLiteral("mouse/icType"), QStringLiteral("999"));
        }
        const sim::MouseConfig config = sim::mouseConfigFromSettings(path);
        const sim::MouseConfig defaults;
        QCOMPARE(config.vid, defaults.vid);
        QCOMPARE(config.usagePage, defaults.usagePage);
        QCOMPARE(config.family, QStringLiteral("553"));
    }
};

QTEST_GUILESS_MAIN(TestSimDemoConfig)
#include "test_sim_democonfig.moc"
