// The automatic profile choice on its own: which profile a window in front asks for, the dwell
// before anything is decided, one waiting decision at most, the wait while the program may not
// switch, no switch to the current profile, and the way back to the profile chosen by hand.
#include "bridge/autoswitch.h"
#include "support/testsupport.h"

#include <QTest>
#include <memory>

using platform::ActiveWindow;

namespace
{
constexpr int kDwell = 60;

ActiveWindow window(const QString &cls, const QString &instance = QString(),
                    const QString &appId = QString(), const QString &exe = QString())
{
    ActiveWindow w;
    w.className = cls;
    w.instanceName = instance;
    w.appId = appId;
    w.exeName = exe;
    w.pid = 4242;
    return w;
}

ActiveWindow ownWindow()
{
    ActiveWindow w = window(QStringLiteral("orbis-mouse"));
    w.own = true;
    return w;
}

// The program around the choice: the scene sets the profile it is asked for and reports it.
struct Program {
    QList<QStringList> rules = QList<QStringList>(10);
    int current = 0;
    bool mustWait = false;
    QList<int> chosen;
    std::unique_ptr<AutoSwitch> choice;

    Program()
    {
        AutoSwitch::Environment env;
        env.rules = [this] { return rules; };
        env.currentProfile = [this] { return current; };
        env.mustWait = [this] { return mustWait; };
        env.choose = [this](int profile) {
            chosen << profile;
            chooseAs(profile);
        };
        choice = std::make_unique<AutoSwitch>(env, nullptr, kDwell);
        chooseAs(0); // the profile of the start, chosen by hand
    }
    void chooseAs(int profile)
    {
        current = profile;
        choice->profileSet(profile);
    }
    // Activates each window in turn, gapMs apart, then lets every decision fall due.
    void activate(const QList<ActiveWindow> &windows, int gapMs = 0)
    {
        for (const ActiveWindow &w : windows) {
            choice->windowActivated(w);
            if (gapMs > 0)
                QTest::qWait(gapMs);
        }
        settle();
    }
    void settle() { QTest::qWait(kDwell * 3); }
};
} // namespace

class AutoSwitchTest : public QObject
{
    Q_OBJECT
private slots:
    void windowsChooseProfiles_data()
    {
        QTest::addColumn<QList<QStringList>>("rules"); // profiles 0, 1, 2, ...
        QTest::addColumn<QList<ActiveWindow>>("windows");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<QList<int>>("chosen");
        const QList<QStringList> gameOn1{{}, {QStringLiteral("Game")}};
        const ActiveWindow game = window(QStringLiteral("game"));
        const ActiveWindow editor = window(QStringLiteral("Editor"), QStringLiteral("editor"));

        QTest::newRow("class, ignoring case") << gameOn1 << QList<ActiveWindow>{game} << 0
                                              << QList<int>{1};
        QTest::newRow("instance name")
            << gameOn1 << QList<ActiveWindow>{window("x", "GAME")} << 0 << QList<int>{1};
        QTest::newRow("wayland app id")
            << gameOn1 << QList<ActiveWindow>{window("", "", "game")} << 0 << QList<int>{1};
        QTest::newRow("executable file name")
            << gameOn1 << QList<ActiveWindow>{window("steam_app_1", "", "", "Game")} << 0
            << QList<int>{1};
        QTest::newRow("a part of a name is no match")
            << gameOn1 << QList<ActiveWindow>{window("gamescope")} << 0 << QList<int>{};
        QTest::newRow("first profile in number order wins")
            << QList<QStringList>{{}, {}, {"game"}, {"GAME"}} << QList<ActiveWindow>{game} << 0
            << QList<int>{2};
        QTest::newRow("a rule of the current profile sends nothing")
            << QList<QStringList>{{"game"}, {"game"}} << QList<ActiveWindow>{game} << 0
            << QList<int>{};
        QTest::newRow("there and back to the profile chosen by hand")
            << gameOn1 << QList<ActiveWindow>{game, editor} << kDwell * 3 << QList<int>{1, 0};
        QTest::newRow("the own window changes nothing")
            << gameOn1 << QList<ActiveWindow>{game, ownWindow()} << kDwell * 3 << QList<int>{1};
        QTest::newRow("five quick changes make one decision, the newest")
            << gameOn1 << QList<ActiveWindow>{game, editor, game, editor, game} << kDwell / 6
            << QList<int>{1};
        QTest::newRow("quick changes ending where they began send nothing")
            << gameOn1 << QList<ActiveWindow>{game, editor, game, editor} << kDwell / 6
            << QList<int>{};
    }

    void windowsChooseProfiles()
    {
        QFETCH(QList<QStringList>, rules);
        QFETCH(QList<ActiveWindow>, windows);
        QFETCH(int, gapMs);
        QFETCH(QList<int>, chosen);
        Program program;
        for (int i = 0; i < rules.size(); ++i)
            program.rules[i] = rules[i];
        program.activate(windows, gapMs);
        QCOMPARE(program.chosen, chosen);
    }

    // Each switch names the window, its pid, the rule and the profile on orbis.app.
    void eachSwitchIsLogged()
    {
        testsupport::LogCapture log;
        Program program;
        program.rules[1] = QStringList{QStringLiteral("Game")};
        program.activate({window(QStringLiteral("game"))});
        program.activate({window(QStringLiteral("editor"))});
        QCOMPARE(program.chosen, (QList<int>{1, 0}));
        const QStringList lines = log.lines().filter(QStringLiteral("Automatic switch"));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains(QLatin1String("window game (pid 4242)")) &&
                     lines[0].contains(QLatin1String("rule \"Game\"")) &&
                     lines[0].endsWith(QLatin1String("profile 2")),
                 qPrintable(lines[0]));
        QVERIFY2(lines[1].contains(QLatin1String("no rule")) &&
                     lines[1].endsWith(QLatin1String("profile 1")),
                 qPrintable(lines[1]));
    }

    // A choice made by hand (top bar, --profile) is where the program comes back to; the
    // choice's own switches are not.
    void theWayBackLeadsToTheLastChoiceByHand()
    {
        Program program;
        program.rules[1] = QStringList{QStringLiteral("game")};
        program.chooseAs(3);
        program.activate({window(QStringLiteral("game"))});
        QCOMPARE(program.current, 1);
        QCOMPARE(program.choice->handProfile(), 3);
        program.activate({window(QStringLiteral("editor"))});
        QCOMPARE(program.chosen, (QList<int>{1, 3}));
    }

    // While the program must wait (a sequence runs, unsaved changes) nothing is chosen; the
    // decision is made once it may, for the window then in front.
    void aSwitchWaitsUntilTheProgramMaySwitch()
    {
        Program program;
        program.rules[1] = QStringList{QStringLiteral("game")};
        program.rules[2] = QStringList{QStringLiteral("other")};
        program.mustWait = true;
        program.activate({window(QStringLiteral("game"))});
        QVERIFY(program.chosen.isEmpty());
        QVERIFY(program.choice->decisionWaiting());
        program.activate({window(QStringLiteral("other"))});
        QVERIFY(program.chosen.isEmpty());
        program.mustWait = false;
        QTRY_COMPARE(program.chosen, QList<int>{2});
        QVERIFY(!program.choice->decisionWaiting());
    }

    void switchedOffNothingIsChosen()
    {
        Program program;
        program.rules[1] = QStringList{QStringLiteral("game")};
        program.choice->windowActivated(window(QStringLiteral("game")));
        program.choice->setEnabled(false); // drops the waiting decision
        program.settle();
        program.activate({window(QStringLiteral("game"))});
        QVERIFY(program.chosen.isEmpty());
        program.choice->setEnabled(true);
        program.activate({window(QStringLiteral("editor")), window(QStringLiteral("game"))});
        QCOMPARE(program.chosen, QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(AutoSwitchTest)
#include "test_bridge_autoswitch.moc"
