// The simulated hidapi: enumeration, the hidraw kernel model and the injected faults.
#include "base/sleep.h"
#include "sim/simdevice.h"

#include <QtTest>
#include <hidapi.h>

#include <atomic>
#include <thread>

namespace
{

struct Record {
    QString path;
    quint16 vid, pid, usagePage, usage;
    int interfaceNumber;
};

QList<Record> enumerate(quint16 vid, quint16 pid)
{
    QList<Record> records;
    hid_device_info *list = hid_enumerate(vid, pid);
    for (hid_device_info *info = list; info; info = info->next)
        records.append({QString::fromLatin1(info->path), info->vendor_id, info->product_id,
                        info->usage_page, info->usage, info->interface_number});
    hid_free_enumeration(list);
    return records;
}

hid_device *open(const QString &path)
{
    return hid_open_path(path.toLatin1().constData());
}

// Reads whatever is queued, without waiting.
QByteArray readNow(hid_device *dev)
{
    unsigned char buffer[128] = {};
    const int n = hid_read_timeout(dev, buffer, sizeof buffer, 0);
    return n > 0 ? QByteArray(reinterpret_cast<char *>(buffer), n) : QByteArray();
}

QByteArray request(quint8 code, quint8 p1 = 0)
{
    QByteArray report(9, '\0');
    report[1] = char(code);
    report[2] = char(p1);
    report[8] = char(255 - ((code + p1) & 0xff));
    return report;
}

int send(hid_device *dev, const QByteArray &report)
{
    return hid_send_feature_report(dev, reinterpret_cast<const unsigned char *>(report.data()),
                                   size_t(report.size()));
}

} // namespace

class TestSimHidapi : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        sim::setDeviceChangeCallback(nullptr);
        sim::detachAll();
    }

    void enumerationListsEachInterfaceAndFilters()
    {
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        sim::SimMouse *keyboard = sim::attachKeyboard(0x1209, 0x0002);
        sim::MouseConfig plain;
        plain.vid = 0x2000;
        plain.hasEventInterface = false;
        sim::SimMouse *single = sim::attachMouse(plain);

        QCOMPARE(enumerate(0, 0).size(), 5);
        const QList<Record> keyboards = enumerate(0x1209, 0x0002);
        QCOMPARE(keyboards.size(), 2);
        QCOMPARE(keyboards[0].path, keyboard->commandPath());
        QCOMPARE(keyboards[0].usagePage, quint16(0xff01));
        QCOMPARE(keyboards[0].usage, quint16(0x0001));
        QCOMPARE(keyboards[1].path, keyboard->eventPath());
        QCOMPARE(keyboards[1].usagePage, quint16(0xff02));
        QCOMPARE(keyboards[1].interfaceNumber, 1);

        const QList<Record> byVendor = enumerate(0x1209, 0);
        QCOMPARE(byVendor.size(), 4);
        QCOMPARE(byVendor[0].path, mouse->commandPath());
        QCOMPARE(byVendor[0].usagePage, quint16(0xff00));
        QCOMPARE(byVendor[1].path, mouse->eventPath());
        QCOMPARE(byVendor[1].usage, quint16(0xff01));
        QVERIFY(mouse->commandPath() != keyboard->commandPath());

        const QList<Record> byProduct = enumerate(0, 0x0001);
        QCOMPARE(byProduct.size(), 3); // the mouse and the one-interface device share the pid
        QCOMPARE(enumerate(0x2000, 0).size(), 1);
        QVERIFY(single->eventPath().isEmpty());
        QVERIFY(enumerate(0x1209, 0x0003).isEmpty());
    }

    void inputIsQueuedOnlyForOpenHandlesAfterTheQuietTime()
    {
        base::VirtualClock clock;
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        const QByteArray event = QByteArray::fromHex("06070003");

        mouse->sendEventReport(event); // no handle: lost
        hid_device *dev = open(mouse->eventPath());
        QVERIFY(dev);
        mouse->sendEventReport(event); // at the open
        clock.advance(49);
        mouse->sendEventReport(event); // still inside the 50 ms
        QVERIFY(readNow(dev).isEmpty());
        clock.advance(1);
        mouse->sendEventReport(event);
        QCOMPARE(readNow(dev), event);
        QVERIFY(readNow(dev).isEmpty());

        // Closed in between: what arrived meanwhile is gone, the reopen starts empty.
        hid_close(dev);
        clock.advance(100);
        mouse->pressDpiButton();
        dev = open(mouse->eventPath());
        clock.advance(100);
        QVERIFY(readNow(dev).isEmpty());
        mouse->pressDpiButton();
        QCOMPARE(readNow(dev), QByteArray::fromHex("06070003"));
        hid_close(dev);
        QCOMPARE(mouse->openHandles(mouse->eventPath()), 0);
    }

    void profileImageIsLostByReopeningAndReadOnAKeptHandle()
    {
        base::VirtualClock clock;
        sim::MouseConfig config;
        config.family = QStringLiteral("560");
        sim::SimMouse *mouse = sim::attachMouse(config);

        // Reopening for every call: the image arrives on a handle that is about to close.
        hid_device *dev = open(mouse->commandPath());
        clock.advance(100);
        QCOMPARE(send(dev, request(0x8C, 2)), 9);
        hid_close(dev);
        dev = open(mouse->commandPath());
        clock.advance(100);
        QVERIFY(readNow(dev).isEmpty());

        // The same handle kept open: four reports of 32 bytes make the image.
        QCOMPARE(send(dev, request(0x8C, 2)), 9);
        QByteArray image;
        for (QByteArray chunk = readNow(dev); !chunk.isEmpty(); chunk = readNow(dev)) {
            QCOMPARE(chunk.size(), 32);
            image += chunk;
        }
        QCOMPARE(image, mouse->profileImage(2));
        hid_close(dev);
    }

    void failedTransfersAreCountedAndNotRecorded()
    {
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        hid_device *dev = open(mouse->commandPath());
        mouse->clearTransfers();
        mouse->failNextTransfers(2);
        QCOMPARE(send(dev, request(0x01, 4)), -1);
        unsigned char reply[9] = {};
        QCOMPARE(hid_get_feature_report(dev, reply, 9), -1);
        QCOMPARE(mouse->reportRate(), 1);
        QCOMPARE(send(dev, request(0x01, 4)), 9);
        QCOMPARE(mouse->reportRate(), 4);
        const QList<sim::Transfer> log = mouse->transfers();
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].kind, sim::TransferKind::FeatureOut);
        QCOMPARE(log[0].bytes, request(0x01, 4));

        // A failure aimed at the event interface leaves the command interface alone.
        mouse->failNextTransfersOn(mouse->eventPath(), 1);
        QCOMPARE(send(dev, request(0x01, 2)), 9);
        hid_device *events = open(mouse->eventPath());
        unsigned char buffer[4];
        QCOMPARE(hid_read_timeout(events, buffer, 4, 0), -1);
        QCOMPARE(hid_read_timeout(events, buffer, 4, 0), 0);
        hid_close(events);
        hid_close(dev);
    }

    void refusedOpenAndSilentDevice()
    {
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        mouse->setOpenFails(true);
        QVERIFY(!open(mouse->commandPath()));
        QCOMPARE(mouse->transfers().last().kind, sim::TransferKind::OpenFailed);
        mouse->setOpenFails(false);

        hid_device *dev = open(mouse->commandPath());
        mouse->setSilent(true);
        QCOMPARE(send(dev, request(0x01, 8)), 9);
        unsigned char reply[9] = {};
        QCOMPARE(hid_get_feature_report(dev, reply, 9), -1);
        QCOMPARE(mouse->reportRate(), 1);
        QCOMPARE(hid_read_timeout(dev, reply, 9, 20), 0);
        mouse->setSilent(false);
        QCOMPARE(send(dev, request(0x01, 8)), 9);
        QCOMPARE(hid_get_feature_report(dev, reply, 9), 9);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(reply), 9), request(0x01, 8));
        hid_close(dev);
    }

    void unplugWakesABlockedReadAndPlugRestoresThePaths()
    {
        std::atomic<int> changes{0};
        sim::setDeviceChangeCallback([&changes] { ++changes; });
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        QCOMPARE(changes.load(), 1);
        hid_device *events = open(mouse->eventPath());
        hid_device *commands = open(mouse->commandPath());

        std::atomic<int> result{1};
        std::thread reader([&] {
            unsigned char buffer[4];
            result = hid_read(events, buffer, 4); // blocking
        });
        QThread::msleep(50);
        QCOMPARE(result.load(), 1);
        QElapsedTimer timer;
        timer.start();
        mouse->unplug();
        reader.join();
        QCOMPARE(result.load(), -1);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(changes.load(), 2);

        QVERIFY(enumerate(0, 0).isEmpty());
        QVERIFY(!open(mouse->commandPath()));
        QCOMPARE(send(commands, request(0x01, 4)), -1);

        mouse->plug();
        QCOMPARE(changes.load(), 3);
        const QList<Record> records = enumerate(0, 0);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].path, mouse->commandPath());
        QCOMPARE(send(commands, request(0x01, 4)), -1); // handles from before stay dead
        hid_device *fresh = open(mouse->commandPath());
        QCOMPARE(send(fresh, request(0x01, 4)), 9);
        QCOMPARE(mouse->reportRate(), 4);
        hid_close(fresh);
        hid_close(commands);
        hid_close(events);
    }

    void closeWakesAReadWaitingOnTheSameHandle()
    {
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        hid_device *events = open(mouse->eventPath());
        std::atomic<int> result{1};
        std::thread reader([&] {
            unsigned char buffer[4];
            result = hid_read_timeout(events, buffer, 4, 5000);
        });
        QThread::msleep(50);
        hid_close(events);
        reader.join();
        QCOMPARE(result.load(), -1);
        QCOMPARE(mouse->openHandles(mouse->eventPath()), 0);
    }

    void readTimeoutWaitsInRealTime()
    {
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        hid_device *events = open(mouse->eventPath());
        QThread::msleep(60);
        std::thread button([mouse] {
            QThread::msleep(100);
            mouse->pressDpiButton();
        });
        unsigned char buffer[4] = {};
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(hid_read_timeout(events, buffer, 4, 2000), 4);
        button.join();
        QVERIFY(timer.elapsed() >= 80 && timer.elapsed() < 1500);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), 4), QByteArray::fromHex("06070002"));
        timer.restart();
        QCOMPARE(hid_read_timeout(events, buffer, 4, 150), 0);
        QVERIFY(timer.elapsed() >= 140);
        hid_close(events);
    }
};

QTEST_GUILESS_MAIN(TestSimHidapi)
#include "test_sim_hidapi.moc"
