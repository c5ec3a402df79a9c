#include "bridge/myqquickview.h"

#include "base/logging.h"
#include "bridge/sequencerunner.h"
#include "bridge/settingsstore.h"
#include "bridge/vocabulary.h"
#include "device/hid_thread.h"
#include "device/protocol.h"

#include <QFocusEvent>
#include <QFont>
#include <QQmlEngine>
#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    registerQmlTypes();
    // The scene asks for its Chinese UI font by name. Where that family is not installed, the
    // CJK font the package depends on stands in for it: a substitution, so nothing has to list
    // the system's fonts (a slow scan) before the first picture is drawn.
    QFont::insertSubstitution(QStringLiteral("\u5FAE\u8F6F\u96C5\u9ED1"),
                              QStringLiteral("WenQuanYi Micro Hei"));
    // The scene's module (modules.qml) lives in the resources at /modules/qml, with its listing.
    engine()->addImportPath(QStringLiteral("qrc:/"));
    loadConfiguration();
    runner_ = new SequenceRunner(this);
}

void myQQuickView::chooseProtocol()
{
    if (!protocol_ && hid)
        protocol_ = MouseProtocol::choose(*hid, MouseModel{icType, isGun, isColorful});
}

void myQQuickView::runSequence(QString kind, QJSValue body)
{
    if (!body.isCallable())
        return;
    runner_->request(kind, [body]() mutable {
        const QJSValue result = body.call();
        // The sequence ends (and the busy state with it) whatever a step did.
        if (result.isError())
            ORBIS_LOG(lcScene, QStringLiteral("sequence failed: ") + result.toString());
    });
}

myQQuickView::~myQQuickView()
{
    // The last changes are written while the view can still say that they could not be: the
    // store, a child, outlives this part of the object.
    store->commitAll();
    store->disconnect(this);
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    // Repaint at once. The base class still hears of the focus: it is what hands keyboard
    // focus to the scene (Esc, the pages' text fields).
    update();
    QQuickWidget::focusInEvent(event);
    event->accept();
}

void myQQuickView::invokeRoot(const char *function, Qt::ConnectionType type,
                              const QVariantList &args)
{
    QObject *root = rootObject();
    if (!root)
        return;
    switch (args.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                                  Q_ARG(QVariant, args[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args.value(0)),
                                  Q_ARG(QVariant, args.value(1)), Q_ARG(QVariant, args.value(2)),
                                  Q_ARG(QVariant, args.value(3)));
        break;
    }
}

void myQQuickView::initUI()
{
    invokeRoot("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    invokeRoot("run", Qt::QueuedConnection);
}

void myQQuickView::setBusy(int busyTime)
{
    invokeRoot("setProtectUI", Qt::DirectConnection, {QVariant(busyTime)});
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    invokeRoot("setCurrentDPI", Qt::DirectConnection, {QVariant(dpiValue)});
}

void myQQuickView::clearHidBusy()
{
    if (hid)
        hid->hidIdle = true;
}

void myQQuickView::notifyKeyboard(bool isDown, uchar usbCode)
{
    invokeRoot("detectKeyboard", Qt::QueuedConnection,
               {QVariant(isDown), QVariant(static_cast<int>(usbCode))});
}

void myQQuickView::notifyMouse(bool isDown, uint code, uint x, uint y)
{
    invokeRoot("detectMouse", Qt::QueuedConnection,
               {QVariant(isDown), QVariant(code), QVariant(x), QVariant(y)});
}

void myQQuickView::startScene()
{
    invokeRoot("showStartPicture", Qt::DirectConnection);
    runner_->waitForFrame();
    invokeRoot("initUI", Qt::DirectConnection);
}

void myQQuickView::closePages()
{
    invokeRoot("closePages", Qt::DirectConnection);
}
