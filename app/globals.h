#pragma once
// Process-wide state shared between the shell, device polling and the event listener.
#include "bridge/langstrings.h"

#include <QEvent>
#include <QString>
#include <atomic>

// True from a successful device check until the next check that finds no usable device.
// Written on the GUI thread only; read by the tray icon's double-click handler.
extern bool deviceConnected;

// The notice texts of the DPI-switch reports (dpiSwitchText) belong to the language strings.

// Custom event that the host widget posts to itself after a connect; value 2177 starts "run".
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(1000);
    explicit UserEvent(int value) : QEvent(EventType), value(value) {}
    int value;
};
