// The 553 family: every setting has a command of its own; the mouse keeps no profile images.
#include "device/hid_thread.h"
#include "device/protocol.h"

namespace
{

uchar *bytes(QByteArray &block)
{
    return reinterpret_cast<uchar *>(block.data());
}

class Protocol553 final : public MouseProtocol
{
public:
    Protocol553(Hid_Thread &hid, const MouseModel &model) : MouseProtocol(hid, model) {}

    void readProfileImages() override {}

    void writeStages(dpistages::StageTable table, int enabledStages, bool) override
    {
        dpistages::switchOffFrom(table, enabledStages);
        hid_.hid553_11H_SetDPISet(static_cast<uchar>(enabledStages), table.codes.data());
    }

    void writeLightingEffect(const std::array<quint8, 3> &effect) override
    {
        hid_.hid553_0DH_SetRGBLedEffect(effect[0], effect[1], effect[2]);
    }

    void writeColours(quint8 type,
                      const std::array<quint8, ProfileImage::kColourBytes> &colours) override
    {
        // This family takes the colour table twice in a row, with the same arguments.
        std::array<quint8, ProfileImage::kColourBytes> table = colours;
        hid_.hid553_10H_SetLED8StageColor(type, table.data());
        hid_.hid553_10H_SetLED8StageColor(type, table.data());
    }

    void writeKeyMatrix(QByteArray matrix) override
    {
        hid_.hid553_12H_SetKeyMatrix(bytes(matrix), 1);
    }

    void writeGunKeyMatrices(QList<QByteArray> matrices, int) override
    {
        for (int i = 0; i < matrices.size(); ++i)
            hid_.hid553_12H_SetKeyMatrix(bytes(matrices[i]), static_cast<uchar>(i + 1));
        hid_.hid553_02H_SetCurrentKeyMatrix(1);
    }

    void resetGunKeyMatrices(QList<QByteArray> matrices) override
    {
        for (int i = 0; i < matrices.size(); ++i)
            hid_.hid553_12H_SetKeyMatrix(bytes(matrices[i]), static_cast<uchar>(i + 2));
    }

    // The family counts its matrices from 0.
    void switchKeyMatrix(int n) override
    {
        hid_.hid553_02H_SetCurrentKeyMatrix(static_cast<uchar>(n - 1));
    }

    void writeMacro(uchar slot, QByteArray block) override
    {
        hid_.hid553_13H_SetMacroKey(slot, bytes(block));
    }

    // The Y correction is negated (8-bit two's complement) when the mouse's third keyboard
    // option byte is set; the slot travels counted from 0.
    void writeGunData(int slot, int times, int x, int y) override
    {
        uchar options[4] = {0, 0, 0, 0};
        hid_.hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
        const int correctedY = options[2] != 0 ? -y : y;
        hid_.hid553_04H_SetGunData(static_cast<uchar>(times & 0xff), static_cast<uchar>(x & 0xff),
                                   static_cast<uchar>(correctedY & 0xff),
                                   static_cast<uchar>(slot - 1));
    }

    void setReportRate(uchar rate) override { hid_.hid553_01H_SetReportRate(rate); }
    void setCurrentStage(uchar stage) override { hid_.hid553_0BH_SetCurrentDPI(stage); }
    int readCurrentStage() override
    {
        uchar stage = 0;
        hid_.hid553_8BH_GetCurrentDPI(stage);
        return stage;
    }

    ProfileImage *image(int) override { return nullptr; }
    void writeProfileImage(int) override {}
    void readProfileImage(int) override {}
    int readCurrentProfile() override { return 0; }
};

} // namespace

std::unique_ptr<MouseProtocol> makeProtocol553(Hid_Thread &hid, const MouseModel &model)
{
    return std::make_unique<Protocol553>(hid, model);
}
