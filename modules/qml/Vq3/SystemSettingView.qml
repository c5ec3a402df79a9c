pragma ComponentBehavior: Bound
// The controls of the system setting page, built the first time the page opens and kept: the
// two rate sliders, the wheel choice with its line field, the language choice and the restore
// button in the title bar. They show the page's state and hand every change to the page.
import QtQuick
import modules.qml

Item {
    id: view
    required property SystemSetting page

    // A 352-pixel track whose knob sits at position 3..337. It comes to rest at the end of a
    // drag or of the 120 ms glide after a click on the track, and only then reports.
    component RateSlider: Item {
        id: rateSlider
        property int position: 170
        property string slowText
        property string fastText
        readonly property int minimum: 3
        readonly property int maximum: 337
        signal rested
        width: 352
        height: 44

        function clamp(x: real): int {
            return Math.max(minimum, Math.min(maximum, Math.round(x)))
        }

        Rectangle {
            id: track
            y: 6
            width: rateSlider.width
            height: 6
            radius: 3
            color: Theme.colorGray1
            Rectangle {
                width: knob.x + knob.width / 2
                height: track.height
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
                        if (!glide.running && area.gliding) {
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
            width: rateSlider.width
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
                area.gliding = true
                rateSlider.position = target
            }
            onPositionChanged: {
                if (area.drag.active)
                    rateSlider.position = rateSlider.clamp(knob.x)
            }
            onReleased: {
                if (!area.gliding) {
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
            text: rateSlider.slowText
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.colorGray2
        }
        Text {
            anchors.right: rateSlider.right
            y: 20
            text: rateSlider.fastText
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

    // The sliders move on their own while dragged and report when they rest; the page's values
    // place them whenever those change.
    Binding {
        target: speedSlider
        property: "position"
        value: view.page.speedPosition
    }
    Binding {
        target: doubleSlider
        property: "position"
        value: view.page.doublePosition
    }
    Connections {
        target: view.page
        function onLeaveFields() {
            linesInput.input.focus = false
        }
    }
    ImageButton {
        id: restoreBtn
        objectName: "systemRestoreBtn"
        x: view.width - 64
        y: -30 + (30 - height) / 2
        normalSource: Theme.sourceRestBtn
        hoverSource: Theme.sourceRestBtnH
        onClicked: view.page.init(true, true)
    }

    Column {
        x: 32
        y: 12
        spacing: 6

        Caption { text: Values.langText(view.page.systemSettingLang, 1) }
        RateSlider {
            id: speedSlider
            objectName: "speedSlider"
            slowText: Values.langText(view.page.systemSettingLang, 3)
            fastText: Values.langText(view.page.systemSettingLang, 4)
            onRested: view.page.restSpeed(speedSlider.position)
        }
        Caption { text: Values.langText(view.page.systemSettingLang, 2) }
        RateSlider {
            id: doubleSlider
            objectName: "doubleSlider"
            slowText: Values.langText(view.page.systemSettingLang, 3)
            fastText: Values.langText(view.page.systemSettingLang, 4)
            onRested: view.page.restDouble(doubleSlider.position)
        }
        Caption { text: Values.langText(view.page.systemSettingLang, 5) }
        Row {
            spacing: 16
            height: 28
            RadioButton {
                id: rowsRadio
                objectName: "rowsRadio"
                anchors.verticalCenter: parent.verticalCenter
                textValue: Values.langText(view.page.systemSettingLang, 6)
                isSelect: !view.page.scrollScreen
                onBtnClick: {
                    view.page.chooseScroll(false)
                    rowsRadio.isSelect = Qt.binding(() => !view.page.scrollScreen)
                }
            }
            RectInput {
                id: linesInput
                objectName: "linesInput"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 0
                maxValue: 100
                textValue: String(view.page.scrollLines)
                Component.onCompleted: linesInput.input.maximumLength = 3
                onEndInputSignal: {
                    view.page.enterLines(linesInput.textValue)
                    linesInput.textValue = Qt.binding(() => String(view.page.scrollLines))
                }
            }
            Item { width: 24; height: 1 }
            RadioButton {
                id: screenRadio
                objectName: "screenRadio"
                anchors.verticalCenter: parent.verticalCenter
                textValue: Values.langText(view.page.systemSettingLang, 7)
                isSelect: view.page.scrollScreen
                onBtnClick: {
                    view.page.chooseScroll(true)
                    screenRadio.isSelect = Qt.binding(() => view.page.scrollScreen)
                }
            }
        }
        // The language of the whole program, applied at once.
        Caption { text: Values.langText(view.page.systemSettingLang, 8) }
        Row {
            spacing: 24
            height: 28
            Repeater {
                model: view.page.languages
                RadioButton {
                    id: languageRadio
                    required property var modelData
                    objectName: "language_" + languageRadio.modelData.code
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: languageRadio.modelData.name
                    isSelect: view.page.language === languageRadio.modelData.code
                    onBtnClick: view.page.languageChosen(languageRadio.modelData.code)
                }
            }
        }
    }
}
