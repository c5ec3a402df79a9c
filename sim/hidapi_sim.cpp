// TODO(sim): the simulated implementation of the hidapi C API.
#include <hidapi.h>
