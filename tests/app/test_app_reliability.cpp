// The shell under hostile conditions: a flood of instance messages, connections that exhaust
// the file descriptors, and settings files that are pipes, folders or huge.
#include "app/instancemessage.h"
#include "app/singleinstance.h"
#include "app/widget.h"
#include "base/settingsfile.h"
#include "hooks/inputhooks.h"
#include "platform/dialogs.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFile>
#include <QLocalSocket>
#include <QSettings>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace
{

QString uniqueKey(const char *name)
{
    return QStringLiteral("orbis-test-%1-%2").arg(QLatin1String(name)).arg(getpid());
}

// Opens a client and sends one frame; the caller processes events until it is handled.
std::unique_ptr<QLocalSocket> sendFrame(const QString &server, const QByteArray &payload)
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(server);
    if (socket->waitForConnected(1000))
        socket->write(instancemessage::encode(instancemessage::kWarningTag, payload));
    return socket;
}

// Processes events until every socket has been let go by the server (or the bound passes).
void awaitDisconnected(const std::vector<std::unique_ptr<QLocalSocket>> &sockets)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        std::all_of(sockets.begin(), sockets.end(),
                    [](const auto &s) { return s->state() == QLocalSocket::UnconnectedState; }),
        10000);
}

QStringList delivered;
void recordMessage(const CopyDataMessage *message, void *)
{
    delivered.append(QString::fromUtf8(static_cast<const char *>(message->lpData),
                                       static_cast<int>(message->cbData)));
}

// True once a fresh client's message reaches the callback.
bool channelAnswers(const QString &server, const QByteArray &text)
{
    delivered.clear();
    for (int attempt = 0; attempt < 50 && !delivered.contains(QString::fromUtf8(text)); ++attempt) {
        auto socket = sendFrame(server, text);
        socket->waitForBytesWritten(200);
        QTest::qWait(20);
    }
    return delivered.contains(QString::fromUtf8(text));
}

// Frees a reader blocked on opening a pipe, should the program under test open one: a hang
// becomes a failure instead of a test that never ends.
class PipeRescuer
{
public:
    explicit PipeRescuer(QStringList pipes)
        : thread_([this, pipes] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (cv_.wait_for(lock, std::chrono::seconds(20), [this] { return done_; }))
                  return;
              rescued = true;
              for (const QString &pipe : pipes) {
                  const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      ::close(fd);
              }
          })
    {
    }
    ~PipeRescuer()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    std::atomic<bool> rescued{false};

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace

class ReliabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        platform::setWarningBoxHandler({});
        setCopyDataCallback(nullptr, nullptr, nullptr);
    }

    void floodOfMessagesShowsOneBoxAtATime()
    {
        testsupport::ScratchTree tree;
        SingleInstance instance(uniqueKey("flood"));
        QVERIFY(!instance.isRunning());
        Widget widget;
        setCopyDataCallback(&Widget::onCopyData, qApp, &widget);
        testsupport::LogCapture log;

        int depth = 0, maxDepth = 0;
        QStringList shown;
        bool insideDispatch = false;
        platform::setWarningBoxHandler([&](const QString &, const QString &text) {
            QVERIFY(!insideDispatch);
            maxDepth = qMax(maxDepth, ++depth);
            shown.append(text);
            if (shown.size() == 1) {
                // While the first box is open, 199 more messages arrive (in batches under the
                // connection cap), each with its own text, and the same text again.
                for (int batch = 0; batch < 199; batch += 10) {
                    std::vector<std::unique_ptr<QLocalSocket>> sockets;
                    for (int i = batch; i < qMin(batch + 10, 199); ++i)
                        sockets.push_back(sendFrame(instance.serverName(),
                                                    i % 2 ? QByteArray("again")
                                                          : "message " + QByteArray::number(i)));
                    awaitDisconnected(sockets);
                }
            }
            --depth;
        });
        // The box never opens inside the message's own handling.
        CopyDataMessage first;
        const QByteArray firstText("again");
        first.dwData = instancemessage::kWarningTag;
        first.cbData = firstText.size();
        first.lpData = firstText.constData();
        insideDispatch = true;
        QVERIFY(dispatchCopyData(first));
        insideDispatch = false;
        QVERIFY(shown.isEmpty());

        QTRY_COMPARE(shown.size(), 1 + WarningQueue::MaxWaiting);
        QCoreApplication::processEvents();
        QCOMPARE(shown.size(), 1 + WarningQueue::MaxWaiting);
        QCOMPARE(maxDepth, 1);
        // "again" was showing when its copies came: one box for it in all.
        QCOMPARE(shown.count(QStringLiteral("again")), 1);
        QCOMPARE(shown.at(1), QStringLiteral("message 0"));
        QVERIFY(log.lines().contains(QStringLiteral("97 instance messages dropped while a box was open")));

        // An empty message shows nothing.
        CopyDataMessage empty;
        empty.dwData = instancemessage::kWarningTag;
        QVERIFY(dispatchCopyData(empty));
        QTest::qWait(50);
        QCOMPARE(shown.size(), 1 + WarningQueue::MaxWaiting);
    }

    void manyConnectionsLeaveTheChannelAnswering()
    {
        SingleInstance instance(uniqueKey("connections"));
        QVERIFY(!instance.isRunning());
        setCopyDataCallback(&recordMessage, qApp, nullptr);
        int mostAtOnce = 0;
        for (int opened = 0; opened < 1100; opened += 50) {
            std::vector<std::unique_ptr<QLocalSocket>> idle;
            for (int i = 0; i < 50; ++i) {
                idle.push_back(std::make_unique<QLocalSocket>());
                idle.back()->connectToServer(instance.serverName());
            }
            // The server takes what it may hold and drops the rest at once.
            QTRY_VERIFY(std::count_if(idle.begin(), idle.end(), [](const auto &s) {
                            return s->state() == QLocalSocket::UnconnectedState;
                        }) >= 50 - SingleInstance::MaxConnections);
            mostAtOnce = qMax(mostAtOnce, instance.connectionCount());
            idle.clear();
        }
        QVERIFY(mostAtOnce <= SingleInstance::MaxConnections);
        QVERIFY(channelAnswers(instance.serverName(), "after 1100"));
    }

    void channelListensAgainAfterRunningOutOfDescriptors()
    {
        SingleInstance instance(uniqueKey("descriptors"));
        QVERIFY(!instance.isRunning());
        setCopyDataCallback(&recordMessage, qApp, nullptr);
        testsupport::LogCapture log;

        rlimit previous{};
        QVERIFY(getrlimit(RLIMIT_NOFILE, &previous) == 0);
        int highest = 0;
        for (int fd = 0; fd < 4096; ++fd)
            if (fcntl(fd, F_GETFD) != -1)
                highest = fd;
        rlimit tight = previous;
        tight.rlim_cur = static_cast<rlim_t>(highest + 32);
        QVERIFY(setrlimit(RLIMIT_NOFILE, &tight) == 0);
        // Take every descriptor but one; a client takes that one, and the server's accept
        // finds none.
        std::vector<int> fillers;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
            fillers.push_back(fd);
        ::close(fillers.back());
        fillers.pop_back();
        QLocalSocket client;
        client.connectToServer(instance.serverName());
        const auto closed = [&log] {
            return log.lines().filter(QStringLiteral("instance socket closed")).size();
        };
        for (int i = 0; i < 100 && closed() == 0; ++i)
            QTest::qWait(5);
        const bool exhausted = closed() == 1;
        client.abort();
        for (int fd : fillers)
            ::close(fd);
        QVERIFY(setrlimit(RLIMIT_NOFILE, &previous) == 0);
        QVERIFY(exhausted);

        QTRY_VERIFY(instance.isListening());
        QVERIFY(channelAnswers(instance.serverName(), "after exhaustion"));
        QCOMPARE(closed(), 1);
    }

    void settingsFilesThatAreNotFilesCountAsMissing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("oversized") << QStringLiteral("oversized");
        QTest::newRow("absent") << QStringLiteral("absent");
        QTest::newRow("regular") << QStringLiteral("regular");
    }

    void settingsFilesThatAreNotFilesCountAsMissing()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p1.bin"));
        if (kind == QLatin1String("pipe"))
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else if (kind != QLatin1String("absent")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[mouse]\nreportRate=2\n");
            if (kind == QLatin1String("oversized"))
                QVERIFY(f.resize(settingsfile::MaxBytes + 1)); // sparse: costs no space
        }
        const bool usable = kind == QLatin1String("regular");
        PipeRescuer rescuer({path});
        QCOMPARE(settingsfile::readable(path), usable);
        {
            QSettings settings(settingsfile::settingsName(path), QSettings::IniFormat);
            QCOMPARE(settings.value(QStringLiteral("mouse/reportRate")).toInt(), usable ? 2 : 0);
            // Writes land somewhere harmless and read back within the run.
            settings.setValue(QStringLiteral("mouse/dpiCount"), 4);
            settings.sync();
            QCOMPARE(settings.value(QStringLiteral("mouse/dpiCount")).toInt(), 4);
        }
        // What was there is left as it was.
        const QFileInfo after(path);
        QCOMPARE(after.isDir(), kind == QLatin1String("folder"));
        if (kind == QLatin1String("oversized"))
            QCOMPARE(after.size(), settingsfile::MaxBytes + 1);
        QVERIFY(!rescuer.rescued);
    }

    void pipesInPlaceOfSettingsFilesLetTheWindowAppear()
    {
        testsupport::ScratchTree tree;
        QStringList pipes;
        for (const char *name : {"apConfig.bin", "pD.bin", "p3.bin"}) {
            const QString path = tree.file(QStringLiteral("modules/setting/") + name);
            QFile::remove(path);
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            pipes.append(path);
        }
        PipeRescuer rescuer(pipes);
        testsupport::LogCapture log;
        {
            Widget widget;
            widget.showNormal();
            QVERIFY(widget.isVisible());
            widget.checkDevice(); // reads the device table from the same file
            QVERIFY(!widget.isVisible());
        }
        QVERIFY(!rescuer.rescued);
        for (const QString &pipe : pipes)
            QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
        QVERIFY(log.lines().filter(QStringLiteral("is not a regular file; read as missing")).size() >= 3);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    ReliabilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_reliability.moc"
