// Values read from the user's files, as the pages get them from the bridge: gun presets, macro
// delays and repeat counts, the gun slots' presets, the profile number and the DPI limits are
// held to the ranges the pages allow, and a number no integer holds never reaches the mouse.
// Also the name list: written only when it changes, after its .bad copy when it is malformed.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "settingsfiles.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <limits>
#include <memory>

class FileValuesTest : public QObject
{
    Q_OBJECT

private slots:
    void gunPresetsAreHeldToThePageLimits_data()
    {
        QTest::addColumn<QByteArray>("stored");   // value of gunData/0
        QTest::addColumn<QStringList>("numbers"); // period, X, Y, times as the page gets them
        QTest::newRow("in range") << QByteArray("M416, L-Click, 12, 3, 40, 7")
                                  << QStringList{"12", "3", "40", "7"};
        QTest::newRow("too large") << QByteArray("M416, L-Click, 500, 99, 300, 999")
                                   << QStringList{"99", "64", "64", "255"};
        QTest::newRow("negative") << QByteArray("M416, L-Click, -4, -1, -9, -2")
                                  << QStringList{"1", "0", "0", "0"};
        QTest::newRow("no numbers") << QByteArray("M416, L-Click, fast, x, 1e3, " + QByteArray(400, '9'))
                                    << QStringList{"10", "0", "10", "0"};
    }
    void gunPresetsAreHeldToThePageLimits()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, numbers);
        testsupport::ScratchTree tree;
        writeBytes(QStringLiteral("./modules/gun/gunData.bin"), "[gunData]\n0=" + stored + "\n");
        myQQuickView view;
        const QVariantList entry = view.getGunData(0);
        QCOMPARE(entry.size(), 6);
        QCOMPARE(entry.value(0).toString(), QStringLiteral("M416"));
        QStringList got;
        for (int i = 2; i < 6; ++i)
            got << entry.at(i).toString();
        QCOMPARE(got, numbers);
    }

    void macroDelaysAndRepeatAreHeldToTheEditorLimits_data()
    {
        QTest::addColumn<QByteArray>("macro");
        QTest::addColumn<QStringList>("loaded");
        const QByteArray head = "[config]\ntotal=3\n";
        QTest::newRow("in range") << head + "repeat=3\n[macro]\n0=\"1,A\"\n1=\"0,50\"\n2=\"2,A\"\n"
                                  << QStringList{"1,A", "0,50", "2,A", "3"};
        QTest::newRow("delay and repeat too large")
            << head + "repeat=99999\n[macro]\n0=\"1,A\"\n1=\"0,70000\"\n2=\"2,A\"\n"
            << QStringList{"1,A", "0,65535", "2,A", "65535"};
        QTest::newRow("400-digit delay is dropped")
            << head + "repeat=0\n[macro]\n0=\"1,A\"\n1=\"0," + QByteArray(400, '9') + "\"\n2=\"2,A\"\n"
            << QStringList{"1,A", "2,A", "1"};
        QTest::newRow("delay no number") << head + "repeat=x\n[macro]\n0=\"0,soon\"\n1=\"0,-5\"\n"
                                         << QStringList{"0,0", "0", "1"};
    }
    void macroDelaysAndRepeatAreHeldToTheEditorLimits()
    {
        QFETCH(QByteArray, macro);
        QFETCH(QStringList, loaded);
        testsupport::ScratchTree tree;
        writeBytes(QStringLiteral("./modules/macro/M.bin"), macro);
        testsupport::LogCapture log;
        myQQuickView view;
        QCOMPARE(view.loadMacroIni(QStringLiteral("M")), loaded);
        view.loadMacroIni(QStringLiteral("M"));
        QCOMPARE(log.lines().filter(QStringLiteral("M.bin: values")).size(),
                 QTest::currentDataTag() == QByteArray("in range") ? 0 : 1);
    }

    // A macro block with numbers no byte holds (what the editor builds from a delay that is no
    // number) reaches the mouse with those bytes 0; the sanitizer run checks the casts.
    void numbersNoIntegerHoldsAreSentAsZero()
    {
        testsupport::ScratchTree tree;
        sim::SimMouse *mouse = sim::attachMouse(sim::MouseConfig());
        auto widget = std::make_unique<Widget>();
        widget->checkDevice();
        QVERIFY(widget->hid.listenRunning);
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        widget->view()->mouseSendMacroData({0, 1, nan, 0x04, inf, 0x04, 1e300, 0x04, -inf, 7, 0, 0},
                                           3);
        QCOMPARE(mouse->macro(4).left(12).toHex(), QByteArray("000100040004000400070000"));
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }

    void globalChoicesAreHeldToTheirLists_data()
    {
        QTest::addColumn<QByteArray>("lines"); // [mouse] lines of apConfig.bin
        QTest::addColumn<QVariantList>("guns");
        QTest::addColumn<int>("profileNo");
        QTest::addColumn<QVariantList>("dpiLimits");
        QTest::newRow("as stored") << QByteArray("selectGun=3, 4, 5\nprofileNo=2\nminDPI=400\nmaxDPI=8000")
                                   << QVariantList{3, 4, 5} << 2 << QVariantList{400, 8000};
        QTest::newRow("out of range")
            << QByteArray("selectGun=9, -1, 543\nprofileNo=12\nminDPI=1\nmaxDPI=99999")
            << QVariantList{0, 1, 2} << 0 << QVariantList{200, 12000};
        QTest::newRow("one text") << QByteArray("selectGun=5\nprofileNo=x\nminDPI=9000\nmaxDPI=800")
                                  << QVariantList{0, 1, 2} << 0 << QVariantList{9000, 9000};
        QTest::newRow("missing") << QByteArray() << QVariantList{0, 1, 2} << 0
                                 << QVariantList{200, 12000};
    }
    void globalChoicesAreHeldToTheirLists()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QVariantList, guns);
        QFETCH(int, profileNo);
        QFETCH(QVariantList, dpiLimits);
        testsupport::ScratchTree tree;
        QByteArray global = bytesOf(settingFile(QStringLiteral("apConfig.bin")));
        for (const char *key : {"selectGun=", "profileNo=", "minDPI=", "maxDPI="}) {
            const int at = global.indexOf(QByteArray("\n") + key);
            QVERIFY(at >= 0);
            global.remove(at + 1, global.indexOf('\n', at + 1) - at);
        }
        global.replace("[mouse]\n", "[mouse]\n" + lines + "\n");
        writeBytes(settingFile(QStringLiteral("apConfig.bin")), global);
        myQQuickView view;
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/selectGun")).toList(), guns);
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), profileNo);
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/minDPI")).toInt(), dpiLimits.at(0).toInt());
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/maxDPI")).toInt(), dpiLimits.at(1).toInt());
    }

    void theNameListIsWrittenOnlyWhenItChanges()
    {
        testsupport::ScratchTree tree;
        const QString names = settingFile(QStringLiteral("name.bin"));
        const QByteArray malformed = "[macro]\nmacroName=A, B\n[gun\ngunName=x, y\n";
        writeBytes(names, malformed);
        myQQuickView view;
        // The same list again: the file, malformed or not, is left alone.
        view.updataNameList(0, {QStringLiteral("A"), QStringLiteral("B")});
        QCOMPARE(bytesOf(names), malformed);
        // A new list: the unparsable file is kept as name.bin.bad first.
        view.updataNameList(0, {QStringLiteral("A")});
        QCOMPARE(bytesOf(names + QStringLiteral(".bad")), malformed);
        QCOMPARE(view.getNameList(0), (QVariantList{"A", "loadermarlow"}));
    }

    // Exporting a macro whose file is gone says why, without asking for a target.
    void exportingAMissingMacroSaysWhy()
    {
        testsupport::ScratchTree tree;
        int dialogs = 0;
        QStringList shown;
        platform::setFileDialogHandler([&](bool, const QString &, const QString &, const QString &) {
            ++dialogs;
            return tree.file(QStringLiteral("out.mc"));
        });
        platform::setWarningBoxHandler([&](const QString &, const QString &text) { shown << text; });
        myQQuickView view;
        view.saveMacroFile(QStringLiteral("Gone"));
        platform::setFileDialogHandler({});
        platform::setWarningBoxHandler({});
        QCOMPARE(shown, QStringList{"The macro file is missing: there is nothing to export."});
        QCOMPARE(dialogs, 0);
        QVERIFY(!QFile::exists(tree.file(QStringLiteral("out.mc"))));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    FileValuesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_bridge_file_values.moc"
