#include "platform/sleep.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

namespace platform
{
namespace
{
struct ClockState {
    QMutex mutex;
    bool virtualActive = false;
    qint64 virtualNow = 0;
    QList<int> pauses;
    QElapsedTimer real;
    ClockState() { real.start(); }
};
ClockState &state()
{
    static ClockState s;
    return s;
}
} // namespace

void sleepMs(int ms)
{
    ClockState &s = state();
    {
        QMutexLocker lock(&s.mutex);
        if (s.virtualActive) {
            s.pauses.append(ms);
            s.virtualNow += qMax(0, ms);
            return;
        }
    }
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

qint64 nowMs()
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.virtualActive ? s.virtualNow : s.real.elapsed();
}

VirtualClock::VirtualClock()
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    s.virtualActive = true;
    s.virtualNow = 0;
    s.pauses.clear();
}

VirtualClock::~VirtualClock()
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    s.virtualActive = false;
}

qint64 VirtualClock::now() const
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.virtualNow;
}

void VirtualClock::advance(qint64 ms)
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    s.virtualNow += ms;
}

QList<int> VirtualClock::pauses() const
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.pauses;
}

void VirtualClock::clear()
{
    ClockState &s = state();
    QMutexLocker lock(&s.mutex);
    s.pauses.clear();
}

} // namespace platform
