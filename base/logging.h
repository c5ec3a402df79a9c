#pragma once
// One logging category per subsystem. The fixed diagnostic lines ("Device Connect",
// "cmd Failed 11", ...) are the messages; QT_LOGGING_RULES can silence a subsystem.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)      // start-up, host widget, tray, instance messages
Q_DECLARE_LOGGING_CATEGORY(lcDevice)   // device table, polling, transport, commands, listener
Q_DECLARE_LOGGING_CATEGORY(lcBridge)   // settings store, profiles, bridge slots
Q_DECLARE_LOGGING_CATEGORY(lcHooks)    // global input capture
Q_DECLARE_LOGGING_CATEGORY(lcPlatform) // per-OS backends
Q_DECLARE_LOGGING_CATEGORY(lcScene)    // QML scene messages

// Writes one fixed diagnostic line, unquoted, to a category's debug channel.
#define ORBIS_LOG(category, text) qCDebug(category).noquote() << (text)
