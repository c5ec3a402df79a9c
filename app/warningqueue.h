#pragma once
// The warning boxes that instance messages ask for. A box is modal and runs an event loop of its
// own, in which more messages arrive; showing each at once would stack boxes without limit (and
// finally overflow the stack). So a message only queues its text, and one box at a time opens
// from the event loop, never inside the caller (the socket handler).
//
// While a box is open, later texts wait; a text equal to the one shown or to one waiting is not
// queued again, and beyond MaxWaiting distinct texts the rest are dropped and counted on the
// debug channel. When a box closes, the next waiting text gets its box. An empty text shows
// nothing.
#include <QList>
#include <QObject>
#include <QString>

class WarningQueue : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxWaiting = 3;

    explicit WarningQueue(QObject *parent = nullptr);

    void post(const QString &title, const QString &text);

    bool boxOpen() const { return open_; }
    int waiting() const { return static_cast<int>(waiting_.size()); }

private:
    struct Box {
        QString title;
        QString text;
        bool operator==(const Box &other) const
        {
            return title == other.title && text == other.text;
        }
    };

    void schedule();
    void showNext();

    QList<Box> waiting_;
    Box shown_;
    bool open_ = false;
    bool scheduled_ = false;
    int dropped_ = 0;
};
