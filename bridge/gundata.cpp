#include "bridge/gundata.h"

#include "base/settingsfile.h"
#include "bridge/filebytes.h"
#include "bridge/settingsstore.h"

#include <QFileInfo>
#include <QSettings>

namespace
{

const QString Group = QStringLiteral("gunData/");

// Elements first .. first+count-1 of list as text, the form the file keeps them in.
QStringList textElements(const QVariantList &list, int first, int count)
{
    QStringList out;
    for (int i = first; i < first + count; ++i)
        out << settingsText(list.at(i));
    return out;
}

} // namespace

bool GunDataFile::exists() const
{
    return QFileInfo(path_).isFile();
}

bool GunDataFile::save(const QString &index, const QVariantList &entry, int *error) const
{
    if (!exists() || entry.size() < EntryLength)
        return false;
    QSettings file(settingsfile::settingsName(path_), QSettings::IniFormat);
    file.setValue(Group + index, textElements(entry, 0, EntryLength));
    return syncSettingsChecked(file, error);
}

bool GunDataFile::modify(int modifyType, const QVariantList &entry, int *error) const
{
    if (!exists())
        return false;
    if (modifyType == 0 && !entry.isEmpty()) {
        QSettings file(settingsfile::settingsName(path_), QSettings::IniFormat);
        file.remove(Group + settingsText(entry.at(0)));
        return syncSettingsChecked(file, error);
    }
    if (modifyType == 1 && entry.size() >= EntryLength + 1) {
        QSettings file(settingsfile::settingsName(path_), QSettings::IniFormat);
        file.remove(Group + settingsText(entry.at(EntryLength)));
        file.setValue(Group + settingsText(entry.at(0)), textElements(entry, 1, EntryLength - 1));
        return syncSettingsChecked(file, error);
    }
    return false;
}

QVariantList GunDataFile::entry(const QString &name) const
{
    if (!exists())
        return QVariantList();
    QSettings file(settingsfile::settingsName(path_), QSettings::IniFormat);
    QVariantList out;
    for (const QVariant &element : settingsList(file.value(Group + name)))
        out << settingsText(element);
    return out;
}

QStringList GunDataFile::keys() const
{
    if (!exists())
        return QStringList();
    QSettings file(settingsfile::settingsName(path_), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("gunData"));
    return file.childKeys();
}
