#pragma once
// The single-instance rule: the first process takes a lock file and listens on a local socket,
// both in the user's private runtime folder, so the rule holds per user; a later start finds the
// lock taken and ends. The socket delivers messages from other processes (see
// instancemessage.h) to the registered copy-data callback.
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QLockFile;
class QLocalServer;
class QTimer;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key: derived from the executable by default (keyForExecutable).
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another process of the same key is running. The first call decides: when no
    // other instance runs, this one takes the lock and starts listening.
    bool isRunning();
    QString serverName() const { return serverName_; }
    bool isListening() const;
    int connectionCount() const { return connections_; }

    // Connections handled at once; more are closed as soon as they are accepted.
    static constexpr int MaxConnections = 16;

    // The key names the program, not the folder it runs from: two copies of the program at
    // different paths are one instance for a user, while the demo and the test programs, whose
    // executables have names of their own, keep keys of their own.
    static QString keyForExecutable(const QString &executablePath);
    static QString serverNameForKey(const QString &key);

    // Sends one message to the instance listening on serverName (another process): true once
    // the running instance has taken the whole frame.
    static bool sendMessage(const QString &serverName, quint32 tag, const QByteArray &payload);

private:
    void acceptConnection();
    // The server stops listening for good when an accept fails (for instance when the process
    // runs out of file descriptors) and removes its socket file; that removal brings us here.
    void keepListening();
    bool listen();

    QString key_;
    QString serverName_;
    QLockFile *lock_ = nullptr;
    QLocalServer *server_ = nullptr;
    QFileSystemWatcher *watcher_ = nullptr;
    QTimer *retry_ = nullptr; // listening again after a failed attempt
    int connections_ = 0;
    int droppedConnections_ = 0;
    bool relistening_ = false;
    int decided_ = -1; // -1 undecided, 0 first instance, 1 another runs
};
