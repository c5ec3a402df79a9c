// The commands of the 560 family: most settings travel as whole 128-byte profile images.
#include "base/logging.h"
#include "device/commandtable.h"
#include "device/hid_thread.h"

using frames::bytes;

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    sendSet(cmd560::SetKeyboardoption, {byte1, byte2});
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    sendSet(cmd560::SetCurrentProfile, {profile});
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    sendPerProfile(cmd560::SetReportRate, rate);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    sendPerProfile(cmd560::SetCurrentDPI, stage);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    sendSet(cmd560::SetProfile, {profileData, 128}, bytes(src128, 128));
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    sendSet(cmd560::SetKeyMatrix, {indexAddOne, 128}, bytes(src64, 64) + QByteArray(64, '\0'));
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    sendSet(cmd560::SetMacroKey, {macroId, 128}, bytes(src128, 128));
}

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    uchar *results[] = {&byte1, &byte2};
    exchangeGet(cmd560::GetKeyboardoption, {}, results, 2, true);
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    uchar *results[] = {&byte1};
    exchangeGet(cmd560::GetCurrentProfile, {}, results, 1, true);
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    uchar *results[] = {&byte1, &byte2};
    exchangeGet(cmd560::GetCurrentDPI, {byte1}, results, 2, true);
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    if (!takeLock(cmd560::ReadProfile))
        return;
    const frames::Request request = frames::request(cmd560::ReadProfile.code, {profileNo});
    std::copy(request.begin(), request.end(), cmdBuf);
    std::fill(std::begin(ackBuf), std::end(ackBuf), 0);
    // Starting from the caller's image: whatever does not arrive stays as it was.
    loadDataBlock(bytes(src128, 128));
    hidReadCmd(128);
    std::copy_n(dataBuf.constData(), 128, reinterpret_cast<char *>(src128));
}
