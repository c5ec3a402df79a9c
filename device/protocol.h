#pragma once
// The mouse's protocol: the operations the bridge needs, named for what they do to the mouse,
// one object per firmware family behind this interface (protocol553.cpp, protocol560.cpp). The
// family is chosen once, when the mouse first connects, from the model the global file names
// (mouse/icType, mouse/isGun, mouse/isColorful). The commands of Hid_Thread stay the layer
// beneath; the 560 object owns the mirror of the mouse's on-board profile images.
#include "device/profileimage.h"
#include "device/stagetable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <memory>

class Hid_Thread;

// The two firmware families. The pure encoders that differ per family (the gun levels of a key
// matrix) take it; the bridge never branches on it.
enum class Family { F553, F560 };

struct MouseModel {
    QString icType;          // "560" takes the 560 family, any other value the 553 family
    bool isGun = false;      // on-board gun profiles 2 to 4
    bool isColorful = false; // full-colour lighting, else the simple model
    Family family() const { return icType == QLatin1String("560") ? Family::F560 : Family::F553; }
};

class MouseProtocol
{
public:
    // The object of the model's family, talking through hid (which must outlive it). It hands
    // the family to the command layer too (which option switches on the event reports, how
    // many profiles a per-profile command addresses).
    static std::unique_ptr<MouseProtocol> choose(Hid_Thread &hid, const MouseModel &model);
    virtual ~MouseProtocol() = default;

    const MouseModel &model() const { return model_; }
    Family family() const { return model_.family(); }

    // Right after a connect: reads what the mouse keeps on board into the mirror.
    virtual void readProfileImages() = 0;

    // DPI stages: the table as encoded for the sensor, and how many stages are enabled.
    virtual void writeStages(dpistages::StageTable table, int enabledStages, bool withHighBits) = 0;
    virtual void writeLightingEffect(const std::array<quint8, 3> &effect) = 0;
    virtual void writeColours(quint8 type,
                              const std::array<quint8, ProfileImage::kColourBytes> &colours) = 0;

    // Key matrix 1 alone, 64 bytes in the device form.
    virtual void writeKeyMatrix(QByteArray matrix) = 0;
    // Matrices 1 to 4 of a matrix with gun keys, then matrix 1 made the active one; levelMask
    // (-1: none) is the gun level mask the 560 keeps in image 0.
    virtual void writeGunKeyMatrices(QList<QByteArray> matrices, int levelMask) = 0;
    // Matrices 2 to 4 set back (the gun levels' reset).
    virtual void resetGunKeyMatrices(QList<QByteArray> matrices) = 0;
    // Makes matrix n (1 to 4) the active one.
    virtual void switchKeyMatrix(int n) = 0;

    // Macro slot 1..12, a 128-byte block.
    virtual void writeMacro(uchar slot, QByteArray block) = 0;
    // Gun slot 1..3: shot count, X and Y.
    virtual void writeGunData(int slot, int times, int x, int y) = 0;

    virtual void setReportRate(uchar rate) = 0;
    virtual void setCurrentStage(uchar stage) = 0;
    virtual int readCurrentStage() = 0;

    // The mirror of the on-board images (560 family; nullptr for the 553, which has none), and
    // the transfer of one image either way. Images 0..4.
    virtual ProfileImage *image(int n) = 0;
    virtual void writeProfileImage(int n) = 0;
    virtual void readProfileImage(int n) = 0;
    virtual int readCurrentProfile() = 0;

    static constexpr int kImages = 5;

protected:
    MouseProtocol(Hid_Thread &hid, const MouseModel &model) : hid_(hid), model_(model) {}
    Hid_Thread &hid_;
    const MouseModel model_;
};
