// The real program talks to the attached devices as they are: nothing to prepare.
#include "app/widget.h"

void orbisStartupHook(Widget &) {}
