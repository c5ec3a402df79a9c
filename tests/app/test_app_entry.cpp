// The entry function, run as a real process: this test program re-launches itself in a child
// mode that runs the whole entry function with its own start-up hook, so command line,
// single-instance rule, working directory, exit status and instance messages are proven on real
// processes. The program works in a private runtime folder, so its instances never meet those
// of another test run or of the real program.
#include "app/commandline.h"
#include "app/datadir.h"
#include "app/entry.h"
#include "app/globals.h"
#include "app/instancemessage.h"
#include "app/nomousenotice.h"
#include "app/singleinstance.h"
#include "app/widget.h"
#include "hooks/inputhooks.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/childprocess.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{
QString childMode;
// How long a test waits for the program's start and a profile switch to reach the mouse. Long:
// both are a series of commands with the device's pauses, and a sanitizer build on a busy
// machine runs them many times slower (over 10 s was seen).
constexpr int kSwitchWaitMs = 60000;

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Passes every message on to the widget, then tells how a start request left the window.
void reportingCopyData(const CopyDataMessage *message, void *context)
{
    Widget::onCopyData(message, context);
    auto *widget = static_cast<Widget *>(context);
    if (message->dwData == instancemessage::kStartRequestTag)
        say(QStringLiteral("request visible=%1 notice=%2 token=%3")
                .arg(widget->isVisible())
                .arg(widget->noMouseNotice() && widget->noMouseNotice()->isVisible())
                .arg(QString::fromUtf8(qgetenv("XDG_ACTIVATION_TOKEN"))));
}
} // namespace

// Start-up hook of the child process: report where it works, then act by mode.
void orbisStartupHook(Widget &widget)
{
    say(QStringLiteral("cwd=") + QDir::currentPath());
    say(QStringLiteral("modules=") +
        (QFileInfo::exists(QStringLiteral("./modules/setting")) ? "yes" : "no"));
    platform::setWarningBoxHandler([](const QString &title, const QString &text) {
        say(QStringLiteral("BOX[") + title + QStringLiteral("]") + text.toUtf8().toHex());
    });
    setCopyDataCallback(&reportingCopyData, qApp, &widget);
    QTimer::singleShot(0, [] { say(QStringLiteral("ready")); });
    if (childMode == QLatin1String("quit")) {
        QTimer::singleShot(300, &widget, [&widget] {
            QList<QAction *> actions = widget.trayMenu()->actions();
            say(QStringLiteral("tray-entries=") + QString::number(actions.size()));
            actions.last()->trigger();
        });
    }
    if (childMode == QLatin1String("notray"))
        platform::setTrayProbe([] { return false; });
    // Whether the window or the notice shows, each time that changes.
    auto *states = new QTimer(&widget);
    QObject::connect(states, &QTimer::timeout, &widget, [&widget] {
        static QString last;
        const QString state =
            QStringLiteral("state window=%1 notice=%2")
                .arg(widget.isVisible())
                .arg(widget.noMouseNotice() && widget.noMouseNotice()->isVisible());
        if (state != last)
            say(last = state);
    });
    states->start(20);
    if (childMode == QLatin1String("mouse")) {
        sim::attachMouse(
            sim::mouseConfigFromSettings(QStringLiteral("./modules/setting/apConfig.bin")));
        // Once the device check has connected the mouse (the handshake lets events run, so a
        // timer may fire before the check ends).
        auto *watch = new QTimer(&widget);
        QObject::connect(watch, &QTimer::timeout, &widget, [&widget, watch] {
            if (!deviceConnected)
                return;
            watch->stop();
            say(QStringLiteral("connected=1 visible=%1").arg(widget.isVisible()));
        });
        watch->start(20);
    }
}

// The child works beside the executable, as the real program does with a portable tree.
QString orbisWorkingDirectory(const QString &executableDir)
{
    return resolveWorkingDirectory(executableDir);
}

class EntryTest : public QObject
{
    Q_OBJECT

    QString self() const { return QCoreApplication::applicationFilePath(); }
    QString serverName() const
    {
        return SingleInstance::serverNameForKey(SingleInstance::keyForExecutable(self()));
    }

    // Starts a child of program (this one by default) and waits for its "ready" line.
    bool startChild(testsupport::Child &c, const QString &mode, const QStringList &options = {},
                    const QString &cwd = QString(), const QString &program = QString())
    {
        if (!cwd.isEmpty())
            c.process.setWorkingDirectory(cwd);
        c.process.start(program.isEmpty() ? self() : program,
                        QStringList{QStringLiteral("--child=") + mode} + options);
        return c.process.waitForStarted(5000) && c.waitFor(QStringLiteral("ready"));
    }

    testsupport::Finished
    runToEnd(const QString &mode, const QStringList &options, const QString &program = QString(),
             const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        testsupport::Child c;
        c.process.setProcessEnvironment(env);
        c.process.start(program.isEmpty() ? self() : program,
                        QStringList{QStringLiteral("--child=") + mode} + options);
        testsupport::Finished f;
        if (c.process.waitForFinished(15000))
            f.status = c.process.exitCode();
        c.collect();
        f.out = c.out;
        f.err = c.err;
        return f;
    }

    bool sendRaw(const QByteArray &bytes)
    {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (!socket.waitForConnected(3000))
            return false;
        socket.write(bytes);
        socket.waitForBytesWritten(3000);
        socket.waitForDisconnected(1000);
        return true;
    }

    // A copy of this program with its own data tree in a scratch folder: a second path to the
    // same program, and a tree that a child with a simulated mouse may change.
    QString copyOfSelf(const testsupport::ScratchTree &tree)
    {
        const QString copy = tree.file(QFileInfo(self()).fileName());
        if (!QFileInfo::exists(copy))
            QFile::copy(self(), copy);
        return copy;
    }

    // Lines of the transfer trace from byte offset `from` on that are feature reports the
    // mouse received, without the time column.
    static QStringList featureReports(const QString &tracePath, qint64 from)
    {
        QFile f(tracePath);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        f.seek(from);
        QStringList reports;
        for (const QByteArray &line : f.readAll().split('\n')) {
            const int at = line.indexOf(" cmd feature-out 9 ");
            if (at > 0)
                reports << QString::fromLatin1(line.mid(at + 19));
        }
        return reports;
    }

    // The top bar's profile list: each entry's name ends in the number of its profile.
    static void writeProfileNames(const testsupport::ScratchTree &tree, const QStringList &names)
    {
        QSettings(tree.file(QStringLiteral("modules/setting/name.bin")), QSettings::IniFormat)
            .setValue(QStringLiteral("profile/profileName"), names);
    }

    // Starts the first instance with a simulated mouse, its transfers traced to the returned
    // file of the tree.
    QString startTracedMouse(testsupport::Child &first, const testsupport::ScratchTree &tree,
                             const QStringList &options, const QString &program)
    {
        const QString trace = tree.file(QStringLiteral("trace.txt"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORBIS_HID_TRACE"), trace);
        first.process.setProcessEnvironment(env);
        return startChild(first, QStringLiteral("mouse"), options, QString(), program) ? trace
                                                                                       : QString();
    }

    static QVariant globalValue(const testsupport::ScratchTree &tree, const QString &key)
    {
        return QSettings(tree.file(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat)
            .value(key);
    }

private slots:
    void quitFromTrayReturnsZeroFromAnyWorkingDirectory()
    {
        testsupport::Child c;
        QVERIFY(startChild(c, QStringLiteral("quit"), {}, QDir::rootPath()));
        QVERIFY(c.process.waitForFinished(15000));
        c.collect();
        QCOMPARE(c.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(c.process.exitCode(), 0);
        QVERIFY2(c.out.contains(QStringLiteral("cwd=") + QFileInfo(self()).absolutePath()),
                 qPrintable(c.out));
        QVERIFY(c.out.contains(QLatin1String("modules=yes")));
        QVERIFY(c.out.contains(QLatin1String("tray-entries=3")));
    }

    // The key belongs to the program, not its folder: a copy elsewhere is the same program.
    // Without a mouse the running instance takes the request but shows nothing; options it
    // refuses never reach it.
    void secondStartOfAnyCopyReturnsOneAndHandsOverItsRequest()
    {
        testsupport::Child first;
        QVERIFY(startChild(first, QStringLiteral("stay")));
        testsupport::ScratchTree tree;

        const testsupport::Finished second = runToEnd(QStringLiteral("quit"), {}, copyOfSelf(tree));
        QCOMPARE(second.status, 1);
        QVERIFY(!second.out.contains(QLatin1String("ready")));
        QVERIFY2(first.waitFor(QStringLiteral("request visible=0")), qPrintable(first.out));

        for (const char *bad : {"0", "11", "x"}) {
            const testsupport::Finished refused =
                runToEnd(QStringLiteral("quit"), {QStringLiteral("--profile"), bad});
            QCOMPARE(refused.status, 2);
            QVERIFY2(refused.err.contains(QStringLiteral("not \"%1\"").arg(bad)),
                     qPrintable(refused.err));
        }
        // The running instance still answers, and saw no request from the refused starts.
        QVERIFY(sendRaw(instancemessage::encode(9487, "still here")));
        QVERIFY(first.waitFor(QString::fromLatin1(QByteArray("still here").toHex())));
        QCOMPARE(first.out.count(QLatin1String("request")), 1);
        QCOMPARE(first.process.state(), QProcess::Running);
    }

    void hiddenStartStaysHiddenWhileConnectedUntilAPlainSecondStart()
    {
        testsupport::ScratchTree tree;
        const QString program = copyOfSelf(tree);
        testsupport::Child first;
        QVERIFY(startChild(first, QStringLiteral("mouse"), {QStringLiteral("--hidden")}, QString(),
                           program));
        QVERIFY2(first.waitFor(QStringLiteral("connected=1 visible=0")), qPrintable(first.out));

        QCOMPARE(runToEnd(QStringLiteral("quit"), {QStringLiteral("--hidden")}).status, 1);
        QVERIFY(first.waitFor(QStringLiteral("request visible=0")));
        QCOMPARE(runToEnd(QStringLiteral("quit"), {}).status, 1);
        QVERIFY2(first.waitFor(QStringLiteral("request visible=1")), qPrintable(first.out));
    }

    // A hidden start (the autostart entry at login) stays hidden whatever the tray, with no
    // notice when no mouse is found; a start from the launcher then shows the notice. A plain
    // start without a tray shows the notice after its check at once.
    void hiddenStartShowsNothingUntilTheLauncherAsks_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("noticeAtStart");
        QTest::newRow("no tray, hidden")
            << QStringLiteral("notray") << QStringList{QStringLiteral("--hidden")} << false;
        QTest::newRow("no tray, --profile")
            << QStringLiteral("notray") << QStringList{QStringLiteral("--profile=2")} << false;
        QTest::newRow("no tray, plain") << QStringLiteral("notray") << QStringList() << true;
        QTest::newRow("tray, hidden")
            << QStringLiteral("stay") << QStringList{QStringLiteral("--hidden")} << false;
    }

    void hiddenStartShowsNothingUntilTheLauncherAsks()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, options);
        QFETCH(bool, noticeAtStart);
        testsupport::Child first;
        QVERIFY(startChild(first, mode, options));
        QVERIFY(QTest::qWaitFor(
            [&] {
                first.collect();
                return first.err.contains(QLatin1String("Device DisConnect"));
            },
            15000));
        if (noticeAtStart) {
            QVERIFY2(first.waitFor(QStringLiteral("state window=0 notice=1")),
                     qPrintable(first.out));
        } else {
            QTest::qWait(300); // a notice would show within the check's own event processing
            first.collect();
            QVERIFY2(!first.out.contains(QLatin1String("=1")), qPrintable(first.out));
        }
        // Hidden again: nothing shows. From the launcher: the notice, never the window.
        QCOMPARE(runToEnd(QStringLiteral("quit"), {QStringLiteral("--hidden")}).status, 1);
        QVERIFY(first.waitFor(QStringLiteral("request visible=0 notice=%1").arg(noticeAtStart)));
        QCOMPARE(runToEnd(QStringLiteral("quit"), {}).status, 1);
        QVERIFY2(first.waitFor(QStringLiteral("request visible=0 notice=1")),
                 qPrintable(first.out));
        QCOMPARE(first.process.state(), QProcess::Running);
    }

    // A start from the launcher carries the desktop's activation token to the running instance,
    // which needs it on Wayland to raise its window; a hidden start asks for no window and
    // hands none on. A token with blanks or control characters is refused with the request.
    void secondStartHandsItsActivationTokenOver()
    {
        testsupport::Child first;
        QVERIFY(startChild(first, QStringLiteral("stay")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("kwin-7_a:b"));
        QCOMPARE(
            runToEnd(QStringLiteral("quit"), {QStringLiteral("--hidden")}, QString(), env).status,
            1);
        QVERIFY2(first.waitFor(QStringLiteral("request visible=0 notice=0 token=\n")),
                 qPrintable(first.out));
        QCOMPARE(runToEnd(QStringLiteral("quit"), {}, QString(), env).status, 1);
        QVERIFY2(first.waitFor(QStringLiteral("token=kwin-7_a:b")), qPrintable(first.out));

        QCOMPARE(startrequest::decode("token=a b"), std::nullopt);
        QCOMPARE(startrequest::decode("token="), std::nullopt);
        QCOMPARE(startrequest::decode("token=x\ntoken=y"), std::nullopt);
        QVERIFY(startrequest::decode(startrequest::encode(StartOptions{false, 3, "t"})) ==
                (StartOptions{false, 3, "t"}));
    }

    // --help and refused options speak the desktop's language: ours and Qt's own texts.
    void helpSpeaksTheLanguageOfTheLocale_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("help, zh_CN")
            << QStringLiteral("zh_CN.UTF-8") << QStringList{QStringLiteral("--help")} << 0
            << QStringList{QStringLiteral("显示命令行选项的帮助。"),
                           QStringLiteral("启动时隐藏窗口"), QStringLiteral("--profile <N>")};
        QTest::newRow("help, C") << QStringLiteral("C") << QStringList{QStringLiteral("--help")}
                                 << 0
                                 << QStringList{QStringLiteral("Displays help on commandline"),
                                                QStringLiteral("Start with the window hidden")};
        QTest::newRow("refused, zh_CN")
            << QStringLiteral("zh_CN.UTF-8") << QStringList{QStringLiteral("--profile=11")} << 2
            << QStringList{QStringLiteral("而不是“11”")};
    }

    void helpSpeaksTheLanguageOfTheLocale()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QStringList, says);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        env.insert(QStringLiteral("LANG"), lang);
        const testsupport::Finished f = runToEnd(QStringLiteral("quit"), options, QString(), env);
        QCOMPARE(f.status, status);
        for (const QString &text : says)
            QVERIFY2((f.out + f.err).contains(text), qPrintable(f.out + f.err));
    }

    // --profile N makes the same choice as row N-1 of the top bar's profile list: at the first
    // start once the mouse is connected (the window stays hidden), and when a second start
    // hands it over. On a 560-family gun mouse the scene's profile sequence sends the new
    // profile's report rate (03H for on-board profile 1), makes matrix 1 current (02H) and resets
    // the gun matrices 2 to 4 (0DH).
    void profileOptionChoosesTheProfileAfterTheConnect()
    {
        testsupport::ScratchTree tree;
        {
            QSettings config(tree.file(QStringLiteral("modules/setting/apConfig.bin")),
                             QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            config.setValue(QStringLiteral("mouse/isGun"), true);
            config.setValue(QStringLiteral("mouse/profileNo"), 0);
            QSettings p3(tree.file(QStringLiteral("modules/setting/p3.bin")), QSettings::IniFormat);
            p3.setValue(QStringLiteral("mouse/reportRate"), 1); // rate code 4
            // Entries name their profile by stored number, not by row: rows 1 and 2 hold the
            // profiles numbered 2 and 3.
            writeProfileNames(tree, {QStringLiteral("Standard0"), QStringLiteral("Work2"),
                                     QStringLiteral("Play3"), QStringLiteral("loadermarlow")});
        }
        testsupport::Child first;
        const QString trace =
            startTracedMouse(first, tree, {QStringLiteral("--profile=4")}, copyOfSelf(tree));
        QVERIFY(!trace.isEmpty());
        QVERIFY2(first.waitFor(QStringLiteral("connected=1 visible=0")), qPrintable(first.out));
        // A profile switch ends with the gun-matrix reset; the report rate the profile names
        // goes out before it (the pages send their own settings in between).
        const QStringList gunReset = {QStringLiteral("00 02 01 00 00 00 00 00 fc"),
                                      QStringLiteral("00 0d 02 80 00 00 00 00 70"),
                                      QStringLiteral("00 0d 03 80 00 00 00 00 6f"),
                                      QStringLiteral("00 0d 04 80 00 00 00 00 6e")};
        const auto switched = [&](qint64 from) {
            const QStringList all = featureReports(trace, from);
            return all.size() > 4 && all.mid(all.size() - 4) == gunReset;
        };
        // The report-rate commands (03H) that went out before the reset.
        const auto rateReports = [&](qint64 from) {
            const QStringList all = featureReports(trace, from);
            return all.mid(0, all.size() - 4).filter(QRegularExpression(QStringLiteral("^00 03 ")));
        };
        // Profile 4 keeps the factory rate (code 1).
        QVERIFY2(QTest::qWaitFor([&] { return switched(0); }, kSwitchWaitMs),
                 qPrintable(featureReports(trace, 0).join('\n')));
        QCOMPARE(rateReports(0), QStringList{QStringLiteral("00 03 01 01 00 00 00 00 fa")});
        QCOMPARE(globalValue(tree, QStringLiteral("mouse/profileNo")).toInt(), 3);

        const qint64 before = QFileInfo(trace).size();
        QCOMPARE(runToEnd(QStringLiteral("quit"), {QStringLiteral("--profile"), "3"}).status, 1);
        QVERIFY(first.waitFor(QStringLiteral("request visible=0")));
        QVERIFY2(QTest::qWaitFor([&] { return switched(before); }, kSwitchWaitMs),
                 qPrintable(featureReports(trace, before).join('\n')));
        QCOMPARE(rateReports(before), QStringList{QStringLiteral("00 03 01 04 00 00 00 00 f7")});
        QCOMPARE(globalValue(tree, QStringLiteral("mouse/profileNo")).toInt(), 2);
    }

    // Sixteen second starts at once, as a launcher or a script makes them: each switch runs
    // whole and alone, pending ones collapse to the newest, and the profile the program records
    // is the one whose settings the mouse received last. The profiles differ in report rate
    // (01H) and DPI stage count (11H); the program starts on a fourth, so every request is a
    // real switch.
    void simultaneousProfileHandOversEndOnTheRecordedProfile()
    {
        testsupport::ScratchTree tree;
        const int rateIndex[4] = {0, 1, 2, 3}; // rate codes 8, 4, 2, 1
        const int stageCount[4] = {2, 3, 5, 4};
        {
            QSettings config(tree.file(QStringLiteral("modules/setting/apConfig.bin")),
                             QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/isGun"), false);
            config.setValue(QStringLiteral("mouse/profileNo"), 3);
            for (int p = 0; p < 4; ++p) {
                QSettings profile(tree.file(QStringLiteral("modules/setting/p%1.bin").arg(p + 1)),
                                  QSettings::IniFormat);
                profile.setValue(QStringLiteral("mouse/reportRate"), rateIndex[p]);
                profile.setValue(QStringLiteral("mouse/currentDpiCount"), stageCount[p]);
            }
            writeProfileNames(tree, {QStringLiteral("A0"), QStringLiteral("B1"),
                                     QStringLiteral("C2"), QStringLiteral("D3")});
        }
        const QString program = copyOfSelf(tree);
        testsupport::Child first;
        const QString trace = startTracedMouse(first, tree, {}, program);
        QVERIFY(!trace.isEmpty());
        QVERIFY2(first.waitFor(QStringLiteral("connected=1")), qPrintable(first.out));

        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < 16; ++i) {
            starts.push_back(std::make_unique<QProcess>());
            starts.back()->start(program, {QStringLiteral("--child=quit"),
                                           QStringLiteral("--profile"),
                                           QString::number(i % 3 + 1)});
        }
        for (auto &start : starts) {
            QVERIFY(start->waitForFinished(15000));
            QCOMPARE(start->exitCode(), 1);
        }
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         first.collect();
                         return first.out.count(QLatin1String("request visible=")) == 16;
                     },
                     15000),
                 qPrintable(first.out + first.err));
        // Settled: nothing more goes to the mouse for a while (a switch never pauses this long).
        qint64 size = -1;
        while (QFileInfo(trace).size() != size) {
            size = QFileInfo(trace).size();
            QTest::qWait(1500);
        }

        first.collect();
        QVERIFY2(!first.err.contains(QLatin1String("cmd Failed")), qPrintable(first.err));
        const QStringList reports = featureReports(trace, 0);
        const QStringList rates = reports.filter(QRegularExpression(QStringLiteral("^00 01 ")));
        const QStringList stages = reports.filter(QRegularExpression(QStringLiteral("^00 11 ")));
        QVERIFY(!rates.isEmpty() && !stages.isEmpty());
        const int current = globalValue(tree, QStringLiteral("mouse/profileNo")).toInt();
        QVERIFY(current >= 0 && current < 3);
        const int rateCode[3] = {8, 4, 2};
        QCOMPARE(rates.last().mid(6, 2).toInt(nullptr, 16), rateCode[current]);
        QCOMPARE(stages.last().mid(6, 2).toInt(nullptr, 16), stageCount[current]);
        // Collapsed: far fewer switches than requests (each switch sends one report rate).
        QVERIFY2(rates.size() < 8, qPrintable(rates.join('\n')));
    }

    void instanceMessagesShowTheBoxOnlyForWellFormedText()
    {
        testsupport::Child p;
        QVERIFY(startChild(p, QStringLiteral("stay")));

        // A client that connects and never writes must not block the next one.
        QLocalSocket idle;
        idle.connectToServer(serverName());
        QVERIFY(idle.waitForConnected(3000));

        const QByteArray text = QStringLiteral("Grüße 9487").toUtf8();
        QByteArray withZero = text;
        withZero.append('\0');
        QByteArray embedded = "ab";
        embedded.append('\0');
        embedded.append("cd");
        QByteArray oversized = instancemessage::encode(9487, "x");
        oversized[4] = '\xff';
        oversized[5] = '\xff';
        oversized[6] = '\xff';
        oversized[7] = '\x7f';

        QVERIFY(sendRaw(instancemessage::encode(9487, withZero)));       // n+1: nothing
        QVERIFY(sendRaw(instancemessage::encode(9488, text)));           // wrong tag
        QVERIFY(sendRaw(instancemessage::encode(9487, "\xff\xfe bad"))); // not UTF-8
        QVERIFY(sendRaw(instancemessage::encode(9487, embedded)));       // embedded zero
        QVERIFY(sendRaw(instancemessage::encode(9487, text).left(10)));  // truncated
        QVERIFY(sendRaw(oversized));                                     // absurd length
        QVERIFY(sendRaw(QByteArray("\x0f\x25")));                        // not even a header
        // A start request with a body it cannot read: dropped with a debug line.
        QVERIFY(sendRaw(instancemessage::encode(instancemessage::kStartRequestTag, text)));
        QVERIFY(sendRaw(instancemessage::encode(9487, text))); // n bytes: the box

        QVERIFY(p.waitFor(QStringLiteral("BOX")));
        // Give any late message the chance to show up before judging.
        QTest::qWait(300);
        p.collect();
        QCOMPARE(p.out.count(QStringLiteral("BOX")), 1);
        QVERIFY(p.out.contains(QString::fromLatin1(text.toHex())));
        QVERIFY2(p.err.contains(QLatin1String("start request dropped")), qPrintable(p.err));

        // The socket is private to the user.
        const QFileInfo socketInfo(serverName());
        QVERIFY(socketInfo.exists());
        const QFileInfo dirInfo(socketInfo.absolutePath());
        QVERIFY(!(dirInfo.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther |
                                           QFileDevice::ReadGroup | QFileDevice::WriteGroup)));
    }

    // Without XDG_RUNTIME_DIR the lock and socket go to a folder of our own in the temporary
    // directory: made private, and never one that someone else holds.
    void instanceFolderWithoutRuntimeDirIsPrivate_data()
    {
        QTest::addColumn<QString>("squatter"); // what is already at the folder's name
        QTest::newRow("nothing") << QString();
        QTest::newRow("own folder open to all") << QStringLiteral("open");
        QTest::newRow("symbolic link") << QStringLiteral("link");
        if (::geteuid() == 0) // only root can give a folder away
            QTest::newRow("another user's folder") << QStringLiteral("foreign");
    }

    void instanceFolderWithoutRuntimeDirIsPrivate()
    {
        QFETCH(QString, squatter);
        QTemporaryDir tmp, home;
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedTmp = qgetenv("TMPDIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", tmp.path().toUtf8());
        qputenv("XDG_CACHE_HOME", home.path().toUtf8());
        const QString folder =
            tmp.path() + QStringLiteral("/orbis-mouse-") + QString::number(::geteuid());
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        const QString elsewhere = tmp.path() + QStringLiteral("/elsewhere");
        if (squatter == QLatin1String("open") || squatter == QLatin1String("foreign")) {
            QDir().mkdir(folder);
            QFile::setPermissions(folder, all);
            if (squatter == QLatin1String("foreign"))
                QVERIFY(::chown(folder.toLocal8Bit().constData(), 65534, 65534) == 0);
        } else if (squatter == QLatin1String("link")) {
            QDir().mkdir(elsewhere);
            QFile::setPermissions(elsewhere, all);
            QVERIFY(QFile::link(elsewhere, folder));
        }

        const QString socket = SingleInstance::serverNameForKey(QStringLiteral("k"));
        const QString used = QFileInfo(socket).absolutePath();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("TMPDIR", savedTmp);
        qputenv("XDG_CACHE_HOME", savedCache);

        const bool ours = squatter.isEmpty() || squatter == QLatin1String("open");
        QCOMPARE(used, ours ? folder : home.path() + QStringLiteral("/orbis-mouse-runtime"));
        const QFileInfo info(used);
        QVERIFY(info.isDir() && !info.isSymLink());
        QCOMPARE(info.ownerId(), ::geteuid());
        QCOMPARE(info.permissions() & all, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (squatter == QLatin1String("link")) // the link's target is left as it was
            QCOMPARE(QFileInfo(elsewhere).permissions() & all, all);
    }
};

int main(int argc, char **argv)
{
    const int childStatus = testsupport::runAsChild(argc, argv, &childMode, orbisMain);
    if (childStatus >= 0)
        return childStatus;
    // A runtime folder of this run's own (private, as the user's is), inherited by the children.
    QTemporaryDir runtime;
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    EntryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_entry.moc"
