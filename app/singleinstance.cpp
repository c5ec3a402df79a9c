#include "app/singleinstance.h"

#include "app/instancemessage.h"
#include "app/privatefolder.h"
#include "base/logging.h"
#include "hooks/inputhooks.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace
{
QString userIdText()
{
#ifdef Q_OS_UNIX
    return QString::number(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// A client that connects and never completes its frame is dropped after this long.
constexpr int kClientTimeoutMs = 2000;
// Pause before listening again after a failed attempt (no file descriptor free, most likely).
constexpr int kRelistenRetryMs = 500;

QString runtimeDir()
{
    // XDG_RUNTIME_DIR is private to the user (0700; Qt checks its owner).
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!dir.isEmpty())
            return dir;
    }
    // Without it, a private folder of our own in the temporary directory; if someone else holds
    // that name, one in the user's cache directory.
    QString dir = ensurePrivateFolder(QDir::tempPath() + QStringLiteral("/orbis-mouse-") +
                                      userIdText());
    if (dir.isEmpty()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        QDir().mkpath(cache);
        dir = ensurePrivateFolder(cache + QStringLiteral("/orbis-mouse-runtime"));
        ORBIS_LOG(lcApp, QStringLiteral("the temporary instance folder is not private; using %1")
                             .arg(dir.isEmpty() ? QStringLiteral("none") : dir));
    }
    return dir;
}
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), key_(key), serverName_(serverNameForKey(key))
{
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
    delete lock_;
}

QString SingleInstance::keyForExecutable(const QString &executablePath)
{
    const QByteArray hash = QCryptographicHash::hash(QFileInfo(executablePath).fileName().toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex();
    return QStringLiteral("orbis-mouse-") + QString::fromLatin1(hash.left(16));
}

QString SingleInstance::serverNameForKey(const QString &key)
{
    return runtimeDir() + QLatin1Char('/') + key + QStringLiteral(".sock");
}

bool SingleInstance::isRunning()
{
    if (decided_ >= 0)
        return decided_ == 1;
    lock_ = new QLockFile(runtimeDir() + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // a lock of a dead process is taken over
    if (!lock_->tryLock(0)) {
        decided_ = 1;
        return true;
    }
    decided_ = 0;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &SingleInstance::keepListening);
    retry_ = new QTimer(this);
    retry_->setSingleShot(true);
    retry_->setInterval(kRelistenRetryMs);
    connect(retry_, &QTimer::timeout, this, &SingleInstance::keepListening);
    if (!listen())
        ORBIS_LOG(lcApp, "instance socket not available: " + server_->errorString());
    return false;
}

bool SingleInstance::isListening() const
{
    return server_ && server_->isListening();
}

bool SingleInstance::listen()
{
    server_->close();
    QLocalServer::removeServer(serverName_); // a leftover of a crashed instance, or our own
    if (!server_->listen(serverName_)) {
        retry_->start();
        return false;
    }
    const QString file = server_->fullServerName();
    if (watcher_->files().contains(file))
        watcher_->removePath(file);
    watcher_->addPath(file);
    return true;
}

void SingleInstance::keepListening()
{
    if (server_->isListening() && QFileInfo::exists(server_->fullServerName()))
        return;
    if (!relistening_)
        ORBIS_LOG(lcApp, "instance socket closed (" + server_->errorString() + "); listening again");
    relistening_ = true;
    if (listen()) {
        relistening_ = false;
        ORBIS_LOG(lcApp, QStringLiteral("instance socket listening again"));
    }
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        if (connections_ >= MaxConnections) {
            // Dropped at once, so a flood of idle connections cannot use up the descriptors.
            if (droppedConnections_++ == 0)
                ORBIS_LOG(lcApp, QStringLiteral("instance connections over %1: dropping the excess")
                                     .arg(MaxConnections));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++connections_;
        connect(socket, &QObject::destroyed, this, [this] {
            if (--connections_ == 0)
                droppedConnections_ = 0;
        });
        auto *reader = new instancemessage::FrameReader;
        auto *timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, &QLocalSocket::abort);
        timer->start(kClientTimeoutMs);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, socket, [reader] { delete reader; });
        connect(socket, &QLocalSocket::readyRead, socket, [socket, reader, timer] {
            const auto status = reader->append(socket->readAll());
            if (status == instancemessage::FrameReader::NeedMore)
                return;
            timer->stop();
            // Copy what the box needs and drop the connection before any box runs its own loop.
            const quint32 tag = reader->tag();
            const QByteArray payload = reader->payload();
            socket->abort();
            if (status != instancemessage::FrameReader::Complete)
                return;
            CopyDataMessage message;
            message.dwData = tag;
            message.cbData = static_cast<quint32>(payload.size());
            message.lpData = payload.constData();
            dispatchCopyData(message);
        });
    }
}

bool SingleInstance::sendMessage(const QString &serverName, quint32 tag, const QByteArray &payload)
{
    constexpr int kTimeoutMs = 3000;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write(instancemessage::encode(tag, payload));
    if (!socket.waitForBytesWritten(kTimeoutMs))
        return false;
    // The running instance drops the connection once it has read the frame.
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(kTimeoutMs);
}
