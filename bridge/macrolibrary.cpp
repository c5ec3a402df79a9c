#include "bridge/macrolibrary.h"

#include "base/settingsfile.h"
#include "bridge/filebytes.h"
#include "bridge/settingsstore.h"
#include "bridge/vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace
{

const QString kConfigIndex = QStringLiteral("config/index");
const QString kConfigTotal = QStringLiteral("config/total");
const QString kConfigRepeat = QStringLiteral("config/repeat");
const QString kConfigDid = QStringLiteral("config/did");
const QString kMacroGroup = QStringLiteral("macro");
const QString kMacroKeyGroup = QStringLiteral("mouseMacroKey");
const QString kKeyMatrix = QStringLiteral("mouseKeyMatrix/");

// Longest file name most file systems take, in bytes, and the suffix the name gets.
constexpr int MaxFileNameBytes = 255;
const QString kSuffix = QStringLiteral(".bin");

bool isReservedOnWindows(const QString &name)
{
    // The device names are reserved with any extension, and the file always gets one.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList reserved = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                         QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (reserved.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
           stem.at(3) >= QLatin1Char('0') && stem.at(3) <= QLatin1Char('9');
}

int intOf(const QVariant &value, int fallback)
{
    bool ok = false;
    const int n = settingsText(value).trimmed().toInt(&ok);
    return ok ? n : fallback;
}

} // namespace

MacroLibrary::MacroLibrary(const QString &macroDir, const QString &nameListPath)
    : macroDir_(macroDir), nameListPath_(nameListPath)
{
}

QString MacroLibrary::nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A macro name cannot be empty.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("A macro name cannot be \".\" or \"..\".");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("A macro name cannot contain control characters.");
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return QStringLiteral("A macro name cannot contain any of / \\ : * ? \" < > |.");
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')) ||
        name.startsWith(QLatin1Char(' ')))
        return QStringLiteral("A macro name cannot begin with a space or end with a space or a dot.");
    if (isReservedOnWindows(name))
        return QStringLiteral("This name is reserved for devices on some systems.");
    if ((name + kSuffix).toUtf8().size() > MaxFileNameBytes)
        return QStringLiteral("The macro name is too long.");
    return QString();
}

QString MacroLibrary::macroPath(const QString &name) const
{
    return macroDir_ + QLatin1Char('/') + name + kSuffix;
}

bool MacroLibrary::exists(const QString &name) const
{
    return isUsableName(name) && QFileInfo(macroPath(name)).isFile();
}

bool MacroLibrary::create(const QString &name, uint macroIndex, int *error) const
{
    if (!isUsableName(name))
        return false;
    QDir().mkpath(macroDir_);
    QSettings file(settingsfile::settingsName(macroPath(name)), QSettings::IniFormat);
    file.setValue(kConfigIndex, macroIndex);
    file.setValue(kConfigTotal, 0);
    file.setValue(kConfigRepeat, 1);
    file.setValue(kConfigDid, -1);
    return syncSettingsChecked(file, error);
}

bool MacroLibrary::save(const QString &name, const QStringList &actions,
                        const QVariant &repeat, int *error) const
{
    if (!exists(name))
        return false;
    QSettings file(settingsfile::settingsName(macroPath(name)), QSettings::IniFormat);
    file.remove(kMacroGroup);
    file.setValue(kConfigTotal, static_cast<int>(actions.size()));
    file.setValue(kConfigRepeat, repeat);
    for (int i = 0; i < actions.size(); ++i)
        file.setValue(kMacroGroup + QLatin1Char('/') + QString::number(i), actions.at(i));
    return syncSettingsChecked(file, error);
}

QStringList MacroLibrary::load(const QString &name) const
{
    QStringList result;
    if (!exists(name))
        return result;
    const QSettings file(settingsfile::settingsName(macroPath(name)), QSettings::IniFormat);
    // A hand-edited total may be negative or absurd: read what can be read.
    const int total = qBound(0, intOf(file.value(kConfigTotal), 0), MaxActions);
    for (int i = 0; i < total; ++i) {
        const QVariant action = file.value(kMacroGroup + QLatin1Char('/') + QString::number(i));
        result << (action.isValid() ? settingsText(action) : QStringLiteral("0"));
    }
    const QVariant repeat = file.value(kConfigRepeat);
    result << (repeat.isValid() ? settingsText(repeat) : QStringLiteral("0"));
    return result;
}

bool MacroLibrary::remove(const QString &name) const
{
    return exists(name) && QFile::remove(macroPath(name));
}

bool MacroLibrary::rename(const QString &oldName, const QString &newName,
                          const QList<QSettings *> &profiles) const
{
    // The file rename comes first, so a rename that cannot be made leaves the profiles alone.
    if (!exists(oldName) || !isUsableName(newName) || QFileInfo::exists(macroPath(newName)))
        return false;
    if (!QFile::rename(macroPath(oldName), macroPath(newName)))
        return false;
    for (QSettings *profile : profiles) {
        profile->beginGroup(kMacroKeyGroup);
        const QStringList keys = profile->childKeys();
        for (const QString &key : keys) {
            if (settingsText(profile->value(key)) == oldName)
                profile->setValue(key, newName);
        }
        profile->endGroup();
    }
    return true;
}

void MacroLibrary::unbind(const QString &name, const QList<QSettings *> &profiles,
                          const QSettings &factory)
{
    for (QSettings *profile : profiles) {
        for (int k = 0; k < MouseButtons::Count; ++k) {
            const QString key = kKeyMatrix + QString::number(k);
            const QVariantList entry = settingsList(profile->value(key));
            if (entry.isEmpty() || intOf(entry.at(0), -1) != ButtonAction::Macro)
                continue;
            const QString macroKey =
                kMacroKeyGroup + QLatin1Char('/') + QString::number(intOf(entry.value(2), 0));
            if (settingsText(profile->value(macroKey)) != name)
                continue;
            if (factory.contains(key))
                profile->setValue(key, factory.value(key));
            else
                profile->remove(key);
        }
    }
}

QString MacroLibrary::nameListKey(uint type)
{
    switch (type) {
    case NameList::Macros:
        return QStringLiteral("macro/macroName");
    case NameList::GunPresets:
        return QStringLiteral("gun/gunName");
    case NameList::Profiles:
        return QStringLiteral("profile/profileName");
    case NameList::SelectedGuns:
        return QStringLiteral("gun/selectGun");
    default:
        return QString();
    }
}

bool MacroLibrary::setNameList(uint type, QStringList names, int *error) const
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return true;
    if (names.size() == 1)
        names << QLatin1String(Placeholder);
    QSettings file(settingsfile::settingsName(nameListPath_), QSettings::IniFormat);
    keepCopyIfMalformed(file);
    if (names.isEmpty() ? !file.contains(key) : file.value(key).toStringList() == names)
        return true;
    if (names.isEmpty())
        file.remove(key);
    else
        file.setValue(key, names);
    return syncSettingsChecked(file, error);
}

QVariantList MacroLibrary::nameList(uint type) const
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return QVariantList();
    const QSettings file(settingsfile::settingsName(nameListPath_), QSettings::IniFormat);
    QVariantList result;
    // Elements come back as text, whatever the file holds.
    const QVariant value = file.value(key);
    if (value.typeId() == QMetaType::QString) {
        if (!value.toString().isEmpty())
            result << value.toString(); // a single entry written by hand
    } else {
        for (const QVariant &element : settingsList(value))
            result << settingsText(element);
    }
    return result;
}
