#include "base/logging.h"

Q_LOGGING_CATEGORY(lcApp, "orbis.app")
Q_LOGGING_CATEGORY(lcDevice, "orbis.device")
Q_LOGGING_CATEGORY(lcBridge, "orbis.bridge")
Q_LOGGING_CATEGORY(lcHooks, "orbis.hooks")
Q_LOGGING_CATEGORY(lcPlatform, "orbis.platform")
Q_LOGGING_CATEGORY(lcScene, "orbis.scene")
