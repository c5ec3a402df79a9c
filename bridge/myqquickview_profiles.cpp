// Profile slots: selection, import and export through the file dialogs, reset and copy (all in
// SettingsStore), the per-profile sensitivity and gun choices, and the five on-board profile
// images of a 560-family device.
#include "bridge/myqquickview.h"

#include "base/logging.h"
#include "bridge/qmlvalue.h"
#include "bridge/settingsstore.h"
#include "device/protocol.h"
#include "platform/dialogs.h"

#include <QSettings>
#include <QStandardPaths>

namespace
{

constexpr uint ProfileImageCount = MouseProtocol::kImages;

QString desktopDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool refuseImage(uint profileNo)
{
    if (profileNo < ProfileImageCount)
        return false;
    ORBIS_LOG(lcBridge, QStringLiteral("Profile image %1 refused").arg(profileNo));
    return true;
}

} // namespace

void myQQuickView::setCurrentProfile(int profile)
{
    if (store->setCurrentProfile(profile))
        emit currentProfileSet(profile);
}

bool myQQuickView::loadProfile(int profile)
{
    if (!SettingsStore::isProfileNumber(profile)) {
        ORBIS_LOG(lcBridge, QStringLiteral("Profile number %1 refused").arg(profile));
        return false;
    }
    const QString path =
        platform::getOpenFileName(this, tr("Open File"), desktopDirectory(), tr("Profile(*.pf)"));
    if (path.isEmpty())
        return false;
    switch (store->importProfile(profile, path)) {
    case SettingsStore::ImportResult::Imported:
        return true;
    case SettingsStore::ImportResult::Refused:
    case SettingsStore::ImportResult::WriteFailed: // the store has said why
        return false;
    case SettingsStore::ImportResult::Unreadable:
        warn(OpenFileTitle, ProfileUnreadable);
        break;
    case SettingsStore::ImportResult::TooLarge:
        warn(OpenFileTitle, ProfileTooLarge);
        break;
    case SettingsStore::ImportResult::NotAProfile:
        warn(OpenFileTitle, NotAProfile);
        break;
    }
    return false;
}

void myQQuickView::saveProfile(int profile)
{
    if (!SettingsStore::isProfileNumber(profile))
        return;
    const QString path =
        platform::getSaveFileName(this, tr("Save File"), desktopDirectory(), tr("Profile(*.pf)"));
    if (!path.isEmpty())
        store->exportProfile(profile, path);
}

void myQQuickView::resetProfile(int profile)
{
    store->resetProfile(profile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    store->copyProfile(destprofile, srcprofile);
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    const QVariant value =
        store->currentProfile()->value(QStringLiteral("XYSensitive/") + index.toString());
    bool isNumber = false;
    settingsText(value).toInt(&isNumber);
    return isNumber ? value : QVariant(4);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    store->currentProfile()->setValue(QStringLiteral("XYSensitive/") + index.toString(),
                                      plainSettingValue(xyData));
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return settingsText(
        store->currentProfile()->value(QStringLiteral("selectGun/") + index.toString()));
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    store->currentProfile()->setValue(QStringLiteral("selectGun/") + index.toString(),
                                      plainSettingValue(xyData));
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    if (refuseImage(profileNo) || !protocol_)
        return;
    protocol_->writeProfileImage(static_cast<int>(profileNo));
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (refuseImage(profileNo) || !protocol_)
        return;
    protocol_->readProfileImage(static_cast<int>(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return QVariant(protocol_ ? protocol_->readCurrentProfile() : 0);
}
