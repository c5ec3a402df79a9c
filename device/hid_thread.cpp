// Hid_Thread: construction, checksum and scrambling slots, and the secrecy-code handshake.
#include "device/hid_thread.h"

#include "device/commandtable.h"
#include "device/scrambling.h"

#include <QDateTime>
#include <QRandomGenerator>

uchar secrecyCode[8] = {};

Hid_Thread::Hid_Thread(QObject *parent) : QThread(parent), dataBuf(512, '\0') {}

Hid_Thread::~Hid_Thread()
{
    // The listener task uses this object: it must have returned before anything here goes.
    stopHidListen();
    waitListenerFinished();
    closeHidDevice();
    closeHidDevice2();
}

void Hid_Thread::setDeviceTable(const DeviceList &list)
{
    closeHidDevice();
    devList = list;
}

uchar Hid_Thread::hidCS(uchar *data7)
{
    return frames::checksum(data7);
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode)
{
    scrambling::encrypt(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode)
{
    scrambling::decipher(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    devIndex = index;
    // Seeded per handshake from the clock: two handshakes in the same second draw the same bytes.
    QRandomGenerator generator(static_cast<quint32>(QDateTime::currentSecsSinceEpoch()));
    uchar challenge[4];
    for (uchar &byte : challenge)
        byte = static_cast<uchar>(generator.generate() & 0xff);

    if (index >= 0 && index < devList.size())
        scrambling::loadSecrecyCode(devList[index].sCode, secrecyCode);

    uchar answer[4] = {challenge[0], challenge[1], challenge[2], challenge[3]};
    uchar *results[4] = {&answer[0], &answer[1], &answer[2], &answer[3]};
    // A failed exchange never passes, even when the challenge happens to be four zero bytes.
    if (!exchangeGet(cmd553::GetSecrecyCode, {answer[0], answer[1], answer[2], answer[3]}, results,
                     4, false))
        return false;
    return std::equal(std::begin(answer), std::end(answer), std::begin(challenge));
}
