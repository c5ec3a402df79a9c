// Lighting: the effect bytes of the mouse's lighting model and the colour table, sent by command
// (553 family) or inside the on-board profile images (560 family).
#include "bridge/lighting.h"
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

#include <algorithm>

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (!hid)
        return;
    const lighting::EffectBytes bytes = isColorful
                                            ? lighting::fullColourEffect(effect, option1, option2)
                                            : lighting::simpleEffect(effect, option1, option2);
    if (!is560()) {
        hid->hid553_0DH_SetRGBLedEffect(bytes[0], bytes[1], bytes[2]);
        return;
    }
    for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
        std::copy(bytes.begin(), bytes.end(), profileImage[n] + lighting::kImageEffect);
    if (!isColorful && !isGun)
        profileImage[1][lighting::kImageEffect + 2] = lighting::kSimpleStandalone;
    sendStageImages(isGun);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    if (!hid)
        return;
    lighting::ColourTable table = lighting::colourTable(src24);
    if (!is560()) {
        // This family takes the colour table twice in a row, with the same arguments.
        hid->hid553_10H_SetLED8StageColor(type, table.data());
        hid->hid553_10H_SetLED8StageColor(type, table.data());
        return;
    }
    const int image = isColorful ? 0 : 1;
    const int offset = isColorful ? lighting::kImageColoursFull : lighting::kImageColoursSimple;
    std::copy(table.begin(), table.end(), profileImage[image] + offset);
    hid->hid560_0CH_setProfile(profileImage[image], static_cast<uchar>(image));
}
