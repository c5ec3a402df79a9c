// Start options: those of this process's own command line, and those a second start hands over
// through the instance channel.
#include "app/commandline.h"
#include "app/globals.h"
#include "app/widget.h"
#include "base/logging.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "hooks/inputhooks.h"

void Widget::applyStartOptions(const StartOptions &options)
{
    if (options.sceneProfile() >= 0)
        pendingProfile_ = options.sceneProfile();
    if (options.showsWindow()) {
        windowWanted_ = true;
        // On Wayland a window may only take the focus with a token from the desktop: the one
        // the second start was given. Qt's Wayland backend uses it at the next activation.
        if (!options.activationToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", options.activationToken);
    }
    if (!deviceConnected) {
        // The profile waits for the connect. Without a mouse there is no window: a start that
        // asks for it (the launcher) learns why instead, once a check has looked for the mouse.
        if (options.showsWindow() && checkedOnce_)
            showNoMouseNotice();
        return;
    }
    applyPendingProfile();
    if (options.showsWindow())
        restoreWindow();
}

void Widget::applyPendingProfile()
{
    if (pendingProfile_ < 0 || !view())
        return;
    // A sequence of the runner, queued after the scene's start of a connect that is still on its
    // way, so the choice is made on the scene's own state; the switch it makes is part of it.
    // Hand-overs that arrive meanwhile collapse to the newest.
    view()->runner()->request(
        QStringLiteral("profile"),
        [this] {
            if (pendingProfile_ < 0 || !view())
                return;
            const int profile = pendingProfile_;
            pendingProfile_ = -1;
            view()->chooseProfile(profile);
        },
        SequenceRunner::Start::Later);
}

void Widget::onStartRequest(const CopyDataMessage &message)
{
    const QByteArray body(static_cast<const char *>(message.lpData),
                          static_cast<qsizetype>(message.lpData ? message.cbData : 0));
    const std::optional<StartOptions> options = startrequest::decode(body);
    if (!options) {
        ORBIS_LOG(lcApp, "start request dropped: malformed body");
        return;
    }
    applyStartOptions(*options);
}
