#include "support/xserver.h"

#include <QStandardPaths>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport
{

XServer::XServer()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return;
    for (int n = 90 + getpid() % 400, tries = 0; tries < 20; ++n, ++tries) {
        const QByteArray lock = "/tmp/.X" + QByteArray::number(n) + "-lock";
        const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(n);
        if (access(lock.constData(), F_OK) == 0)
            continue;
        const QByteArray display = ":" + QByteArray::number(n);
        pid_ = fork();
        if (pid_ == 0) {
            execlp("Xvfb", "Xvfb", display.constData(), "-screen", "0", "1280x800x24", "-nolisten",
                   "tcp", static_cast<char *>(nullptr));
            _exit(127);
        }
        for (int wait = 0; wait < 100; ++wait) {
            struct stat st;
            if (stat(socket.constData(), &st) == 0) {
                qputenv("DISPLAY", display);
                return;
            }
            if (waitpid(pid_, nullptr, WNOHANG) == pid_)
                break; // this number was taken after all
            usleep(50 * 1000);
        }
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
}

XServer::~XServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

SessionBus::SessionBus()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return;
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(5000))
        return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    address_ = daemon_.readLine().trimmed();
    if (!address_.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
}

SessionBus::~SessionBus()
{
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
}

} // namespace testsupport
