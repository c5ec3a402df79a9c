// Device polling. TODO(device): table, enumeration and handshake land with the device link.
#include "app/widget.h"

void Widget::checkDevice() { disconnectSequence(); }
