#include "hooks/localcapture.h"

#include "hooks/inputhooks.h"
#include "platform/inputsource.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace localcapture
{
namespace
{
// Every input event reaches the top-level window first and its widgets after; only windows are
// watched, so each event is fed once. A Qt Quick widget hands every event on to a window of its
// own that exists only in memory (it has no native window); that copy is not fed again.
class WindowFilter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched->isWindowType() && static_cast<QWindow *>(watched)->handle())
            feed(event);
        return false; // observe, never swallow
    }
};
QPointer<WindowFilter> filter;

quintptr buttonMessage(Qt::MouseButton button, bool isDown)
{
    switch (button) {
    case Qt::LeftButton:
        return isDown ? hookmsg::LButtonDown : hookmsg::LButtonUp;
    case Qt::RightButton:
        return isDown ? hookmsg::RButtonDown : hookmsg::RButtonUp;
    case Qt::MiddleButton:
        return isDown ? hookmsg::MButtonDown : hookmsg::MButtonUp;
    default:
        return 0;
    }
}
} // namespace

void start()
{
    if (filter || !QCoreApplication::instance())
        return;
    filter = new WindowFilter;
    filter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

void stop()
{
    delete filter.data();
}

bool feed(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        // Qt turns a held key into release+press pairs marked as auto-repeat; the key is still
        // down, and the desktop-wide capture reports it once.
        if (key->isAutoRepeat())
            return true;
        KeyboardHookRecord record;
        bool extended = false;
        if (!platform::hookScanCode(key->nativeScanCode(), &record.scanCode, &extended))
            return true;
        record.flags = (extended ? hookmsg::FlagExtended : 0)
                       | (key->modifiers() & Qt::AltModifier ? hookmsg::FlagAltDown : 0);
        const bool isDown = event->type() == QEvent::KeyPress;
        keyboardHookProc(hookmsg::HcAction, isDown ? hookmsg::KeyDown : hookmsg::KeyUp, record);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const quintptr message =
            buttonMessage(mouse->button(), event->type() == QEvent::MouseButtonPress);
        MouseHookRecord record;
        record.x = qRound(mouse->globalPosition().x());
        record.y = qRound(mouse->globalPosition().y());
        if (message != 0)
            mouseHookProc(hookmsg::HcAction, message, record);
        return true;
    }
    default:
        return false;
    }
}

} // namespace localcapture
