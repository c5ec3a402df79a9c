// Profiles through the view's slots: export and import through the file dialogs, copy, reset,
// the failures that must leave the target profile as it was, hostile imported files, the
// start-up load of the model flags, and the global reads QML makes.
#include "bridge/autoswitchhost.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "platform/dialogs.h"
#include "settingsfiles.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace
{

QString profileFile(int profile)
{
    return settingFile(QStringLiteral("p%1.bin").arg(profile + 1));
}

// Answers every file dialog with a fixed path and records what was asked; collects warnings.
struct Dialogs {
    struct Request {
        bool save;
        QString title, directory, filter;
    };
    QString answer;
    QList<Request> requests;
    QStringList warnings;

    Dialogs()
    {
        platform::setFileDialogHandler([this](bool save, const QString &title,
                                              const QString &directory, const QString &filter) {
            requests.append({save, title, directory, filter});
            return answer;
        });
        platform::setWarningBoxHandler(
            [this](const QString &, const QString &text) { warnings.append(text); });
    }
    ~Dialogs()
    {
        platform::setFileDialogHandler({});
        platform::setWarningBoxHandler({});
    }
};

const QString HostileDir = QStringLiteral(ORBIS_TEST_DATA_DIR "/hostile/");

} // namespace

class ProfilesTest : public QObject
{
    Q_OBJECT

private slots:
    void exportThenImportGivesIdenticalFiles()
    {
        testsupport::ScratchTree tree;
        Dialogs dialogs;
        myQQuickView view;
        view.setCurrentProfile(1);
        // Not yet on disk: the export must still carry it.
        view.setData(QStringLiteral("mouse/reportRate"), 1);
        // The applications that switch to it travel with it; a name given twice is kept once.
        auto *rules = new AutoSwitchHost(&view);
        QVERIFY(rules->addApplication(1, QStringLiteral("Game.exe")));
        QVERIFY(rules->addApplication(1, QStringLiteral("steam_app_42")));
        QVERIFY(!rules->addApplication(1, QStringLiteral("game.EXE")));
        dialogs.answer = tree.file(QStringLiteral("exported.pf"));
        view.saveProfile(1);
        QVERIFY(view.loadProfile(4));

        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QCOMPARE(dialogs.requests.size(), 2);
        QVERIFY(dialogs.requests[0].save);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("Save File"));
        QCOMPARE(dialogs.requests[0].directory, desktop);
        QCOMPARE(dialogs.requests[0].filter, QStringLiteral("Profile(*.pf)"));
        QVERIFY(!dialogs.requests[1].save);
        QCOMPARE(dialogs.requests[1].title, QStringLiteral("Open File"));
        QCOMPARE(dialogs.requests[1].filter, QStringLiteral("Profile(*.pf)"));

        const QByteArray exported = bytesOf(dialogs.answer);
        QVERIFY(exported.contains("\nreportRate=1\n"));
        QVERIFY(exported.contains("[autoSwitch]\napplications=Game.exe, steam_app_42\n"));
        QCOMPARE(bytesOf(profileFile(1)), exported);
        QCOMPARE(bytesOf(profileFile(4)), exported);
        view.setCurrentProfile(4);
        QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toString(),
                 QStringLiteral("1"));
        QCOMPARE(rules->applications(4), (QStringList{"Game.exe", "steam_app_42"}));
        QVERIFY(dialogs.warnings.isEmpty());
    }

    void cancelledDialogsAndRefusedNumbersChangeNothing()
    {
        testsupport::ScratchTree tree;
        Dialogs dialogs;
        myQQuickView view;
        const QByteArray p3 = bytesOf(profileFile(2));
        QVERIFY(!view.loadProfile(2));
        view.saveProfile(2);
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(bytesOf(profileFile(2)), p3);

        dialogs.requests.clear();
        dialogs.answer = HostileDir + QStringLiteral("wrong-types.pf");
        QVERIFY(!view.loadProfile(10));
        QVERIFY(!view.loadProfile(-1));
        view.saveProfile(10);
        view.copyProfile(10, 0);
        view.resetProfile(-3);
        view.setCurrentProfile(10);
        view.mouseSetProfile(5);
        view.mouseReadProfile(99);
        QVERIFY(dialogs.requests.isEmpty());
        QCOMPARE(view.store->currentProfileIndex(), 0);
    }

    void copyNineOntoZeroAndOntoItself()
    {
        testsupport::ScratchTree tree;
        myQQuickView view;
        view.setCurrentProfile(9);
        view.setData(QStringLiteral("mouse/dpiCount"), 5);
        view.copyProfile(0, 9);
        QCOMPARE(bytesOf(profileFile(0)), bytesOf(profileFile(9)));
        view.setCurrentProfile(0);
        QCOMPARE(view.getData(QStringLiteral("mouse/dpiCount"), false).toString(),
                 QStringLiteral("5"));

        view.setCurrentProfile(3);
        view.setData(QStringLiteral("mouse/scrollRate"), 7);
        QSettings *before = view.store->profile(3);
        const QByteArray p4 = bytesOf(profileFile(3));
        view.copyProfile(3, 3);
        QCOMPARE(view.store->profile(3), before);
        QCOMPARE(bytesOf(profileFile(3)), p4);
        QCOMPARE(view.getData(QStringLiteral("mouse/scrollRate"), false).toInt(), 7);
    }

    void resetOfTheCurrentProfileAnswersFactoryValuesAtOnce()
    {
        testsupport::ScratchTree tree;
        myQQuickView view;
        view.setCurrentProfile(2);
        view.setData(QStringLiteral("mouse/reportRate"), 0);
        view.setDataList(QStringLiteral("mouse/dpiValueArray"), {100, 200});
        view.resetProfile(2);
        QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toString(),
                 QStringLiteral("3"));
        QCOMPARE(view.getDataList(QStringLiteral("mouse/dpiValueArray"), false),
                 view.getDataList(QStringLiteral("mouse/dpiValueArray"), true));
        // The replaced object is released later; its old writes must not come back then.
        runDeferredDeletes();
        QCoreApplication::processEvents();
        QCOMPARE(bytesOf(profileFile(2)), bytesOf(settingFile(QStringLiteral("pD.bin"))));
    }

    void failedImportResetOrCopyLeavesTheTargetAsItWas_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("warns");
        QTest::newRow("import of a missing file") << "import-missing" << true;
        QTest::newRow("import of a directory") << "import-directory" << true;
        QTest::newRow("import that cannot be written") << "import-unwritable" << true;
        QTest::newRow("reset without factory profile") << "reset-no-factory" << false;
        QTest::newRow("copy from a profile without file") << "copy-missing" << false;
    }

    void failedImportResetOrCopyLeavesTheTargetAsItWas()
    {
        QFETCH(QString, action);
        QFETCH(bool, warns);
        testsupport::ScratchTree tree;
        Dialogs dialogs;
        const int target = 5;
        if (action == QLatin1String("import-unwritable")) {
            // A directory in place of the profile's file: nothing can be written there.
            QVERIFY(QFile::remove(profileFile(target)));
            QVERIFY(QDir().mkpath(profileFile(target)));
        }
        if (action == QLatin1String("reset-no-factory"))
            QVERIFY(QFile::remove(settingFile(QStringLiteral("pD.bin"))));
        if (action == QLatin1String("copy-missing"))
            QVERIFY(QFile::remove(profileFile(7)));
        const QByteArray before = bytesOf(profileFile(target));

        myQQuickView view;
        view.setCurrentProfile(target);
        QSettings *object = view.store->profile(target);
        const QVariant reportRate = view.getData(QStringLiteral("mouse/reportRate"), false);
        if (action.startsWith(QLatin1String("import"))) {
            dialogs.answer = action == QLatin1String("import-missing")
                                 ? tree.file(QStringLiteral("nothing-here.pf"))
                             : action == QLatin1String("import-directory")
                                 ? tree.file(QStringLiteral("modules"))
                                 : settingFile(QStringLiteral("pD.bin"));
            QVERIFY(!view.loadProfile(target));
        } else if (action == QLatin1String("reset-no-factory")) {
            view.resetProfile(target);
        } else {
            view.copyProfile(target, 7);
        }
        QCOMPARE(dialogs.warnings.size(), warns ? 1 : 0);
        QCOMPARE(view.store->profile(target), object);
        QCOMPARE(bytesOf(profileFile(target)), before);
        QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false), reportRate);
    }

    void hostileImportsAreRefusedOrReadWithFallbacks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("imported");
        QTest::newRow("not ini") << "not-ini.pf" << true;
        QTest::newRow("binary") << "binary.pf" << true;
        QTest::newRow("wrong types") << "wrong-types.pf" << true;
        QTest::newRow("format error") << "unterminated-section.pf" << false;
        QTest::newRow("huge") << "" << false;
        QTest::newRow("endless device") << "/dev/zero" << false;
    }

    void hostileImportsAreRefusedOrReadWithFallbacks()
    {
        QFETCH(QString, file);
        QFETCH(bool, imported);
        testsupport::ScratchTree tree;
        Dialogs dialogs;
        if (file.isEmpty()) {
            dialogs.answer = tree.file(QStringLiteral("huge.pf"));
            QByteArray huge("[mouse]\nreportRate=1\n");
            huge.append(QByteArray(3 * 1024 * 1024, 'x'));
            writeBytes(dialogs.answer, huge);
        } else {
            dialogs.answer = file.startsWith('/') ? file : HostileDir + file;
        }
        const QByteArray before = bytesOf(profileFile(1));
        myQQuickView view;
        view.setCurrentProfile(1);
        QCOMPARE(view.loadProfile(1), imported);
        if (!imported) {
            QCOMPARE(dialogs.warnings.size(), 1);
            QCOMPARE(bytesOf(profileFile(1)), before);
            return;
        }
        QVERIFY(dialogs.warnings.isEmpty());
        QCOMPARE(bytesOf(profileFile(1)), bytesOf(dialogs.answer));
        // Lists the file lacks, or holds as no list, are the factory profile's.
        for (const QString &key : {QStringLiteral("mouse/dpiValueArray"), QStringLiteral("mouse/lightValue")})
            QCOMPARE(view.getDataList(key, false), view.getDataList(key, true));
        QCOMPARE(view.getXYSensitive(0).toInt(), 4);
        QCOMPARE(view.getXYSensitive(1).toInt(), 4);
        QCOMPARE(view.getselectGun(0).toString(), QString());
        QCOMPARE(view.getselectGun(1).toString(), QString());
    }

    void sensitivityAndGunChoicesDefaultPerProfile()
    {
        testsupport::ScratchTree tree;
        myQQuickView view;
        QCOMPARE(view.getXYSensitive(0).toInt(), 4);
        QCOMPARE(view.getselectGun(2).toString(), QStringLiteral("M16A4"));
        view.setCurrentProfile(6);
        view.setXYSensitive(1, 9);
        view.setSelectGun(0, QStringLiteral("AKM"));
        QCOMPARE(view.getXYSensitive(1).toInt(), 9);
        QCOMPARE(view.getselectGun(0).toString(), QStringLiteral("AKM"));
        view.setCurrentProfile(7);
        view.store->currentProfile()->remove(QStringLiteral("XYSensitive"));
        view.store->currentProfile()->remove(QStringLiteral("selectGun"));
        QCOMPARE(view.getXYSensitive(0).toInt(), 4);
        QCOMPARE(view.getselectGun(0).toString(), QString());
    }

    void startUpCachesTheModelFlagsWhichResetKeeps()
    {
        testsupport::ScratchTree tree;
        {
            QSettings global(settingFile(QStringLiteral("apConfig.bin")), QSettings::IniFormat);
            global.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            global.setValue(QStringLiteral("mouse/isGun"), QStringLiteral("0"));
            global.setValue(QStringLiteral("mouse/isColorful"), QStringLiteral("1"));
        }
        myQQuickView view;
        QCOMPARE(view.icType, QStringLiteral("560"));
        QVERIFY(!view.isGun);
        QVERIFY(view.isColorful);

        view.resetApconfig();
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/icType")).toString(),
                 QStringLiteral("553"));
        QCOMPARE(view.getGlobalData(QStringLiteral("mouse/isGun")).toString(),
                 QStringLiteral("true"));
        QCOMPARE(view.icType, QStringLiteral("560"));
        QVERIFY(!view.isGun);

        QVERIFY(QFile::remove(settingFile(QStringLiteral("apConfig.bin"))));
        myQQuickView bare;
        QVERIFY(bare.icType.isEmpty());
        QVERIFY(!bare.isGun);
        QVERIFY(!bare.isColorful);
    }

    void qmlGlobalReadsWithASecondArgumentAnswer()
    {
        testsupport::ScratchTree tree;
        myQQuickView view;
        view.setGlobalData(QStringLiteral("mouse/keyCount"), 6);
        view.rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
        QQmlComponent component(view.engine());
        component.setData("import QtQml\nQtObject {\n"
                          "  property var maxDpi: ui_View.getGlobalData(\"mouse/maxDPI\", true)\n"
                          "  property var keys: ui_View.getGlobalData(\"mouse/keyCount\")\n"
                          "  property var dpi: ui_View.getDataList(\"mouse/dpiValueArray\", "
                          "true)\n"
                          "}\n",
                          QUrl());
        QScopedPointer<QObject> object(component.create(view.rootContext()));
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(object->property("maxDpi").toString(), QStringLiteral("12000"));
        QCOMPARE(object->property("keys").toInt(), 6);
        QCOMPARE(object->property("dpi").toList().size(), 8);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ProfilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_settings_profiles.moc"
