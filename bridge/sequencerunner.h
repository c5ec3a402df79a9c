#pragma once
// The one queue through which everything that sends a series of commands to the mouse runs:
// Save, factory reset, profile switches (top bar, profile page, a profile handed over by a
// second start), the scene's start after a connect, and the pages' sends (macro to a button, gun
// slots). One sequence runs at a time and none runs inside another's device waits.
//
// A sequence starts on the spot when it is asked for from the top of the GUI thread while
// nothing else uses the device (a click); otherwise (asked for from inside a device wait, or
// while another sequence runs) it waits in the queue and starts from the event loop once the
// device is free. A request made by the running sequence itself (a page send that a profile
// switch makes) is part of it and runs at once. A request that names a kind replaces a pending
// one of the same kind, so pending profile switches collapse to the newest.
//
// Before its first transfer a sequence shows the busy state and lets the window draw it; at its
// end, user input that arrived meanwhile is delivered to the disabled view, which drops it (the
// busy protection holds for the whole sequence), and the busy state ends unless another
// sequence waits: that one starts from the event loop under the same busy state.
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class myQQuickView;

class SequenceRunner : public QObject
{
    Q_OBJECT
public:
    using Job = std::function<void()>;
    // Now: start at once when the device is free (a request from the scene). Later: always from
    // the event loop (a request from device polling, made in the middle of its own work).
    enum class Start { Now, Later };
    // Busy: the runner shows the busy state around the sequence. Own: the sequence shows its
    // own (the scene's start, whose busy time outlasts its commands).
    enum class Feedback { Busy, Own };

    explicit SequenceRunner(myQQuickView *view);

    void request(const QString &kind, Job job, Start start = Start::Now,
                 Feedback feedback = Feedback::Busy);

    // True from a sequence's start until its end.
    bool active() const { return running_; }
    int pending() const { return static_cast<int>(queue_.size()); }
    // No sequence runs, no command holds the device, and the caller is not inside a device wait.
    bool deviceFree() const;

    // Lets the window draw what the scene shows now: returns once a frame rendered after the
    // call is on the screen, after kFrameWaitMs at most, or at once when nothing is shown. User
    // input waits meanwhile.
    void waitForFrame();

    // The longest the start of a sequence waits for the window to draw the busy state.
    static constexpr int kFrameWaitMs = 100;

private:
    struct Entry {
        QString kind;
        Job job;
        Feedback feedback = Feedback::Busy;
    };
    void run(const Entry &entry);
    void showBusy();
    void endBusy();
    void finish();
    void scheduleNext();
    void startNext();

    myQQuickView *view_;
    QList<Entry> queue_;
    bool running_ = false;
    bool busyShown_ = false;
    QTimer retry_;
};
