// System setting page: the desktop pointer speed, double-click speed and wheel scroll lines of
// the current profile. Every change is stored in the profile at once and applied to the desktop
// through the bridge; a profile switch or reset applies the new profile's values (init(true, _)).
import QtQuick
import "../basic"

PanelFrame {
    id: systemSetting
    objectName: "systemSettingMain"
    width: 416
    height: 312
    visible: false
    titleText: mainIten.langText(systemSettingLang, 0)

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen", "Language", "", "",
        "", "", "", ""]
    // The languages that have a language file: [{code, name}], read when the page is built.
    property var languages: typeof ui_View.getLanguages === "function" ? ui_View.getLanguages()
                                                                        : []
    // Slider positions run 3..337; a position's speed step is the first threshold above it.
    readonly property var stepThresholds: [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
    readonly property int scrollOneScreen: 1000
    property alias speedSlider: speedSlider
    property alias doubleSlider: doubleSlider
    property alias linesInput: linesInput

    function speedStep(position) {
        for (var i = 0; i < stepThresholds.length; ++i)
            if (position < stepThresholds[i])
                return i
        return stepThresholds.length - 1
    }

    function scrollValue() {
        return screenRadio.isSelect ? scrollOneScreen : mainIten.intSetting(linesInput.textValue, 1)
    }

    function showScroll(lines) {
        var screen = lines > 100
        screenRadio.isSelect = screen
        rowsRadio.isSelect = !screen
        if (!screen)
            linesInput.textValue = String(lines)
    }

    function init(isSendData, isRecovery) {
        speedSlider.position = mainIten.intSetting(ui_View.getData("mouse/mouseRate", isRecovery),
                                                   speedSlider.position)
        doubleSlider.position = mainIten.intSetting(
                    ui_View.getData("mouse/doubleRate", isRecovery), doubleSlider.position)
        showScroll(mainIten.intSetting(ui_View.getData("mouse/scrollRate", isRecovery),
                                       scrollValue()))
        if (isSendData)
            saveData(true, 0)
    }

    // Stores all three values; with isSendData applies all (isStep 0) or one of them (1 speed,
    // 2 double-click, 3 wheel lines).
    function saveData(isSendData, isStep) {
        ui_View.setData("mouse/mouseRate", speedSlider.position)
        ui_View.setData("mouse/doubleRate", doubleSlider.position)
        var lines = scrollValue()
        ui_View.setData("mouse/scrollRate", lines)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            ui_View.mouseSetCursorSpeed(speedStep(speedSlider.position))
        if (isStep === 0 || isStep === 2)
            ui_View.mouseSetDoubleClickSpeed(speedStep(doubleSlider.position))
        if (isStep === 0 || isStep === 3)
            ui_View.mouseSetVerticalScrollLines(lines)
    }

    function chooseScroll(screen) {
        screenRadio.isSelect = screen
        rowsRadio.isSelect = !screen
        saveData(true, 3)
    }

    function systemSettingFocus() {
        linesInput.input.focus = false
    }

    onBackgroundPressed: systemSettingFocus()
    onCloseClicked: {
        systemSettingFocus()
        systemSetting.visible = false
        mainMask.visible = false
    }

    // A 352-pixel track whose knob sits at position 3..337. It comes to rest at the end of a
    // drag or of the 120 ms glide after a click on the track, and only then reports.
    component RateSlider: Item {
        id: rateSlider
        property int position: 170
        readonly property int minimum: 3
        readonly property int maximum: 337
        signal rested
        width: 352
        height: 44

        function clamp(x) {
            return Math.max(minimum, Math.min(maximum, Math.round(x)))
        }

        Rectangle {
            id: track
            y: 6
            width: parent.width
            height: 6
            radius: 3
            color: mainIten.colorGray1
            Rectangle {
                width: knob.x + knob.width / 2
                height: parent.height
                radius: 3
                color: mainIten.colorOrange
            }
        }
        Image {
            id: knob
            anchors.verticalCenter: track.verticalCenter
            source: mainIten.sourceSlide
            Behavior on x {
                enabled: !area.drag.active
                NumberAnimation {
                    id: glide
                    duration: 120
                    onRunningChanged: {
                        if (!running && area.gliding) {
                            area.gliding = false
                            rateSlider.rested()
                        }
                    }
                }
            }
        }
        MouseArea {
            id: area
            property bool gliding: false
            width: parent.width
            height: 20
            drag.target: knob
            drag.axis: Drag.XAxis
            drag.minimumX: rateSlider.minimum
            drag.maximumX: rateSlider.maximum
            drag.threshold: 0
            onPressed: function (mouse) {
                var onKnob = mouse.x >= knob.x && mouse.x < knob.x + knob.width
                if (onKnob)
                    return
                var target = rateSlider.clamp(mouse.x - knob.width / 2)
                if (target === rateSlider.position) {
                    rateSlider.rested()
                    return
                }
                gliding = true
                rateSlider.position = target
            }
            onPositionChanged: {
                if (drag.active)
                    rateSlider.position = rateSlider.clamp(knob.x)
            }
            onReleased: {
                if (!gliding) {
                    rateSlider.position = rateSlider.clamp(knob.x)
                    rateSlider.rested()
                }
            }
        }
        // While dragging, the knob follows the pointer; afterwards it is bound to position again.
        Binding {
            target: knob
            property: "x"
            value: rateSlider.position
            when: !area.drag.active
        }
        Text {
            x: 0
            y: 20
            text: mainIten.langText(systemSettingLang, 3)
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            color: mainIten.colorGray2
        }
        Text {
            anchors.right: parent.right
            y: 20
            text: mainIten.langText(systemSettingLang, 4)
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            color: mainIten.colorGray2
        }
    }

    component Caption: Text {
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMiddleSize
        color: mainIten.fontColor
    }

    ImageButton {
        id: restoreBtn
        objectName: "systemRestoreBtn"
        x: parent.width - 64
        y: -30 + (30 - height) / 2
        normalSource: mainIten.sourceRestBtn
        hoverSource: mainIten.sourceRestBtnH
        onClicked: init(true, true)
    }

    Column {
        x: 32
        y: 12
        spacing: 6

        Caption { text: mainIten.langText(systemSettingLang, 1) }
        RateSlider {
            id: speedSlider
            objectName: "speedSlider"
            onRested: saveData(true, 1)
        }
        Caption { text: mainIten.langText(systemSettingLang, 2) }
        RateSlider {
            id: doubleSlider
            objectName: "doubleSlider"
            onRested: saveData(true, 2)
        }
        Caption { text: mainIten.langText(systemSettingLang, 5) }
        Row {
            spacing: 16
            height: 28
            RadioButton {
                id: rowsRadio
                objectName: "rowsRadio"
                anchors.verticalCenter: parent.verticalCenter
                textValue: mainIten.langText(systemSettingLang, 6)
                isSelect: true
                onBtnClick: chooseScroll(false)
            }
            RectInput {
                id: linesInput
                objectName: "linesInput"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 0
                maxValue: 100
                textValue: "1"
                Component.onCompleted: input.maximumLength = 3
                onEndInputSignal: {
                    var lines = parseInt(textValue)
                    textValue = String(isNaN(lines) || lines < 1 ? 1 : Math.min(lines, 100))
                    saveData(true, 3)
                }
            }
            Item { width: 24; height: 1 }
            RadioButton {
                id: screenRadio
                objectName: "screenRadio"
                anchors.verticalCenter: parent.verticalCenter
                textValue: mainIten.langText(systemSettingLang, 7)
                onBtnClick: chooseScroll(true)
            }
        }
        // The language of the whole program, applied at once.
        Caption { text: mainIten.langText(systemSettingLang, 8) }
        Row {
            spacing: 24
            height: 28
            Repeater {
                model: systemSetting.languages
                RadioButton {
                    objectName: "language_" + modelData.code
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: modelData.name
                    isSelect: mainIten.language === modelData.code
                    onBtnClick: mainIten.chooseLanguage(modelData.code)
                }
            }
        }
    }
}
