// Where the program works: beside the executable when its data tree can be written, otherwise in
// the per-user data directory, seeded once from the installed factory tree; the demo always in
// a per-user tree of its own.
#include "app/datadir.h"
#include "settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class DataDirTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
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
        QCOMPARE(bytesOf(user + QStringLiteral("/modules/setting/apConfig.bin")),
                 QByteArray("[mouse]\nicType=553\n"));
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
        QCOMPARE(bytesOf(demo + QStringLiteral("/modules/setting/apConfig.bin")),
                 QByteArray(factoryTreeExists ? "[common]\nfactory=1\n" : "[common]\nrun=1\n"));
        // The real program still works beside the executable.
        QCOMPARE(resolveWorkingDirectory(bin), bin);
    }

private:
    QTemporaryDir home_;
};

QTEST_GUILESS_MAIN(DataDirTest)
#include "test_settings_datadir.moc"
