#include "bridge/ui_controler.h"

#include "base/datapaths.h"
#include "base/settingsfile.h"
#include "bridge/autoswitchhost.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QWidget>
#include <QWindow>

Ui_Controler::Ui_Controler(QObject *parent) : QObject(parent) {}

void Ui_Controler::setup(QWidget *host, Hid_Thread *hid, bool loadNow)
{
    hostWidget = host;
    if (host->objectName().isEmpty())
        host->setObjectName(QStringLiteral("Widget"));
    host->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    host->setWindowOpacity(1.0);
    host->setAttribute(Qt::WA_TranslucentBackground, true);
    // Scoped to the host itself: an unscoped rule would reach every widget parented to it,
    // the file dialogs among them, and draw them transparent (black, without a compositor).
    host->setStyleSheet(QStringLiteral("#%1 { background: transparent; }").arg(host->objectName()));

    view = new myQQuickView(host);
    view->setObjectName(QStringLiteral("ui_View"));
    // The scene draws its own rounded, partly transparent frame.
    view->setAttribute(Qt::WA_AlwaysStackOnTop, true);
    view->setAttribute(Qt::WA_TranslucentBackground, true);
    view->setClearColor(Qt::transparent);
    view->setResizeMode(QQuickWidget::SizeViewToRootObject);
    view->resize(kSceneWidth, kSceneHeight);

    QQmlContext *context = view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);
    autoSwitch = new AutoSwitchHost(view);
    context->setContextProperty(QStringLiteral("ui_AutoSwitch"), autoSwitch);

    // Fixed: the window cannot be maximised into a frame the scene does not fill.
    host->setFixedSize(view->size());
    if (loadNow)
        loadScene();

    QSettings config(settingsfile::settingsName(datapaths::globalSettings()),
                     QSettings::IniFormat);
    host->setWindowTitle(config.value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::loadScene()
{
    if (!view || sceneLoaded())
        return;
    view->setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    // The view follows the root item's size.
    if (hostWidget)
        hostWidget->setFixedSize(view->size());
}

bool Ui_Controler::sceneLoaded() const
{
    return view && !view->source().isEmpty();
}

void Ui_Controler::onMinimize()
{
    if (hostWidget)
        hostWidget->showMinimized();
}

void Ui_Controler::onClose()
{
    // A close, not a hide, so the host decides: with a tray it only hides.
    if (hostWidget)
        hostWidget->close();
}

bool Ui_Controler::startSystemMove()
{
    QWindow *window = hostWidget ? hostWidget->windowHandle() : nullptr;
    return window && window->startSystemMove();
}

void Ui_Controler::onXChanged(int x)
{
    if (hostWidget)
        hostWidget->move(hostWidget->x() + x, hostWidget->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (hostWidget)
        hostWidget->move(hostWidget->x(), hostWidget->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    // Before set-up there is no scene to protect.
    if (!view)
        return;
    if (QObject *root = view->rootObject())
        QMetaObject::invokeMethod(root, "setProtectUI", Qt::DirectConnection,
                                  Q_ARG(QVariant, QVariant(busyTime)));
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
