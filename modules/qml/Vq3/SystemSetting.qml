// System setting page: the desktop pointer speed, double-click speed and wheel scroll lines of
// the current profile. Every change is stored in the profile at once and applied to the desktop
// through the bridge; a profile switch or reset applies the new profile's values (init(true, _)).
import QtQuick
import modules.qml

PanelFrame {
    id: systemSetting
    objectName: "systemSettingMain"
    width: 416
    height: 312
    visible: false
    titleText: Values.langText(systemSettingLang, 0)

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen", "Language", "", "",
        "", "", "", ""]
    // The languages that have a language file: [{code, name}], read when the page is built.
    property var languages: typeof ui_View.getLanguages === "function" ? ui_View.getLanguages()
                                                                        : []
    // Slider positions run 3..337; a position's speed step is the first threshold above it.
    readonly property var stepThresholds: [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
    readonly property int scrollOneScreen: 1000
    // The page's state; the controls show it once the page has been opened.
    property int speedPosition: 170
    property int doublePosition: 170
    property bool scrollScreen: false
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property string language // the program's language, chosen here
    signal languageChosen(string code)
    property int scrollLines: 1
    // Asks the controls to give up the keyboard focus (a field being typed in commits).
    signal leaveFields

    function speedStep(position) {
        for (var i = 0; i < stepThresholds.length; ++i)
            if (position < stepThresholds[i])
                return i
        return stepThresholds.length - 1
    }

    function scrollValue() {
        return scrollScreen ? scrollOneScreen : scrollLines
    }

    function showScroll(lines) {
        scrollScreen = lines > 100
        if (!scrollScreen)
            scrollLines = lines
    }

    function init(isSendData, isRecovery) {
        speedPosition = Values.intSetting(ui_View.getData("mouse/mouseRate", isRecovery),
                                            speedPosition)
        doublePosition = Values.intSetting(ui_View.getData("mouse/doubleRate", isRecovery),
                                             doublePosition)
        showScroll(Values.intSetting(ui_View.getData("mouse/scrollRate", isRecovery),
                                       scrollValue()))
        if (isSendData)
            saveData(true, 0)
    }

    // Stores all three values; with isSendData applies all (isStep 0) or one of them (1 speed,
    // 2 double-click, 3 wheel lines).
    function saveData(isSendData, isStep) {
        ui_View.setData("mouse/mouseRate", speedPosition)
        ui_View.setData("mouse/doubleRate", doublePosition)
        var lines = scrollValue()
        ui_View.setData("mouse/scrollRate", lines)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            ui_View.mouseSetCursorSpeed(speedStep(speedPosition))
        if (isStep === 0 || isStep === 2)
            ui_View.mouseSetDoubleClickSpeed(speedStep(doublePosition))
        if (isStep === 0 || isStep === 3)
            ui_View.mouseSetVerticalScrollLines(lines)
    }

    function chooseScroll(screen) {
        scrollScreen = screen
        saveData(true, 3)
    }

    // The lines typed into the field: below 1 (or none) is 1, above 100 is 100.
    function enterLines(text) {
        var lines = parseInt(text)
        scrollLines = isNaN(lines) || lines < 1 ? 1 : Math.min(lines, 100)
        saveData(true, 3)
    }

    function systemSettingFocus() {
        leaveFields()
    }

    // The slider came to rest at position: the page stores and applies that rate.
    function restSpeed(position) {
        speedPosition = position
        saveData(true, 1)
    }
    function restDouble(position) {
        doublePosition = position
        saveData(true, 2)
    }

    onVisibleChanged: {
        if (visible && body.status === Loader.Null)
            body.setSource(Qt.resolvedUrl("SystemSettingView.qml"), { "page": systemSetting })
    }
    onBackgroundPressed: systemSettingFocus()
    onCloseClicked: {
        systemSettingFocus()
        systemSetting.visible = false
        mask.visible = false
    }

    // The controls (SystemSettingView) are built when the page first opens, and kept.
    Loader {
        id: body
        anchors.fill: parent
    }
}
