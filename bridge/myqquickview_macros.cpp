// Macro slots: the macro library and name lists (MacroLibrary), the macro and gun-data transfer
// to the device, and the export and import of single macro files.
#include "base/datapaths.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"

#include "bridge/devicedata.h"
#include "bridge/filebytes.h"
#include "bridge/macrolibrary.h"
#include "bridge/qmlvalue.h"
#include "bridge/settingsstore.h"
#include "bridge/valuelimits.h"
#include "device/protocol.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <limits>

namespace
{

// Profiles 1 to 6 are the ones the pages use; only they carry bindings that are repaired.
constexpr int BoundProfileCount = 6;
// An imported macro file larger than this cannot be one.
constexpr qint64 MaxMacroFileBytes = 1024 * 1024;
constexpr int GunSlotCount = 3;

MacroLibrary library()
{
    return MacroLibrary(datapaths::macroDir(), datapaths::nameList());
}

QList<QSettings *> boundProfiles(const SettingsStore *store)
{
    QList<QSettings *> profiles;
    for (int p = 0; p < BoundProfileCount; ++p)
        profiles << store->profile(p);
    return profiles;
}

// The list type as a number; text that is not one selects no list (it must not read as 0).
uint listType(const QVariant &type)
{
    bool ok = false;
    const uint n = type.toUInt(&ok);
    return ok ? n : std::numeric_limits<uint>::max();
}

QString macroFilter()
{
    return QCoreApplication::translate("myQQuickView", "Macro(*.mc)");
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    int error = 0;
    const bool ok = library().create(name.toString(), macroIndex.toUInt(), &error);
    reportWrite(ok, error);
    return true;
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    int error = 0;
    const bool ok = library().save(name.toString(), macros, plainSettingValue(repeat), &error);
    return reportWrite(ok, error);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    // Delays and the repeat count as the editor limits them. A delay that is no whole number
    // (text, or more digits than any integer holds) is dropped: it would reach the macro
    // block as "not a number".
    static constexpr valuelimits::Range kDelay{0, 65535};
    static constexpr valuelimits::Range kRepeat{1, 65535};
    const QString delayType = QStringLiteral("0,");
    const QStringList stored = library().load(name.toString());
    if (stored.isEmpty())
        return stored;
    QStringList entries;
    bool changed = false;
    for (int i = 0; i + 1 < stored.size(); ++i) {
        const QString &action = stored.at(i);
        qint64 delay = 0;
        if (!action.startsWith(delayType))
            entries << action;
        else if (valuelimits::wholeNumber(action.mid(delayType.size()), &delay))
            entries << delayType + QString::number(valuelimits::bounded(delay, kDelay, 0, &changed));
        else
            changed = true;
    }
    entries << QString::number(valuelimits::bounded(stored.last(), kRepeat, 1, &changed));
    noteLimited(library().macroPath(name.toString()), changed);
    return entries;
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return library().remove(name.toString());
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    return library().rename(oldname.toString(), newname.toString(), boundProfiles(store));
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    MacroLibrary::unbind(macroName.toString(), boundProfiles(store), *store->factoryProfile());
}

QVariant myQQuickView::checkMacroName(QVariant name)
{
    const QString text = name.toString();
    const QString problem = MacroLibrary::nameProblem(text);
    if (!problem.isEmpty())
        return problem;
    if (QFileInfo::exists(library().macroPath(text)))
        return tr("A macro file of this name exists already.");
    return QString();
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    int error = 0;
    const bool ok = library().setNameList(listType(type), nameList, &error);
    reportWrite(ok, error);
    return true;
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    return library().nameList(listType(type));
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    const uchar n = static_cast<uchar>(macroIndex.toInt() & 0xff);
    if (n >= devicedata::MacroSlotCount || !protocol_)
        return true;
    const QByteArray block = devicedata::macroBlock(macroData);
    runner_->request(QString(), [this, n, block] {
        if (protocol_)
            protocol_->writeMacro(n + 1, block);
    });
    return true;
}

void myQQuickView::mouseSendGundata(int gunSlot, QVariantList gunData)
{
    // Slots 1 to 3 only; other slots are dropped.
    if (!isGun || !protocol_ || gunSlot < 1 || gunSlot > GunSlotCount)
        return;
    const int times = gunData.value(0).toInt();
    const int x = gunData.value(1).toInt();
    const int y = gunData.value(2).toInt();
    runner_->request(QString(), [this, gunSlot, times, x, y] {
        protocol_->writeGunData(gunSlot, times, x, y);
    });
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    const MacroLibrary macros = library();
    const QString name = macroFileName.toString();
    const QString target = macros.macroPath(name);
    // The target must be a fresh name: an import never overwrites a macro.
    if (!MacroLibrary::isUsableName(name) || QFileInfo::exists(target))
        return false;
    const QString source = platform::getOpenFileName(this, tr("Open File"), desktop(), macroFilter());
    if (source.isEmpty())
        return false;
    QByteArray bytes;
    if (readFileBytes(source, &bytes, MaxMacroFileBytes) != FileReadResult::Ok) {
        warn(OpenFileTitle, MacroUnreadable);
        return false;
    }
    int error = 0;
    if (!writeFileBytes(target, bytes, &error)) {
        warnWriteFailed(error);
        return false;
    }
    return true;
}

void myQQuickView::saveMacroFile(QVariant macroFileName)
{
    const MacroLibrary macros = library();
    const QString name = macroFileName.toString();
    QByteArray bytes;
    if (!macros.exists(name) ||
        readFileBytes(macros.macroPath(name), &bytes, MaxMacroFileBytes) != FileReadResult::Ok) {
        warn(SaveFileTitle, MacroFileMissing);
        return;
    }
    const QString target = platform::getSaveFileName(this, tr("Save File"), desktop(), macroFilter());
    int error = 0;
    if (!target.isEmpty() && !writeFileBytes(target, bytes, &error))
        warnWriteFailed(error);
}
