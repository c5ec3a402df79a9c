// Settings store slots: thin calls into SettingsStore, and the start-up load of the configuration.
#include "bridge/myqquickview.h"

#include "bridge/settingsstore.h"

void myQQuickView::loadConfiguration()
{
    icType.clear();
    store = new SettingsStore(QStringLiteral("./modules/setting"), this);
    // Cached once: a change of these keys takes effect at the next start.
    isColorful = store->globalValue(QStringLiteral("mouse/isColorful")).toBool();
    isGun = store->globalValue(QStringLiteral("mouse/isGun")).toBool();
    icType = settingsText(store->globalValue(QStringLiteral("mouse/icType")));
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    return store->value(key.toString(), isRecovery);
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return store->list(key.toString(), isRecovery);
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return store->globalValue(key.toString());
}

QVariant myQQuickView::getGlobalData(QVariant key, QVariant /*isRecovery*/)
{
    return getGlobalData(key);
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    store->setValue(key.toString(), data);
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    store->setList(key.toString(), datalist);
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    store->setGlobalValue(key.toString(), tmpdata);
}
