// The demo program: the same application linked with the simulated devices.
// TODO(sim): attach a simulated mouse matching the installed device table.
#include "app/widget.h"

void orbisStartupHook(Widget &) {}
