#pragma once
// Every fixed pause of the device protocol goes through sleepMs(). Normally it waits out the
// pause; while a VirtualClock exists, it returns at once, advances virtual time and records the
// pause, so tests check exact pause sequences without waiting.
//
// On the GUI thread a pause keeps the window alive: it runs the event loop (drawing, timers,
// queued calls, the window manager's ping) but leaves user input queued, and it stops doing so
// shortly before the pause is over and sleeps the rest, so whatever an event costs never
// lengthens the pause the device was promised. Elsewhere it sleeps the thread.
#include <QList>
#include <QtGlobal>

namespace base
{

void sleepMs(int ms);

// Lets the GUI thread handle what is pending now, user input excepted (the device waits that
// the transport makes besides its pauses).
void processPendingEvents();

// How many event-processing waits are on the GUI thread's stack: a pause, processPendingEvents,
// or a wait of the caller's own marked with an EventWaitScope. Code that must not run nested
// inside a device wait (the start of a sequence, a device check) looks at it.
int eventWaitDepth();

class EventWaitScope
{
public:
    EventWaitScope();
    ~EventWaitScope();
    EventWaitScope(const EventWaitScope &) = delete;
    EventWaitScope &operator=(const EventWaitScope &) = delete;
};

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

} // namespace base
