// The settings store on its own, without a view: the INI form of what the scene writes,
// recovery reads, the reset of the global file, refused profile numbers, missing files, and the
// copy kept of a file that QSettings could not parse.
#include "bridge/settingsstore.h"
#include "settingsfiles.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

namespace
{

const QString SettingDir = QStringLiteral("./modules/setting");

} // namespace

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void listsAreWrittenAsIniAndReadBackAsText()
    {
        testsupport::ScratchTree tree;
        {
            SettingsStore store(SettingDir);
            QVERIFY(store.setCurrentProfile(2));
            store.setList(QStringLiteral("mouse/dpiValueArray"), {400, 800, 1600});
            store.setList(QStringLiteral("mouse/lightValue"), {});
            store.setList(QStringLiteral("mouse/colorValue"), {7});
            // A whole number from QML arrives as a double and is written as an integer.
            store.setValue(QStringLiteral("mouse/reportRate"), 2.0);
            store.currentProfile()->sync();
            const QByteArray text = bytesOf(settingFile(QStringLiteral("p3.bin")));
            const int section = text.indexOf("[mouse]\n");
            QVERIFY(section >= 0);
            const int line = text.indexOf("\ndpiValueArray=400, 800, 1600\n");
            QVERIFY(line > section);
            QVERIFY(text.indexOf("[", section + 1) < 0 || text.indexOf("[", section + 1) > line);
            QVERIFY(text.contains("\nlightValue=@Invalid()\n"));
            QVERIFY(text.contains("\nreportRate=2\n"));
        }
        // A fresh read from disk: within one process QSettings keeps the parsed file of a path
        // (with the types that were written) while the file is unchanged.
        const QString copyDir = tree.file(QStringLiteral("reread"));
        QVERIFY(QDir().mkpath(copyDir));
        QVERIFY(QFile::copy(settingFile(QStringLiteral("p3.bin")), copyDir + "/p3.bin"));
        SettingsStore reread(copyDir);
        reread.setCurrentProfile(2);
        const QVariantList dpi = reread.list(QStringLiteral("mouse/dpiValueArray"), false);
        QCOMPARE(dpi.size(), 3);
        for (const QVariant &value : dpi)
            QCOMPARE(value.typeId(), int(QMetaType::QString));
        QCOMPARE(dpi.at(2).toString(), QStringLiteral("1600"));
        QVERIFY(reread.list(QStringLiteral("mouse/lightValue"), false).isEmpty());
        QVERIFY(!reread.value(QStringLiteral("mouse/lightValue"), false).isValid());
        QCOMPARE(reread.list(QStringLiteral("mouse/colorValue"), false).size(), 1);
    }

    void scalarsAndAbsentKeysGiveEmptyLists()
    {
        // QVariant's own conversion would split a string into its characters.
        QVERIFY(settingsList(QVariant(QStringLiteral("hello"))).isEmpty());
        QVERIFY(settingsList(QVariant(42)).isEmpty());
        QVERIFY(settingsList(QVariant()).isEmpty());
        QCOMPARE(settingsList(QVariant(QStringList{"a", "b"})).size(), 2);
        QCOMPARE(settingsText(QVariant(QStringList{"553", "560"})), QString());
        QCOMPARE(settingsText(QVariant(560)), QStringLiteral("560"));

        testsupport::ScratchTree tree;
        SettingsStore store(SettingDir);
        store.setValue(QStringLiteral("mouse/note"), QStringLiteral("hello"));
        QVERIFY(store.list(QStringLiteral("mouse/note"), false).isEmpty());
        QVERIFY(store.list(QStringLiteral("mouse/nothing"), false).isEmpty());
    }

    void recoveryReadsTheFactoryProfileWhileWritesGoToTheCurrentOne()
    {
        testsupport::ScratchTree tree;
        const QByteArray factory = bytesOf(settingFile(QStringLiteral("pD.bin")));
        {
            QSettings p4(settingFile(QStringLiteral("p4.bin")), QSettings::IniFormat);
            p4.remove(QStringLiteral("mouse/reportRate"));
        }
        SettingsStore store(SettingDir);
        store.setCurrentProfile(3);
        QCOMPARE(store.value(QStringLiteral("mouse/reportRate"), true).toString(),
                 QStringLiteral("3"));
        // Present in the factory profile, absent from the current one: no default is supplied.
        QVERIFY(!store.value(QStringLiteral("mouse/reportRate"), false).isValid());
        QCOMPARE(store.list(QStringLiteral("mouse/dpiValueArray"), true).size(), 8);

        store.setValue(QStringLiteral("mouse/reportRate"), 2);
        store.setList(QStringLiteral("mouse/dpiValueArray"), {500, 600});
        store.currentProfile()->sync();
        store.factoryProfile()->sync();
        QCOMPARE(bytesOf(settingFile(QStringLiteral("pD.bin"))), factory);
        QSettings p4(settingFile(QStringLiteral("p4.bin")), QSettings::IniFormat);
        QCOMPARE(p4.value(QStringLiteral("mouse/reportRate")).toString(), QStringLiteral("2"));
        QCOMPARE(store.value(QStringLiteral("mouse/reportRate"), true).toString(),
                 QStringLiteral("3"));
    }

    void resetGlobalInstallsTheFactoryCopyWithoutStaleWrites()
    {
        testsupport::ScratchTree tree;
        const QString global = settingFile(QStringLiteral("apConfig.bin"));
        const QByteArray factory = bytesOf(settingFile(QStringLiteral("apConfigD.bin")));
        {
            QSettings edit(global, QSettings::IniFormat);
            edit.setValue(QStringLiteral("mouse/maxDPI"), 6000);
        }
        SettingsStore store(SettingDir);
        QSettings *before = store.global();
        QCOMPARE(store.globalValue(QStringLiteral("mouse/maxDPI")).toString(),
                 QStringLiteral("6000"));
        // A deferred write still pending in the old object must not reach the new file.
        store.setGlobalValue(QStringLiteral("mouse/profileNo"), 4);

        QVERIFY(store.resetGlobal());
        QVERIFY(store.global() != before);
        QCOMPARE(store.globalValue(QStringLiteral("mouse/maxDPI")).toString(),
                 QStringLiteral("12000"));
        QCOMPARE(store.globalValue(QStringLiteral("mouse/profileNo")).toString(),
                 QStringLiteral("0"));
        runDeferredDeletes();
        QCoreApplication::processEvents();
        QCOMPARE(bytesOf(global), factory);
    }

    void resetGlobalWithoutFactoryCopyKeepsTheGlobalFile()
    {
        testsupport::ScratchTree tree;
        const QString global = settingFile(QStringLiteral("apConfig.bin"));
        QVERIFY(QFile::remove(settingFile(QStringLiteral("apConfigD.bin"))));
        const QByteArray original = bytesOf(global);
        SettingsStore store(SettingDir);
        QSettings *before = store.global();
        QVERIFY(!store.resetGlobal());
        QCOMPARE(store.global(), before);
        QCOMPARE(bytesOf(global), original);
        QCOMPARE(store.globalValue(QStringLiteral("common/name")).toString(),
                 QStringLiteral("ORBIS MOUSE R207"));
    }

    void replacedContentOfTheSameSizeIsSeenAtOnce()
    {
        testsupport::ScratchTree tree;
        SettingsStore store(SettingDir);
        for (int profile : {1, 2}) {
            store.profile(profile)->setValue(QStringLiteral("mouse/reportRate"), profile);
            store.profile(profile)->sync();
        }
        QCOMPARE(QFileInfo(settingFile(QStringLiteral("p2.bin"))).size(),
                 QFileInfo(settingFile(QStringLiteral("p3.bin"))).size());
        // Quick successive replacements land within one file-timestamp tick.
        for (int i = 0; i < 20; ++i) {
            const int source = 1 + i % 2;
            QVERIFY(store.copyProfile(0, source));
            QCOMPARE(store.profile(0)->value(QStringLiteral("mouse/reportRate")).toInt(), source);
        }
    }

    void profileNumbersOutsideTheTenAreRefused()
    {
        testsupport::ScratchTree tree;
        const QByteArray p1 = bytesOf(settingFile(QStringLiteral("p1.bin")));
        SettingsStore store(SettingDir);
        QVERIFY(store.setCurrentProfile(4));
        for (int bad : {-1, 10, 1000}) {
            QVERIFY(!store.setCurrentProfile(bad));
            QCOMPARE(store.profile(bad), nullptr);
            QVERIFY(!store.resetProfile(bad));
            QVERIFY(!store.copyProfile(bad, 0));
            QVERIFY(!store.copyProfile(0, bad));
            QCOMPARE(store.importProfile(bad, settingFile(QStringLiteral("pD.bin"))),
                     SettingsStore::ImportResult::Refused);
            QVERIFY(!store.exportProfile(bad, tree.file(QStringLiteral("out.pf"))));
        }
        QCOMPARE(store.currentProfileIndex(), 4);
        QVERIFY(!QFile::exists(tree.file(QStringLiteral("out.pf"))));
        QCOMPARE(bytesOf(settingFile(QStringLiteral("p1.bin"))), p1);
    }

    void missingProfileFilesStillGiveTenProfiles()
    {
        testsupport::ScratchTree tree;
        for (int n = 6; n <= 10; ++n)
            QVERIFY(QFile::remove(settingFile(QStringLiteral("p%1.bin").arg(n))));
        SettingsStore store(SettingDir);
        for (int i = 0; i < SettingsStore::ProfileCount; ++i)
            QVERIFY(store.profile(i));
        QVERIFY(store.setCurrentProfile(7));
        QVERIFY(!store.value(QStringLiteral("mouse/reportRate"), false).isValid());
        QVERIFY(store.list(QStringLiteral("mouse/dpiValueArray"), false).isEmpty());
        store.setValue(QStringLiteral("mouse/reportRate"), 1);
        store.currentProfile()->sync();
        QVERIFY(QFile::exists(settingFile(QStringLiteral("p8.bin"))));
    }

    void aFileReadWithAFormatErrorIsKeptBesideIt()
    {
        testsupport::ScratchTree tree;
        const QString p2 = settingFile(QStringLiteral("p2.bin"));
        const QByteArray malformed = "[mouse\nreportRate=1\n[mouse]\ndpiCount=5\nnot a line\n";
        writeBytes(p2, malformed);
        testsupport::LogCapture log;
        SettingsStore store(SettingDir);
        QCOMPARE(store.profile(1)->status(), QSettings::FormatError);
        QCOMPARE(bytesOf(p2 + QStringLiteral(".bad")), malformed);
        QVERIFY(log.lines().join('\n').contains(QStringLiteral("p2.bin.bad")));

        store.setCurrentProfile(1);
        store.setValue(QStringLiteral("mouse/reportRate"), 2);
        store.currentProfile()->sync();
        QCOMPARE(bytesOf(p2 + QStringLiteral(".bad")), malformed);
        // Well-formed files get no copy.
        QVERIFY(!QFile::exists(settingFile(QStringLiteral("p1.bin.bad"))));
    }

    // Every file of the hostile corpus as a profile: after the first write, each of its keys is
    // still in the profile or the whole file is in the .bad copy.
    void noLineIsLostAtTheFirstWrite_data()
    {
        QTest::addColumn<QString>("file");
        const QDir corpus(QStringLiteral(ORBIS_TEST_DATA_DIR "/hostile"));
        for (const QString &name : corpus.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    void noLineIsLostAtTheFirstWrite()
    {
        QFETCH(QString, file);
        testsupport::ScratchTree tree;
        const QString p2 = settingFile(QStringLiteral("p2.bin"));
        const QByteArray original = bytesOf(file);
        writeBytes(p2, original);
        {
            SettingsStore store(SettingDir);
            store.setCurrentProfile(1);
            store.setValue(QStringLiteral("mouse/reportRate"), 3);
        }
        const QByteArray written = bytesOf(p2);
        QVERIFY(written.contains("reportRate=3"));
        if (bytesOf(p2 + QStringLiteral(".bad")) == original)
            return;
        // No copy: every key line must have kept its key (a value QSettings cannot convert may
        // be written back in another form).
        for (QByteArray line : original.split('\n')) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith('['))
                continue;
            const int equals = line.indexOf('=');
            QVERIFY2(equals > 0, line.constData());
            QVERIFY2(written.contains("\n" + line.left(equals + 1)), line.constData());
        }
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "test_settings_store.moc"
