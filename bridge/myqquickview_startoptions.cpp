// The view's part in the start options of the command line.
#include "bridge/myqquickview.h"

void myQQuickView::chooseProfile(int profileNo)
{
    invokeRoot("chooseProfile", Qt::DirectConnection, {QVariant(profileNo)});
}
