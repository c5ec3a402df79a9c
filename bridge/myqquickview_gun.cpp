// Gun preset slots: thin calls into GunDataFile on the installed gun file.
#include "bridge/myqquickview.h"

#include "base/datapaths.h"
#include "bridge/gundata.h"
#include "bridge/valuelimits.h"

namespace
{

GunDataFile gunFile()
{
    return GunDataFile(datapaths::gunFile());
}

} // namespace

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    int error = 0;
    const bool ok = gunFile().save(index.toString(), src6, &error);
    reportWrite(ok, error);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    int error = 0;
    const bool ok = gunFile().modify(modifyType.toInt(), src6, &error);
    reportWrite(ok, error);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    // Period, X, Y and times as the gun page limits them; a field that is no number takes the
    // built-in presets' value. The page shows these, and sends them.
    static constexpr valuelimits::Range kRanges[] = {{1, 99}, {0, 64}, {0, 64}, {0, 255}};
    static constexpr qint64 kBuiltIn[] = {10, 0, 10, 0};
    constexpr int kFirstNumber = 2;
    QVariantList entry = gunFile().entry(name.toString());
    if (entry.size() < GunDataFile::EntryLength)
        return entry;
    bool changed = false;
    for (int i = 0; i < 4; ++i)
        entry[kFirstNumber + i] = QString::number(
            valuelimits::bounded(entry.at(kFirstNumber + i), kRanges[i], kBuiltIn[i], &changed));
    noteLimited(gunFile().path(), changed);
    return entry;
}

QStringList myQQuickView::getGunDataKey()
{
    return gunFile().keys();
}
