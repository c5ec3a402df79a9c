#pragma once
// Reading the device table from the global settings file (INI). The table is rebuilt at every
// device check, so an edited file takes effect at the next check.
#include "device/deviceentry.h"

// Reads group "common" and the entry groups "0".."count-1" of the file. Missing keys take their
// defaults. An entry with a malformed value (a hexadecimal key that does not parse or does not
// fit its field, a reportLength outside 1..1024) or without a group of its own is skipped with a
// debug line. The work is bounded by the groups present in the file, whatever deviceCount says.
// Every entry comes back with empty devPath and devPath2.
DeviceList readDeviceTable(const QString &settingsPath);
