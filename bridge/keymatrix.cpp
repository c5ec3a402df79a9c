#include "bridge/keymatrix.h"

#include "bridge/settingsstore.h"

#include <QSettings>

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
} // namespace

QByteArray firmwareMatrix(const QSettings &profile)
{
    QByteArray matrix(kBytes, '\0');
    for (int button = 0; button < kButtons; ++button) {
        const QVariantList entry =
            settingsList(profile.value(QStringLiteral("mouseFwKeyMatrix/%1").arg(button)));
        for (int i = 0; i < 4 && i < entry.size(); ++i)
            matrix[4 * button + i] = static_cast<char>(entry.at(i).toInt() & 0xFF);
    }
    return matrix;
}

QList<QByteArray> gunResetMatrices553(const QByteArray &firmware)
{
    QByteArray matrix2 = firmware.left(kBytes);
    matrix2.resize(kBytes, '\0');
    QByteArray matrix3 = matrix2;
    setEntry(matrix3, 0, 0x0B, 0, 7, 0);
    setEntry(matrix3, 3, 8, 0, 1, 1);
    QByteArray matrix4 = matrix3;
    setEntry(matrix4, 0, 0x0B, 1, 7, 0);
    setEntry(matrix4, 3, 8, 0, 1, 2);
    setEntry(matrix4, 4, 8, 0, 1, 1);
    return {matrix2, matrix3, matrix4};
}

} // namespace keymatrix
