#pragma once
// A child process of a test with everything it printed, for tests that run the program (or the
// test program itself in a child mode) as real processes.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <functional>
#include <vector>

namespace testsupport
{

// One child process with everything it printed.
struct Child {
    QProcess process;
    QString out;
    QString err;

    void collect()
    {
        out += QString::fromUtf8(process.readAllStandardOutput());
        err += QString::fromUtf8(process.readAllStandardError());
    }
    // Waits (up to a generous limit) until the output holds marker.
    bool waitFor(const QString &marker, int timeoutMs = 15000)
    {
        QElapsedTimer t;
        t.start();
        collect();
        while (!out.contains(marker) && t.elapsed() < timeoutMs) {
            if (process.state() == QProcess::NotRunning)
                break;
            process.waitForReadyRead(100);
            collect();
        }
        return out.contains(marker);
    }
    void stop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished(5000);
        }
        collect();
    }
    ~Child() { stop(); }
};

// A second start: its exit status, stdout and stderr.
struct Finished {
    int status = -1;
    QString out;
    QString err;
};

// The test program run as a child ("--child=MODE" and the child's own arguments after it): sets
// *mode and returns run(argc, argv) of the child's command line (the program name and what follows
// the mode). Returns -1 when the command line names no child mode.
inline int runAsChild(int argc, char **argv, QString *mode,
                      const std::function<int(int, char **)> &run)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--child="))) {
            *mode = arg.mid(8);
            std::vector<char *> rest{argv[0]};
            rest.insert(rest.end(), argv + i + 1, argv + argc);
            rest.push_back(nullptr);
            return run(static_cast<int>(rest.size()) - 1, rest.data());
        }
    }
    return -1;
}

} // namespace testsupport
