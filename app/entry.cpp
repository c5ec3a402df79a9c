#include "app/entry.h"

#include "app/commandline.h"
#include "app/datadir.h"
#include "app/firstframe.h"
#include "app/instancemessage.h"
#include "app/singleinstance.h"
#include "app/widget.h"
#include "bridge/language.h"
#include "hooks/inputhooks.h"

#include <QApplication>
#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <cstdio>

namespace
{
QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
} // namespace

int orbisMain(int argc, char **argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(ORBIS_VERSION));
    // Help, version and refused options need no display: they are answered before the
    // application object connects to one.
    CommandLine commandLine = parseCommandLine(argumentList(argc, argv));
    if (commandLine.action != CommandLine::Run) {
        // A core application (no display) carries the translations of the desktop's language;
        // parsed again, the texts come in it.
        QCoreApplication core(argc, argv);
        language::apply(language::fromEnvironment());
        commandLine = parseCommandLine(argumentList(argc, argv));
        std::FILE *out = commandLine.action == CommandLine::Refuse ? stderr : stdout;
        std::fputs(commandLine.text.toLocal8Bit().constData(), out);
        return commandLine.exitStatus();
    }

    // The scene is small and static: the software renderer works on every desktop and under
    // Xvfb, without depending on a GL driver. QT_QUICK_BACKEND still selects another one.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    // The desktop entry's id becomes the Wayland app id, and the application name the class of
    // the X11 window (the entry's StartupWMClass), whichever program file runs: docks and
    // window switchers tie the window to its launcher and show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.orbis_mouse"));
    QCoreApplication::setApplicationName(QStringLiteral("orbis-mouse"));
    QApplication app(argc, argv);
    // Hiding the window (or closing a message box while it is hidden) must never end the
    // process: only the tray menu's quit entry does.
    app.setQuitOnLastWindowClosed(false);

    SingleInstance instance(
        SingleInstance::keyForExecutable(QCoreApplication::applicationFilePath()));
    if (instance.isRunning()) {
        // The running instance shows its window (or takes the options) and this start ends.
        StartOptions request = commandLine.options;
        request.activationToken = qgetenv("XDG_ACTIVATION_TOKEN");
        if (!SingleInstance::sendMessage(instance.serverName(), instancemessage::kStartRequestTag,
                                         startrequest::encode(request)))
            std::fputs("The running instance did not take the request.\n", stderr);
        return 1;
    }

    // Every data path is relative ("./modules/..."): work from the executable's directory, or
    // from a per-user copy of its data (always, for the demo).
    QString exeDir = QCoreApplication::applicationFilePath();
    exeDir.truncate(exeDir.lastIndexOf(QLatin1Char('/')));
    QDir::setCurrent(orbisWorkingDirectory(exeDir));

    int status = 0;
    {
        Widget widget(nullptr, Widget::SceneLoad::AtFirstCheck);
        installInputHooks(false);
        setKeyboardCallback(&Widget::onKeyboardEvent, &widget);
        setMouseCallback(&Widget::onMouseEvent, &widget);
        setCopyDataCallback(&Widget::onCopyData, &app, &widget);
        orbisStartupHook(widget);
        // A hidden start (the autostart entry at login) stays hidden whatever the tray: without
        // one, starting the program again from the launcher brings the window or the notice.
        widget.setWindowWanted(commandLine.options.showsWindow());
        if (commandLine.options.showsWindow())
            widget.showNormal();
        widget.applyStartOptions(commandLine.options);
        // The first check builds the scene and talks to the mouse (handshake and profile reads
        // with their fixed pauses): it runs once the window has been drawn, so the window
        // appears at once.
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
