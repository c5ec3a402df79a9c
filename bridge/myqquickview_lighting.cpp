// Lighting: the effect bytes of the mouse's lighting model and the colour table, written the
// way the mouse's family takes them.
#include "bridge/lighting.h"
#include "bridge/myqquickview.h"
#include "device/protocol.h"

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (protocol_)
        protocol_->writeLightingEffect(isColorful
                                           ? lighting::fullColourEffect(effect, option1, option2)
                                           : lighting::simpleEffect(effect, option1, option2));
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    if (protocol_)
        protocol_->writeColours(type, lighting::colourTable(src24));
}
