// The command line and the start-request body a second start sends.
#include "app/commandline.h"

#include <QCoreApplication>
#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("7.3")); }

    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("textPart"); // printed text must hold this

        using A = CommandLine;
        QTest::newRow("none") << QStringList{} << A::Run << false << 0 << "";
        QTest::newRow("hidden") << QStringList{"--hidden"} << A::Run << true << 0 << "";
        QTest::newRow("profile 1") << QStringList{"--profile", "1"} << A::Run << false << 1 << "";
        QTest::newRow("profile=10 hidden")
            << QStringList{"--profile=10", "--hidden"} << A::Run << true << 10 << "";
        QTest::newRow("help") << QStringList{"--help"} << A::ShowHelp << false << 0
                              << "--profile <N>";
        QTest::newRow("-h") << QStringList{"-h"} << A::ShowHelp << false << 0 << "--hidden";
        QTest::newRow("version") << QStringList{"--version"} << A::ShowVersion << false << 0
                                 << "orbis-mouse 7.3\n";
        QTest::newRow("profile 0") << QStringList{"--profile", "0"} << A::Refuse << false << 0
                                   << "from 1 to 10, not \"0\"";
        QTest::newRow("profile 11")
            << QStringList{"--profile", "11"} << A::Refuse << false << 0 << "not \"11\"";
        QTest::newRow("profile x")
            << QStringList{"--profile", "x"} << A::Refuse << false << 0 << "not \"x\"";
        QTest::newRow("profile -3")
            << QStringList{"--profile=-3"} << A::Refuse << false << 0 << "not \"-3\"";
        QTest::newRow("profile 2.5")
            << QStringList{"--profile", "2.5"} << A::Refuse << false << 0 << "not \"2.5\"";
        QTest::newRow("profile twice")
            << QStringList{"--profile", "2", "--profile", "3"} << A::Refuse << false << 0 << "once";
        QTest::newRow("profile without value")
            << QStringList{"--profile"} << A::Refuse << false << 0 << "Usage: orbis-mouse";
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << A::Refuse << false << 0 << "Usage: orbis-mouse";
        QTest::newRow("Qt's help-all is not offered")
            << QStringList{"--help-all"} << A::Refuse << false << 0 << "Usage: orbis-mouse";
        QTest::newRow("stray argument")
            << QStringList{"3"} << A::Refuse << false << 0 << "Usage: orbis-mouse";
    }

    void parsing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(bool, hidden);
        QFETCH(int, profile);
        QFETCH(QString, textPart);

        const CommandLine line =
            parseCommandLine(QStringList{QStringLiteral("/usr/bin/orbis-mouse")} + arguments);
        QCOMPARE(line.action, action);
        QCOMPARE(line.exitStatus(), action == CommandLine::Refuse ? 2 : 0);
        QCOMPARE(line.options.hidden, hidden);
        QCOMPARE(line.options.profile, profile);
        QVERIFY2(line.text.contains(textPart), qPrintable(line.text));
        if (action == CommandLine::Run)
            QVERIFY(line.text.isEmpty());
    }

    void startOptionsDecideWindowAndSceneProfile_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<int>("profile");
        QTest::addColumn<bool>("showsWindow");
        QTest::addColumn<int>("sceneProfile");
        QTest::newRow("plain start") << false << 0 << true << -1;
        QTest::newRow("hidden") << true << 0 << false << -1;
        QTest::newRow("profile 3") << false << 3 << false << 2;
        QTest::newRow("profile 10 hidden") << true << 10 << false << 9;
    }

    void startOptionsDecideWindowAndSceneProfile()
    {
        QFETCH(bool, hidden);
        QFETCH(int, profile);
        StartOptions options;
        options.hidden = hidden;
        options.profile = profile;
        QTEST(options.showsWindow(), "showsWindow");
        QTEST(options.sceneProfile(), "sceneProfile");
        // Every option set survives the trip to the running instance.
        const std::optional<StartOptions> back =
            startrequest::decode(startrequest::encode(options));
        QVERIFY(back.has_value());
        QVERIFY(*back == options);
    }

    void malformedRequestBodiesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("unknown line") << QByteArray("show");
        QTest::newRow("profile 0") << QByteArray("profile=0");
        QTest::newRow("profile 11") << QByteArray("profile=11");
        QTest::newRow("profile empty") << QByteArray("profile=");
        QTest::newRow("profile text") << QByteArray("profile=x");
        QTest::newRow("profile blank") << QByteArray("profile= 3");
        QTest::newRow("profile twice") << QByteArray("profile=3\nprofile=3");
        QTest::newRow("hidden twice") << QByteArray("hidden\nhidden");
        QTest::newRow("trailing newline") << QByteArray("hidden\n");
        QTest::newRow("zero byte") << QByteArray("hidden\0", 7);
        QTest::newRow("warning text") << QByteArray("still here");
    }

    void malformedRequestBodiesAreRefused()
    {
        QFETCH(QByteArray, body);
        QVERIFY(!startrequest::decode(body).has_value());
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_app_commandline.moc"
