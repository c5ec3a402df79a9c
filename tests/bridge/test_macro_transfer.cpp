// Macro blocks and gun data as the simulated mouse receives and keeps them, and the export and
// import of single macro files through the file dialogs.
#include "app/widget.h"
#include "base/sleep.h"
#include "bridge/macrolibrary.h"
#include "bridge/myqquickview.h"
#include "platform/dialogs.h"
#include "settingsfiles.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <memory>

namespace
{

// A connected mouse of the given family behind a real host widget and view.
struct Connected {
    base::VirtualClock clock; // the protocol's fixed pauses cost no time
    testsupport::ScratchTree tree;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;

    Connected(const QString &family, bool isGun)
    {
        {
            QSettings global(settingFile(QStringLiteral("apConfig.bin")), QSettings::IniFormat);
            global.setValue(QStringLiteral("mouse/icType"), family);
            global.setValue(QStringLiteral("mouse/isGun"), isGun);
        }
        sim::MouseConfig config;
        config.family = family;
        mouse = sim::attachMouse(config);
        widget = std::make_unique<Widget>();
        widget->checkDevice();
    }
    ~Connected()
    {
        widget.reset();
        sim::detachAll();
    }
    myQQuickView *view() const { return widget->view(); }
};

QByteArray padded(const QByteArray &head)
{
    return head + QByteArray(128 - head.size(), '\0');
}

QVariantList values(const QList<double> &list)
{
    QVariantList result;
    for (double v : list)
        result << v;
    return result;
}

// Answers the next file dialog with path and records what it was asked.
struct DialogAnswer {
    QString title, filter;
    int asked = 0;
    explicit DialogAnswer(const QString &path)
    {
        platform::setFileDialogHandler(
            [this, path](bool, const QString &t, const QString &, const QString &f) {
                title = t;
                filter = f;
                ++asked;
                return path;
            });
    }
    ~DialogAnswer() { platform::setFileDialogHandler({}); }
};

} // namespace

class MacroTransferTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { sim::detachAll(); }

    void theMouseHoldsTheBlockInSlotPlusOne_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("wireSlot");
        QTest::newRow("553 slot 0") << "553" << 0 << 1;
        QTest::newRow("553 slot 11") << "553" << 11 << 12;
        QTest::newRow("560 slot 0") << "560" << 0 << 1;
        QTest::newRow("560 slot 11") << "560" << 11 << 12;
    }
    void theMouseHoldsTheBlockInSlotPlusOne()
    {
        QFETCH(QString, family);
        QFETCH(int, slot);
        QFETCH(int, wireSlot);
        Connected c(family, false);
        // Low 8 bits of each value; a press timing with a fraction sends its integer part.
        const QVariantList block = values({0, 1, 12.5, 4, 0x181, 4, 0, 0});
        QCOMPARE(c.view()->mouseSendMacroData(block, slot), QVariant(true));
        QCOMPARE(c.mouse->macro(wireSlot),
                 padded(QByteArray::fromHex("00010c0481040000")));
        for (int other = 1; other <= 12; ++other)
            if (other != wireSlot)
                QCOMPARE(c.mouse->macro(other), QByteArray(128, '\0'));
    }

    void slotsAboveElevenAndLongListsSendNothingPastTheLimit()
    {
        Connected c(QStringLiteral("553"), false);
        c.mouse->clearTransfers();
        QCOMPARE(c.view()->mouseSendMacroData(values({0, 1}), 12), QVariant(true));
        QCOMPARE(c.view()->mouseSendMacroData(values({0, 1}), 255), QVariant(true));
        QVERIFY(c.mouse->transfers().isEmpty());

        // Slot 256 is slot 0 once cut to 8 bits; values past 128 are dropped.
        QVariantList many;
        for (int i = 0; i < 200; ++i)
            many << (i + 1);
        QCOMPARE(c.view()->mouseSendMacroData(many, 256), QVariant(true));
        QByteArray expected;
        for (int i = 0; i < 128; ++i)
            expected += char(i + 1);
        QCOMPARE(c.mouse->macro(1), expected);
    }

    void gunDataOnA560MouseChangesItsImageOnly()
    {
        Connected c(QStringLiteral("560"), true);
        QByteArray before[5];
        for (int n = 0; n < 5; ++n)
            before[n] = c.mouse->profileImage(n);
        QVERIFY(quint8(before[2][65]) & 0x04);

        c.view()->mouseSendGundata(2, {7, -2, 300});
        QByteArray expected = before[2];
        expected[78] = char(0xF0);
        expected[79] = 7;
        expected[80] = char(0xFE);
        expected[81] = char(300 & 0xff);
        expected[65] = char(quint8(expected[65]) & ~0x04);
        QCOMPARE(c.mouse->profileImage(2), expected);
        for (int n : {0, 1, 3, 4})
            QCOMPARE(c.mouse->profileImage(n), before[n]);

        // Slots outside 1..3 have no image.
        c.mouse->clearTransfers();
        c.view()->mouseSendGundata(0, {1, 1, 1});
        c.view()->mouseSendGundata(4, {1, 1, 1});
        QVERIFY(c.mouse->transfers().isEmpty());
    }

    void gunDataOnA553MouseFollowsTheThirdOption_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<int>("gunSlot");
        QTest::addColumn<QByteArray>("held");
        QTest::newRow("option clear") << QByteArray::fromHex("10000001") << 1
                                      << QByteArray::fromHex("05020300");
        QTest::newRow("option set") << QByteArray::fromHex("10000101") << 1
                                    << QByteArray::fromHex("0502fd00");
        QTest::newRow("slot 3") << QByteArray::fromHex("10000101") << 3
                                << QByteArray::fromHex("0502fd02");
    }
    void gunDataOnA553MouseFollowsTheThirdOption()
    {
        QFETCH(QByteArray, options);
        QFETCH(int, gunSlot);
        QFETCH(QByteArray, held);
        Connected c(QStringLiteral("553"), true);
        c.mouse->setKeyboardOptions(options);
        c.view()->mouseSendGundata(gunSlot, {5, 2, 3});
        QCOMPARE(c.mouse->gunData(gunSlot - 1), held);
    }

    void gunDataForAMouseWithoutGunsIsDropped()
    {
        for (const QString &family : {QStringLiteral("553"), QStringLiteral("560")}) {
            Connected c(family, false);
            c.mouse->clearTransfers();
            c.view()->mouseSendGundata(1, {5, 2, 3});
            QVERIFY2(c.mouse->transfers().isEmpty(), qPrintable(family));
            sim::detachAll();
        }
    }

    void macroFilesAreExportedAndImportedAsBytes()
    {
        Connected c(QStringLiteral("553"), false);
        myQQuickView *view = c.view();
        QVERIFY(view->createMacroIni(QStringLiteral("Mine"), 0).toBool());
        QVERIFY(view->saveMacroIni(QStringLiteral("Mine"), {"1,A", "2,A"}, 2).toBool());
        const QString exported = c.tree.file(QStringLiteral("out.mc"));
        writeBytes(exported, "old content that is longer than the macro file itself.......");
        {
            DialogAnswer answer(exported);
            view->saveMacroFile(QStringLiteral("Mine"));
            QCOMPARE(answer.title, QStringLiteral("Save File"));
            QCOMPARE(answer.filter, QStringLiteral("Macro(*.mc)"));
        }
        const QByteArray bytes = bytesOf(QStringLiteral("./modules/macro/Mine.bin"));
        QCOMPARE(bytesOf(exported), bytes);

        {
            DialogAnswer answer(exported);
            QVERIFY(view->loadMacroFile(QStringLiteral("Macro_1")));
            QCOMPARE(answer.title, QStringLiteral("Open File"));
        }
        QCOMPARE(bytesOf(QStringLiteral("./modules/macro/Macro_1.bin")), bytes);
        QCOMPARE(view->loadMacroIni(QStringLiteral("Macro_1")), (QStringList{"1,A", "2,A", "2"}));
    }

    void aFailedImportAnswersFalse()
    {
        Connected c(QStringLiteral("553"), false);
        myQQuickView *view = c.view();
        QStringList warnings;
        platform::setWarningBoxHandler(
            [&warnings](const QString &, const QString &text) { warnings << text; });
        const QString source = c.tree.file(QStringLiteral("in.mc"));
        writeBytes(source, "[config]\ntotal=0\n");
        QVERIFY(view->createMacroIni(QStringLiteral("Taken"), 0).toBool());
        const QByteArray taken = bytesOf(QStringLiteral("./modules/macro/Taken.bin"));
        {
            DialogAnswer cancel{QString()};
            QVERIFY(!view->loadMacroFile(QStringLiteral("Macro_0")));
        }
        {
            DialogAnswer answer(source);
            // An existing macro is never overwritten, a refused name never written.
            QVERIFY(!view->loadMacroFile(QStringLiteral("Taken")));
            QVERIFY(!view->loadMacroFile(QStringLiteral("../Escape")));
            QCOMPARE(answer.asked, 0);
        }
        {
            DialogAnswer missing(c.tree.file(QStringLiteral("no-such.mc")));
            QVERIFY(!view->loadMacroFile(QStringLiteral("Macro_0")));
            QCOMPARE(missing.asked, 1);
        }
        platform::setWarningBoxHandler({});
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(bytesOf(QStringLiteral("./modules/macro/Taken.bin")), taken);
        QVERIFY(!QFile::exists(QStringLiteral("./modules/macro/Macro_0.bin")));
        QVERIFY(!QFile::exists(QStringLiteral("./modules/Escape.bin")));
    }

    void nameListTypesThatAreNoNumberSelectNoList()
    {
        Connected c(QStringLiteral("553"), false);
        myQQuickView *view = c.view();
        view->updataNameList(0, {"kept"});
        view->updataNameList(QStringLiteral("gun"), {});
        view->updataNameList(QStringLiteral("x"), {"a", "b"});
        QCOMPARE(view->getNameList(0), (QVariantList{"kept", "loadermarlow"}));
        QCOMPARE(view->getNameList(QStringLiteral("x")), QVariantList());
        QCOMPARE(view->getNameList(QStringLiteral("1")), QVariantList());
    }

    void deleteRepairsTheStoredProfilesAndRenameFollows()
    {
        Connected c(QStringLiteral("553"), false);
        myQQuickView *view = c.view();
        QVERIFY(view->createMacroIni(QStringLiteral("M"), 0).toBool());
        QSettings factory(settingFile(QStringLiteral("pD.bin")), QSettings::IniFormat);
        const QVariant factoryButton = factory.value(QStringLiteral("mouseKeyMatrix/3"));
        for (int p : {0, 7}) {
            view->setCurrentProfile(p);
            view->setData(QStringLiteral("mouseMacroKey/2"), QStringLiteral("M"));
            view->setDataList(QStringLiteral("mouseKeyMatrix/3"), {4, 0, 2, 0});
        }
        QVERIFY(view->modifyMacroNameUpdateProfile(QStringLiteral("M"), QStringLiteral("N"))
                    .toBool());
        view->setCurrentProfile(0);
        QCOMPARE(view->getData(QStringLiteral("mouseMacroKey/2"), false).toString(), "N");
        view->setCurrentProfile(7);
        QCOMPARE(view->getData(QStringLiteral("mouseMacroKey/2"), false).toString(), "M");

        view->deleteMacroUpdateProfile(QStringLiteral("N"));
        view->setCurrentProfile(0);
        QCOMPARE(view->getDataList(QStringLiteral("mouseKeyMatrix/3"), false),
                 settingsListOf(factoryButton));
        view->setCurrentProfile(7);
        QCOMPARE(view->getDataList(QStringLiteral("mouseKeyMatrix/3"), false),
                 (QVariantList{4, 0, 2, 0}));
    }

private:
    static QVariantList settingsListOf(const QVariant &v) { return v.toList(); }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    MacroTransferTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_macro_transfer.moc"
