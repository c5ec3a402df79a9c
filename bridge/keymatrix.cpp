#include "bridge/keymatrix.h"

#include "bridge/settingsstore.h"

#include <QSettings>
#include <algorithm>
#include <iterator>

namespace keymatrix
{
namespace
{
void setEntry(QByteArray &matrix, int button, uchar type, uchar code1, uchar code2, uchar code3)
{
    matrix[4 * button] = static_cast<char>(type);
    matrix[4 * button + 1] = static_cast<char>(code1);
    matrix[4 * button + 2] = static_cast<char>(code2);
    matrix[4 * button + 3] = static_cast<char>(code3);
}

uchar at(const QByteArray &matrix, int index)
{
    return static_cast<uchar>(matrix.at(index));
}

uchar lowByte(const QVariantList &list, int index)
{
    return index < list.size() ? static_cast<uchar>(list.at(index).toInt() & 0xFF) : 0;
}

// Level bytes per gun level (1..3) for matrices 1 to 4, and the level mask (-1: none).
struct LevelRow {
    uchar level[4];
    int mask;
};
// How a family writes a gun key's level into the matrices: the code byte that carries it, the
// rows per level, and whether codes 1 and 2 are set to 0 and 1 (the 553's fixed gun codes).
struct GunLevelForm {
    int levelByte;
    LevelRow rows[3];
    bool fixedCodes;
};
constexpr GunLevelForm kGunLevelForm553{
    3, {{{1, 0, 0, 0}, -1}, {{1, 2, 0, 0}, -1}, {{1, 2, 3, 0}, -1}}, true};
constexpr GunLevelForm kGunLevelForm560{
    2, {{{1, 0, 0, 0}, 7}, {{1, 3, 0, 0}, 15}, {{1, 3, 3, 0}, 31}}, false};

constexpr int kMacroSlots = 12;

// The fixed entries of the panel's choice sections, and the factory special functions, as
// eight hex digits: type, code 1, code 2, code 3.
constexpr unsigned kChoiceEntries[] = {
    0x00000000, 0x0000F000, 0x0000F100, 0x0000F200, 0x0000F300, 0x0000F400, 0x00F01E02, // buttons
    0x03008301, 0x0300B500, 0x0300B600, 0x0300B700, 0x0300E200, 0x0300CD00, 0x0300E900,
    0x0300EA00,                                                  // media
    0x05000100, 0x05000200, 0x05000300, 0x05000400,              // DPI
    0x06009401, 0x06002302, 0x06002102, 0x06042C1B, 0x06042C11, 0x0600E307, 0x0600E315, // system
    0x0700E011, 0x0700E01B, 0x0700E006, 0x0700E019, 0x0700E016, 0x0700E013, 0x0700E009,
    0x0700E01C, 0x0700E01D, 0x0700E004,                          // edit shortcuts
    0x08000100, 0x08000200, 0x08000300,                          // gun levels
    0xFF000100, 0xFF000200,                                      // factory special functions
};

// Codes of the key-name table: the keys a capture can give, and the mouse buttons.
bool isKeyCode(int code)
{
    return (code >= 0x04 && code <= 0x73) || code == 0x85 || (code >= 0x87 && code <= 0x8B) ||
           code == 0x90 || code == 0x91 || (code >= 0xE0 && code <= 0xE7) ||
           (code >= 0xF0 && code <= 0xF4);
}

// A stored value as a number 0..255; -1 for anything else.
int byteOf(const QVariant &value)
{
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok && n >= 0 && n <= 0xFF ? n : -1;
}
} // namespace

bool isValidEntry(const QVariantList &entry, int button)
{
    if (entry.size() != 4)
        return false;
    int c[4];
    for (int i = 0; i < 4; ++i)
        if ((c[i] = byteOf(entry.at(i))) < 0)
            return false;
    switch (c[0]) {
    case ButtonAction::Fire: // a key, an interval of at least 1 ms, any number of shots
        return isKeyCode(c[1]) && c[2] >= 1;
    case ButtonAction::Combination: // any modifiers, keys that are keys, not empty
        return (c[2] == 0 || isKeyCode(c[2])) && (c[3] == 0 || isKeyCode(c[3])) &&
               (c[1] | c[2] | c[3]) != 0;
    case ButtonAction::Macro: // a run mode, the button's own slot
        return c[1] <= 2 && c[2] == button && button < kMacroSlots && c[3] == 0;
    default:
        break;
    }
    const unsigned packed =
        unsigned(c[0]) << 24 | unsigned(c[1]) << 16 | unsigned(c[2]) << 8 | unsigned(c[3]);
    return std::find(std::begin(kChoiceEntries), std::end(kChoiceEntries), packed) !=
           std::end(kChoiceEntries);
}

QVariantList usableEntry(const QSettings &profile, const QSettings &factory, int button,
                         bool *replaced)
{
    const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(button);
    const QVariantList own = settingsList(profile.value(key));
    *replaced = !isValidEntry(own, button);
    if (!*replaced)
        return own;
    const QVariantList fallback = settingsList(factory.value(key));
    return isValidEntry(fallback, button) ? fallback : QVariantList{0, 0, 0, 0};
}

bool firmwareMatrix(const QSettings &profile, QByteArray *matrix)
{
    QByteArray result(kBytes, '\0');
    for (int button = 0; button < kButtons; ++button) {
        const QVariantList entry =
            settingsList(profile.value(QStringLiteral("mouseFwKeyMatrix/%1").arg(button)));
        if (entry.size() < 4)
            return false;
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            const int value = entry.at(i).toString().trimmed().toInt(&ok);
            if (!ok)
                return false;
            result[4 * button + i] = static_cast<char>(value & 0xFF);
        }
    }
    *matrix = result;
    return true;
}

QByteArray usableFirmwareMatrix(const QSettings &profile, const QSettings &factory)
{
    QByteArray matrix;
    if (firmwareMatrix(profile, &matrix) || firmwareMatrix(factory, &matrix))
        return matrix;
    return QByteArray();
}

QList<QByteArray> gunResetMatrices553(const QByteArray &firmware)
{
    QByteArray matrix2 = firmware.left(kBytes);
    matrix2.resize(kBytes, '\0');
    QByteArray matrix3 = matrix2;
    setEntry(matrix3, 0, kGunPeriodType, 0, 7, 0);
    setEntry(matrix3, 3, kGunKeyType, 0, 1, 1);
    QByteArray matrix4 = matrix3;
    setEntry(matrix4, 0, kGunPeriodType, 1, 7, 0);
    setEntry(matrix4, 3, kGunKeyType, 0, 1, 2);
    setEntry(matrix4, 4, kGunKeyType, 0, 1, 1);
    return {matrix2, matrix3, matrix4};
}

QByteArray toDeviceForm(const QVariantList &ui)
{
    QByteArray m(kBytes, '\0');
    for (int i = 0; i < kBytes; ++i)
        m[i] = static_cast<char>(lowByte(ui, i));
    for (int b = 0; b < kButtons; ++b) {
        const uchar type = at(m, 4 * b), code1 = at(m, 4 * b + 1), code2 = at(m, 4 * b + 2),
                    code3 = at(m, 4 * b + 3);
        switch (type) {
        case ButtonAction::Mouse: // a mouse button, or double fire
            setEntry(m, b, (code2 == 0x1E && code3 == 2) ? 10 : 1, code1, code2, code3);
            break;
        case ButtonAction::Fire:
            setEntry(m, b, 10, code1, code2, code3);
            break;
        case ButtonAction::Combination: // all keyboard entries on the device
        case ButtonAction::System:
        case ButtonAction::Shortcut:
            setEntry(m, b, 0, code1, code2, code3);
            break;
        case ButtonAction::Macro: // the device counts its slots from 1
            setEntry(m, b, 9, code1, static_cast<uchar>(code2 + 1), code3);
            break;
        case ButtonAction::Dpi: // sniper carries a fixed argument
            if (code2 == 4)
                setEntry(m, b, 7, 0, 4, 1);
            else
                setEntry(m, b, 7, code1, code2, code3);
            break;
        case ButtonAction::Factory:
            setEntry(m, b, 4, code1, code2, code3);
            break;
        default: // media and gun keep their type; unknown types pass through
            break;
        }
    }
    return m;
}

bool hasGunKey(const QByteArray &deviceForm)
{
    for (int b = 0; b < kButtons && 4 * b < deviceForm.size(); ++b)
        if (at(deviceForm, 4 * b) == kGunKeyType)
            return true;
    return false;
}

QList<QByteArray> gunResetMatrices(const QByteArray &firmware, Family family)
{
    if (family == Family::F553)
        return gunResetMatrices553(firmware);
    return {firmware, firmware, firmware};
}

GunMatrices gunMatrices(const QByteArray &deviceForm, const QByteArray &firmware, Family family,
                        const QVariantList &gunPeriods)
{
    const GunLevelForm &form = family == Family::F560 ? kGunLevelForm560 : kGunLevelForm553;
    QByteArray m1 = deviceForm.left(kBytes);
    m1.resize(kBytes, '\0');
    QByteArray fw = firmware.left(kBytes);
    fw.resize(kBytes, '\0');
    GunMatrices result;
    result.matrices = {m1, fw, fw, fw};
    QList<QByteArray> &m = result.matrices;
    for (int b = 0; b < kButtons; ++b) {
        if (at(m1, 4 * b) != kGunKeyType)
            continue;
        const int level = at(m1, 4 * b + 2);
        for (int i = 1; i < 4; ++i)
            m[i][4 * b] = static_cast<char>(kGunKeyType);
        if (level >= 1 && level <= 3) {
            const LevelRow &row = form.rows[level - 1];
            for (int i = 0; i < 4; ++i)
                m[i][4 * b + form.levelByte] = static_cast<char>(row.level[i]);
            if (row.mask >= 0)
                result.levelMask = row.mask;
        }
        if (form.fixedCodes) {
            for (int i = 0; i < 4; ++i) {
                m[i][4 * b + 1] = 0;
                m[i][4 * b + 2] = 1;
            }
        }
    }
    for (int i = 1; i < 4; ++i)
        setEntry(m[i], 0, kGunPeriodType, static_cast<uchar>(i - 1), lowByte(gunPeriods, i - 1), 0);
    return result;
}

} // namespace keymatrix
