#pragma once
// A child process of a test with everything it printed, for tests that run the program (or the
// test program itself in a child mode) as real processes.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

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

} // namespace testsupport
