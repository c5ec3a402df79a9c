#include "app/globals.h"

bool deviceConnected = false;
