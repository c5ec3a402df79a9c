// The entry function, run as a real process: this test program re-launches itself in a child
// mode that runs the whole entry function with its own start-up hook, so single-instance rule,
// working directory, exit status and instance messages are proven on real processes.
#include "app/datadir.h"
#include "app/entry.h"
#include "app/instancemessage.h"
#include "app/singleinstance.h"
#include "app/widget.h"
#include "platform/dialogs.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace
{
QString childMode;

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
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
    QTimer::singleShot(0, [] { say(QStringLiteral("ready")); });
    if (childMode == QLatin1String("quit")) {
        QTimer::singleShot(300, &widget, [&widget] {
            QList<QAction *> actions = widget.trayMenu()->actions();
            say(QStringLiteral("tray-entries=") + QString::number(actions.size()));
            actions.first()->trigger();
        });
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

    // Starts a child and waits for its "ready" line.
    bool startChild(QProcess &p, const QString &mode, const QString &cwd = QString())
    {
        if (!cwd.isEmpty())
            p.setWorkingDirectory(cwd);
        p.start(self(), {QStringLiteral("--child=") + mode});
        if (!p.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            p.waitForReadyRead(200);
            output_ += QString::fromUtf8(p.readAllStandardOutput());
            if (output_.contains(QLatin1String("ready")))
                return true;
            if (p.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }

    void stopChild(QProcess &p)
    {
        if (p.state() != QProcess::NotRunning) {
            p.terminate();
            if (!p.waitForFinished(5000))
                p.kill();
            p.waitForFinished(5000);
        }
    }

    bool sendRaw(const QByteArray &bytes)
    {
        QLocalSocket socket;
        socket.connectToServer(
            SingleInstance::serverNameForKey(SingleInstance::keyForExecutable(self())));
        if (!socket.waitForConnected(3000))
            return false;
        socket.write(bytes);
        socket.waitForBytesWritten(3000);
        socket.waitForDisconnected(1000);
        return true;
    }

    // Collects the child's output until `marker` appears (or a timeout).
    QString readUntil(QProcess &p, const QString &marker, int timeoutMs = 8000)
    {
        QElapsedTimer t;
        t.start();
        while (!output_.contains(marker) && t.elapsed() < timeoutMs) {
            p.waitForReadyRead(100);
            output_ += QString::fromUtf8(p.readAllStandardOutput());
        }
        return output_;
    }

    QString output_;

private slots:
    void init() { output_.clear(); }

    void quitFromTrayReturnsZeroFromAnyWorkingDirectory()
    {
        QProcess p;
        QVERIFY(startChild(p, QStringLiteral("quit"), QDir::rootPath()));
        QVERIFY(p.waitForFinished(15000));
        output_ += QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(output_.contains(QStringLiteral("cwd=") + QFileInfo(self()).absolutePath()),
                 qPrintable(output_));
        QVERIFY(output_.contains(QLatin1String("modules=yes")));
        QVERIFY(output_.contains(QLatin1String("tray-entries=1")));
    }

    void secondStartReturnsOneAndLeavesFirstRunning()
    {
        QProcess first;
        QVERIFY(startChild(first, QStringLiteral("stay")));
        QProcess second;
        second.start(self(), {QStringLiteral("--child=quit")});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(!QString::fromUtf8(second.readAllStandardOutput()).contains("ready"));
        QCOMPARE(first.state(), QProcess::Running);
        // The running instance still answers.
        QVERIFY(sendRaw(instancemessage::encode(9487, "still here")));
        QVERIFY(readUntil(first, "BOX")
                    .contains(QString::fromLatin1(QByteArray("still here").toHex())));
        stopChild(first);
    }

    void instanceMessagesShowTheBoxOnlyForWellFormedText()
    {
        QProcess p;
        QVERIFY(startChild(p, QStringLiteral("stay")));

        // A client that connects and never writes must not block the next one.
        QLocalSocket idle;
        idle.connectToServer(
            SingleInstance::serverNameForKey(SingleInstance::keyForExecutable(self())));
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
        QVERIFY(sendRaw(instancemessage::encode(9487, text)));           // n bytes: the box

        const QString out = readUntil(p, QStringLiteral("BOX"));
        QCOMPARE(out.count(QStringLiteral("BOX")), 1);
        // Give any late message the chance to show up before judging.
        QTest::qWait(300);
        output_ += QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(output_.count(QStringLiteral("BOX")), 1);
        QVERIFY(output_.contains(QString::fromLatin1(text.toHex())));

        // The socket is private to the user.
        const QFileInfo socketInfo(
            SingleInstance::serverNameForKey(SingleInstance::keyForExecutable(self())));
        QVERIFY(socketInfo.exists());
        const QFileInfo dirInfo(socketInfo.absolutePath());
        QVERIFY(!(dirInfo.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther |
                                           QFileDevice::ReadGroup | QFileDevice::WriteGroup)));
        stopChild(p);
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
        const QString folder = tmp.path() + QStringLiteral("/orbis-mouse-") +
                               QString::number(::geteuid());
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
        QCOMPARE(info.permissions() & all,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (squatter == QLatin1String("link")) // the link's target is left as it was
            QCOMPARE(QFileInfo(elsewhere).permissions() & all, all);
    }
};

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--child="))) {
            childMode = arg.mid(8);
            return orbisMain(1, argv);
        }
    }
    QCoreApplication app(argc, argv);
    EntryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_entry.moc"
