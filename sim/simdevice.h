#pragma once
// The simulated devices behind our own implementation of the hidapi C API (sim/hidapi_sim.cpp).
// Tests and the demo attach devices here; the device code cannot tell them from real ones.
//
// The mouse is a firmware model written from the device's side of the protocol: it enumerates
// a command interface and an event interface with their own paths and usages, verifies every
// checksum, unscrambles with its own secrecy code, answers the handshake and the get commands,
// keeps what the set commands and profile images write, sends profile images as IN reports,
// emits DPI-switch event reports, and injects faults. It also models the hidraw kernel
// behaviour: no input report is queued while a node has no open handle, and input reports that
// arrive within 50 ms (process clock, base::nowMs) after an open are dropped.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace sim
{

enum class TransferKind {
    Open,       // hid_open_path succeeded (bytes empty)
    OpenFailed, // hid_open_path refused
    Close,      // hid_close
    FeatureOut, // hid_send_feature_report: bytes as sent, report id byte first
    FeatureIn,  // hid_get_feature_report: bytes as returned, report id byte first
    Write,      // hid_write: bytes as sent, report id byte first
    Read,       // hid_read / hid_read_timeout: bytes as returned (no report id byte)
};

// Only transfers that succeeded are recorded (plus refused opens); reads that time out are not.
struct Transfer {
    qint64 timeMs = 0; // base::nowMs() at the call
    QString path;      // interface path
    TransferKind kind = TransferKind::Open;
    QByteArray bytes;
};

struct MouseConfig {
    quint16 vid = 0x1209;
    quint16 pid = 0x0001;
    QString family = QStringLiteral("553"); // "553" or "560"
    bool isEncode = false;
    QByteArray secrecyCode = "527361"; // six characters: C1..C6 of the scrambling
    int reportLength = 32;             // data bytes per interrupt report
    bool hasEventInterface = true;
    quint16 usagePage = 0xff00, usage = 0xff00;   // command interface
    quint16 usagePage2 = 0xff01, usage2 = 0xff01; // event interface
    // Model flags of the settings (mouse/isGun, mouse/isColorful), kept for whoever inspects
    // the mouse; the firmware answers the same either way.
    bool isGun = false;
    bool isColorful = false;
};

class SimMouse
{
public:
    virtual ~SimMouse() = default;

    virtual MouseConfig config() const = 0;
    virtual QString commandPath() const = 0;
    virtual QString eventPath() const = 0;

    // State the firmware holds, as the set commands and profile images left it. Factory state:
    // rate 1, stage 1, DPI table 03 07 0F 1F 80 80 80 80 with 4 stages, matrices, macros, gun
    // data and lighting zero, matrix and profile 1, keyboard options 10 00 00 01 (553) or
    // 01 00 (560), profile images as factoryProfileImage() of sim/firmwarestate.h (no zero
    // byte). Out-of-range numbers read as an empty array (or -1 for the per-profile values).
    virtual int reportRate() const = 0;   // last rate code (553 01H, 560 03H)
    virtual int currentStage() const = 0; // current DPI stage, from 1
    virtual void setCurrentStage(int stage) = 0;
    virtual QByteArray dpiTable() const = 0;            // 8 stage codes (553 11H)
    virtual int dpiStageCount() const = 0;              // stage count of the last 11H
    virtual QByteArray keyMatrix(int matrix) const = 0; // 64 bytes, matrix 1..4
    virtual int activeMatrix() const = 0;               // 553 02H value / 560 02H profile
    virtual QByteArray lightingEffect() const = 0;      // 3 bytes of 553 0DH
    virtual QByteArray colourTable() const = 0;         // bytes of the last 553 10H (4 or 24)
    virtual int colourType() const = 0;                 // type byte of the last 553 10H
    virtual QByteArray macro(int slot) const = 0;       // 128 bytes, wire slot 1..12
    virtual QByteArray gunData(int slot) const = 0;     // 553 04H offsets 3..6; slot = offset 6
    virtual QByteArray keyboardOptions() const = 0;     // 553: 4 bytes; 560: 2 bytes
    virtual void setKeyboardOptions(const QByteArray &bytes) = 0;
    virtual QByteArray profileImage(int profile) const = 0; // 560: 128 bytes, profile 0..4
    virtual void setProfileImage(int profile, const QByteArray &image) = 0;
    virtual int currentProfile() const = 0; // 560 current on-board profile
    virtual void setCurrentProfile(int profile) = 0;
    virtual int profileReportRate(int p) const = 0; // 560 03H: last rate for p = 1..4
    virtual int profileStage(int p) const = 0;      // 560 04H: last stage for p = 1..4

    // Everything the host did, in order, and the requests whose checksum was wrong.
    virtual QList<Transfer> transfers() const = 0;
    virtual void clearTransfers() = 0;
    virtual int badChecksums() const = 0;
    virtual int unknownRequests() const = 0; // well-formed requests of a code the family lacks
    virtual int openHandles(const QString &path) const = 0; // handles open on an interface now

    // Events: the DPI button cycles the stage through 1..N and sends 06 07 00 <stage> on the
    // event interface; N is dpiStageCount() (553) or the number of bits of the enabled-stage
    // mask, byte 100 of the current profile image (560), 4 when that is not within 1..8.
    virtual void pressDpiButton() = 0;
    virtual void sendEventReport(const QByteArray &report) = 0;

    // Faults.
    // Every open of its paths fails, as the kernel refuses a node this user may not open
    // (errno EACCES); the paths are still enumerated.
    virtual void setOpenFails(bool fails) = 0;
    // The next count transfers (feature reports, writes, reads) on the command interface return
    // -1. Only the command interface counts, so a listener polling the event interface cannot
    // use up a failure meant for a command; failNextTransfersOn() aims at any interface.
    virtual void failNextTransfers(int count) = 0;
    virtual void failNextTransfersOn(const QString &path, int count) = 0;
    // A hung firmware: transfers succeed but nothing is processed, hid_get_feature_report
    // fails, no input report (profile image, event) is sent, reads time out.
    virtual void setSilent(bool silent) = 0;
    virtual void unplug() = 0; // disappears; open handles fail
    virtual void plug() = 0;   // comes back with the same paths
    virtual bool isPlugged() const = 0;

    // A fault at one transfer of the command interface. Transfers are counted from the call,
    // starting at 0: every feature report sent or fetched, every write and every read (one that
    // finds nothing counts too). FailOne fails that transfer, FailAll that one and every later
    // one; Unplug and Silent take effect right before it (an injected unplug sends no
    // device-change notification). A negative transfer cancels a fault not yet reached.
    enum class Fault { FailOne, FailAll, Unplug, Silent };
    virtual void faultAtTransfer(int transfer, Fault fault) = 0;
    // Command-interface transfers counted since the last faultAtTransfer() call.
    virtual int transfersCounted() const = 0;
};

// Attaches a mouse; the returned object lives until detachAll().
SimMouse *attachMouse(const MouseConfig &config);
// Attaches a keyboard shaped like the keyboard entry of the reference device table
// (command ff01/0001, event ff02/0001, 64-byte blocks); it answers like a mouse of family 553.
SimMouse *attachKeyboard(quint16 vid, quint16 pid, bool isEncode = false,
                         const QByteArray &secrecyCode = "527361");
void detachAll();

// The mouse described by a global settings file: the first device-table entry of type 1
// (ids, usages, reportLength, isEncode, sCode) and mouse/icType, mouse/isGun,
// mouse/isColorful. Without such an entry the defaults of MouseConfig stand.
MouseConfig mouseConfigFromSettings(const QString &settingsPath);

// Called after every attach, detach, plug and unplug (the device-change notification).
void setDeviceChangeCallback(std::function<void()> callback);

} // namespace sim
