// Settings store slots: calls into SettingsStore, and the start-up load of the configuration.
// What the pages read is held to the ranges the pages allow (valuelimits), and a value the
// current profile lacks is the factory profile's: the page then shows, and the mouse receives,
// the same value. A file with values set aside is named once on the debug channel.
#include "bridge/myqquickview.h"

#include "base/datapaths.h"
#include "bridge/qmlvalue.h"
#include "bridge/settingsstore.h"
#include "bridge/valuelimits.h"

#include <QSettings>

namespace
{

using valuelimits::Range;

constexpr int kStages = 8;
constexpr int kProfiles = 10;
constexpr int kGunSlots = 3;
constexpr int kGunPresets = 6;
// The widest DPI range any sensor of the family offers; the factory global file narrows it.
constexpr Range kDpiRange{50, 26000};
constexpr Range kByte{0, 255};

// The list-index keys of a profile, with the range of their lists.
struct IndexKey {
    const char *key;
    Range range;
};
constexpr IndexKey kIndexKeys[] = {
    {"mouse/reportRate", {0, 3}},
    {"mouse/dpiCount", {1, kStages}},
    {"mouse/currentDpiCount", {1, kStages}},
};

// Lists of a profile whose elements are bytes.
constexpr const char *kByteLists[] = {"mouse/colorValue", "mouse/lightValue"};

} // namespace

void myQQuickView::loadConfiguration()
{
    icType.clear();
    store = new SettingsStore(datapaths::settingDir(), this);
    connect(store, &SettingsStore::writeFailed, this, &myQQuickView::warnWriteFailed);
    // Cached once: a change of these keys takes effect at the next start.
    isColorful = store->globalValue(QStringLiteral("mouse/isColorful")).toBool();
    isGun = store->globalValue(QStringLiteral("mouse/isGun")).toBool();
    icType = settingsText(store->globalValue(QStringLiteral("mouse/icType")));
}

void myQQuickView::noteLimited(const QString &file, bool changed)
{
    if (changed)
        noteOnce(QStringLiteral("%1: values out of range or not numbers were replaced").arg(file));
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    const QString name = key.toString();
    QVariant value = store->value(name, isRecovery);
    if (!value.isValid())
        value = store->value(name, true);
    for (const IndexKey &index : kIndexKeys) {
        if (name != QLatin1String(index.key))
            continue;
        bool changed = false;
        bool factoryChanged = false;
        const qint64 factory =
            valuelimits::inRangeOr(store->value(name, true), index.range, index.range.max,
                                   &factoryChanged);
        value = valuelimits::inRangeOr(value, index.range, factory, &changed);
        noteLimited(store->currentProfile()->fileName(), changed);
    }
    return value;
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    const QString name = key.toString();
    QVariantList list = store->list(name, isRecovery);
    const QVariantList factory = store->list(name, true);
    if (list.isEmpty())
        list = factory;
    bool changed = false;
    if (name == QLatin1String("mouse/dpiValueArray")) {
        const QVariantList limits = dpiLimits();
        list = valuelimits::boundedList(list, {limits.at(0).toLongLong(), limits.at(1).toLongLong()},
                                        factory, &changed);
    }
    for (const char *byteList : kByteLists)
        if (name == QLatin1String(byteList))
            list = valuelimits::boundedList(list, kByte, factory, &changed);
    noteLimited((isRecovery ? store->factoryProfile() : store->currentProfile())->fileName(),
                changed);
    return list;
}

QVariantList myQQuickView::dpiLimits()
{
    // The factory global file gives the sensor's range; the global file may narrow it.
    bool changed = false;
    const QString minKey = QStringLiteral("mouse/minDPI");
    const QString maxKey = QStringLiteral("mouse/maxDPI");
    const qint64 factoryMin = valuelimits::bounded(store->factoryGlobalValue(minKey), kDpiRange,
                                                   kDpiRange.min, &changed);
    const qint64 factoryMax = valuelimits::bounded(store->factoryGlobalValue(maxKey),
                                                   {factoryMin, kDpiRange.max}, kDpiRange.max,
                                                   &changed);
    changed = false;
    const qint64 min = valuelimits::bounded(store->globalValue(minKey), {factoryMin, factoryMax},
                                            factoryMin, &changed);
    const qint64 max = valuelimits::bounded(store->globalValue(maxKey), {min, factoryMax},
                                            factoryMax, &changed);
    noteLimited(store->globalPath(), changed);
    return {min, max};
}

QVariantList myQQuickView::selectedGuns()
{
    // One reader for the gun slots' presets: three positions in the preset list. A list of
    // another length is no choice of three slots: the factory choice stands. A position that
    // names no preset gives its slot the slot's own number.
    const auto read = [](const QVariant &stored, bool *changed) {
        const QVariantList list = settingsList(stored);
        if (list.size() != kGunSlots) {
            *changed = stored.isValid();
            return QVariantList();
        }
        QVariantList guns;
        for (int slot = 0; slot < kGunSlots; ++slot)
            guns << QVariant(
                valuelimits::inRangeOr(list.at(slot), {0, kGunPresets - 1}, slot, changed));
        return guns;
    };
    const QString key = QStringLiteral("mouse/selectGun");
    bool changed = false;
    QVariantList guns = read(store->globalValue(key), &changed);
    noteLimited(store->globalPath(), changed);
    if (guns.isEmpty()) {
        bool factoryChanged = false;
        guns = read(store->factoryGlobalValue(key), &factoryChanged);
    }
    if (guns.isEmpty())
        guns = {0, 1, 2};
    return guns;
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    const QString name = key.toString();
    if (name == QLatin1String("mouse/selectGun"))
        return selectedGuns();
    const QVariant value = store->globalValue(name);
    if (name == QLatin1String("mouse/minDPI"))
        return dpiLimits().at(0);
    if (name == QLatin1String("mouse/maxDPI"))
        return dpiLimits().at(1);
    if (name == QLatin1String("mouse/profileNo") && value.isValid()) {
        bool changed = false;
        const qint64 factory =
            valuelimits::inRangeOr(store->factoryGlobalValue(name), {0, kProfiles - 1}, 0, &changed);
        changed = false;
        const qint64 profile =
            valuelimits::inRangeOr(value, {0, kProfiles - 1}, factory, &changed);
        noteLimited(store->globalPath(), changed);
        return profile;
    }
    return value;
}

QVariant myQQuickView::getGlobalData(QVariant key, QVariant /*isRecovery*/)
{
    return getGlobalData(key);
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    store->setValue(key.toString(), plainSettingValue(data));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    store->setValue(key.toString(), plainSettingValue(datalist));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    store->setGlobalValue(key.toString(), plainSettingValue(tmpdata));
}
