#include "app/widget.h"

#include "app/globals.h"
#include "app/instancemessage.h"
#include "app/nomousenotice.h"
#include "base/datapaths.h"
#include "base/logging.h"
#include "bridge/autoswitchhost.h"
#include "bridge/language.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "bridge/ui_controler.h"
#include "device/protocol.h"
#include "hooks/inputhooks.h"
#include "platform/devicechange.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QQuickItem>

namespace
{
const char *const kTrayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, "
    "40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";
}

Widget::Widget(QWidget *parent, SceneLoad sceneLoad) : QWidget(parent)
{
    controller = new Ui_Controler;
    controller->setup(this, &hid, sceneLoad == SceneLoad::Now);
    controller->view->hid = &hid;

    pollTimer.setInterval(2048);
    pollTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the check is due 2048 ms after the last change.
    pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&pollTimer, &QTimer::timeout, this, &Widget::checkDevice);

    // The listener emits on its pool thread; its effects on the window happen here.
    connect(&hid, &Hid_Thread::dpiSwitched, this, &Widget::showDpiSwitch, Qt::QueuedConnection);
    connect(
        &hid, &Hid_Thread::deviceRemoved, this, [this] { view()->setEnabled(false); },
        Qt::QueuedConnection);

    trayIcon = new QSystemTrayIcon(this);
    noticeAction_ = new QAction(this);
    connect(noticeAction_, &QAction::triggered, this, &Widget::showNoMouseNotice);
    quitAction_ = new QAction(this);
    connect(quitAction_, &QAction::triggered, this, &Widget::exitSYS);
    autoSwitchAction_ = new QAction(this);
    autoSwitchAction_->setCheckable(true);
    autoSwitchAction_->setChecked(controller->autoSwitch->enabled());
    connect(autoSwitchAction_, &QAction::toggled, controller->autoSwitch,
            &AutoSwitchHost::setEnabled);
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(noticeAction_);
    trayMenu_->addAction(autoSwitchAction_);
    trayMenu_->addAction(quitAction_);
    // The user's language for the native texts, as the global file names it.
    language::apply(view()->getGlobalData(QStringLiteral("common/language")).toString());
    retranslate();
    trayMenu_->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    trayIcon->setContextMenu(trayMenu_);
    trayIcon->setToolTip(QStringLiteral("TALVERN ORBIS MOUSE R207"));
    const QIcon icon(datapaths::trayIcon());
    trayIcon->setIcon(icon);
    // Docks and window switchers show it, and Alt+Tab ties the window to its launcher.
    setWindowIcon(icon);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);

    deviceChanges_ = platform::DeviceChangeSource::create(this);
    connect(deviceChanges_, &platform::DeviceChangeSource::deviceChanged, this,
            &Widget::deviceChangeNotified);
}

Widget::~Widget()
{
    hid.stopHidListen();
    delete notice_;
    controller->deleteLater();
    // The listener task reads the device table and acts on this widget: let it end first.
    hid.waitListenerFinished();
}

myQQuickView *Widget::view() const
{
    return controller ? controller->view : nullptr;
}

void Widget::deviceChangeNotified()
{
    if (!hid.listenRunning)
        pollTimer.start();
}

void Widget::retranslate()
{
    noticeAction_->setText(tr("Why is there no window? (&W)"));
    autoSwitchAction_->setText(tr("Switch profiles automatically"));
    quitAction_->setText(tr("Quit (&Q)"));
}

void Widget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void Widget::showDpiSwitch(int stage)
{
    view()->setCurrentDPI(stage);
    platform::showTrayBalloon(trayIcon, tr("Info"),
                              dpiSwitchText[frames::dpiSwitchTextIndex(stage)] + QLatin1Char(' '));
}

void Widget::restoreWindow()
{
    windowWanted_ = true;
    // Like the system's restore command: back from minimised, shown, raised and active, where
    // it was when it was hidden (a window manager would otherwise place it anew).
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (hasKeptPos_ && !isVisible())
        move(keptPos_);
    setVisible(true);
    raise();
    activateWindow();
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    // StatusNotifier trays (KDE Plasma, GNOME's AppIndicator extension, Xfce) send a single
    // activation and never a double click; XEmbed trays send both for a double click.
    if (reason != QSystemTrayIcon::DoubleClick && reason != QSystemTrayIcon::Trigger)
        return;
    if (deviceConnected)
        restoreWindow();
    else
        showNoMouseNotice();
}

void Widget::showNoMouseNotice()
{
    windowWanted_ = true;
    if (!notice_) {
        // A window of its own, not a child: the host's transparent style is not for it.
        notice_ = new NoMouseNotice(windowTitle());
        notice_->setWindowIcon(windowIcon());
        connect(notice_, &NoMouseNotice::quitRequested, this, &Widget::exitSYS);
    }
    notice_->setEndsProgram(!platform::systemTrayAvailable());
    notice_->show();
    notice_->raise();
    notice_->activateWindow();
}

void Widget::hideEvent(QHideEvent *event)
{
    if (!isMinimized()) {
        keptPos_ = pos();
        hasKeptPos_ = true;
    }
    QWidget::hideEvent(event);
}

void Widget::exitSYS()
{
    // What the open pages send on closing goes out before the end.
    if (myQQuickView *v = view())
        v->closePages();
    hid.stopHidListen();
    QCoreApplication::exit(0);
}

void Widget::startUi()
{
    // initUI asks the device for its current state: it runs as a sequence of the runner, after
    // the running one and never inside the device waits of this connect; run follows it. The
    // scene shows its own busy state for the start.
    view()->runner()->request(
        QStringLiteral("start"),
        [this] {
            view()->startScene();
            QCoreApplication::postEvent(this, new UserEvent(2177));
        },
        SequenceRunner::Start::Later, SequenceRunner::Feedback::Own);
}

void Widget::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event); // accepted: the window hides
    if (!platform::systemTrayAvailable())
        exitSYS();
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == UserEvent::EventType && static_cast<UserEvent *>(event)->value == 2177)
        view()->runUI();
}

void Widget::onCopyData(const CopyDataMessage *message, void *context)
{
    auto *self = static_cast<Widget *>(context);
    if (self && message && message->dwData == instancemessage::kStartRequestTag) {
        self->onStartRequest(*message);
        return;
    }
    if (!self || !message || message->dwData != instancemessage::kWarningTag)
        return;
    const QString text =
        instancemessage::warningText(static_cast<const char *>(message->lpData), message->cbData);
    if (!text.isNull())
        self->warnings_.post(self->windowTitle(), text);
}

void Widget::onKeyboardEvent(quint8 usage, bool isDown, void *context)
{
    auto *self = static_cast<Widget *>(context);
    if (self && self->view())
        self->view()->notifyKeyboard(isDown, usage);
}

void Widget::onMouseEvent(quint8 buttonCode, bool isDown, qint32 x, qint32 y, void *context)
{
    auto *self = static_cast<Widget *>(context);
    if (self && self->view())
        self->view()->notifyMouse(isDown, buttonCode, static_cast<uint>(x), static_cast<uint>(y));
}

void Widget::connectSequence()
{
    ORBIS_LOG(lcDevice, "Device Connect");
    view()->clearHidBusy();
    deviceConnected = true;
    noticeAction_->setVisible(false);
    platform::showTrayBalloon(trayIcon, tr("Info"), QStringLiteral("Brisvanta Gaming MouseQ46"));
    // The first connect chooses the mouse's protocol from the model the view read at start-up.
    view()->chooseProtocol();
    hid.startHidListen(hid.devIndex);
    view()->protocol()->readProfileImages();
    view()->setEnabled(true);
    startUi();
    // Without a tray the notice was all there was to see: the window takes its place.
    if (notice_ && notice_->isVisible()) {
        notice_->hide();
        restoreWindow();
    }
    applyPendingProfile();
}

void Widget::disconnectSequence()
{
    ORBIS_LOG(lcDevice, "Device DisConnect");
    deviceConnected = false;
    noticeAction_->setVisible(true);
    setVisible(false);
    // Without a tray a hidden window leaves nothing to see: say why instead, unless the start
    // asked for no window (autostart at login) and nobody has asked for it since.
    if (!platform::systemTrayAvailable() && windowWanted_)
        showNoMouseNotice();
}
