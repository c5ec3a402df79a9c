// The event listener: a task on the global thread pool that reads the device's event interface
// and turns DPI-switch reports into a view update and a tray balloon, and notices removal.
//
// Threads: the task works only on its own copy of the event interface path (listenPath_) and on
// hidDev2, both of which the GUI thread sets up before the task starts and touches again only
// after it has returned, and on listenRunning (atomic). What it does to the device table is
// posted to the GUI thread; its effects on the window leave as signals the host connects queued.
#include "base/logging.h"
#include "base/sleep.h"
#include "device/commandtable.h"
#include "device/hid_thread.h"
#include "device/hidio.h"

#include <QThreadPool>
#include <QtConcurrent>

namespace
{
constexpr int kEventReadTimeoutMs = 500;
// After a failed read the handle is reopened; this pause keeps an interface that fails every
// read at once from turning the loop into a busy spin.
constexpr int kFailedReadPauseMs = 100;
} // namespace

void Hid_Thread::setListenOption()
{
    // Switches on the device's event reports. The options are written back only when they were
    // read from the device: writing values the device never gave would overwrite its other
    // option bits with guesses, so a failed read leaves the device as it is.
    if (is560) {
        uchar options[2] = {};
        uchar *results[] = {&options[0], &options[1]};
        if (exchangeGet(cmd560::GetKeyboardoption, {}, results, 2, true))
            hid560_01H_SetKeyboardoption(options[0] | 0x08, options[1]);
        return;
    }
    uchar options[4] = {};
    uchar *results[] = {&options[0], &options[1], &options[2], &options[3]};
    if (exchangeGet(cmd553::GetKeyboardoption, {}, results, 4, true))
        hid553_03H_SetKeyboardoption(options[0], options[1], options[2], options[3] | 0x40);
}

void Hid_Thread::startHidListen(int index)
{
    listenRunning = false;
    // Only one listener: the previous task ends within one read timeout.
    waitListenerFinished();
    setListenOption();
    const QString path = index >= 0 && index < devList.size() ? devList[index].devPath2 : QString();
    // A restart on the same interface keeps its handle, so nothing the device sends in between
    // is lost. Otherwise it is opened here already, so the kernel queues the device's reports
    // from now on; a failed open is retried by the task, which then runs the removal steps.
    if (path != listenPath_)
        closeHidDevice2();
    listenPath_ = path;
    if (!listenPath_.isEmpty() && !hidDev2)
        hidDev2 = hidio::open(hidio::Interface::Event, listenPath_);
    listenTaskActive_ = true;
    listenRunning = true; // publishes listenPath_ and hidDev2 to the task
    listenFuture = QtConcurrent::run(QThreadPool::globalInstance(), [this, index] {
        hidListenLoop(index);
        listenTaskActive_.store(false, std::memory_order_release);
    });
}

void Hid_Thread::stopHidListen()
{
    listenRunning = false;
}

void Hid_Thread::waitListenerFinished()
{
    listenFuture.waitForFinished();
    // The task cleared the flag as its last act, before its future finished.
    while (listenTaskActive_.load(std::memory_order_acquire))
        QThread::yieldCurrentThread();
}

void Hid_Thread::hidListenLoop(int index)
{
    if (!listenRunning)
        return; // stopped before it began
    const QString path = listenPath_;
    if (path.isEmpty())
        return; // no event interface: the run flag stays set
    // The handle stays open across passes, so no report is lost between a close and a reopen.
    while (listenRunning) {
        if (!hidDev2) {
            hidDev2 = hidio::open(hidio::Interface::Event, path);
            if (!hidDev2) {
                reportRemoval(index, path);
                return;
            }
        }
        uchar report[64] = {};
        const int r = hidio::read(hidio::Interface::Event, hidDev2, report, sizeof report,
                                  kEventReadTimeoutMs);
        if (r < 0) {
            closeHidDevice2(); // the next pass reopens it, or finds the device gone
            base::sleepMs(kFailedReadPauseMs);
            continue;
        }
        // The first four bytes of a report count; hidraw hands over whole reports, which may
        // be longer on some mice.
        if (r >= 4 && report[0] == 6 && report[1] == 7)
            emit dpiSwitched(report[3]);
    }
    // Stopped: the handle stays for a restart on the same interface (or the destructor).
}

void Hid_Thread::reportRemoval(int index, const QString &path)
{
    ORBIS_LOG(lcDevice, "Device removed");
    emit deviceRemoved();
    QMetaObject::invokeMethod(
        this,
        [this, index, path] {
            // Only if the table still describes the device this listener watched.
            if (index >= 0 && index < devList.size() && devList[index].devPath2 == path)
                devList[index].devPath2.clear();
        },
        Qt::QueuedConnection);
    listenRunning = false;
}
