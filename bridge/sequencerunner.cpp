#include "bridge/sequencerunner.h"

#include "base/sleep.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QQuickItem>
#include <QQuickWindow>
#include <QWindow>

namespace
{
// How often a queued sequence looks again whether the device has become free.
constexpr int kRetryMs = 10;

// Waits until the view has painted a frame rendered after the wait began: the scene renders
// into an image (afterRendering), which the view's next paint puts on the screen.
class FrameWatch : public QObject
{
public:
    FrameWatch(QQuickWidget *view, QEventLoop *loop) : loop_(loop)
    {
        if (QQuickWindow *scene = view->quickWindow())
            connect(scene, &QQuickWindow::afterRendering, this, [this] { rendered_ = true; },
                    Qt::DirectConnection);
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && rendered_ && !shown_) {
            // Queued: the wait ends once this paint (and the flush to the screen that follows
            // it) is done.
            shown_ = true;
            QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop *loop_;
    bool rendered_ = false;
    bool shown_ = false;
};
} // namespace

SequenceRunner::SequenceRunner(myQQuickView *view) : QObject(view), view_(view)
{
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &SequenceRunner::startNext);
}

bool SequenceRunner::deviceFree() const
{
    return !running_ && base::eventWaitDepth() == 0 && (!view_->hid || view_->hid->hidIdle);
}

void SequenceRunner::request(const QString &kind, Job job, Start start, Feedback feedback)
{
    // Called by the running sequence itself, not from an event inside one of its waits.
    if (running_ && base::eventWaitDepth() == 0) {
        job();
        return;
    }
    Entry entry{kind, std::move(job), feedback};
    // From the top of the GUI thread with the device free, pending requests have merely not had
    // their turn from the event loop yet: this one need not wait for them.
    if (start == Start::Now && deviceFree()) {
        run(entry);
        return;
    }
    if (!kind.isEmpty()) {
        for (int i = 0; i < queue_.size(); ++i) {
            if (queue_[i].kind == kind) {
                queue_.removeAt(i);
                break;
            }
        }
    }
    queue_.append(std::move(entry));
    scheduleNext();
}

void SequenceRunner::run(const Entry &entry)
{
    running_ = true;
    if (entry.feedback == Feedback::Busy) {
        if (!busyShown_)
            showBusy();
    } else if (busyShown_) {
        // The sequence shows its own busy state from its first step on.
        endBusy();
    }
    entry.job();
    finish();
}

void SequenceRunner::showBusy()
{
    busyShown_ = true;
    view_->invokeRoot("controlUIEnable", Qt::DirectConnection, {QVariant(false)});
    waitForFrame();
}

void SequenceRunner::endBusy()
{
    busyShown_ = false;
    view_->invokeRoot("controlUIEnable", Qt::DirectConnection, {QVariant(true)});
}

void SequenceRunner::waitForFrame()
{
    // A hidden window draws nothing: there is nothing to wait for.
    const QWindow *window = view_->window()->windowHandle();
    if (!view_->rootObject() || !view_->isVisible() || !window || !window->isExposed())
        return;
    base::EventWaitScope scope;
    QEventLoop loop;
    FrameWatch watch(view_, &loop);
    QTimer::singleShot(kFrameWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void SequenceRunner::finish()
{
    if (busyShown_) {
        // The input held back during the sequence goes to the disabled view, which drops it.
        view_->setEnabled(false);
        base::EventWaitScope scope;
        QCoreApplication::processEvents();
    }
    running_ = false;
    if (!queue_.isEmpty()) {
        // The next one starts from the event loop, under the same busy state.
        scheduleNext();
        return;
    }
    if (busyShown_)
        endBusy();
}

void SequenceRunner::scheduleNext()
{
    // The first look is from the next turn of the event loop; only a busy device makes the
    // queue look again every kRetryMs.
    if (!running_ && !retry_.isActive())
        retry_.start(0);
}

void SequenceRunner::startNext()
{
    if (running_ || queue_.isEmpty())
        return;
    if (!deviceFree()) {
        retry_.start(kRetryMs);
        return;
    }
    const Entry next = queue_.takeFirst();
    run(next);
}
