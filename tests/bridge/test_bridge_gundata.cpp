// The gun preset file: reads, index saves, renames, and the rule that a missing file is never
// created.
#include "bridge/gundata.h"

#include "bridge/settingsfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const QByteArray InstalledFile = "[gunData]\n"
                                 "0=M416, L-Click, 10, 0, 10, 0\n"
                                 "1=AKM, L-Click, 10, 0, 10, 0\n"
                                 "2=M16A4, L-Click, 10, 0, 10, 0\n"
                                 "3=SCAR-L, L-Click, 10, 0, 10, 0\n"
                                 "4=UNP9, L-Click, 10, 0, 10, 0\n"
                                 "5=Thomson, L-Click, 10, 0, 10, 0\n";

QStringList texts(const QVariantList &list)
{
    QStringList out;
    for (const QVariant &v : list)
        out << v.toString();
    return out;
}

} // namespace

class GunDataTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("gun/gunData.bin")); }
    GunDataFile file() const { return GunDataFile(path()); }

private slots:
    void init() { writeBytes(path(), InstalledFile); }

    void entriesReadBackAsTextWithTheNameFirst()
    {
        QCOMPARE(texts(file().entry(QStringLiteral("0"))),
                 QStringList({"M416", "L-Click", "10", "0", "10", "0"}));
        QCOMPARE(file().keys(), QStringList({"0", "1", "2", "3", "4", "5"}));
        QVERIFY(file().entry(QStringLiteral("9")).isEmpty());
    }

    void savingAnIndexReplacesThatEntryAlone()
    {
        QVERIFY(file().save(QStringLiteral("2"), {"AKM", "L-Click", 9, 0, 7, 0, "ignored"}));
        QCOMPARE(texts(file().entry(QStringLiteral("2"))),
                 QStringList({"AKM", "L-Click", "9", "0", "7", "0"}));
        for (const char *other : {"0", "1", "3", "4", "5"})
            QCOMPARE(file().entry(QString::fromLatin1(other)).value(4).toString(),
                     QStringLiteral("10"));
        QCOMPARE(file().keys().size(), 6);
    }

    void renameLeavesNoKeyUnderTheOldName()
    {
        QVERIFY(file().save(QStringLiteral("Old"), {"Old", "L-Click", 10, 0, 10, 0}));
        QVERIFY(file().modify(1, {"New", "L-Click", 12, 1, 3, 5, "Old"}));
        QVERIFY(!file().keys().contains(QStringLiteral("Old")));
        QCOMPARE(texts(file().entry(QStringLiteral("New"))),
                 QStringList({"L-Click", "12", "1", "3", "5"}));
        QVERIFY(file().modify(0, {"New"}));
        QVERIFY(!file().keys().contains(QStringLiteral("New")));
    }

    void shortListsAndUnknownTypesChangeNothing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariantList>("entry");
        QTest::newRow("save with five") << -1 << QVariantList{"AKM", "L-Click", 9, 0, 7};
        QTest::newRow("rename without old name") << 1 << QVariantList{"0", "L-Click", 9, 0, 7, 0};
        QTest::newRow("remove with nothing") << 0 << QVariantList{};
        QTest::newRow("unknown type") << 2 << QVariantList{"0", "a", "b", "c", "d", "e", "f"};
    }
    void shortListsAndUnknownTypesChangeNothing()
    {
        QFETCH(int, type);
        QFETCH(QVariantList, entry);
        const bool changed =
            type < 0 ? file().save(QStringLiteral("0"), entry) : file().modify(type, entry);
        QVERIFY(!changed);
        QCOMPARE(bytesOf(path()), InstalledFile);
    }

    void aMissingFileIsNeverCreated()
    {
        QFile::remove(path());
        QVERIFY(!file().save(QStringLiteral("0"), {"M416", "L-Click", 10, 0, 10, 0}));
        QVERIFY(!file().modify(1, {"New", "L-Click", 12, 1, 3, 5, "Old"}));
        QVERIFY(file().entry(QStringLiteral("0")).isEmpty());
        QVERIFY(file().keys().isEmpty());
        QVERIFY(!QFile::exists(path()));
    }

    void aTextValueReadsAsAnEmptyEntry()
    {
        writeBytes(path(), "[gunData]\n0=M416\n1=\n");
        QVERIFY(file().entry(QStringLiteral("0")).isEmpty());
        QVERIFY(file().entry(QStringLiteral("1")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(GunDataTest)
#include "test_bridge_gundata.moc"
