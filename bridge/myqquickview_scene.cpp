// Slots the main scene calls: language strings, report rate and the current DPI stage.
#include "app/globals.h"
#include "bridge/langstrings.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

QStringList myQQuickView::getLangStrings(QVariant typeStr, QVariant langCode)
{
    const QString group = typeStr.toString();
    const QStringList strings =
        langstrings::readGroupOrEnglish(langstrings::languageFilePath(langCode.toString()), group);
    if (group == QLatin1String("other"))
        langstrings::applyDpiNotices(strings, dpiSwitchText);
    return strings;
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_03H_SetReportRate(rate);
    else
        hid->hid553_01H_SetReportRate(rate);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    uchar byte1 = 0;
    uchar byte2 = 0;
    if (!hid)
        return QVariant(0);
    if (is560()) {
        byte1 = 1;
        hid->hid560_84H_GetCurrentDPI(byte1, byte2);
        return QVariant(static_cast<int>(byte2));
    }
    hid->hid553_8BH_GetCurrentDPI(byte1);
    return QVariant(static_cast<int>(byte1));
}
