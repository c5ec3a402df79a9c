// Desktop pointer-setting slots: the page's steps and lines, applied through this OS's backend.
#include "bridge/myqquickview.h"

#include "bridge/pointerapplier.h"

namespace
{

// One per process: the desktop settings are process-wide, and so is the note that one of them
// is missing.
PointerApplier &pointerApplier()
{
    static PointerApplier applier(platform::PointerSettings::create());
    return applier;
}

} // namespace

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    pointerApplier().setCursorSpeed(cursorSpeed);
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    pointerApplier().setDoubleClickSpeed(speed);
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    pointerApplier().setVerticalScrollLines(lines);
}
