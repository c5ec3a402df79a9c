#include "app/warningqueue.h"

#include "base/logging.h"
#include "platform/dialogs.h"

WarningQueue::WarningQueue(QObject *parent) : QObject(parent) {}

void WarningQueue::post(const QString &title, const QString &text)
{
    if (text.isEmpty())
        return;
    const Box box{title, text};
    if ((open_ && box == shown_) || waiting_.contains(box))
        return;
    if (waiting_.size() >= MaxWaiting) {
        ++dropped_;
        return;
    }
    waiting_.append(box);
    schedule();
}

void WarningQueue::schedule()
{
    if (open_ || scheduled_ || waiting_.isEmpty())
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &WarningQueue::showNext, Qt::QueuedConnection);
}

void WarningQueue::showNext()
{
    scheduled_ = false;
    if (open_ || waiting_.isEmpty())
        return;
    shown_ = waiting_.takeFirst();
    open_ = true;
    platform::showWarningBox(shown_.title, shown_.text);
    open_ = false;
    if (dropped_ > 0) {
        ORBIS_LOG(lcApp, QStringLiteral("%1 instance messages dropped while a box was open")
                             .arg(dropped_));
        dropped_ = 0;
    }
    schedule();
}
