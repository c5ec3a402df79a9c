// Slots the main scene calls: language strings, report rate and the current DPI stage.
#include "bridge/langstrings.h"
#include "bridge/myqquickview.h"
#include "device/protocol.h"

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
    if (protocol_)
        protocol_->setReportRate(rate);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    if (protocol_)
        protocol_->setCurrentStage(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return QVariant(protocol_ ? protocol_->readCurrentStage() : 0);
}
