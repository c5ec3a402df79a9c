// Hostile values in a profile, met the way a user meets them: the profile is chosen from the top
// bar's list (as --profile does), the pages read it and send it. What the simulated mouse
// receives must be in range, a broken key entry must give way to the button's factory entry
// without being written over, and no file of the user's may shrink to nothing or vanish.
#include "base/sleep.h"
#include "support/scenehost.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTest>

namespace
{

using Lines = QMap<QString, QString>; // key -> raw INI text of the value; "" removes the key

// Writes raw values into an INI file (QSettings would quote or escape them).
void patchIni(const QString &path, const Lines &lines)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList out;
    QString section;
    QSet<QString> done;
    const QStringList in = QString::fromUtf8(file.readAll()).split('\n');
    file.close();
    for (const QString &line : in) {
        if (line.startsWith('[')) {
            section = line.mid(1, line.indexOf(']') - 1);
            out << line;
            continue;
        }
        const QString key = section + '/' + line.section('=', 0, 0);
        if (line.contains('=') && lines.contains(key)) {
            done.insert(key);
            if (!lines.value(key).isEmpty())
                out << line.section('=', 0, 0) + '=' + lines.value(key);
            continue;
        }
        out << line;
    }
    for (auto it = lines.cbegin(); it != lines.cend(); ++it)
        QVERIFY2(done.contains(it.key()) || it.value().isEmpty(), qPrintable(it.key()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(out.join('\n').toUtf8());
}

QMap<QString, qint64> fileSizes(const QString &dir)
{
    QMap<QString, qint64> sizes;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        sizes.insert(it.filePath(), it.fileInfo().size());
    }
    return sizes;
}

// Entry of button b in a matrix as the 553 firmware holds it: it keeps buttons 5 and 6 in each
// other's place.
QByteArray entry(const QByteArray &matrix, int b)
{
    const int held = b == 5 ? 6 : b == 6 ? 5 : b;
    return matrix.mid(4 * held, 4);
}

// The protocol's fixed pauses cost no time; the clock is in place before the window starts.
struct OnVirtualClock {
    base::VirtualClock clock;
};

class HostileScene : private OnVirtualClock, public testsupport::SceneHost
{
public:
    explicit HostileScene(const Lines &profile1, const Lines &global = {})
        : SceneHost([&](testsupport::ScratchTree &tree) {
              patchIni(tree.file("modules/setting/p2.bin"), profile1);
              if (!global.isEmpty())
                  patchIni(tree.file("modules/setting/apConfig.bin"), global);
              QSettings names(tree.file("modules/setting/name.bin"), QSettings::IniFormat);
              names.setValue(QStringLiteral("profile/profileName"),
                             QStringList{QStringLiteral("Standard0"), QStringLiteral("Hostile1")});
          }),
          before(fileSizes(tree.file("modules")))
    {
    }
    // Profile 1 chosen from the top bar's list, as the command line's --profile 2 does.
    bool chooseProfile1()
    {
        mouse->clearTransfers();
        widget->view()->chooseProfile(1);
        return QTest::qWaitFor(
            [this] {
                return widget->view()->getGlobalData(QStringLiteral("mouse/profileNo")).toInt() ==
                           1 &&
                       widget->view()->isEnabled() && !mouse->transfers().isEmpty();
            },
            4000);
    }
    QString profileText() const
    {
        QFile file(tree.file("modules/setting/p2.bin"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QMap<QString, qint64> before; // the files as the user left them
};

} // namespace

class HostileValuesTest : public QObject
{
    Q_OBJECT
private slots:
    // Broken entries of the key matrix: the mouse gets the button's factory entry (device form),
    // the other buttons their own, and the broken text stays in the file as the user left it.
    void brokenKeyEntriesSendTheFactoryEntry_data()
    {
        QTest::addColumn<QString>("value"); // raw text of mouseKeyMatrix/<button>, "" = missing
        QTest::addColumn<int>("button");
        QTest::addColumn<QByteArray>("expected"); // matrix 1 entry on the wire
        QTest::newRow("short") << "0, 0" << 3 << QByteArray::fromHex("0100f400");
        QTest::newRow("missing") << "" << 5 << QByteArray::fromHex("07000100");
        QTest::newRow("unknown type 0x9f") << "159, 0, 0, 0" << 4 << QByteArray::fromHex("0100f300");
        QTest::newRow("macro slot 201") << "4, 0, 201, 0" << 6 << QByteArray::fromHex("07000200");
        QTest::newRow("macro of another button") << "4, 0, 2, 0" << 6 << QByteArray::fromHex("07000200");
        QTest::newRow("DPI function 0x4d") << "5, 0, 77, 0" << 5 << QByteArray::fromHex("07000100");
        QTest::newRow("04 ff ff ff") << "4, 255, 255, 255" << 7 << QByteArray::fromHex("0af01e02");
        QTest::newRow("not numbers") << "a, b, c, d" << 2 << QByteArray::fromHex("0100f200");
        QTest::newRow("fire without a key") << "1, 0, 10, 0" << 1 << QByteArray::fromHex("0100f100");
        QTest::newRow("five values") << "0, 0, 240, 0, 9" << 0 << QByteArray::fromHex("0100f000");
    }
    void brokenKeyEntriesSendTheFactoryEntry()
    {
        QFETCH(QString, value);
        QFETCH(int, button);
        QFETCH(QByteArray, expected);
        const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(button);
        // A valid, non-factory entry on another button shows that the profile's own entries
        // still go out.
        const int other = button == 8 ? 9 : 8;
        HostileScene scene({{key, value},
                            {QStringLiteral("mouseKeyMatrix/%1").arg(other), "2, 1, 4, 0"}});
        QVERIFY(scene.ready());
        QVERIFY(scene.chooseProfile1());
        QCOMPARE(entry(scene.mouse->keyMatrix(1), button).toHex(), expected.toHex());
        QCOMPARE(entry(scene.mouse->keyMatrix(1), other).toHex(), QByteArray("00010400"));
        QCOMPARE(scene.log.lines().filter(QStringLiteral("button %1 has no usable entry").arg(button))
                     .size(),
                 1);

        QSettings file(scene.tree.file("modules/setting/p2.bin"), QSettings::IniFormat);
        if (value.isEmpty())
            QVERIFY(!file.contains(key));
        else
            QVERIFY2(scene.profileText().contains(QStringLiteral("\n%1=%2\n").arg(button).arg(value)),
                     qPrintable(scene.profileText()));
    }

    // Values out of the pages' ranges: the mouse gets the clamped or factory value.
    void outOfRangeValuesReachTheMouseInRange_data()
    {
        QTest::addColumn<Lines>("profile");
        QTest::addColumn<int>("rateCode");       // 553 01H
        QTest::addColumn<QByteArray>("dpiCodes"); // 553 11H, sensor 3360: v / 100 - 1
        const QByteArray factoryDpi = QByteArray::fromHex("03070f1f80808080");
        QTest::newRow("rate 9") << Lines{{"mouse/reportRate", "9"}} << 1 << factoryDpi;
        QTest::newRow("rate text") << Lines{{"mouse/reportRate", "fast"}} << 1 << factoryDpi;
        QTest::newRow("rate -1") << Lines{{"mouse/reportRate", "-1"}} << 1 << factoryDpi;
        QTest::newRow("rate 0 kept") << Lines{{"mouse/reportRate", "0"}} << 8 << factoryDpi;
        QTest::newRow("rate missing") << Lines{{"mouse/reportRate", ""}} << 1 << factoryDpi;
        // Stages above maxDPI (12000) and below minDPI (200); a stage that is no number takes
        // the factory stage; a 400-digit stage is no number.
        QTest::newRow("dpi beyond the limits")
            << Lines{{"mouse/dpiValueArray", "99999, 50, 1600, 3200, 4800, 6400, 8000, 12000"}}
            << 1 << QByteArray::fromHex("7701") + QByteArray::fromHex("0f1f80808080");
        QTest::newRow("dpi not numbers")
            << Lines{{"mouse/dpiValueArray", "x, " + QString(400, '9') + ", 1600, 3200, 4800, 6400, 8000, 12000"}}
            << 1 << factoryDpi;
        QTest::newRow("stage count 40") << Lines{{"mouse/currentDpiCount", "40"}} << 1
                                        << factoryDpi;
    }
    void outOfRangeValuesReachTheMouseInRange()
    {
        QFETCH(Lines, profile);
        QFETCH(int, rateCode);
        QFETCH(QByteArray, dpiCodes);
        HostileScene scene(profile);
        QVERIFY(scene.ready());
        QVERIFY(scene.chooseProfile1());
        QCOMPARE(scene.mouse->reportRate(), rateCode);
        QCOMPARE(scene.mouse->dpiTable().toHex(), dpiCodes.toHex());
        // The page shows what the mouse got.
        QObject *rates = scene.widget->view()->rootObject()->findChild<QObject *>("reportRateList");
        const int shown = rates->property("currentSelect").toInt();
        QCOMPARE(QList<int>({8, 4, 2, 1}).value(shown), rateCode);
        // No file of the user's vanished or became empty.
        const QMap<QString, qint64> after = fileSizes(scene.tree.file("modules"));
        for (auto it = scene.before.cbegin(); it != scene.before.cend(); ++it)
            QVERIFY2(after.value(it.key()) > 0 || it.value() == 0, qPrintable(it.key()));
    }
};

QTEST_MAIN(HostileValuesTest)
#include "test_scene_hostile_values.moc"
