#include "base/sleep.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QThread>
#include <QTimer>

namespace base
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

// The last part of a pause on the GUI thread is slept, not spent in the event loop: an event
// that starts just before the end (a frame of the scene, a few milliseconds in the software
// renderer) must finish before the pause would be over. Pauses no longer than this are slept
// whole (the 8 ms lock polls).
constexpr qint64 kEventGuardMs = 12;

// Only touched on the GUI thread.
int waitDepth = 0;

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void sleepNs(qint64 ns)
{
    if (ns > 0)
        QThread::usleep(static_cast<unsigned long>((ns + 999) / 1000));
}
} // namespace

EventWaitScope::EventWaitScope()
{
    ++waitDepth;
}

EventWaitScope::~EventWaitScope()
{
    --waitDepth;
}

int eventWaitDepth()
{
    return waitDepth;
}

void processPendingEvents()
{
    EventWaitScope scope;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

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
    if (ms <= 0)
        return;
    const qint64 totalNs = qint64(ms) * 1000000;
    if (!onGuiThread() || ms <= kEventGuardMs) {
        sleepNs(totalNs);
        return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    {
        EventWaitScope scope;
        QEventLoop loop;
        QTimer end;
        end.setSingleShot(true);
        end.setTimerType(Qt::PreciseTimer);
        QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
        end.start(static_cast<int>(ms - kEventGuardMs));
        // Returns early only when the application is quitting; the rest is slept below.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    sleepNs(totalNs - elapsed.nsecsElapsed());
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

} // namespace base
