// Switching the active key matrix and resetting the gun matrices to the profile's firmware
// matrix, for both families, as the simulated mouse receives them.
#include "app/widget.h"
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <functional>
#include <memory>

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

// The factory UI matrix of the shipped profile: buttons, DPI keys, double fire, specials.
QVariantList factoryUi()
{
    QVariantList ui;
    const int entries[16][4] = {{0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0},
                                {0, 0, 0xF4, 0}, {0, 0, 0xF3, 0}, {5, 0, 1, 0},
                                {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2}, {0, 0, 0, 0},
                                {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
                                {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0},
                                {0xFF, 0, 2, 0}};
    for (const auto &e : entries)
        for (int v : e)
            ui << v;
    return ui;
}

QVariantList withEntry(QVariantList ui, int button, int type, int c1, int c2, int c3)
{
    ui[4 * button] = type;
    ui[4 * button + 1] = c1;
    ui[4 * button + 2] = c2;
    ui[4 * button + 3] = c3;
    return ui;
}

// Command codes of the feature reports the mouse received on its command interface.
QList<int> commandCodes(const sim::SimMouse *mouse)
{
    QList<int> codes;
    for (const sim::Transfer &t : mouse->transfers())
        if (t.kind == sim::TransferKind::FeatureOut && t.path == mouse->commandPath())
            codes << uchar(t.bytes.at(1));
    return codes;
}
// A connected mouse of one family behind a fresh widget, in a private data tree whose profile 1
// holds the sample firmware matrix (or what prepare() leaves there). Transfers start empty.
struct Bench {
    testsupport::ScratchTree tree;
    std::unique_ptr<Widget> widget;
    sim::SimMouse *mouse = nullptr;

    explicit Bench(const QString &family, const std::function<void()> &prepare = {})
    {
        setFamily(family);
        writeFirmware(QStringLiteral("./modules/setting/p1.bin"), sampleFirmware());
        if (prepare)
            prepare();
        widget = std::make_unique<Widget>();
        mouse = connectMouse(*widget, family);
        mouse->clearTransfers();
    }
    myQQuickView *view() const { return widget->view(); }
    bool connected() const { return widget->hid.listenRunning; }
};
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

    void firmwareMatrixReadsLowBytesOnlyWhenComplete()
    {
        testsupport::ScratchTree tree;
        const QString file = tree.file(QStringLiteral("fw.ini"));
        writeFirmware(file, sampleFirmware());
        QSettings profile(file, QSettings::IniFormat);
        profile.setValue(QStringLiteral("mouseFwKeyMatrix/0"), QVariantList{1, 0x1F0, 3, 4});
        QByteArray matrix;
        QVERIFY(keymatrix::firmwareMatrix(profile, &matrix));
        QCOMPARE(matrix.mid(0, 4), entry(1, 0xF0, 3, 4));
        QCOMPARE(matrix.mid(4), sampleFirmware().mid(4));

        // Short, unreadable or missing entries make the whole matrix unusable.
        const QVariant broken[] = {QVariantList{9, 9}, QStringLiteral("junk"),
                                   QVariantList{1, QStringLiteral("x"), 3, 4}, QVariant()};
        for (const QVariant &value : broken) {
            writeFirmware(file, sampleFirmware());
            QSettings p(file, QSettings::IniFormat);
            if (value.isValid())
                p.setValue(QStringLiteral("mouseFwKeyMatrix/7"), value);
            else
                p.remove(QStringLiteral("mouseFwKeyMatrix/7"));
            QByteArray untouched("keep");
            QVERIFY(!keymatrix::firmwareMatrix(p, &untouched));
            QCOMPARE(untouched, QByteArray("keep"));
        }
    }

    void translationToDeviceForm_data()
    {
        QTest::addColumn<QByteArray>("ui");
        QTest::addColumn<QByteArray>("device");
        QTest::newRow("left button") << entry(0, 0, 0xF0, 0) << entry(1, 0, 0xF0, 0);
        QTest::newRow("double fire") << entry(0, 0xF0, 0x1E, 2) << entry(10, 0xF0, 0x1E, 2);
        QTest::newRow("fire") << entry(1, 0x04, 10, 0) << entry(10, 0x04, 10, 0);
        QTest::newRow("combination") << entry(2, 0x03, 0x04, 0) << entry(0, 0x03, 0x04, 0);
        QTest::newRow("media") << entry(3, 0, 0x83, 0x01) << entry(3, 0, 0x83, 0x01);
        QTest::newRow("macro on button 5") << entry(4, 1, 5, 0) << entry(9, 1, 6, 0);
        QTest::newRow("DPI+") << entry(5, 0, 1, 0) << entry(7, 0, 1, 0);
        QTest::newRow("sniper") << entry(5, 0, 4, 0) << entry(7, 0, 4, 1);
        QTest::newRow("system") << entry(6, 4, 0x2C, 0x1B) << entry(0, 4, 0x2C, 0x1B);
        QTest::newRow("shortcut") << entry(7, 0, 0xE0, 0x06) << entry(0, 0, 0xE0, 0x06);
        QTest::newRow("gun") << entry(8, 0, 2, 0) << entry(8, 0, 2, 0);
        QTest::newRow("special") << entry(0xFF, 0, 1, 0) << entry(4, 0, 1, 0);
        QTest::newRow("unknown type") << entry(0x42, 1, 2, 3) << entry(0x42, 1, 2, 3);
    }
    void translationToDeviceForm()
    {
        QFETCH(QByteArray, ui);
        QFETCH(QByteArray, device);
        // The entry on button 5, the rest of the matrix left buttons.
        QVariantList values = factoryUi();
        values = withEntry(values, 5, uchar(ui[0]), uchar(ui[1]), uchar(ui[2]), uchar(ui[3]));
        const QByteArray m = keymatrix::toDeviceForm(values);
        QCOMPARE(m.size(), keymatrix::kBytes);
        QCOMPARE(m.mid(20, 4), device);
        QCOMPARE(m.mid(0, 4), entry(1, 0, 0xF0, 0));
    }

    void translationCutsValuesAndReadsNothingPastTheList()
    {
        QVariantList values{0x100, 0, 0x1F0, 0, 4, 1};
        const QByteArray m = keymatrix::toDeviceForm(values);
        QCOMPARE(m.mid(0, 4), entry(1, 0, 0xF0, 0)); // 0x100 -> type 0
        QCOMPARE(m.mid(4, 4), entry(9, 1, 1, 0));    // short entry: missing codes are 0
        QCOMPARE(m.mid(8, 4), entry(1, 0, 0, 0));
    }

    void gunLevels_data()
    {
        QTest::addColumn<bool>("is560");
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("button2"); // entries of matrices 1..4 at button 2
        QTest::addColumn<int>("mask");
        // Firmware entry at button 2 is (0x28, 0x29, 0x2A, 0x2B).
        QTest::newRow("553 L1") << false << 1
            << entry(8, 0, 1, 1) + entry(8, 0, 1, 0) + entry(8, 0, 1, 0) + entry(8, 0, 1, 0) << -1;
        QTest::newRow("553 L2") << false << 2
            << entry(8, 0, 1, 1) + entry(8, 0, 1, 2) + entry(8, 0, 1, 0) + entry(8, 0, 1, 0) << -1;
        QTest::newRow("553 L3") << false << 3
            << entry(8, 0, 1, 1) + entry(8, 0, 1, 2) + entry(8, 0, 1, 3) + entry(8, 0, 1, 0) << -1;
        QTest::newRow("553 L9") << false << 9
            << entry(8, 0, 1, 0) + entry(8, 0, 1, 0x2B) + entry(8, 0, 1, 0x2B)
                   + entry(8, 0, 1, 0x2B) << -1;
        QTest::newRow("560 L1") << true << 1
            << entry(8, 0, 1, 0) + entry(8, 0x29, 0, 0x2B) + entry(8, 0x29, 0, 0x2B)
                   + entry(8, 0x29, 0, 0x2B) << 7;
        QTest::newRow("560 L2") << true << 2
            << entry(8, 0, 1, 0) + entry(8, 0x29, 3, 0x2B) + entry(8, 0x29, 0, 0x2B)
                   + entry(8, 0x29, 0, 0x2B) << 15;
        QTest::newRow("560 L3") << true << 3
            << entry(8, 0, 1, 0) + entry(8, 0x29, 3, 0x2B) + entry(8, 0x29, 3, 0x2B)
                   + entry(8, 0x29, 0, 0x2B) << 31;
        QTest::newRow("560 L0") << true << 0
            << entry(8, 0, 0, 0) + entry(8, 0x29, 0x2A, 0x2B) + entry(8, 0x29, 0x2A, 0x2B)
                   + entry(8, 0x29, 0x2A, 0x2B) << -1;
    }
    void gunLevels()
    {
        QFETCH(bool, is560);
        QFETCH(int, level);
        QFETCH(QByteArray, button2);
        QFETCH(int, mask);
        const QByteArray m1 = keymatrix::toDeviceForm(withEntry(factoryUi(), 2, 8, 0, level, 0));
        QVERIFY(keymatrix::hasGunKey(m1));
        const keymatrix::GunMatrices gun =
            keymatrix::gunMatrices(m1, sampleFirmware(), is560 ? Family::F560 : Family::F553, QVariantList{10, 20, 0x11E});
        QCOMPARE(gun.matrices.size(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(gun.matrices[i].mid(8, 4), button2.mid(4 * i, 4));
        QCOMPARE(gun.levelMask, mask);
        // Gun periods on button 0 of matrices 2..4 (cut to a byte); matrix 1 keeps its button 0.
        QCOMPARE(gun.matrices[0].mid(0, 4), entry(1, 0, 0xF0, 0));
        QCOMPARE(gun.matrices[1].mid(0, 4), entry(0x0B, 0, 10, 0));
        QCOMPARE(gun.matrices[2].mid(0, 4), entry(0x0B, 1, 20, 0));
        QCOMPARE(gun.matrices[3].mid(0, 4), entry(0x0B, 2, 0x1E, 0));
        // Buttons without gun keys keep the firmware entries in matrices 2..4.
        QCOMPARE(gun.matrices[1].mid(12), sampleFirmware().mid(12));
        // Too few periods: the missing ones are 0.
        const keymatrix::GunMatrices shortPeriods =
            keymatrix::gunMatrices(m1, sampleFirmware(), is560 ? Family::F560 : Family::F553, QVariantList{10});
        QCOMPARE(shortPeriods.matrices[2].mid(0, 4), entry(0x0B, 1, 0, 0));
        QCOMPARE(shortPeriods.matrices[3].mid(0, 4), entry(0x0B, 2, 0, 0));
    }

    void severalGunKeysTheLastDecidesTheMask()
    {
        QVariantList ui = withEntry(factoryUi(), 3, 8, 0, 3, 0);
        ui = withEntry(ui, 4, 8, 0, 1, 0);
        const keymatrix::GunMatrices gun =
            keymatrix::gunMatrices(keymatrix::toDeviceForm(ui), sampleFirmware(), Family::F560, {1, 2, 3});
        QCOMPARE(gun.levelMask, 7);
    }

    void family553ResetsMatricesTwoToFourAndSwitchesCountingFromZero()
    {
        Bench bench(QStringLiteral("553"));
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;
        const QByteArray before = mouse->keyMatrix(1);

        bench.view()->mouseResetKeyMatrix();
        const QList<QByteArray> expected = keymatrix::gunResetMatrices553(sampleFirmware());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(mouse->keyMatrix(i + 2), as553Receives(expected[i]));
        QCOMPARE(mouse->keyMatrix(1), before); // matrix 1 is not sent

        bench.view()->mouseSwitchKeyMatrix(1);
        QCOMPARE(mouse->activeMatrix(), 0);
        bench.view()->mouseSetCurrentDPI(3);
        QCOMPARE(mouse->currentStage(), 3);
    }

    void family560SendsTheFirmwareMatrixAsMatricesTwoToFour()
    {
        Bench bench(QStringLiteral("560"));
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;

        bench.view()->mouseResetKeyMatrix();
        for (int matrix = 2; matrix <= 4; ++matrix)
            QCOMPARE(mouse->keyMatrix(matrix), sampleFirmware());

        bench.view()->mouseSwitchKeyMatrix(1);
        QCOMPARE(mouse->activeMatrix(), 1);
        bench.view()->mouseSetCurrentDPI(2);
        QCOMPARE(mouse->currentStage(), 2);
    }

    // A level-3 gun key on button 2 of a 560 mouse with gun periods 10, 20, 30.
    void family560SendsImageZeroMatricesAndSwitches()
    {
        Bench bench(QStringLiteral("560"));
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;

        const QVariantList ui = withEntry(factoryUi(), 2, 8, 0, 3, 0);
        bench.view()->mouseSetKeyMatrix(ui, true, QVariantList{10, 20, 30});
        QCOMPARE(commandCodes(mouse), (QList<int>{0x0C, 0x0D, 0x0D, 0x0D, 0x0D, 0x02}));
        QCOMPARE(uchar(mouse->profileImage(0).at(2)), uchar(31));
        QCOMPARE(mouse->keyMatrix(1).mid(8, 4), entry(8, 0, 1, 0));
        QCOMPARE(mouse->keyMatrix(1).mid(20, 4), entry(7, 0, 1, 0));
        QCOMPARE(mouse->keyMatrix(2).mid(8, 4), entry(8, 0x29, 3, 0x2B));
        QCOMPARE(mouse->keyMatrix(2).mid(0, 4), entry(0x0B, 0, 10, 0));
        QCOMPARE(mouse->keyMatrix(4).mid(0, 4), entry(0x0B, 2, 30, 0));
        QCOMPARE(mouse->keyMatrix(3).mid(12), sampleFirmware().mid(12));
        QCOMPARE(mouse->currentProfile(), 1);
        // The UI form is stored as it came.
        QList<int> stored;
        for (const QVariant &v : bench.view()->mouseGetKeydefine(2, false))
            stored << v.toInt();
        QCOMPARE(stored, (QList<int>{8, 0, 3, 0}));
    }

    void family553SendsFourMatricesThenSelectsMatrixOne()
    {
        Bench bench(QStringLiteral("553"));
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;

        const QVariantList ui = withEntry(factoryUi(), 2, 8, 0, 2, 0);
        bench.view()->mouseSetKeyMatrix(ui, true, QVariantList{10, 20, 30});
        QCOMPARE(commandCodes(mouse), (QList<int>{0x12, 0x12, 0x12, 0x12, 0x02}));
        const keymatrix::GunMatrices gun = keymatrix::gunMatrices(
            keymatrix::toDeviceForm(ui), sampleFirmware(), Family::F553, QVariantList{10, 20, 30});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(mouse->keyMatrix(i + 1), as553Receives(gun.matrices[i]));
        QCOMPARE(mouse->activeMatrix(), 1);
    }

    void matrixWithoutGunKeysIsOneCommand_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("553") << QStringLiteral("553");
        QTest::newRow("560") << QStringLiteral("560");
    }
    void matrixWithoutGunKeysIsOneCommand()
    {
        QFETCH(QString, family);
        Bench bench(family);
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;

        const QVariantList ui = withEntry(factoryUi(), 5, 4, 1, 5, 0);
        bench.view()->mouseSetKeyMatrix(ui, true, QVariantList{});
        QCOMPARE(commandCodes(mouse).size(), 1);
        QByteArray expected = keymatrix::toDeviceForm(ui);
        if (family == QLatin1String("553"))
            expected = as553Receives(expected);
        QCOMPARE(mouse->keyMatrix(1), expected);
        QCOMPARE(keymatrix::toDeviceForm(ui).mid(20, 4), entry(9, 1, 6, 0));

        // Store only: the profile changes, the mouse hears nothing.
        mouse->clearTransfers();
        bench.view()->mouseSetKeyMatrix(withEntry(ui, 6, 5, 0, 4, 0), false, QVariantList{});
        QVERIFY(commandCodes(mouse).isEmpty());
        QCOMPARE(bench.view()->mouseGetKeydefine(6, false).at(2).toInt(), 4);
        QCOMPARE(bench.view()->mouseGetKeydefine(6, true).at(2).toInt(), 2); // factory: DPI-
    }

    // A list shorter than 64 values stores its whole entries and sends nothing; an incomplete
    // firmware matrix falls back to the factory profile's, and without one only matrix 1 goes.
    void badInputNeverSendsAHalfBuiltMatrix()
    {
        Bench bench(QStringLiteral("553"), [] {
            QSettings p1(QStringLiteral("./modules/setting/p1.bin"), QSettings::IniFormat);
            p1.setValue(QStringLiteral("mouseFwKeyMatrix/9"), QVariantList{1, 0});
        });
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;

        bench.view()->mouseSetKeyMatrix(factoryUi().mid(0, 10), true, QVariantList{});
        QVERIFY(commandCodes(mouse).isEmpty());
        QCOMPARE(bench.view()->mouseGetKeydefine(1, false).size(), 4);

        // Firmware of p1 is short: the factory profile's firmware matrix is used.
        QByteArray factory;
        QVERIFY(keymatrix::firmwareMatrix(
            QSettings(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat), &factory));
        const QVariantList ui = withEntry(factoryUi(), 3, 8, 0, 1, 0);
        bench.view()->mouseSetKeyMatrix(ui, true, QVariantList{5, 6});
        QCOMPARE(commandCodes(mouse).size(), 5);
        const keymatrix::GunMatrices gun =
            keymatrix::gunMatrices(keymatrix::toDeviceForm(ui), factory, Family::F553, {5, 6});
        QCOMPARE(mouse->keyMatrix(2), as553Receives(gun.matrices[1]));
        QCOMPARE(mouse->keyMatrix(4).mid(0, 4), entry(0x0B, 2, 0, 0));

        // Neither firmware matrix is complete: matrix 1 alone, its gun key still carrying the
        // level column of a level-1 gun (code 2 = 1, code 3 = 1), and no reset at all.
        bench.view()->store->factoryProfile()->remove(QStringLiteral("mouseFwKeyMatrix/0"));
        mouse->clearTransfers();
        bench.view()->mouseSetKeyMatrix(ui, true, QVariantList{5, 6, 7});
        QCOMPARE(commandCodes(mouse), QList<int>{0x12});
        QByteArray expected = keymatrix::toDeviceForm(ui);
        expected.replace(12, 4, entry(8, 0, 1, 1));
        QCOMPARE(mouse->keyMatrix(1), as553Receives(expected));
        mouse->clearTransfers();
        bench.view()->mouseResetKeyMatrix();
        QVERIFY(commandCodes(mouse).isEmpty());
    }

    void keyboardOptionsPassThrough()
    {
        Bench bench(QStringLiteral("553"));
        QVERIFY(bench.connected());
        sim::SimMouse *mouse = bench.mouse;
        bench.view()->mouseSetKeyboardoption(0x12, 0x34, 0x56, 0x78);
        QCOMPARE(mouse->keyboardOptions(), QByteArray::fromHex("12345678"));
        QCOMPARE(bench.view()->GetKeyboardoption(), (QVariantList{0x12, 0x34, 0x56, 0x78}));
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
