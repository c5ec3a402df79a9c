#include "bridge/settingsstore.h"

#include "base/logging.h"
#include "base/settingsfile.h"
#include "bridge/filebytes.h"

#include <QDateTime>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <cerrno>

QVariantList settingsList(const QVariant &value)
{
    const int type = value.typeId();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return value.toList();
    return QVariantList();
}

QString settingsText(const QVariant &value)
{
    const int type = value.typeId();
    if (!value.isValid() || type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return QString();
    return value.toString();
}

SettingsStore::SettingsStore(const QString &settingDir, QObject *parent)
    : QObject(parent), dir_(settingDir)
{
    global_ = open(globalPath());
    factory_ = open(factoryProfilePath());
    for (int i = 0; i < ProfileCount; ++i)
        profiles_.append(open(profilePath(i)));
}

// The settings objects are children, deleted with the store; their last changes are written
// here, checked, rather than by their destructors.
SettingsStore::~SettingsStore()
{
    commitAll();
}

void SettingsStore::commitAll()
{
    commit(global_);
    for (QSettings *profile : std::as_const(profiles_))
        commit(profile);
}

bool SettingsStore::commit(QSettings *settings)
{
    int error = 0;
    if (syncSettingsChecked(*settings, &error))
        return true;
    emit writeFailed(error);
    return false;
}

bool SettingsStore::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::UpdateRequest)
        return QObject::eventFilter(watched, event);
    if (auto *settings = qobject_cast<QSettings *>(watched))
        commit(settings);
    return true;
}

QString SettingsStore::globalPath() const
{
    return dir_ + QStringLiteral("/apConfig.bin");
}

QString SettingsStore::factoryGlobalPath() const
{
    return dir_ + QStringLiteral("/apConfigD.bin");
}

QString SettingsStore::factoryProfilePath() const
{
    return dir_ + QStringLiteral("/pD.bin");
}

QString SettingsStore::profilePath(int profile) const
{
    if (!isProfileNumber(profile))
        return QString();
    return dir_ + QStringLiteral("/p%1.bin").arg(profile + 1);
}

QSettings *SettingsStore::profile(int profile) const
{
    return isProfileNumber(profile) ? profiles_.at(profile) : nullptr;
}

bool SettingsStore::setCurrentProfile(int profile)
{
    if (!isProfileNumber(profile)) {
        ORBIS_LOG(lcBridge, QStringLiteral("Profile number %1 refused").arg(profile));
        return false;
    }
    current_ = profile;
    return true;
}

QVariant SettingsStore::globalValue(const QString &key) const
{
    return global_->value(key);
}

QVariant SettingsStore::factoryGlobalValue(const QString &key) const
{
    const QSettings factory(settingsfile::settingsName(factoryGlobalPath()), QSettings::IniFormat);
    return factory.value(key);
}

void SettingsStore::setGlobalValue(const QString &key, const QVariant &value)
{
    global_->setValue(key, value);
}

QVariant SettingsStore::value(const QString &key, bool isRecovery) const
{
    return (isRecovery ? factory_ : currentProfile())->value(key);
}

QVariantList SettingsStore::list(const QString &key, bool isRecovery) const
{
    return settingsList(value(key, isRecovery));
}

void SettingsStore::setValue(const QString &key, const QVariant &value)
{
    currentProfile()->setValue(key, value);
}

void SettingsStore::setList(const QString &key, const QVariantList &list)
{
    currentProfile()->setValue(key, list);
}

bool SettingsStore::resetGlobal()
{
    QByteArray content;
    if (readFileBytes(factoryGlobalPath(), &content) != FileReadResult::Ok) {
        ORBIS_LOG(
            lcBridge,
            QStringLiteral("No factory copy %1; the global file is kept").arg(factoryGlobalPath()));
        return false;
    }
    return replace(global_, globalPath(), content);
}

bool SettingsStore::resetProfile(int profile)
{
    if (!isProfileNumber(profile))
        return false;
    QByteArray content;
    if (readFileBytes(factoryProfilePath(), &content) != FileReadResult::Ok) {
        ORBIS_LOG(lcBridge, QStringLiteral("No factory profile %1; profile %2 is kept")
                                .arg(factoryProfilePath())
                                .arg(profile));
        return false;
    }
    return replace(profiles_[profile], profilePath(profile), content);
}

bool SettingsStore::copyProfile(int destprofile, int srcprofile)
{
    if (!isProfileNumber(destprofile) || !isProfileNumber(srcprofile))
        return false;
    if (destprofile == srcprofile)
        return true;
    // The copy must carry the source's changes that have not reached its file yet.
    if (!commit(profiles_[srcprofile]))
        return false;
    QByteArray content;
    if (readFileBytes(profilePath(srcprofile), &content) != FileReadResult::Ok) {
        ORBIS_LOG(lcBridge, QStringLiteral("Profile %1 has no readable file; profile %2 is kept")
                                .arg(srcprofile)
                                .arg(destprofile));
        return false;
    }
    return replace(profiles_[destprofile], profilePath(destprofile), content);
}

SettingsStore::ImportResult SettingsStore::importProfile(int profile, const QString &sourcePath)
{
    if (!isProfileNumber(profile))
        return ImportResult::Refused;
    QByteArray content;
    switch (readFileBytes(sourcePath, &content, MaxImportBytes)) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::Unreadable:
        return ImportResult::Unreadable;
    case FileReadResult::TooLarge:
        return ImportResult::TooLarge;
    }
    // Parse exactly the bytes that would be installed, from a private copy.
    QTemporaryFile probeFile;
    int error = 0;
    if (!probeFile.open() || !writeFileBytes(probeFile.fileName(), content, &error)) {
        emit writeFailed(error != 0 ? error : errno);
        return ImportResult::WriteFailed;
    }
    probeFile.close();
    {
        QSettings probe(probeFile.fileName(), QSettings::IniFormat);
        if (probe.status() == QSettings::FormatError) {
            ORBIS_LOG(lcBridge, QStringLiteral("Profile file %1 could not be parsed; not imported")
                                    .arg(sourcePath));
            return ImportResult::NotAProfile;
        }
    }
    return replace(profiles_[profile], profilePath(profile), content) ? ImportResult::Imported
                                                : ImportResult::WriteFailed;
}

bool SettingsStore::exportProfile(int profile, const QString &targetPath)
{
    if (!isProfileNumber(profile))
        return false;
    // The exported file is taken from disk, so the profile's deferred writes go there first.
    if (!commit(profiles_[profile]))
        return false;
    QByteArray content;
    if (readFileBytes(profilePath(profile), &content) != FileReadResult::Ok) {
        ORBIS_LOG(lcBridge,
                  QStringLiteral("Profile %1 has no readable file; nothing exported").arg(profile));
        return false;
    }
    int error = 0;
    if (!writeFileBytes(targetPath, content, &error)) {
        ORBIS_LOG(lcBridge, QStringLiteral("Export to %1 failed").arg(targetPath));
        emit writeFailed(error);
        return false;
    }
    return true;
}

QSettings *SettingsStore::open(const QString &path)
{
    auto *settings = new QSettings(settingsfile::settingsName(path), QSettings::IniFormat, this);
    keepCopyIfMalformed(*settings);
    settings->installEventFilter(this);
    return settings;
}

bool SettingsStore::replace(QSettings *&object, const QString &path, const QByteArray &content)
{
    // Deferred writes of the old object would otherwise land in the new file when it is
    // finally deleted; they belong to the content being replaced, so a failure here is no
    // reason to stop.
    syncSettingsChecked(*object);
    const QFileInfo before(path);
    const qint64 oldSize = before.exists() ? before.size() : -1;
    const QDateTime oldTime = before.lastModified();
    int error = 0;
    if (!writeFileBytes(path, content, &error)) {
        ORBIS_LOG(lcBridge, QStringLiteral("Could not write %1; it is kept as it was").arg(path));
        emit writeFailed(error);
        return false;
    }
    // QSettings shares one parsed copy of a file between the objects of a process and skips
    // re-reading it while its size and modification time are unchanged. New content of the same
    // size written within the same timestamp tick would go unseen, so the time is moved on.
    const QFileInfo after(path);
    if (after.size() == oldSize && after.lastModified() == oldTime) {
        QFile file(path);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(oldTime.addSecs(1), QFileDevice::FileModificationTime);
    }
    QSettings *old = object;
    object = open(path);
    old->deleteLater();
    return true;
}

void keepCopyIfMalformed(const QSettings &settings)
{
    // QSettings parses a section only when a key of it is first used, so a bad line would be
    // found (and dropped by the next write) only later: parse every section now.
    settings.allKeys();
    if (settings.status() != QSettings::FormatError)
        return;
    const QString path = settings.fileName();
    const QString copy = path + QStringLiteral(".bad");
    QFile::remove(copy);
    if (QFile::copy(path, copy))
        ORBIS_LOG(lcBridge,
                  QStringLiteral("Settings file %1 could not be parsed; kept a copy as %2")
                      .arg(path, copy));
    else
        ORBIS_LOG(lcBridge,
                  QStringLiteral("Settings file %1 could not be parsed; no copy kept").arg(path));
}
