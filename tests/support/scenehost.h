#pragma once
// Where the scene tests start: a private data tree, prepared by the caller, then a simulated
// mouse of the default kind (553) behind the real window, connected.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QQuickItem>
#include <QTest>
#include <functional>
#include <memory>

namespace testsupport
{

class SceneHost
{
public:
    explicit SceneHost(const std::function<void(ScratchTree &)> &prepare = {})
    {
        if (prepare)
            prepare(tree);
        mouse = sim::attachMouse(sim::MouseConfig());
        widget = std::make_unique<Widget>();
        widget->show();
        widget->checkDevice();
    }
    ~SceneHost()
    {
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }
    QQuickItem *root() const { return widget->view()->rootObject(); }
    // The scene has started (initUI ran), the view takes input, and extra holds when given.
    bool ready(const std::function<bool()> &extra = {}) const
    {
        return QTest::qWaitFor(
            [&] {
                return root() && root()->property("isPownOn").toBool() &&
                       widget->view()->isEnabled() && (!extra || extra());
            },
            kStartWaitMs);
    }

    ScratchTree tree;
    LogCapture log;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;
};

} // namespace testsupport
