// The simulated firmware through the hidapi surface: checksums, scrambling, data blocks, the
// get commands and the DPI button.
#include "base/sleep.h"
#include "sim/simdevice.h"

#include <QtTest>
#include <hidapi.h>

namespace
{

// A plain request: code and parameters, checksum at offset 8.
QByteArray request(const QList<int> &bytes)
{
    QByteArray report(9, '\0');
    int sum = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        report[1 + i] = char(bytes[i]);
        sum += bytes[i];
    }
    report[8] = char(255 - (sum & 0xff));
    return report;
}

class Link
{
public:
    explicit Link(sim::SimMouse *mouse) : dev(hid_open_path(mouse->commandPath().toLatin1()))
    {
        clock_.advance(100); // past the quiet time after the open
    }
    ~Link() { hid_close(dev); }

    int send(const QByteArray &report)
    {
        return hid_send_feature_report(dev, reinterpret_cast<const uchar *>(report.data()),
                                       size_t(report.size()));
    }
    QByteArray reply()
    {
        uchar buffer[9] = {};
        const int n = hid_get_feature_report(dev, buffer, 9);
        return n > 0 ? QByteArray(reinterpret_cast<char *>(buffer), n) : QByteArray();
    }
    // Sends a block in OUT reports of `chunk` data bytes, zero-padded.
    void write(const QByteArray &block, int chunk)
    {
        for (int offset = 0; offset < block.size(); offset += chunk) {
            QByteArray report = QByteArray(1, '\0') + block.mid(offset, chunk);
            report.append(QByteArray(chunk + 1 - report.size(), '\0'));
            QCOMPARE(hid_write(dev, reinterpret_cast<const uchar *>(report.data()),
                               size_t(report.size())),
                     chunk + 1);
        }
    }
    QList<QByteArray> readAll()
    {
        QList<QByteArray> reports;
        uchar buffer[65];
        for (int n; (n = hid_read_timeout(dev, buffer, sizeof buffer, 0)) > 0;)
            reports.append(QByteArray(reinterpret_cast<char *>(buffer), n));
        return reports;
    }

    hid_device *dev;

private:
    base::VirtualClock clock_;
};

QByteArray pattern(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(seed + 7 * i);
    return bytes;
}

sim::MouseConfig config(const char *family, int reportLength = 32)
{
    sim::MouseConfig c;
    c.family = QString::fromLatin1(family);
    c.reportLength = reportLength;
    return c;
}

} // namespace

class TestSimFirmware : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { sim::detachAll(); }

    void badChecksumIsCountedAndIgnored()
    {
        sim::SimMouse *mouse = sim::attachMouse(config("553"));
        Link link(mouse);
        QByteArray bad = request({0x01, 4});
        bad[8] = char(bad[8] + 1);
        QCOMPARE(link.send(bad), 9);
        QCOMPARE(mouse->badChecksums(), 1);
        QCOMPARE(mouse->reportRate(), 1);
        QCOMPARE(link.reply(), QByteArray(9, '\0'));

        QCOMPARE(link.send(request({0x01, 4})), 9);
        QCOMPARE(mouse->reportRate(), 4);
        QCOMPARE(mouse->badChecksums(), 1);
        QCOMPARE(link.send(request({0x8C, 1})), 9); // a 560 command on a 553 mouse
        QCOMPARE(mouse->unknownRequests(), 1);
    }

    void scrambledHandshakeEchoes()
    {
        // Body 00 12 34 56 78 00 00 EB scrambled with the code "527361", worked out by hand.
        const QByteArray scrambled = QByteArray::fromHex("0067848d8ffddaed36");
        sim::MouseConfig encoded = config("553");
        encoded.isEncode = true;
        sim::SimMouse *mouse = sim::attachMouse(encoded);
        {
            Link link(mouse);
            QCOMPARE(link.send(scrambled), 9);
            QCOMPARE(link.reply(), scrambled); // the echo, scrambled the same way
            QCOMPARE(mouse->badChecksums(), 0);
        }

        // A mouse with another code reads garbage and answers nothing.
        encoded.secrecyCode = "123456";
        sim::SimMouse *other = sim::attachMouse(encoded);
        Link link(other);
        link.send(scrambled);
        QCOMPARE(other->badChecksums(), 1);
        QVERIFY(link.reply() != scrambled);
    }

    void blocksAreAssembledAcrossChunks_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::newRow("32") << 32;
        QTest::newRow("64") << 64;
    }
    void blocksAreAssembledAcrossChunks()
    {
        QFETCH(int, reportLength);
        sim::SimMouse *mouse = sim::attachMouse(config("553", reportLength));
        Link link(mouse);

        const QByteArray macro = pattern(128, 3);
        link.send(request({0x13, 12, 0x80}));
        link.write(macro.left(64), reportLength);
        QCOMPARE(mouse->macro(12), QByteArray(128, '\0')); // not applied before the last byte
        link.write(macro.mid(64), reportLength);
        QCOMPARE(mouse->macro(12), macro);

        const QByteArray matrix = pattern(64, 9);
        link.send(request({0x12, 3, 0x40, 8}));
        link.write(matrix, reportLength);
        QCOMPARE(mouse->keyMatrix(3), matrix); // kept exactly as received

        link.send(request({0x11, 3, 8}));
        link.write(QByteArray::fromHex("0102030480808080"), reportLength);
        QCOMPARE(mouse->dpiTable(), QByteArray::fromHex("0102030480808080"));
        QCOMPARE(mouse->dpiStageCount(), 3);

        link.send(request({0x10, 2, 4}));
        link.write(QByteArray::fromHex("aabbccdd"), reportLength);
        QCOMPARE(mouse->colourTable(), QByteArray::fromHex("aabbccdd"));
        QCOMPARE(mouse->colourType(), 2);

        // A new request abandons a block still being collected.
        link.send(request({0x13, 1, 0x80}));
        link.write(pattern(32, 1), 32);
        link.send(request({0x01, 2}));
        link.write(pattern(128, 1), reportLength);
        QCOMPARE(mouse->macro(1), QByteArray(128, '\0'));
    }

    void profilesOfThe560Family_data() { blocksAreAssembledAcrossChunks_data(); }
    void profilesOfThe560Family()
    {
        QFETCH(int, reportLength);
        sim::SimMouse *mouse = sim::attachMouse(config("560", reportLength));
        Link link(mouse);
        const QByteArray factory = mouse->profileImage(3);
        QVERIFY(!factory.contains('\0'));

        const QByteArray image = pattern(128, 5);
        link.send(request({0x0C, 3, 0x80}));
        link.write(image, reportLength);
        QCOMPARE(mouse->profileImage(3), image);
        QCOMPARE(mouse->profileImage(2), factoryProfileImageOf(mouse, 2));

        link.send(request({0x8C, 3}));
        const QList<QByteArray> reports = link.readAll();
        QCOMPARE(reports.size(), 128 / reportLength);
        QCOMPARE(reports.join(), image);

        link.send(request({0x0D, 2, 0x80}));
        link.write(pattern(64, 1) + QByteArray(64, '\0'), reportLength);
        QCOMPARE(mouse->keyMatrix(2), pattern(64, 1));
    }

    void getCommandsAnswerFromState()
    {
        sim::SimMouse *m553 = sim::attachMouse(config("553"));
        {
            Link link(m553);
            link.send(request({0x03, 1, 2, 3, 0x44}));
            link.send(request({0x83}));
            QCOMPARE(link.reply(), request({0x83, 1, 2, 3, 0x44}));
            link.send(request({0x0B, 5}));
            link.send(request({0x8B}));
            QCOMPARE(link.reply().at(2), char(5));
            link.send(request({0x04, 0, 10, 20, 30, 2}));
            QCOMPARE(m553->gunData(2), QByteArray::fromHex("0a141e02"));
        }
        sim::SimMouse *m560 = sim::attachMouse(config("560"));
        Link link(m560);
        for (int p = 1; p <= 4; ++p)
            link.send(request({0x04, p, 3}));
        link.send(request({0x03, 1, 8}));
        QCOMPARE(m560->currentStage(), 3);
        QCOMPARE(m560->profileReportRate(1), 8);
        QCOMPARE(m560->profileReportRate(2), 1);
        link.send(request({0x84, 1}));
        QCOMPARE(link.reply(), request({0x84, 1, 3}));
        link.send(request({0x02, 2}));
        link.send(request({0x82}));
        QCOMPARE(link.reply(), request({0x82, 2}));
        link.send(request({0x01, 0x09, 0x01}));
        link.send(request({0x81}));
        QCOMPARE(link.reply(), request({0x81, 0x09, 0x01}));
    }

    void dpiButtonCyclesTheEnabledStages()
    {
        sim::SimMouse *mouse = sim::attachMouse(config("553"));
        hid_device *events = hid_open_path(mouse->eventPath().toLatin1());
        Link link(mouse);
        link.send(request({0x11, 3, 8}));
        link.write(QByteArray::fromHex("0102038080808080"), 32);
        QList<int> stages;
        uchar buffer[4];
        for (int i = 0; i < 4; ++i) {
            mouse->pressDpiButton();
            QCOMPARE(hid_read_timeout(events, buffer, 4, 0), 4);
            QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), 3),
                     QByteArray::fromHex("060700"));
            stages.append(buffer[3]);
        }
        QCOMPARE(stages, QList<int>({2, 3, 1, 2}));
        hid_close(events);
    }

private:
    static QByteArray factoryProfileImageOf(sim::SimMouse *, int profile)
    {
        QByteArray image(128, '\0');
        for (int i = 0; i < 128; ++i)
            image[i] = char(0x11 * (profile + 1) + i);
        image.replace(84, 8, QByteArray::fromHex("03070f1f80808080"));
        image.replace(92, 8, QByteArray::fromHex("03070f1f80808080"));
        image[100] = 0x0f;
        return image;
    }
};

QTEST_GUILESS_MAIN(TestSimFirmware)
#include "test_sim_firmware.moc"
