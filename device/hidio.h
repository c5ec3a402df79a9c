#pragma once
// The hidapi calls of the device code, each written to the transfer trace when the environment
// variable ORBIS_HID_TRACE names a file. Nothing else in the device code calls hidapi for a
// transfer, so the trace shows everything that went to and came from the device.
//
// Trace format: one line per hidapi call, appended, fields separated by one blank:
//
//     <ms> <interface> <kind> <result>[ <hex bytes>]
//
//   <ms>         base::nowMs() at the call: milliseconds on the process clock
//   <interface>  "cmd" (command interface) or "evt" (event interface)
//   <kind>       "open", "close", "feature-out", "feature-in", "write", "read"
//   <result>     the call's result: the byte count hidapi returned (-1 on failure); for "open"
//                "ok" or "failed" followed by the interface path, for "close" "ok"
//   <hex bytes>  two lower-case hex digits per byte, blank-separated: the bytes as sent (report
//                id byte first, scrambled bodies as they went out) or as received
//
// A read that timed out moved nothing and writes no line (the listener waits in 500 ms reads).
//
// Example:  1042 cmd feature-out 9 00 11 02 08 00 00 00 00 e4
#include <QString>
#include <QtGlobal>

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace hidio
{

enum class Interface { Command, Event };

hid_device *open(Interface iface, const QString &path); // blocking mode on success
void close(Interface iface, hid_device *dev);
int sendFeature(Interface iface, hid_device *dev, const uchar *data, int length);
int getFeature(Interface iface, hid_device *dev, uchar *data, int length);
int write(Interface iface, hid_device *dev, const uchar *data, int length);
int read(Interface iface, hid_device *dev, uchar *data, int length, int timeoutMs);

// One trace line as written (exposed for tests of the format).
QString traceLine(qint64 ms, Interface iface, const char *kind, const QString &result,
                  const uchar *data, int length);

} // namespace hidio
