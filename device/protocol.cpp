// The choice of the family object, once per mouse.
#include "device/protocol.h"

#include "device/hid_thread.h"

std::unique_ptr<MouseProtocol> makeProtocol553(Hid_Thread &hid, const MouseModel &model);
std::unique_ptr<MouseProtocol> makeProtocol560(Hid_Thread &hid, const MouseModel &model);

std::unique_ptr<MouseProtocol> MouseProtocol::choose(Hid_Thread &hid, const MouseModel &model)
{
    hid.is560 = model.family() == Family::F560;
    hid.isGun = model.isGun;
    return hid.is560 ? makeProtocol560(hid, model) : makeProtocol553(hid, model);
}
