#include "app/firstframe.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace
{

// Watches the native window for its first expose, then queues the work once and goes.
class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget *window, std::function<void()> work, int fallbackMs)
        : QObject(window), work_(std::move(work))
    {
        if (QWindow *native = window->windowHandle(); native && window->isVisible())
            native->installEventFilter(this);
        else
            fallbackMs = 0;
        QTimer::singleShot(fallbackMs, this, [this] { fire(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            // Queued: the expose is still being delivered, and the painting it causes comes first.
            QTimer::singleShot(0, this, [this] { fire(); });
        return false;
    }

private:
    void fire()
    {
        if (!work_)
            return;
        auto work = std::move(work_);
        work_ = nullptr;
        deleteLater();
        work();
    }

    std::function<void()> work_;
};

} // namespace

void runAfterFirstFrame(QWidget *window, std::function<void()> work, int fallbackMs)
{
    new FirstFrameWatch(window, std::move(work), fallbackMs);
}
