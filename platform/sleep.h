#pragma once
// Every fixed pause of the device protocol goes through sleepMs(). Normally it sleeps the calling
// thread; while a VirtualClock exists, it returns at once, advances virtual time and records the
// pause, so tests check exact pause sequences without waiting.
#include <QList>
#include <QtGlobal>

namespace platform
{

void sleepMs(int ms);

// Milliseconds on the process clock: monotonic real time, or virtual time while a VirtualClock
// is installed. Used for trace and simulator timestamps.
qint64 nowMs();

class VirtualClock
{
public:
    VirtualClock();  // installs this clock for the whole process
    ~VirtualClock(); // restores real time
    VirtualClock(const VirtualClock &) = delete;
    VirtualClock &operator=(const VirtualClock &) = delete;

    qint64 now() const;
    void advance(qint64 ms);
    QList<int> pauses() const; // every sleepMs() since installation or clear(), in order
    void clear();
};

} // namespace platform
