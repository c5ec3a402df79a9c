// Gun editor page. UNFINISHED: carries the entry points the main window uses; the editor itself
// is built later.
import QtQuick

PageStub {
    id: gunControl
    width: 640
    height: 448
    titleText: mainIten.langText(gunControlLang, 0)

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endness"]
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    property int gunListIndex: 0

    function init() {}
    function resetData() {}
    function gunControlFocus() {}

    onBackgroundPressed: gunControlFocus()
}
