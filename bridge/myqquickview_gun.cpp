// Gun preset slots: thin calls into GunDataFile on the installed gun file.
#include "bridge/myqquickview.h"

#include "bridge/gundata.h"

namespace
{

GunDataFile gunFile()
{
    return GunDataFile(QStringLiteral("./modules/gun/gunData.bin"));
}

} // namespace

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    gunFile().save(index.toString(), src6);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    gunFile().modify(modifyType.toInt(), src6);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    return gunFile().entry(name.toString());
}

QStringList myQQuickView::getGunDataKey()
{
    return gunFile().keys();
}
