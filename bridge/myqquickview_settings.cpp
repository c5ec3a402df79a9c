// Settings store slots. TODO(settings): the real store lands with the settings work.
#include "bridge/myqquickview.h"

void myQQuickView::loadConfiguration() {}
void myQQuickView::resetApconfig() {}
QVariant myQQuickView::getData(QVariant, bool) { return QVariant(); }
QVariantList myQQuickView::getDataList(QVariant, bool) { return QVariantList(); }
QVariant myQQuickView::getGlobalData(QVariant) { return QVariant(); }
void myQQuickView::setData(QVariant, QVariant) {}
void myQQuickView::setDataList(QVariant, QVariantList) {}
void myQQuickView::setGlobalData(QVariant, QVariant) {}
