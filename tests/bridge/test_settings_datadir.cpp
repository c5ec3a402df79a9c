// Where the program works: beside the executable when its data tree can be written, otherwise in
// the per-user data directory, seeded once from the installed factory tree; the demo always in
// a per-user tree of its own.
#include "app/datadir.h"
#include "settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

class DataDirTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        // A first start takes its language from these; the tests decide them.
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", "C.UTF-8");
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    }

    void aWritableTreeBesideTheExecutableIsUsed()
    {
        QTemporaryDir portable;
        writeBytes(portable.path() + QStringLiteral("/modules/setting/apConfig.bin"), "[common]\n");
        QCOMPARE(resolveWorkingDirectory(portable.path()), portable.path());
    }

    void anInstalledTreeIsSeededOnceIntoTheUserDirectory()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.path() + QStringLiteral("/bin");
        const QString factory = prefix.path() + QStringLiteral("/share/orbis-mouse/modules");
        QDir().mkpath(bin);
        writeBytes(factory + QStringLiteral("/setting/apConfig.bin"), "[mouse]\nicType=553\n");
        writeBytes(factory + QStringLiteral("/setting/p1.bin"), "[mouse]\nreportRate=3\n");
        writeBytes(factory + QStringLiteral("/i18n/en.ini"), "[main]\n");
        QDir().mkpath(factory + QStringLiteral("/macro"));
        // Installed files are read-only for the user.
        QFile::setPermissions(factory + QStringLiteral("/setting/p1.bin"),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

        const QString user = home_.path() + QStringLiteral("/orbis-mouse");
        QCOMPARE(resolveWorkingDirectory(bin), user);
        QCOMPARE(globalValue(user, QStringLiteral("mouse/icType")), QStringLiteral("553"));
        QVERIFY(QFileInfo::exists(user + QStringLiteral("/modules/i18n/en.ini")));
        QVERIFY(QFileInfo(user + QStringLiteral("/modules/macro")).isDir());
        QVERIFY(QFileInfo(user + QStringLiteral("/modules/setting/p1.bin")).permissions() &
                QFile::WriteOwner);

        // The user's changes survive the next start; the factory tree is not copied again.
        writeBytes(user + QStringLiteral("/modules/setting/p1.bin"), "[mouse]\nreportRate=0\n");
        QCOMPARE(resolveWorkingDirectory(bin), user);
        QCOMPARE(bytesOf(user + QStringLiteral("/modules/setting/p1.bin")),
                 QByteArray("[mouse]\nreportRate=0\n"));
    }

    // The demo always works in a tree of its own, seeded from the factory tree of the build or
    // installation, never from the portable tree that the real program changes.
    void theDemoHasItsOwnTreeSeededFromTheFactoryFiles_data()
    {
        QTest::addColumn<bool>("factoryTreeExists");
        QTest::newRow("build or installation") << true;
        QTest::newRow("portable tree only") << false;
    }

    void theDemoHasItsOwnTreeSeededFromTheFactoryFiles()
    {
        QFETCH(bool, factoryTreeExists);
        QTemporaryDir prefix;
        const QString bin = prefix.path() + QStringLiteral("/bin");
        writeBytes(bin + QStringLiteral("/modules/setting/apConfig.bin"), "[common]\nrun=1\n");
        if (factoryTreeExists)
            writeBytes(prefix.path() +
                           QStringLiteral("/share/orbis-mouse/modules/setting/apConfig.bin"),
                       "[common]\nfactory=1\n");

        const QString demo = home_.path() + QStringLiteral("/orbis-mouse-demo");
        QDir(demo).removeRecursively();
        QCOMPARE(userDataTree(QStringLiteral("orbis-mouse-demo"), bin), demo);
        QCOMPARE(globalValue(demo, factoryTreeExists ? QStringLiteral("common/factory")
                                                     : QStringLiteral("common/run")),
                 QStringLiteral("1"));
        // The real program still works beside the executable.
        QCOMPARE(resolveWorkingDirectory(bin), bin);
    }

    // A first start (no per-user data yet) speaks the desktop's language: Chinese of any kind
    // gives zh_CN, anything else en; LC_ALL before LC_MESSAGES before LANG, as the C library
    // takes them. Later starts keep what the user has.
    void aFirstStartTakesTheLanguageOfTheLocale_data()
    {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("language");
        QTest::newRow("zh_CN") << QByteArray() << QByteArray() << QByteArray("zh_CN.UTF-8")
                               << QStringLiteral("zh_CN");
        QTest::newRow("zh_TW") << QByteArray() << QByteArray() << QByteArray("zh_TW.UTF-8")
                               << QStringLiteral("zh_CN");
        QTest::newRow("de_DE") << QByteArray() << QByteArray() << QByteArray("de_DE.UTF-8")
                               << QStringLiteral("en");
        QTest::newRow("nothing set")
            << QByteArray() << QByteArray() << QByteArray() << QStringLiteral("en");
        QTest::newRow("LC_ALL first") << QByteArray("C") << QByteArray("zh_CN")
                                      << QByteArray("zh_CN") << QStringLiteral("en");
        QTest::newRow("LC_MESSAGES before LANG")
            << QByteArray() << QByteArray("zh_SG.UTF-8") << QByteArray("en_GB.UTF-8")
            << QStringLiteral("zh_CN");
    }

    void aFirstStartTakesTheLanguageOfTheLocale()
    {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, lang);
        QFETCH(QString, language);
        const QString bin = installedTree();
        const QString user = home_.path() + QStringLiteral("/orbis-mouse");
        QDir(user).removeRecursively();
        setLocale(lcAll, lcMessages, lang);
        QCOMPARE(resolveWorkingDirectory(bin), user);
        QCOMPARE(globalValue(user, QStringLiteral("common/language")), language);
        // The user's choice stays, whatever the locale of a later start.
        QSettings(user + QStringLiteral("/modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("common/language"), QStringLiteral("xx"));
        setLocale("zh_CN.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8");
        QCOMPARE(resolveWorkingDirectory(bin), user);
        QCOMPARE(globalValue(user, QStringLiteral("common/language")), QStringLiteral("xx"));
        setLocale(QByteArray(), QByteArray(), "C.UTF-8");
    }

    // A package update reaches existing users: the files the program never writes (language
    // files, the factory settings and profile) follow the installed tree when the installed
    // version changes; the files the user changes never do.
    void aNewInstalledVersionRefreshesOnlyTheFilesTheProgramNeverWrites_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("language file") << QStringLiteral("i18n/en.ini") << true;
        QTest::newRow("new language file") << QStringLiteral("i18n/fr.ini") << true;
        QTest::newRow("factory settings") << QStringLiteral("setting/apConfigD.bin") << true;
        QTest::newRow("factory profile") << QStringLiteral("setting/pD.bin") << true;
        QTest::newRow("global file") << QStringLiteral("setting/apConfig.bin") << false;
        QTest::newRow("profile") << QStringLiteral("setting/p1.bin") << false;
        QTest::newRow("gun file") << QStringLiteral("gun/gun.ini") << false;
    }

    void aNewInstalledVersionRefreshesOnlyTheFilesTheProgramNeverWrites()
    {
        QFETCH(QString, file);
        QFETCH(bool, refreshed);
        const QString bin = installedTree();
        const QString factory =
            QFileInfo(bin).path() + QStringLiteral("/share/orbis-mouse/modules/");
        const QString user = home_.path() + QStringLiteral("/orbis-mouse");
        QDir(user).removeRecursively();
        resolveWorkingDirectory(bin); // the first start seeds the tree
        const QString mine = user + QStringLiteral("/modules/") + file;
        const QByteArray seeded = bytesOf(mine);

        // The same version again: nothing is copied, even where the installed file changed.
        QFile::setPermissions(factory + file, QFile::ReadOwner | QFile::WriteOwner);
        writeBytes(factory + file, "[new]\nversion=2\n");
        resolveWorkingDirectory(bin);
        QCOMPARE(bytesOf(mine), seeded);

        QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
        resolveWorkingDirectory(bin);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
        QCOMPARE(bytesOf(mine), refreshed ? QByteArray("[new]\nversion=2\n") : seeded);
        if (refreshed)
            QVERIFY(QFileInfo(mine).permissions() & QFile::WriteOwner);
    }

private:
    // An installation under a fresh prefix with a factory tree of every kind of file (the
    // installed files read-only, as a package leaves them); returns its bin folder.
    QString installedTree()
    {
        prefixes_.emplace_back(new QTemporaryDir);
        const QString prefix = prefixes_.back()->path();
        const QString factory = prefix + QStringLiteral("/share/orbis-mouse/modules/");
        for (const char *file :
             {"setting/apConfig.bin", "setting/apConfigD.bin", "setting/pD.bin", "setting/p1.bin",
              "i18n/en.ini", "i18n/zh_CN.ini", "gun/gun.ini"}) {
            writeBytes(factory + QLatin1String(file), QByteArray("[seed]\nfile=") + file + '\n');
            QFile::setPermissions(factory + QLatin1String(file), QFile::ReadOwner);
        }
        QDir().mkpath(prefix + QStringLiteral("/bin"));
        return prefix + QStringLiteral("/bin");
    }

    static QString globalValue(const QString &userDir, const QString &key)
    {
        return QSettings(userDir + QStringLiteral("/modules/setting/apConfig.bin"),
                         QSettings::IniFormat)
            .value(key)
            .toString();
    }

    static void setLocale(const QByteArray &lcAll, const QByteArray &lcMessages,
                          const QByteArray &lang)
    {
        const auto set = [](const char *name, const QByteArray &value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("LC_ALL", lcAll);
        set("LC_MESSAGES", lcMessages);
        set("LANG", lang);
    }

    std::vector<std::unique_ptr<QTemporaryDir>> prefixes_;
    QTemporaryDir home_;
};

QTEST_GUILESS_MAIN(DataDirTest)
#include "test_settings_datadir.moc"
