pragma ComponentBehavior: Bound
// The controls of the gun editor: the preset list, the slot choice, the target with the red dot
// and the X and Y fields, and the firing fields. They show the preset the page shows and hand
// every edit to the page (GunControl), which builds them on its first opening.
import QtQuick
import modules.qml

Item {
    id: controls
    required property GunControl page

    // Shows preset `index` in the fields, the dot and the rate.
    function showFields(index) {
        yInput.textValue = page.field(index, "yAdjust")
        var y = Math.max(0, Math.min(page.maxAdjust, page.intField(index, "yAdjust")))
        dot.y = page.dotPosition(y) - dot.height / 2
        var period = page.intField(index, "period")
        rateSlider.slider.setRatioValue((period - 1) / rateSlider.slider.travel)
        rateSlider.textValue = period + "MS"
        timesInput.textValue = page.field(index, "times")
        // Ticked for endless (0), clear otherwise: a tick left from the preset shown before
        // would stand beside a count of shots.
        endlessBox.isSelect = page.field(index, "times") === "0"
    }
    Component.onCompleted: showFields(page.gunListIndex)
    Connections {
        target: controls.page
        function onGunLoaded(index) {
            controls.showFields(index)
        }
        function onLeaveFields() {
            yInput.input.focus = false
            timesInput.input.focus = false
            rateSlider.closeMenu()
            slotList.closeMenu()
        }
    }

    component Caption: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        color: Theme.fontColor
    }
    component Label: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray3
    }

    // Preset list.
    Rectangle {
        x: 16
        y: 12
        width: 240
        height: 396
        radius: 4
        color: Qt.rgba(0, 0, 0, 0.35)
        border.color: Theme.colorGray1

        Caption {
            x: 12
            y: 8
            text: Values.langText(controls.page.gunControlLang, 1)
        }
        ListView {
            id: gunList
            objectName: "gunList"
            x: 4
            y: 36
            width: parent.width - 8
            height: parent.height - 40
            interactive: false
            model: controls.page.gunModel
            currentIndex: controls.page.gunListIndex
            delegate: Rectangle {
                id: gunRow
                required property int index
                required property string name
                required property string image
                width: gunList.width
                height: 58
                radius: 2
                color: index === controls.page.gunListIndex ? Theme.colorOrange
                       : rowArea.containsMouse ? Theme.colorGray1 : "transparent"
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 76
                    text: gunRow.name
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMiddleSize
                    color: Theme.fontColor
                    elide: Text.ElideRight
                }
                Image {
                    x: 92
                    anchors.verticalCenter: parent.verticalCenter
                    source: gunRow.image
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        controls.page.gunControlFocus()
                        controls.page.chooseGun(gunRow.index)
                    }
                }
            }
        }
    }

    // Slot choice.
    Row {
        x: 280
        y: 16
        spacing: 16
        z: 10
        Caption {
            anchors.verticalCenter: parent.verticalCenter
            text: Values.langText(controls.page.gunControlLang, 2)
        }
        DropDownList {
            id: slotList
            objectName: "gunSlotList"
            width: 120
            mdItems: controls.page.slotModel
            currentSelect: controls.page.currentSlot
            onValueChange: function (index) {
                controls.page.chooseSlot(index)
                currentSelect = Qt.binding(() => controls.page.currentSlot)
            }
        }
    }

    // Cursor adjustment: the target with the draggable red dot, and the X and Y fields.
    Caption {
        x: 280
        y: 56
        text: Values.langText(controls.page.gunControlLang, 3)
    }
    Image {
        id: target
        objectName: "gunTarget"
        x: 280
        y: 84
        source: Theme.sourceTarget

        Rectangle {
            id: dot
            objectName: "gunDot"
            x: 80 - width / 2
            y: controls.page.dotPosition(10) - height / 2
            width: 12
            height: 12
            radius: 6
            color: "#ff2020"
            border.color: "#ffffff"
            MouseArea {
                id: dotArea
                anchors.fill: parent
                anchors.margins: -4
                cursorShape: Qt.SizeVerCursor
                drag.target: dot
                drag.axis: Drag.YAxis
                drag.minimumY: controls.page.dotTop - dot.height / 2
                drag.maximumY: controls.page.dotTop + controls.page.dotTravel - dot.height / 2
                drag.threshold: 0
                onPositionChanged: {
                    yInput.textValue = String(controls.page.adjustOfDot(dot.y + dot.height / 2))
                }
                onReleased: controls.page.setGunField(controls.page.gunListIndex, "yAdjust",
                                                      yInput.textValue)
            }
        }
    }
    Column {
        x: 460
        y: 140
        spacing: 12
        Label { text: Values.langText(controls.page.gunControlLang, 4) }
        RectInput {
            id: xInput
            objectName: "gunXInput"
            enabled: false
            opacity: 0.5
            maxValue: controls.page.maxAdjust
            textValue: controls.page.field(controls.page.gunListIndex, "xAdjust")
        }
        Label { text: Values.langText(controls.page.gunControlLang, 5) }
        RectInput {
            id: yInput
            objectName: "gunYInput"
            maxValue: controls.page.maxAdjust
            onEndInputSignal: {
                var y = controls.page.setShownY(textValue)
                textValue = String(y)
                dot.y = controls.page.dotPosition(y) - dot.height / 2
            }
        }
    }

    // Firing: the rate, the shot count and the endless box.
    Caption {
        x: 460
        y: 270
        text: Values.langText(controls.page.gunControlLang, 6)
    }
    Grid {
        x: 460
        y: 300
        columns: 2
        rowSpacing: 12
        columnSpacing: 12
        z: 10
        verticalItemAlignment: Grid.AlignVCenter

        Label { text: Values.langText(controls.page.gunControlLang, 7) }
        DropDownSlider {
            id: rateSlider
            objectName: "gunRateSlider"
            width: 120
            textValue: "10ms"
            // One slider pixel per millisecond, from 1.
            onValueChange: function (x) { textValue = (Math.round(x) + 1) + "MS" }
            Connections {
                target: rateSlider.slider
                function onValueChangeDelay() {
                    controls.page.setGunField(controls.page.gunListIndex, "period",
                                              controls.page.periodOfText(rateSlider.textValue))
                }
            }
        }
        Label { text: Values.langText(controls.page.gunControlLang, 8) }
        RectInput {
            id: timesInput
            objectName: "gunTimesInput"
            maxValue: 255
            onEndInputSignal: {
                textValue = String(controls.page.setShownTimes(textValue))
                endlessBox.isSelect = textValue === "0"
            }
        }
        Item { width: 1; height: 1 }
        CheckBox {
            id: endlessBox
            objectName: "gunEndlessBox"
            textValue: Values.langText(controls.page.gunControlLang, 9)
            onBtnClick: {
                if (isSelect)
                    return // it is being cleared
                timesInput.textValue = "0"
                controls.page.setGunField(controls.page.gunListIndex, "times", "0")
            }
        }
    }
}
