// Placeholder bodies so the program links before the transport and commands land.
// TODO(device): replace with the real transport, commands and listener.
#include "device/hid_thread.h"

uchar secrecyCode[8] = {};

Hid_Thread::Hid_Thread(QObject *parent) : QThread(parent) {}
Hid_Thread::~Hid_Thread() = default;
hid_device *Hid_Thread::openHidDevice(int) { return nullptr; }
hid_device *Hid_Thread::openHidDevice2(int) { return nullptr; }
void Hid_Thread::closeHidDevice() {}
void Hid_Thread::closeHidDevice2() {}
bool Hid_Thread::waitHidIdle() { return false; }
void Hid_Thread::hidSettle() {}
bool Hid_Thread::hidSendCmd(int, bool) { return false; }
bool Hid_Thread::hidReadCmd(int) { return false; }
void Hid_Thread::startHidListen(int) {}
void Hid_Thread::stopHidListen() { listenRunning = false; }
void Hid_Thread::waitListenerFinished() {}
void Hid_Thread::hidListenLoop(int) {}
uchar Hid_Thread::hidCS(uchar *) { return 0; }
void Hid_Thread::USBDataEncryption(uchar *, uchar *) {}
void Hid_Thread::USBDataDecipher(uchar *, uchar *) {}
bool Hid_Thread::chkDeviceIsEnCode(int) { return false; }
void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &, uchar &, uchar &, uchar &) {}
void Hid_Thread::hid553_01H_SetReportRate(uchar) {}
void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar) {}
void Hid_Thread::hid553_03H_SetKeyboardoption(uchar, uchar, uchar, uchar) {}
void Hid_Thread::hid553_04H_SetGunData(uchar, uchar, uchar, uchar) {}
void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar) {}
void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar, uchar, uchar) {}
void Hid_Thread::hid553_10H_SetLED8StageColor(uchar, uchar *) {}
void Hid_Thread::hid553_11H_SetDPISet(uchar, uchar *) {}
void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *, uchar) {}
void Hid_Thread::hid553_13H_SetMacroKey(uchar, uchar *) {}
void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &, uchar &, uchar &, uchar &) {}
void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &) {}
void Hid_Thread::hid560_01H_SetKeyboardoption(uchar, uchar) {}
void Hid_Thread::hid560_02H_SetCurrentProfile(uchar) {}
void Hid_Thread::hid560_03H_SetReportRate(uchar) {}
void Hid_Thread::hid560_04H_SetCurrentDPI(uchar) {}
void Hid_Thread::hid560_0CH_setProfile(uchar *, uchar) {}
void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *, uchar) {}
void Hid_Thread::hid560_0FH_SetMacroKey(uchar, uchar *) {}
void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &, uchar &) {}
void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &) {}
void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &, uchar &) {}
void Hid_Thread::hid560_8CH_readProfile(uchar *, uchar) {}
