// Slots the main scene calls. TODO(scene): the real bodies land with the main scene work.
#include "bridge/myqquickview.h"

QStringList myQQuickView::getLangStrings(QVariant, QVariant) { return QStringList(); }
void myQQuickView::mouseSetReportRate(uchar) {}
QVariant myQQuickView::mouseGetCurrentDPI() { return QVariant(0); }
