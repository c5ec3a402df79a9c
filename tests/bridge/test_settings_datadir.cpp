// Where the program works: beside the executable when its data tree can be written, otherwise in
// the per-user data directory, seeded once from the installed factory tree.
#include "app/datadir.h"
#include "settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
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

        const QString user = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QVERIFY(user.startsWith(home_.path()));
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

private:
    QTemporaryDir home_;
};

QTEST_GUILESS_MAIN(DataDirTest)
#include "test_settings_datadir.moc"
