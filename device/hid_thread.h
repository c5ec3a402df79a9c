#pragma once
// The one device object: device table, the two hidapi handles of the current device, the report
// buffers, the transfer lock, and every device command as a slot (so QML can call them by name).
// It derives from QThread only to carry slots; its thread is never started. All commands run on
// the GUI thread; only the event listener runs on a pool thread.
#include "device/deviceentry.h"
#include "device/frames.h"

#include <QFuture>
#include <QThread>
#include <atomic>

struct hid_device_;
typedef struct hid_device_ hid_device;
struct CommandSpec;

class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    // The device model, set when the mouse's protocol is chosen (device/protocol.h): the 560
    // command family (which option bit switches on the event reports) and the on-board gun
    // profiles (per-profile commands then address profile 1 only).
    bool is560 = false;
    bool isGun = false;
    DeviceList devList;            // replaced wholesale by each device check
    int devIndex = 1;              // entry every command addresses
    hid_device *hidDev = nullptr;  // command interface
    hid_device *hidDev2 = nullptr; // event interface (listener only)
    bool hidIdle = true;           // transfer lock: true while no command holds the device
    std::atomic<bool> listenRunning{false}; // listener run flag, shared with the pool thread
    bool settleFlag = true;
    QFuture<void> listenFuture;
    uchar cmdBuf[9] = {};
    uchar ackBuf[9] = {};
    QByteArray dataBuf; // data block; sized for the largest block rounded up to a whole chunk

    // Transport (GUI thread).
    hid_device *openHidDevice(int index);
    hid_device *openHidDevice2(int index);
    void closeHidDevice();
    void closeHidDevice2();
    bool waitHidIdle();
    void hidSettle();
    bool hidSendCmd(int n, bool settle);
    bool hidReadCmd(int n);

    // Event listener.
    void startHidListen(int index);
    void stopHidListen();        // clears the run flag; does not wait
    void waitListenerFinished(); // blocks until the listener task has returned
    void hidListenLoop(int index);

    // Device polling: installs a freshly read table. The command handle is closed, so the next
    // command opens the interface the new table names.
    void setDeviceTable(const DeviceList &list);

signals:
    // The listener's effects, emitted on its pool thread; the host connects them queued, so
    // they take effect on the GUI thread. A DPI-switch report carried this stage.
    void dpiSwitched(int stage);
    // The event interface can no longer be opened: the device is gone.
    void deviceRemoved();

public slots:
    uchar hidCS(uchar *data7);
    void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
    void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
    bool chkDeviceIsEnCode(int index);

    // 553 family.
    void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_01H_SetReportRate(uchar rate);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_10H_SetLED8StageColor(uchar type, uchar *src24);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_8BH_GetCurrentDPI(uchar &byte1);

    // 560 family.
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid560_0CH_setProfile(uchar *src128, uchar profileData);
    void hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);
    void hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(uchar &byte1);
    void hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);

private:
    // Command shapes (hid_commands.cpp). Each takes the lock or writes the command's failure
    // line, and reports whether the exchange with the device succeeded.
    bool takeLock(const CommandSpec &command);
    void releaseLock();
    bool sendSet(const CommandSpec &command, const frames::Params &params,
                 const QByteArray &block = QByteArray());
    bool exchangeGet(const CommandSpec &command, const frames::Params &request,
                     uchar *const *results, int count, bool resultsAsTemplate);
    void sendPerProfile(const CommandSpec &command, uchar value);
    void loadDataBlock(const QByteArray &block);

    // Transport details (hid_transport.cpp).
    DeviceEntry *currentEntry();
    bool blockLengthUsable(int n);
    void awaitFreshHandle();
    bool drainInput();

    // Listener details (hid_listener.cpp).
    void setListenOption();
    void reportRemoval(int index, const QString &path);

    QString cmdPath_;          // path hidDev was opened on
    qint64 cmdOpenedAtMs_ = 0; // base::nowMs() of that open
    bool holdLock_ = false;    // a multi-report command keeps the lock across its reports
    QString listenPath_;       // event interface path handed to the running listener task
    // True from a listener start until its task has returned. Its release/acquire pairs (with
    // those of listenRunning) order the hand-over of listenPath_ and hidDev2 between the GUI
    // thread and the task on their own, whatever the thread pool does.
    std::atomic<bool> listenTaskActive_{false};
};

// The process-wide secrecy code C0..C7 (C1..C6 from the last six-character sCode).
extern uchar secrecyCode[8];
