// Profile slots. TODO(settings): the real profile operations land with the settings work.
#include "bridge/myqquickview.h"

void myQQuickView::setCurrentProfile(int) {}
bool myQQuickView::loadProfile(int) { return false; }
void myQQuickView::saveProfile(int) {}
void myQQuickView::resetProfile(int) {}
void myQQuickView::copyProfile(int, int) {}
QVariant myQQuickView::getXYSensitive(QVariant) { return QVariant(); }
void myQQuickView::setXYSensitive(QVariant, QVariant) {}
QVariant myQQuickView::getselectGun(QVariant) { return QVariant(); }
void myQQuickView::setSelectGun(QVariant, QVariant) {}
void myQQuickView::mouseSetProfile(uint) {}
void myQQuickView::mouseReadProfile(uint) {}
QVariant myQQuickView::mouseReadCurrentProfile() { return QVariant(0); }
