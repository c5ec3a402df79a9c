// The commands of the 553 family.
#include "device/commandtable.h"
#include "device/hid_thread.h"

using frames::bytes;

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    uchar *results[] = {&byte1, &byte2, &byte3, &byte4};
    exchangeGet(cmd553::GetSecrecyCode, {byte1, byte2, byte3, byte4}, results, 4, false);
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    sendSet(cmd553::SetReportRate, {rate});
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    sendSet(cmd553::SetCurrentKeyMatrix, {currentKeyMatrix});
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendSet(cmd553::SetKeyboardoption, {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendSet(cmd553::SetGunData, {0, byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    sendSet(cmd553::SetCurrentDPI, {stage});
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    sendSet(cmd553::SetRGBLedEffect, {effect, option1, option2});
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const uchar length = type == 2 ? 4 : 24;
    sendSet(cmd553::SetLED8StageColor, {type, length}, bytes(src24, length));
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    sendSet(cmd553::SetDPISet, {dpiStage, 8}, bytes(src8, 8));
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // The device takes key entries 5 and 6 in exchanged places; the caller's array keeps its order.
    sendSet(cmd553::SetKeyMatrix, {indexAddOne, 64, 8},
            frames::exchangeKeyEntries(bytes(src64, 64)));
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    sendSet(cmd553::SetMacroKey, {macroId, 128}, bytes(src128, 128));
}

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3,
                                              uchar &byte4)
{
    uchar *results[] = {&byte1, &byte2, &byte3, &byte4};
    exchangeGet(cmd553::GetKeyboardoption, {}, results, 4, true);
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    uchar *results[] = {&byte1};
    exchangeGet(cmd553::GetCurrentDPI, {}, results, 1, true);
}
