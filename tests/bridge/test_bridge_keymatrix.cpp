// Switching the active key matrix and resetting the gun matrices to the profile's firmware
// matrix, for both families, as the simulated mouse receives them.
#include "app/widget.h"
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

namespace
{
// A firmware matrix with a distinct value in every byte.
QByteArray sampleFirmware()
{
    QByteArray matrix(keymatrix::kBytes, '\0');
    for (int i = 0; i < matrix.size(); ++i)
        matrix[i] = char(0x20 + i);
    return matrix;
}

void writeFirmware(const QString &profileFile, const QByteArray &matrix)
{
    QSettings profile(profileFile, QSettings::IniFormat);
    for (int b = 0; b < keymatrix::kButtons; ++b) {
        QVariantList entry;
        for (int i = 0; i < 4; ++i)
            entry << int(uchar(matrix[4 * b + i]));
        profile.setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(b), entry);
    }
}

QByteArray entry(uchar type, uchar c1, uchar c2, uchar c3)
{
    const char bytes[4] = {char(type), char(c1), char(c2), char(c3)};
    return QByteArray(bytes, 4);
}

// What a 553 mouse receives for a matrix: key entries 5 and 6 trade places on the way.
QByteArray as553Receives(QByteArray matrix)
{
    const QByteArray five = matrix.mid(20, 4);
    matrix.replace(20, 4, matrix.mid(24, 4));
    matrix.replace(24, 4, five);
    return matrix;
}

sim::SimMouse *connectMouse(Widget &widget, const QString &family)
{
    sim::MouseConfig config;
    config.family = family;
    sim::SimMouse *mouse = sim::attachMouse(config);
    widget.checkDevice();
    return mouse;
}

void setFamily(const QString &family)
{
    QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    global.setValue(QStringLiteral("mouse/icType"), family);
}
} // namespace

class KeyMatrixTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { sim::detachAll(); }

    void gunResetMatricesCarryThePeriodAndLevelEntries()
    {
        const QByteArray firmware = sampleFirmware();
        const QList<QByteArray> m = keymatrix::gunResetMatrices553(firmware);
        QCOMPARE(m.size(), 3);
        QCOMPARE(m[0], firmware);
        QCOMPARE(m[1].mid(0, 4), entry(0x0B, 0, 7, 0));
        QCOMPARE(m[1].mid(12, 4), entry(8, 0, 1, 1));
        QCOMPARE(m[1].mid(16, 4), firmware.mid(16, 4));
        QCOMPARE(m[2].mid(0, 4), entry(0x0B, 1, 7, 0));
        QCOMPARE(m[2].mid(12, 4), entry(8, 0, 1, 2));
        QCOMPARE(m[2].mid(16, 4), entry(8, 0, 1, 1));
        // Every other button keeps its firmware entry.
        QCOMPARE(m[2].mid(20), firmware.mid(20));
    }

    void firmwareMatrixReadsLowBytesAndFillsGapsWithZero()
    {
        testsupport::ScratchTree tree;
        QSettings profile(tree.file(QStringLiteral("fw.ini")), QSettings::IniFormat);
        profile.setValue(QStringLiteral("mouseFwKeyMatrix/0"), QVariantList{1, 0x1F0, 3, 4});
        profile.setValue(QStringLiteral("mouseFwKeyMatrix/1"), QVariantList{9, 9});
        profile.setValue(QStringLiteral("mouseFwKeyMatrix/2"), QStringLiteral("junk"));
        const QByteArray matrix = keymatrix::firmwareMatrix(profile);
        QCOMPARE(matrix.size(), keymatrix::kBytes);
        QCOMPARE(matrix.mid(0, 4), entry(1, 0xF0, 3, 4));
        QCOMPARE(matrix.mid(4, 4), entry(9, 9, 0, 0));
        QCOMPARE(matrix.mid(8), QByteArray(keymatrix::kBytes - 8, '\0'));
    }

    void family553ResetsMatricesTwoToFourAndSwitchesCountingFromZero()
    {
        testsupport::ScratchTree tree;
        setFamily(QStringLiteral("553"));
        writeFirmware(QStringLiteral("./modules/setting/p1.bin"), sampleFirmware());
        Widget widget;
        sim::SimMouse *mouse = connectMouse(widget, QStringLiteral("553"));
        QVERIFY(widget.hid.listenRunning);
        const QByteArray before = mouse->keyMatrix(1);

        widget.view()->mouseResetKeyMatrix();
        const QList<QByteArray> expected = keymatrix::gunResetMatrices553(sampleFirmware());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(mouse->keyMatrix(i + 2), as553Receives(expected[i]));
        QCOMPARE(mouse->keyMatrix(1), before); // matrix 1 is not sent

        widget.view()->mouseSwitchKeyMatrix(1);
        QCOMPARE(mouse->activeMatrix(), 0);
        widget.view()->mouseSetCurrentDPI(3);
        QCOMPARE(mouse->currentStage(), 3);
    }

    void family560SendsTheFirmwareMatrixAsMatricesTwoToFour()
    {
        testsupport::ScratchTree tree;
        setFamily(QStringLiteral("560"));
        writeFirmware(QStringLiteral("./modules/setting/p1.bin"), sampleFirmware());
        Widget widget;
        sim::SimMouse *mouse = connectMouse(widget, QStringLiteral("560"));
        QVERIFY(widget.hid.listenRunning);

        widget.view()->mouseResetKeyMatrix();
        for (int matrix = 2; matrix <= 4; ++matrix)
            QCOMPARE(mouse->keyMatrix(matrix), sampleFirmware());

        widget.view()->mouseSwitchKeyMatrix(1);
        QCOMPARE(mouse->activeMatrix(), 1);
        widget.view()->mouseSetCurrentDPI(2);
        QCOMPARE(mouse->currentStage(), 2);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    KeyMatrixTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_bridge_keymatrix.moc"
