// The 560 family: most settings travel inside the on-board profile images, which this object
// mirrors. Image 0 holds the gun level mask and a full-colour mouse's colours, image 1 a simple
// mouse's colours; images 1 to 4 (2 to 4 only on a gun mouse) carry the stages and the effect,
// and images 1 to 3 the gun presets.
#include "device/hid_thread.h"
#include "device/protocol.h"

namespace
{

uchar *bytes(QByteArray &block)
{
    return reinterpret_cast<uchar *>(block.data());
}

// The effect's speed byte of image 1 on a simple mouse without gun profiles.
constexpr uchar kSimpleStandaloneSpeed = 3;
constexpr int kFirstStageImage = 1;
constexpr int kLastStageImage = 4;

class Protocol560 final : public MouseProtocol
{
public:
    Protocol560(Hid_Thread &hid, const MouseModel &model) : MouseProtocol(hid, model) {}

    void readProfileImages() override
    {
        readProfileImage(0);
        readProfileImage(1);
        if (model_.isGun)
            for (int n = 2; n < kImages; ++n)
                readProfileImage(n);
    }

    void writeStages(dpistages::StageTable table, int enabledStages, bool withHighBits) override
    {
        for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
            images_[n].setStages(table.codes, dpistages::enabledMask(enabledStages), withHighBits,
                                 table.highMask);
        sendStageImages();
    }

    void writeLightingEffect(const std::array<quint8, 3> &effect) override
    {
        for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
            images_[n].setEffect(effect);
        if (!model_.isColorful && !model_.isGun)
            images_[1].setEffectSpeed(kSimpleStandaloneSpeed);
        sendStageImages();
    }

    void writeColours(quint8,
                      const std::array<quint8, ProfileImage::kColourBytes> &colours) override
    {
        const int n = model_.isColorful ? 0 : 1;
        images_[n].setColours(model_.isColorful ? ProfileImage::ColourPlace::Full
                                                : ProfileImage::ColourPlace::Simple,
                              colours);
        writeProfileImage(n);
    }

    void writeKeyMatrix(QByteArray matrix) override
    {
        hid_.hid560_0DH_SetKeyMatrix(bytes(matrix), 1);
    }

    void writeGunKeyMatrices(QList<QByteArray> matrices, int levelMask) override
    {
        if (levelMask >= 0)
            images_[0].setLevelMask(static_cast<uchar>(levelMask));
        writeProfileImage(0);
        for (int i = 0; i < matrices.size(); ++i)
            hid_.hid560_0DH_SetKeyMatrix(bytes(matrices[i]), static_cast<uchar>(i + 1));
        hid_.hid560_02H_SetCurrentProfile(1);
    }

    void resetGunKeyMatrices(QList<QByteArray> matrices) override
    {
        for (int i = 0; i < matrices.size(); ++i)
            hid_.hid560_0DH_SetKeyMatrix(bytes(matrices[i]), static_cast<uchar>(i + 2));
    }

    // The active matrix is the on-board profile of the same number.
    void switchKeyMatrix(int n) override
    {
        hid_.hid560_02H_SetCurrentProfile(static_cast<uchar>(n));
    }

    void writeMacro(uchar slot, QByteArray block) override
    {
        hid_.hid560_0FH_SetMacroKey(slot, bytes(block));
    }

    // Gun slot s lives in image s.
    void writeGunData(int slot, int times, int x, int y) override
    {
        if (!image(slot))
            return;
        images_[slot].setGunData(static_cast<uchar>(times & 0xff), static_cast<uchar>(x & 0xff),
                                 static_cast<uchar>(y & 0xff));
        writeProfileImage(slot);
    }

    void setReportRate(uchar rate) override { hid_.hid560_03H_SetReportRate(rate); }
    void setCurrentStage(uchar stage) override { hid_.hid560_04H_SetCurrentDPI(stage); }
    // Asked for profile 1; the answer's second byte is the stage.
    int readCurrentStage() override
    {
        uchar profile = 1;
        uchar stage = 0;
        hid_.hid560_84H_GetCurrentDPI(profile, stage);
        return stage;
    }

    ProfileImage *image(int n) override { return n >= 0 && n < kImages ? &images_[n] : nullptr; }
    void writeProfileImage(int n) override
    {
        if (image(n))
            hid_.hid560_0CH_setProfile(images_[n].data(), static_cast<uchar>(n));
    }
    void readProfileImage(int n) override
    {
        if (image(n))
            hid_.hid560_8CH_readProfile(images_[n].data(), static_cast<uchar>(n));
    }
    int readCurrentProfile() override
    {
        uchar profile = 0;
        hid_.hid560_82H_GetCurrentProfile(profile);
        return profile;
    }

private:
    // Image 1 as profile 1, and images 2 to 4 as well on a gun mouse.
    void sendStageImages()
    {
        const int last = model_.isGun ? kLastStageImage : kFirstStageImage;
        for (int n = kFirstStageImage; n <= last; ++n)
            writeProfileImage(n);
    }

    ProfileImage images_[kImages];
};

} // namespace

std::unique_ptr<MouseProtocol> makeProtocol560(Hid_Thread &hid, const MouseModel &model)
{
    return std::make_unique<Protocol560>(hid, model);
}
