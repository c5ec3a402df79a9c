// The macro library: macro files, the name lists, and the repair of profile bindings on rename
// and delete. Everything works on files in a temporary folder.
#include "bridge/macrolibrary.h"
#include "settingsfiles.h"

#include <QDirIterator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace
{

struct Library {
    QTemporaryDir dir;
    QString macroDir() const { return dir.path() + QStringLiteral("/macro"); }
    QString nameFile() const { return dir.path() + QStringLiteral("/setting/name.bin"); }
    MacroLibrary lib() const { return MacroLibrary(macroDir(), nameFile()); }
    QString macroText(const QString &name) const
    {
        return QString::fromUtf8(bytesOf(macroDir() + '/' + name + QStringLiteral(".bin")));
    }
    // Every file below the temporary folder.
    QStringList allFiles() const
    {
        QStringList files;
        QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(dir.path().size());
        files.sort();
        return files;
    }
};

// Ten profiles and a factory profile, as plain settings objects on temporary files.
struct Profiles {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QSettings>> files;
    std::unique_ptr<QSettings> factory;
    Profiles()
    {
        for (int p = 1; p <= 10; ++p)
            files.push_back(std::make_unique<QSettings>(
                dir.path() + QStringLiteral("/p%1.bin").arg(p), QSettings::IniFormat));
        factory = std::make_unique<QSettings>(dir.path() + QStringLiteral("/pD.bin"),
                                              QSettings::IniFormat);
        for (int k = 0; k < 16; ++k)
            factory->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(k),
                              QVariantList{1, 0xF0 + (k % 5), 0, 0});
    }
    QSettings &p(int number) { return *files.at(number - 1); }
    QList<QSettings *> firstSix()
    {
        QList<QSettings *> list;
        for (int i = 0; i < 6; ++i)
            list << files.at(i).get();
        return list;
    }
    static QVariantList macroEntry(int n) { return QVariantList{4, 0, n, 0}; }
};

QStringList storedList(const QString &file, const QString &key)
{
    const QSettings settings(file, QSettings::IniFormat);
    return settings.value(key).toStringList();
}

} // namespace

class MacroLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void nameListsStoreOneNameWithThePlaceholder_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("stored");
        const QStringList one{"Macro_0"};
        const QStringList padded{"Macro_0", "loadermarlow"};
        const QStringList three{"a, b", "Macro_1", "c"};
        QTest::newRow("macro, one") << 0u << "macro/macroName" << one << padded;
        QTest::newRow("gun, one") << 1u << "gun/gunName" << one << padded;
        QTest::newRow("profile, three") << 2u << "profile/profileName" << three << three;
        QTest::newRow("selected gun, two") << 3u << "gun/selectGun" << QStringList{"x", "y"}
                                           << QStringList{"x", "y"};
    }
    void nameListsStoreOneNameWithThePlaceholder()
    {
        QFETCH(uint, type);
        QFETCH(QString, key);
        QFETCH(QStringList, names);
        QFETCH(QStringList, stored);
        Library l;
        l.lib().setNameList(type, names);
        QCOMPARE(storedList(l.nameFile(), key), stored);
        QVariantList expected;
        for (const QString &s : stored)
            expected << s;
        QCOMPARE(l.lib().nameList(type), expected);
    }

    void anEmptyListRemovesTheKeyAndUnknownTypesAreIgnored()
    {
        Library l;
        l.lib().setNameList(0, {"a", "b"});
        l.lib().setNameList(1, {"g"});
        l.lib().setNameList(0, {});
        const QSettings names(l.nameFile(), QSettings::IniFormat);
        QVERIFY(!names.contains(QStringLiteral("macro/macroName")));
        QVERIFY(names.contains(QStringLiteral("gun/gunName")));
        QCOMPARE(l.lib().nameList(0), QVariantList());

        l.lib().setNameList(4, {"x", "y"});
        QCOMPARE(l.lib().nameList(4), QVariantList());
        QCOMPARE(QSettings(l.nameFile(), QSettings::IniFormat).allKeys(),
                 QStringList{"gun/gunName"});
    }

    void macroFilesKeepTheStoredFormat()
    {
        Library l;
        const MacroLibrary lib = l.lib();
        QVERIFY(lib.create(QStringLiteral("M"), 0));
        QCOMPARE(lib.load(QStringLiteral("M")), QStringList{"1"});

        QVERIFY(lib.save(QStringLiteral("M"), {"1,A", "0,50", "2,A"}, 3));
        const QString text = l.macroText(QStringLiteral("M"));
        QVERIFY2(text.contains(QLatin1String("0=\"1,A\"")), qPrintable(text));
        QVERIFY2(text.contains(QLatin1String("1=\"0,50\"")), qPrintable(text));
        QCOMPARE(lib.load(QStringLiteral("M")), (QStringList{"1,A", "0,50", "2,A", "3"}));

        // An empty save clears the actions and keeps the other config keys.
        QVERIFY(lib.save(QStringLiteral("M"), {}, 2));
        const QSettings file(lib.macroPath(QStringLiteral("M")), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("config/total")).toInt(), 0);
        QCOMPARE(file.value(QStringLiteral("config/index")).toInt(), 0);
        QCOMPARE(file.value(QStringLiteral("config/did")).toInt(), -1);
        QVERIFY(!file.childGroups().contains(QStringLiteral("macro")));
        QCOMPARE(lib.load(QStringLiteral("M")), QStringList{"2"});

        // A file deleted behind the editor's back is not recreated by a save.
        QVERIFY(lib.remove(QStringLiteral("M")));
        QVERIFY(!lib.remove(QStringLiteral("M")));
        QVERIFY(!lib.save(QStringLiteral("M"), {"1,A"}, 1));
        QCOMPARE(lib.load(QStringLiteral("M")), QStringList());
        QCOMPARE(l.allFiles(), QStringList());
    }

    void handEditedFilesLoadWhatCanBeRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("total beyond the entries")
            << QByteArray("[config]\ntotal=3\nrepeat=2\n[macro]\n0=\"1,A\"\n")
            << QStringList{"1,A", "0", "0", "2"};
        QTest::newRow("negative total") << QByteArray("[config]\ntotal=-5\nrepeat=2\n")
                                        << QStringList{"2"};
        QTest::newRow("total not a number") << QByteArray("[config]\ntotal=lots\n")
                                            << QStringList{"0"};
        QTest::newRow("odd actions kept as text")
            << QByteArray("[config]\ntotal=3\nrepeat=1\n[macro]\n0=9\n1=\"1,Nope\"\n2=x\n")
            << QStringList{"9", "1,Nope", "x", "1"};
    }
    void handEditedFilesLoadWhatCanBeRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, loaded);
        Library l;
        writeBytes(l.macroDir() + QStringLiteral("/H.bin"), content);
        QCOMPARE(l.lib().load(QStringLiteral("H")), loaded);
    }

    void anAbsurdTotalIsCut()
    {
        Library l;
        writeBytes(l.macroDir() + QStringLiteral("/H.bin"),
                   "[config]\ntotal=2000000000\nrepeat=1\n");
        QCOMPARE(l.lib().load(QStringLiteral("H")).size(), MacroLibrary::MaxActions + 1);
    }

    void unsafeNamesAreNeverWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../escape";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("slash") << "a/b";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("absolute") << "/tmp/x";
        QTest::newRow("control character") << "a\tb";
        QTest::newRow("newline") << "a\nb";
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("reserved device") << "CON";
        QTest::newRow("reserved with extension") << "com1.txt";
        QTest::newRow("trailing dot") << "name.";
        QTest::newRow("colon") << "C:x";
        QTest::newRow("too long") << QString(260, QLatin1Char('m'));
    }
    void unsafeNamesAreNeverWritten()
    {
        QFETCH(QString, name);
        Library l;
        const MacroLibrary lib = l.lib();
        QVERIFY(!MacroLibrary::nameProblem(name).isEmpty());
        QVERIFY(!lib.create(name, 0));
        QVERIFY(!lib.save(name, {"1,A"}, 1));
        QCOMPARE(lib.load(name), QStringList());
        QVERIFY(lib.create(QStringLiteral("ok"), 0));
        Profiles profiles;
        QVERIFY(!lib.rename(QStringLiteral("ok"), name, profiles.firstSix()));
        QCOMPARE(l.allFiles(), QStringList{"/macro/ok.bin"});
    }

    void ordinaryNamesAreAccepted()
    {
        for (const QString &name : {QStringLiteral("Macro_0"), QStringLiteral("My macro 2"),
                                    QStringLiteral("a..b"), QStringLiteral("Größe, €"),
                                    QStringLiteral("CONSOLE")})
            QVERIFY2(MacroLibrary::isUsableName(name), qPrintable(name));
    }

    void renameRewritesBindingsOfTheFirstSixProfilesOnly()
    {
        Library l;
        Profiles profiles;
        const MacroLibrary lib = l.lib();
        QVERIFY(lib.create(QStringLiteral("old"), 0));
        profiles.p(1).setValue(QStringLiteral("mouseMacroKey/3"), QStringLiteral("old"));
        profiles.p(1).setValue(QStringLiteral("mouseMacroKey/4"), QStringLiteral("other"));
        profiles.p(6).setValue(QStringLiteral("mouseMacroKey/0"), QStringLiteral("old"));
        profiles.p(8).setValue(QStringLiteral("mouseMacroKey/3"), QStringLiteral("old"));

        QVERIFY(lib.rename(QStringLiteral("old"), QStringLiteral("new"), profiles.firstSix()));
        QCOMPARE(profiles.p(1).value(QStringLiteral("mouseMacroKey/3")).toString(), "new");
        QCOMPARE(profiles.p(1).value(QStringLiteral("mouseMacroKey/4")).toString(), "other");
        QCOMPARE(profiles.p(6).value(QStringLiteral("mouseMacroKey/0")).toString(), "new");
        QCOMPARE(profiles.p(8).value(QStringLiteral("mouseMacroKey/3")).toString(), "old");
        QCOMPARE(l.allFiles(), QStringList{"/macro/new.bin"});
    }

    void aRenameThatCannotBeMadeChangesNoProfile()
    {
        Library l;
        Profiles profiles;
        const MacroLibrary lib = l.lib();
        QVERIFY(lib.create(QStringLiteral("old"), 0));
        QVERIFY(lib.create(QStringLiteral("taken"), 0));
        QVERIFY(lib.save(QStringLiteral("taken"), {"1,B"}, 7));
        profiles.p(2).setValue(QStringLiteral("mouseMacroKey/1"), QStringLiteral("old"));

        QVERIFY(!lib.rename(QStringLiteral("old"), QStringLiteral("taken"), profiles.firstSix()));
        QVERIFY(!lib.rename(QStringLiteral("old"), QStringLiteral("old"), profiles.firstSix()));
        QVERIFY(!lib.rename(QStringLiteral("gone"), QStringLiteral("fresh"), profiles.firstSix()));
        QCOMPARE(profiles.p(2).value(QStringLiteral("mouseMacroKey/1")).toString(), "old");
        QCOMPARE(lib.load(QStringLiteral("taken")), (QStringList{"1,B", "7"}));
        QCOMPARE(l.allFiles(), (QStringList{"/macro/old.bin", "/macro/taken.bin"}));
    }

    void unbindResetsExactlyTheButtonsPlayingTheMacro()
    {
        Profiles profiles;
        // Profile 1: button 2 plays macro 5 = "M", button 3 plays macro 6 = "N", button 4 is a
        // key whose code 5 happens to match, button 5 plays macro 5 as well.
        QSettings &p1 = profiles.p(1);
        p1.setValue(QStringLiteral("mouseMacroKey/5"), QStringLiteral("M"));
        p1.setValue(QStringLiteral("mouseMacroKey/6"), QStringLiteral("N"));
        p1.setValue(QStringLiteral("mouseKeyMatrix/2"), Profiles::macroEntry(5));
        p1.setValue(QStringLiteral("mouseKeyMatrix/3"), Profiles::macroEntry(6));
        p1.setValue(QStringLiteral("mouseKeyMatrix/4"), QVariantList{1, 0, 5, 0});
        p1.setValue(QStringLiteral("mouseKeyMatrix/15"), Profiles::macroEntry(5));
        // Profile 2 binds macro 5 to another name; profile 7 binds "M" but is not visited.
        profiles.p(2).setValue(QStringLiteral("mouseMacroKey/5"), QStringLiteral("X"));
        profiles.p(2).setValue(QStringLiteral("mouseKeyMatrix/2"), Profiles::macroEntry(5));
        profiles.p(7).setValue(QStringLiteral("mouseMacroKey/5"), QStringLiteral("M"));
        profiles.p(7).setValue(QStringLiteral("mouseKeyMatrix/2"), Profiles::macroEntry(5));

        MacroLibrary::unbind(QStringLiteral("M"), profiles.firstSix(), *profiles.factory);

        auto matrix = [](QSettings &s, int k) {
            return s.value(QStringLiteral("mouseKeyMatrix/%1").arg(k)).toList();
        };
        QCOMPARE(matrix(p1, 2), (QVariantList{1, 0xF2, 0, 0}));
        QCOMPARE(matrix(p1, 15), (QVariantList{1, 0xF0, 0, 0}));
        QCOMPARE(matrix(p1, 3), Profiles::macroEntry(6));
        QCOMPARE(matrix(p1, 4), (QVariantList{1, 0, 5, 0}));
        QCOMPARE(matrix(profiles.p(2), 2), Profiles::macroEntry(5));
        QCOMPARE(matrix(profiles.p(7), 2), Profiles::macroEntry(5));
        // The binding entry itself stays.
        QCOMPARE(p1.value(QStringLiteral("mouseMacroKey/5")).toString(), "M");
    }
};

QTEST_GUILESS_MAIN(MacroLibraryTest)
#include "test_macro_library.moc"
