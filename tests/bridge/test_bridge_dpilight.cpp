// DPI stage codes, lighting effect bytes and colour tables: the encoders on their own, then the
// bridge slots as the simulated mouse receives and keeps them, for both families.
#include "base/sleep.h"
#include "bridge/dpistages.h"
#include "bridge/lighting.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"
#include "device/protocol.h"
#include "sim/simdevice.h"
#include "support/simentry.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QTest>
#include <cstring>
#include <memory>

namespace
{

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

template <size_t N> QByteArray bytes(const std::array<quint8, N> &a)
{
    return QByteArray(reinterpret_cast<const char *>(a.data()), int(N));
}

// A 128-byte image with a distinct, non-zero byte everywhere.
QByteArray imagePattern(int profile)
{
    QByteArray image(128, '\0');
    for (int i = 0; i < 128; ++i)
        image[i] = char(0x40 + profile * 13 + i * 5) | 1;
    return image;
}

QVariantList list(std::initializer_list<QVariant> values)
{
    return QVariantList(values);
}

// A view wired to a simulated mouse, with the model flags set as the global file would.
struct Rig {
    testsupport::ScratchTree tree;
    base::VirtualClock clock;
    Hid_Thread hid;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<myQQuickView> view;

    Rig(const QString &family, bool isColorful, bool isGun)
    {
        sim::MouseConfig config;
        config.family = family;
        mouse = sim::attachMouse(config);
        hid.setDeviceTable({testsupport::entryFor(*mouse)});
        hid.devIndex = 0;
        view = std::make_unique<myQQuickView>();
        view->hid = &hid;
        view->icType = family;
        view->isColorful = isColorful;
        view->isGun = isGun;
        view->chooseProtocol();
        // The mouse and the protocol's mirror start alike, as after a connect.
        for (int n = 0; n < 5; ++n) {
            const QByteArray image = imagePattern(n);
            mouse->setProfileImage(n, image);
            if (ProfileImage *mirror = view->protocol()->image(n))
                std::memcpy(mirror->data(), image.constData(), 128);
        }
        mouse->clearTransfers();
    }
    ~Rig()
    {
        view.reset();
        sim::detachAll();
    }

    QList<QByteArray> features(quint8 code) const
    {
        QList<QByteArray> out;
        for (const sim::Transfer &t : mouse->transfers())
            if (t.kind == sim::TransferKind::FeatureOut && t.bytes.size() > 2 && quint8(t.bytes[1]) == code)
                out << t.bytes;
        return out;
    }
    // Profile numbers of the images the mouse received, in order.
    QList<int> profilesSent() const
    {
        QList<int> out;
        for (const QByteArray &f : features(0x0C))
            out << quint8(f[2]);
        return out;
    }
};

QByteArray patched(QByteArray image, int at, const QByteArray &with)
{
    image.replace(at, with.size(), with);
    return image;
}

const QVariantList kEightStages = {400, 800, 1600, 3200, 6400, 8000, 12000, 16000};

} // namespace

class DpiLightTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { sim::detachAll(); }

    // --- Encoders ---

    void stageCodes_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("highBit");
        QTest::newRow("4090 400") << "4090" << 400 << 3 << false;
        QTest::newRow("4090 5000") << "4090" << 5000 << 49 << false;
        QTest::newRow("4090 5200") << "4090" << 5200 << 0x5A << false;
        QTest::newRow("4090 16000") << "4090" << 16000 << 0x50 << false;
        QTest::newRow("unknown like 4090") << "PMW9" << 5200 << 0x5A << false;
        QTest::newRow("empty like 4090") << "" << 400 << 3 << false;
        QTest::newRow("3360 100") << "3360" << 100 << 0 << false;
        QTest::newRow("3360 3200") << "3360" << 3200 << 31 << false;
        QTest::newRow("3360 30000 wraps") << "3360" << 30000 << 43 << false;
        QTest::newRow("3050 250") << "3050" << 250 << 1 << false;
        QTest::newRow("3050 251") << "3050" << 251 << 2 << false;
        QTest::newRow("3050 2100") << "3050" << 2100 << 0x45 << false;
        QTest::newRow("3050 4000") << "3050" << 4000 << 0x48 << false;
        QTest::newRow("3050 4001") << "3050" << 4001 << 0 << false;
        QTest::newRow("3389 12750") << "3389" << 12750 << 255 << false;
        QTest::newRow("3389 12800") << "3389" << 12800 << 0 << true;
        QTest::newRow("3389 16000") << "3389" << 16000 << 64 << true;
    }
    void stageCodes()
    {
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, code);
        QFETCH(bool, highBit);
        const dpistages::StageCode stage = dpistages::encodeStage(sensor, dpi);
        QCOMPARE(int(stage.code), code);
        QCOMPARE(stage.highBit, highBit);
    }

    void stageTablesReadAtMostEightValues()
    {
        // Ten values, text among them: the ninth and tenth are never read.
        const QVariantList values = {"12800", 400, 16000, 12750, 50, 100, 150, 25550, 16000, 16000};
        const dpistages::StageTable table = dpistages::encodeStages(QStringLiteral("3389"), values);
        QCOMPARE(bytes(table.codes), bytes({0, 8, 64, 255, 1, 2, 3, 255}));
        QCOMPARE(int(table.highMask), 0b10000101);
        QCOMPARE(table.listSize, 8);

        // A short list leaves the other stages 0; text that is no number counts as 0.
        const dpistages::StageTable shortTable =
            dpistages::encodeStages(QStringLiteral("3360"), {"800", "fast"});
        QCOMPARE(bytes(shortTable.codes), bytes({7, 0xFF, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(shortTable.listSize, 2);
    }

    void enabledMasks_data()
    {
        QTest::addColumn<int>("stages");
        QTest::addColumn<int>("mask");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("negative") << -3 << 0;
        QTest::newRow("one") << 1 << 0x01;
        QTest::newRow("four") << 4 << 0x0F;
        QTest::newRow("eight") << 8 << 0xFF;
        QTest::newRow("beyond eight") << 40 << 0xFF;
    }
    void enabledMasks()
    {
        QFETCH(int, stages);
        QFETCH(int, mask);
        QCOMPARE(int(dpistages::enabledMask(stages)), mask);
    }

    void effectBytes_data()
    {
        QTest::addColumn<bool>("fullColour");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("full wave") << true << 5 << 2 << 3 << bytes({5, 192, 5});
        QTest::newRow("full static dark") << true << 0 << 4 << 0 << bytes({1, 0, 0});
        QTest::newRow("full static bright") << true << 0 << 0 << 4 << bytes({1, 255, 0});
        QTest::newRow("full breath ignores brightness") << true << 1 << 0 << 4 << bytes({3, 0, 10});
        QTest::newRow("full off") << true << 3 << 3 << 3 << bytes({0, 0, 0});
        QTest::newRow("full spotlight") << true << 10 << 4 << 1 << bytes({10, 64, 20});
        QTest::newRow("full speed out of range") << true << 5 << 5 << 5 << bytes({5, 0, 0});
        QTest::newRow("full unknown effect") << true << 11 << 1 << 1 << bytes({0, 0, 0});
        QTest::newRow("simple breath") << false << 1 << 4 << 0 << bytes({2, 5, 2});
        QTest::newRow("simple breath wraps") << false << 1 << 255 << 0 << bytes({2, 0, 2});
        QTest::newRow("simple neon") << false << 2 << 0 << 0 << bytes({3, 30, 2});
        QTest::newRow("simple neon out of range") << false << 2 << 5 << 0 << bytes({3, 0, 2});
        QTest::newRow("simple static") << false << 0 << 0 << 2 << bytes({1, 5, 2});
        QTest::newRow("simple static too bright") << false << 0 << 0 << 5 << bytes({1, 0, 2});
        QTest::newRow("simple full-colour effect") << false << 5 << 1 << 1 << bytes({0, 0, 2});
    }
    void effectBytes()
    {
        QFETCH(bool, fullColour);
        QFETCH(int, effect);
        QFETCH(int, speed);
        QFETCH(int, brightness);
        QFETCH(QByteArray, expected);
        const lighting::EffectBytes got = fullColour
                                              ? lighting::fullColourEffect(effect, speed, brightness)
                                              : lighting::simpleEffect(effect, speed, brightness);
        QCOMPARE(bytes(got), expected);
    }

    void colourTablesTakeTwentyFourLowBytes()
    {
        QVariantList values;
        for (int i = 0; i < 30; ++i)
            values << 250 + i; // from the seventh value on above a byte
        const lighting::ColourTable table = lighting::colourTable(values);
        for (int i = 0; i < 24; ++i)
            QCOMPARE(int(table[i]), (250 + i) & 0xFF);
        const lighting::ColourTable shortTable = lighting::colourTable({"255", 128, "x"});
        QCOMPARE(bytes(shortTable), bytes({255, 128, 0}) + QByteArray(21, '\0'));
    }

    // --- DPI stages on the device ---

    void dpi553SwitchesOffTheStagesPastTheCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("table");
        QTest::newRow("three of eight")
            << 3 << kEightStages << bytes({3, 7, 15, 0x80, 0x80, 0x80, 0x80, 0x80});
        QTest::newRow("all eight") << 8 << kEightStages << bytes({3, 7, 15, 31, 63, 79, 119, 159});
        QTest::newRow("short list") << 1 << list({400, 800}) << bytes({3, 0x80, 0, 0, 0, 0, 0, 0});
        QTest::newRow("long list")
            << 2 << (kEightStages + list({500, 500}))
            << bytes({3, 7, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80});
    }
    void dpi553SwitchesOffTheStagesPastTheCount()
    {
        QFETCH(int, count);
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, table);
        Rig rig(QStringLiteral("553"), true, true);
        rig.view->mouseSetDpi(count, QStringLiteral("3360"), values);
        QCOMPARE(rig.mouse->dpiTable(), table);
        QCOMPARE(rig.mouse->dpiStageCount(), count);
        QCOMPARE(rig.features(0x11).size(), 1);
        QCOMPARE(rig.mouse->badChecksums(), 0);
    }

    void dpi560PatchesImagesOneToFour_data()
    {
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("count");
        QTest::newRow("gun mouse, 4 stages") << true << "3360" << 4;
        QTest::newRow("gun mouse, 3389") << true << "3389" << 6;
        QTest::newRow("no gun profiles") << false << "3360" << 3;
    }
    void dpi560PatchesImagesOneToFour()
    {
        QFETCH(bool, isGun);
        QFETCH(QString, sensor);
        QFETCH(int, count);
        Rig rig(QStringLiteral("560"), false, isGun);
        rig.view->mouseSetDpi(count, sensor, kEightStages);

        const dpistages::StageTable table = dpistages::encodeStages(sensor, kEightStages);
        const QByteArray codes = bytes(table.codes);
        QCOMPARE(codes.size(), 8);
        const int last = isGun ? 4 : 1;
        for (int n = 0; n < 5; ++n) {
            QByteArray expected = imagePattern(n);
            if (n >= 1 && n <= last) {
                expected = patched(expected, 84, codes + codes + char((1 << count) - 1));
                if (sensor == QLatin1String("3389"))
                    expected = patched(expected, 82, bytes({table.highMask, table.highMask}));
            }
            QCOMPARE(rig.mouse->profileImage(n), expected);
        }
        if (sensor == QLatin1String("3389"))
            QCOMPARE(int(table.highMask), 0b10000000); // only 16000 needs the ninth bit
        QCOMPARE(rig.profilesSent(), isGun ? (QList<int>{1, 2, 3, 4}) : QList<int>{1});
        // The mirror of the images the mouse did not receive is patched all the same.
        QCOMPARE(int(rig.view->protocol()->image(4)->enabledMask()), (1 << count) - 1);
    }

    // --- Lighting on the device ---

    void effect553IsOneCommand()
    {
        Rig rig(QStringLiteral("553"), true, false);
        rig.view->mouseSetRGBEffect(5, 2, 3);
        QCOMPARE(rig.mouse->lightingEffect(), bytes({5, 192, 5}));
        Rig simple(QStringLiteral("553"), false, false);
        simple.view->mouseSetRGBEffect(2, 0, 4);
        QCOMPARE(simple.mouse->lightingEffect(), bytes({3, 30, 2}));
        QCOMPARE(simple.features(0x0D).size(), 1);
    }

    void effect560GoesIntoTheImages_data()
    {
        QTest::addColumn<bool>("isColorful");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QByteArray>("image1");
        QTest::addColumn<QByteArray>("others");
        QTest::newRow("simple, no gun profiles") << false << false << bytes({1, 5, 3}) << QByteArray();
        QTest::newRow("simple gun mouse") << false << true << bytes({1, 5, 2}) << bytes({1, 5, 2});
        QTest::newRow("full-colour") << true << false << bytes({1, 128, 0}) << QByteArray();
        QTest::newRow("full-colour gun mouse")
            << true << true << bytes({1, 128, 0}) << bytes({1, 128, 0});
    }
    void effect560GoesIntoTheImages()
    {
        QFETCH(bool, isColorful);
        QFETCH(bool, isGun);
        QFETCH(QByteArray, image1);
        QFETCH(QByteArray, others);
        Rig rig(QStringLiteral("560"), isColorful, isGun);
        rig.view->mouseSetRGBEffect(0, 0, 2);
        QCOMPARE(rig.mouse->profileImage(1), patched(imagePattern(1), 71, image1));
        for (int n : {2, 3, 4}) {
            const QByteArray expected =
                others.isEmpty() ? imagePattern(n) : patched(imagePattern(n), 71, others);
            QCOMPARE(rig.mouse->profileImage(n), expected);
        }
        QCOMPARE(rig.mouse->profileImage(0), imagePattern(0));
        QCOMPARE(rig.profilesSent(), isGun ? (QList<int>{1, 2, 3, 4}) : QList<int>{1});
    }

    void colours553AreSentTwice()
    {
        Rig rig(QStringLiteral("553"), false, false);
        QVariantList colours;
        for (int i = 0; i < 24; ++i)
            colours << i * 11 + 1;
        rig.view->mouseSetRGBColor(1, colours);
        const QList<QByteArray> requests = rig.features(0x10);
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0], requests[1]);
        QList<QByteArray> blocks;
        for (const sim::Transfer &t : rig.mouse->transfers())
            if (t.kind == sim::TransferKind::Write)
                blocks << t.bytes;
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks[0], blocks[1]);
        QCOMPARE(rig.mouse->colourType(), 1);
        QCOMPARE(rig.mouse->colourTable(), bytes(lighting::colourTable(colours)));
    }

    void colours560GoIntoOneImage_data()
    {
        QTest::addColumn<bool>("isColorful");
        QTest::addColumn<int>("image");
        QTest::addColumn<int>("offset");
        QTest::newRow("full-colour") << true << 0 << 24;
        QTest::newRow("simple") << false << 1 << 104;
    }
    void colours560GoIntoOneImage()
    {
        QFETCH(bool, isColorful);
        QFETCH(int, image);
        QFETCH(int, offset);
        Rig rig(QStringLiteral("560"), isColorful, true);
        // A list that runs past the table: only 24 values are taken, each cut to a byte.
        QVariantList colours;
        for (int i = 0; i < 30; ++i)
            colours << 0x100 + i;
        rig.view->mouseSetRGBColor(isColorful ? 0 : 1, colours);
        QByteArray table;
        for (int i = 0; i < 24; ++i)
            table.append(char(i));
        for (int n = 0; n < 5; ++n) {
            const QByteArray expected =
                n == image ? patched(imagePattern(n), offset, table) : imagePattern(n);
            QCOMPARE(rig.mouse->profileImage(n), expected);
        }
        QCOMPARE(rig.profilesSent(), QList<int>{image});
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DpiLightTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_bridge_dpilight.moc"
