// System setting page. UNFINISHED: carries the entry points the main window uses; the page
// itself is built later.
import QtQuick

PageStub {
    id: systemSetting
    width: 416
    height: 312
    titleText: mainIten.langText(systemSettingLang, 0)

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen", "", "", "", "", "",
        "", ""]

    function init(isSendData, isRecovery) {}
    function systemSettingFocus() {}

    onBackgroundPressed: systemSettingFocus()
}
