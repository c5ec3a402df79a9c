#include "app/entry.h"

#include "app/datadir.h"
#include "app/firstframe.h"
#include "app/singleinstance.h"
#include "app/widget.h"
#include "hooks/inputhooks.h"

#include <QApplication>
#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

int orbisMain(int argc, char **argv)
{
    // The scene is small and static: the software renderer works on every desktop and under
    // Xvfb, without depending on a GL driver. QT_QUICK_BACKEND still selects another one.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QApplication app(argc, argv);
    // Hiding the window (or closing a message box while it is hidden) must never end the
    // process: only the tray menu's quit entry does.
    app.setQuitOnLastWindowClosed(false);

    SingleInstance instance(
        SingleInstance::keyForExecutable(QCoreApplication::applicationFilePath()));
    if (instance.isRunning())
        return 1;

    // Every data path is relative ("./modules/..."): work from the executable's directory, or
    // from the per-user copy of its data when that directory cannot be written.
    QString exeDir = QCoreApplication::applicationFilePath();
    exeDir.truncate(exeDir.lastIndexOf(QLatin1Char('/')));
    QDir::setCurrent(resolveWorkingDirectory(exeDir));

    int status = 0;
    {
        Widget widget;
        installInputHooks(false);
        setKeyboardCallback(&Widget::onKeyboardEvent, &widget);
        setMouseCallback(&Widget::onMouseEvent, &widget);
        setCopyDataCallback(&Widget::onCopyData, &app, &widget);
        orbisStartupHook(widget);
        widget.showNormal();
        // The first check talks to the mouse (handshake and profile reads with their fixed
        // pauses): it runs once the window has been drawn, so the window appears at once.
        runAfterFirstFrame(&widget, [&widget] { widget.checkDevice(); });
        status = app.exec();
        removeInputHooks();
        // No message may reach a widget that is gone.
        setCopyDataCallback(nullptr, &app, nullptr);
        setKeyboardCallback(nullptr, nullptr);
        setMouseCallback(nullptr, nullptr);
    }
    return status;
}
