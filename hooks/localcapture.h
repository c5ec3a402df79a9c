#pragma once
// Capture from this program's own windows, for desktops without a global capture: while one of
// its windows has the focus, Qt's key and mouse-button events are turned into the same hook
// records the global capture delivers, and fed to the hook procedures.
#include <QEvent>

namespace localcapture
{
void start(); // watches the application's windows; needs a QCoreApplication
void stop();
// Feeds one event of a top-level window to the hook procedures; true when it was a key or a
// button event. Exposed for the window filter and its tests.
bool feed(QEvent *event);
} // namespace localcapture
