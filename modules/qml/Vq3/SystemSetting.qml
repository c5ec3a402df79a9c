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

    onVisibleChanged: {
        if (visible)
            body.active = true
    }
    onBackgroundPressed: systemSettingFocus()
    onCloseClicked: {
        systemSettingFocus()
        systemSetting.visible = false
        mask.visible = false
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
            color: Theme.colorGray1
            Rectangle {
                width: knob.x + knob.width / 2
                height: parent.height
                radius: 3
                color: Theme.colorOrange
            }
        }
        Image {
            id: knob
            anchors.verticalCenter: track.verticalCenter
            source: Theme.sourceSlide
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
            text: Values.langText(systemSetting.systemSettingLang, 3)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.colorGray2
        }
        Text {
            anchors.right: parent.right
            y: 20
            text: Values.langText(systemSetting.systemSettingLang, 4)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.colorGray2
        }
    }

    component Caption: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        color: Theme.fontColor
    }

    // The controls are built when the page first opens, and kept.
    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            // The sliders move on their own while dragged and report when they rest; the
            // page's values place them whenever those change.
            Binding {
                target: speedSlider
                property: "position"
                value: systemSetting.speedPosition
            }
            Binding {
                target: doubleSlider
                property: "position"
                value: systemSetting.doublePosition
            }
            Connections {
                target: systemSetting
                function onLeaveFields() {
                    linesInput.input.focus = false
                }
            }
            ImageButton {
                id: restoreBtn
                objectName: "systemRestoreBtn"
                x: parent.width - 64
                y: -30 + (30 - height) / 2
                normalSource: Theme.sourceRestBtn
                hoverSource: Theme.sourceRestBtnH
                onClicked: systemSetting.init(true, true)
            }

            Column {
                x: 32
                y: 12
                spacing: 6

                Caption { text: Values.langText(systemSetting.systemSettingLang, 1) }
                RateSlider {
                    id: speedSlider
                    objectName: "speedSlider"
                    onRested: {
                        systemSetting.speedPosition = position
                        systemSetting.saveData(true, 1)
                    }
                }
                Caption { text: Values.langText(systemSetting.systemSettingLang, 2) }
                RateSlider {
                    id: doubleSlider
                    objectName: "doubleSlider"
                    onRested: {
                        systemSetting.doublePosition = position
                        systemSetting.saveData(true, 2)
                    }
                }
                Caption { text: Values.langText(systemSetting.systemSettingLang, 5) }
                Row {
                    spacing: 16
                    height: 28
                    RadioButton {
                        id: rowsRadio
                        objectName: "rowsRadio"
                        anchors.verticalCenter: parent.verticalCenter
                        textValue: Values.langText(systemSetting.systemSettingLang, 6)
                        isSelect: !systemSetting.scrollScreen
                        onBtnClick: {
                            systemSetting.chooseScroll(false)
                            isSelect = Qt.binding(() => !systemSetting.scrollScreen)
                        }
                    }
                    RectInput {
                        id: linesInput
                        objectName: "linesInput"
                        anchors.verticalCenter: parent.verticalCenter
                        minValue: 0
                        maxValue: 100
                        textValue: String(systemSetting.scrollLines)
                        Component.onCompleted: input.maximumLength = 3
                        onEndInputSignal: {
                            systemSetting.enterLines(textValue)
                            textValue = Qt.binding(() => String(systemSetting.scrollLines))
                        }
                    }
                    Item { width: 24; height: 1 }
                    RadioButton {
                        id: screenRadio
                        objectName: "screenRadio"
                        anchors.verticalCenter: parent.verticalCenter
                        textValue: Values.langText(systemSetting.systemSettingLang, 7)
                        isSelect: systemSetting.scrollScreen
                        onBtnClick: {
                            systemSetting.chooseScroll(true)
                            isSelect = Qt.binding(() => systemSetting.scrollScreen)
                        }
                    }
                }
                // The language of the whole program, applied at once.
                Caption { text: Values.langText(systemSetting.systemSettingLang, 8) }
                Row {
                    spacing: 24
                    height: 28
                    Repeater {
                        model: systemSetting.languages
                        RadioButton {
                            required property var modelData
                            objectName: "language_" + modelData.code
                            anchors.verticalCenter: parent.verticalCenter
                            textValue: modelData.name
                            isSelect: systemSetting.language === modelData.code
                            onBtnClick: systemSetting.languageChosen(modelData.code)
                        }
                    }
                }
            }
        }
    }
}
