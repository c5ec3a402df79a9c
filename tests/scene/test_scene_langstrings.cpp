// Language files: the group reader with its bad-input bounds, the DPI notice texts taken from
// the "other" group, and the completeness of the installed English and Chinese files.
#include "bridge/langstrings.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace
{
void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}
} // namespace

class LangStringsTest : public QObject
{
    Q_OBJECT

private slots:
    void missingFileOrGroupGivesEmptyList()
    {
        testsupport::ScratchTree tree;
        QVERIFY(langstrings::readGroup(langstrings::languageFilePath("xx"), "main").isEmpty());
        QVERIFY(!QFile::exists(tree.file("modules/i18n/xx.ini")));
        writeFile(tree.file("modules/i18n/t.ini"), "[main]\ntotal=1\n0=a\n");
        QVERIFY(langstrings::readGroup(langstrings::languageFilePath("t"), "profile").isEmpty());
    }

    // What the pages get: a group or string the chosen file lacks comes from the English
    // strings compiled into the program (the key labels stay whole, the main captions shown).
    void missingGroupsAndStringsTakeTheEnglishOnes_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<int>("logLines");
        QTest::newRow("no file") << QByteArray() << "main" << 15
                                 << QStringList{"Editor", "Macro Editor"} << 1;
        QTest::newRow("no keyCode group") << QByteArray("[other]\ntotal=1\n0=x\n") << "keyCode"
                                          << 133 << QStringList{"A", "B", "C"} << 1;
        QTest::newRow("strings missing") << QByteArray("[main]\ntotal=3\n0=Ed\n2=Gun\n") << "main"
                                         << 15 << QStringList{"Ed", "Macro Editor", "Gun"} << 1;
        QTest::newRow("empty string kept") << QByteArray("[main]\ntotal=15\n0=\"\"\n1=M\n")
                                           << "main" << 15 << QStringList{"", "M", "Gun Editor"}
                                           << 1;
        QTest::newRow("whole group kept")
            << QByteArray("[keyMatrix]\ntotal=2\n0=K\n1=F\n") << "keyMatrix" << 2
            << QStringList{"K", "F"} << 0;
        QTest::newRow("group unknown to English") << QByteArray("[main]\ntotal=1\n0=x\n") << "zzz"
                                                  << 0 << QStringList{} << 0;
    }
    void missingGroupsAndStringsTakeTheEnglishOnes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, group);
        QFETCH(int, size);
        QFETCH(QStringList, first);
        QFETCH(int, logLines);
        testsupport::ScratchTree tree;
        if (!file.isEmpty())
            writeFile(tree.file("modules/i18n/t.ini"), file);
        testsupport::LogCapture log;
        const QStringList strings = langstrings::readGroupOrEnglish("./modules/i18n/t.ini", group);
        QCOMPARE(strings.size(), size);
        QCOMPARE(strings.mid(0, first.size()), first);
        QCOMPARE(log.lines().filter(QStringLiteral("t.ini")).size(), logLines);
    }

    void absentEntriesReadAsEmptyStrings()
    {
        testsupport::ScratchTree tree;
        writeFile(tree.file("modules/i18n/t.ini"),
                  "[main]\ntotal=3\n0=first\n2=\"third, with comma\"\n[other]\ntotal=5\n");
        QCOMPARE(langstrings::readGroup("./modules/i18n/t.ini", "main"),
                 QStringList({"first", "", "third, with comma"}));
        QCOMPARE(langstrings::readGroup("./modules/i18n/t.ini", "other"),
                 QStringList(5, QString()));
    }

    void badTotalsAreBounded_data()
    {
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << QByteArray("-5") << 0;
        QTest::newRow("not a number") << QByteArray("many") << 0;
        QTest::newRow("int max") << QByteArray("2147483647") << langstrings::kMaxGroupStrings;
        QTest::newRow("beyond int")
            << QByteArray("99999999999999") << langstrings::kMaxGroupStrings;
        QTest::newRow("just above the bound")
            << QByteArray("1025") << langstrings::kMaxGroupStrings;
    }
    void badTotalsAreBounded()
    {
        QFETCH(QByteArray, total);
        QFETCH(int, expected);
        testsupport::ScratchTree tree;
        writeFile(tree.file("modules/i18n/t.ini"), "[main]\ntotal=" + total + "\n0=x\n");
        QElapsedTimer timer;
        timer.start();
        const QStringList strings = langstrings::readGroup("./modules/i18n/t.ini", "main");
        QCOMPARE(strings.size(), expected);
        if (expected > 0)
            QCOMPARE(strings.first(), QStringLiteral("x"));
        QVERIFY(timer.elapsed() < 2000);
    }

    void otherGroupReplacesOnlyTheNoticesItHolds()
    {
        testsupport::ScratchTree tree;
        writeFile(tree.file("modules/i18n/t.ini"),
                  "[other]\ntotal=5\n0=one\n1=two\n2=three\n3=four\n4=five\n");
        QString texts[8];
        for (QString &text : texts)
            text = QStringLiteral("DPI Switch to");
        langstrings::applyDpiNotices(langstrings::readGroup("./modules/i18n/t.ini", "other"),
                                     texts);
        QCOMPARE(texts[0], QStringLiteral("one"));
        QCOMPARE(texts[4], QStringLiteral("five"));
        QCOMPARE(texts[5], QStringLiteral("DPI Switch to"));
        QCOMPARE(texts[7], QStringLiteral("DPI Switch to"));

        // A missing file gives no strings and so changes nothing.
        langstrings::applyDpiNotices(langstrings::readGroup("./modules/i18n/no.ini", "other"),
                                     texts);
        QCOMPARE(texts[0], QStringLiteral("one"));
    }

    void installedFilesAreComplete_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("firstCaption");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("Editor");
        QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << QStringLiteral("编辑器");
    }
    void installedFilesAreComplete()
    {
        QFETCH(QString, code);
        QFETCH(QString, firstCaption);
        testsupport::ScratchTree tree;
        const QString path = langstrings::languageFilePath(code);
        const QList<QPair<QString, int>> groups = {
            {"main", 15},         {"keyMatrix", 2},    {"keyAssigment", 58},  {"dpiSetting", 1},
            {"lightControl", 15}, {"macroEditor", 20}, {"systemSetting", 15}, {"gunControl", 10},
            {"profile", 6},       {"keyCode", 133},    {"other", 8},          {"warning", 9}};
        for (const auto &group : groups) {
            const QStringList strings = langstrings::readGroup(path, group.first);
            QVERIFY2(strings.size() == group.second, qPrintable(group.first));
            // Every string the pages show is present (the reserved tails of main,
            // macroEditor and systemSetting are empty by design).
            const int shown = group.first == "main"            ? 11
                              : group.first == "macroEditor"   ? 18
                              : group.first == "systemSetting" ? 8
                                                               : group.second;
            for (int i = 0; i < shown; ++i)
                QVERIFY2(!strings[i].isEmpty(), qPrintable(group.first + '/' + QString::number(i)));
        }
        QCOMPARE(langstrings::readGroup(path, "main").first(), firstCaption);

        // Labels that the INI syntax could mangle, in their table places.
        const QStringList keys = langstrings::readGroup(path, "keyCode");
        QCOMPARE(keys[0], QStringLiteral("A"));
        QCOMPARE(keys[40], QStringLiteral("Space"));
        QCOMPARE(keys[42], QStringLiteral("="));
        QCOMPARE(keys[45], QStringLiteral("\\"));
        QCOMPARE(keys[46], QStringLiteral("\\"));
        QCOMPARE(keys[47], QStringLiteral(";"));
        QCOMPARE(keys[50], QStringLiteral(","));
        QCOMPARE(keys[75], QStringLiteral("►"));
        QCOMPARE(keys[114], keys[115]);
        QCOMPARE(keys[132], QStringLiteral("MS-B5"));
    }
};

QTEST_GUILESS_MAIN(LangStringsTest)
#include "test_scene_langstrings.moc"
