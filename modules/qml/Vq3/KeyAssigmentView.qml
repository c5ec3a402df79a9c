pragma ComponentBehavior: Bound
// The controls of the key assignment panel: the section list on the left, the entry as it
// stands, and the controls of the section shown. They show the panel's state and hand every
// step to the panel (KeyAssigment), which builds them on its first opening.
import QtQuick
import modules.qml

Item {
    id: controls
    required property KeyAssigment page

    // The fire section's controls for the entry shown.
    function showFire() {
        endlessBox.isSelect = page.fireTimes === 0
        timesInput.textValue = String(page.fireTimes)
        rateSlider.textValue = page.fireRate + "MS"
        page.loading = true // placing the knob must not rewrite the stored rate
        rateSlider.slider.setRatioValue((page.fireRate - 1) / rateSlider.slider.travel)
        page.loading = false
    }
    Component.onCompleted: showFire()
    Connections {
        target: controls.page
        function onEntryShown() {
            controls.showFire()
        }
        function onLeaveFields() {
            rateSlider.closeMenu()
        }
    }

    component FieldBox: Rectangle {
        id: fieldBox
        property string textValue
        property bool active: false
        signal clicked
        width: 200
        height: 24
        radius: 2
        color: Theme.colorGray0
        border.color: active ? Theme.colorOrange : Theme.colorGray1
        Text {
            anchors.fill: parent
            anchors.leftMargin: 8
            verticalAlignment: Text.AlignVCenter
            text: fieldBox.textValue
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            color: Theme.fontColor
            elide: Text.ElideRight
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: fieldBox.clicked()
        }
    }
    component Caption: Text {
        height: 24
        verticalAlignment: Text.AlignVCenter
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray3
    }

    // Section list.
    Column {
        id: sectionList
        x: 12
        y: 12
        spacing: 4
        Repeater {
            model: controls.page.sections.length
            delegate: TextButton {
                required property int index
                objectName: "section" + index
                width: 168
                height: 30
                visible: !controls.page.sections[index].gun || controls.page.isGun
                textValue: controls.page.lang(controls.page.sections[index].title)
                textAlign: Text.AlignLeft
                normalColor: controls.page.currentSection === index ? Theme.colorOrange
                                                                    : Theme.colorGray1
                onClicked: controls.page.chooseSection(index)
            }
        }
    }

    Item {
        id: content
        x: 196
        y: 12
        width: parent.width - x - 16
        height: parent.height - 30 - 24

        // The entry as it stands.
        Rectangle {
            id: currentBox
            width: parent.width
            height: 30
            radius: 2
            color: Theme.colorGray1
            Text {
                objectName: "currentText"
                anchors.fill: parent
                anchors.leftMargin: 12
                verticalAlignment: Text.AlignVCenter
                text: controls.page.keyText
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMiddleSize
                font.bold: true
                color: Theme.fontColor
                elide: Text.ElideRight
            }
            ImageButton {
                objectName: "keyResetBtn"
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                normalSource: Theme.sourceRestBtn
                hoverSource: Theme.sourceRestBtnH
                onClicked: controls.page.resetKey()
            }
        }

        // Choice sections: one radio button per entry, in two columns.
        Grid {
            y: 46
            columns: 2
            columnSpacing: 24
            rowSpacing: 12
            visible: controls.page.currentKind === "choice"
            // The model is the number of choices, so each button's own index is the choice's
            // (see the run-mode buttons below).
            Repeater {
                model: controls.page.currentChoices.length
                delegate: RadioButton {
                    id: choiceButton
                    required property int modelData
                    readonly property var choice: controls.page.currentChoices[modelData]
                    objectName: "choice" + modelData
                    index: modelData
                    width: 180
                    // A section change may reach a button before the repeater drops it.
                    textValue: choice ? controls.page.lang(choice[0]) : ""
                    isSelect: controls.page.isChosen(choice)
                    onBtnClick: {
                        controls.page.chooseEntry(choice)
                        // the click replaced the binding
                        choiceButton.isSelect = Qt.binding(
                                    () => controls.page.isChosen(choiceButton.choice))
                    }
                }
            }
        }

        // Fire function: the captured key, the rate and the number of shots.
        Column {
            y: 46
            spacing: 14
            visible: controls.page.currentKind === "fire"
            Row {
                spacing: 12
                Caption { width: 80; text: controls.page.lang(9) }
                FieldBox {
                    objectName: "fireKeyField"
                    active: controls.page.isFireInput
                    textValue: controls.page.fireKeyText
                    onClicked: controls.page.startFireInput()
                }
            }
            Row {
                spacing: 12
                z: 10
                Caption { width: 80; text: controls.page.lang(11) }
                DropDownSlider {
                    id: rateSlider
                    width: 200
                    textValue: "10ms"
                    onValueChange: function (x) {
                        if (controls.page.loading)
                            return
                        controls.page.setFireRate(x)
                        textValue = controls.page.fireRate + "MS"
                    }
                }
            }
            Row {
                spacing: 12
                Caption { width: 80; text: controls.page.lang(12) }
                RectInput {
                    id: timesInput
                    objectName: "timesInput"
                    minValue: 0
                    maxValue: 255
                    onEndInputSignal: {
                        controls.page.setFireTimes(textValue)
                        endlessBox.isSelect = controls.page.fireTimes === 0
                    }
                }
                CheckBox {
                    id: endlessBox
                    objectName: "endlessBox"
                    textValue: controls.page.lang(13)
                    onBtnClick: {
                        if (!isSelect) { // about to be ticked
                            timesInput.textValue = "0"
                            controls.page.setEndless()
                        }
                    }
                }
            }
        }

        // Key combination: modifiers and up to two keys, captured; tick keeps, cross discards.
        Row {
            y: 46
            spacing: 12
            visible: controls.page.currentKind === "combo"
            FieldBox {
                objectName: "comboField"
                width: 300
                active: controls.page.isComboInput
                textValue: controls.page.comboText
                onClicked: controls.page.startComboInput()
            }
            ImageButton {
                objectName: "comboSure"
                anchors.verticalCenter: parent.verticalCenter
                normalSource: Theme.sourceSureBtn
                hoverSource: Theme.sourceSureBtn
                onClicked: controls.page.acceptCombo()
            }
            ImageButton {
                objectName: "comboClose"
                anchors.verticalCenter: parent.verticalCenter
                normalSource: Theme.sourceCloseBtn
                hoverSource: Theme.sourceCloseBtnH
                onClicked: controls.page.discardCombo()
            }
        }

        // Macro function: a macro of the library and how it runs.
        Column {
            y: 46
            spacing: 10
            visible: controls.page.currentKind === "macro"
            Rectangle {
                width: content.width
                height: 150
                radius: 2
                color: Theme.colorGray0
                border.color: Theme.colorGray1
                ListView {
                    id: macroList
                    objectName: "macroList"
                    anchors.fill: parent
                    anchors.margins: 2
                    clip: true
                    model: controls.page.macroNames
                    delegate: Rectangle {
                        id: macroRow
                        required property var modelData
                        width: macroList.width
                        height: 24
                        color: modelData === controls.page.macroName ? Theme.colorOrange
                                                                     : "transparent"
                        Text {
                            x: 8
                            anchors.verticalCenter: parent.verticalCenter
                            text: macroRow.modelData
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                            color: Theme.fontColor
                        }
                        MouseArea {
                            anchors.fill: parent
                            onClicked: controls.page.chooseMacro(macroRow.modelData)
                        }
                    }
                }
            }
            // The run mode is the button's own index (set from the model's value: a delegate
            // that declared an "index" of its own would hide the button's, and the click would
            // report 0 whatever was chosen).
            Repeater {
                model: 3
                delegate: RadioButton {
                    id: modeButton
                    required property int modelData
                    objectName: "macroMode" + modelData
                    index: modelData
                    textValue: controls.page.lang(18 + modelData)
                    isSelect: controls.page.macroMode === modelData
                    onBtnClick: function (mode) {
                        controls.page.chooseMacroMode(mode)
                        // the click replaced the binding
                        modeButton.isSelect = Qt.binding(
                                    () => controls.page.macroMode === modeButton.modelData)
                    }
                }
            }
            TextButton {
                objectName: "macroEditorBtn"
                width: 120
                textValue: controls.page.lang(17)
                onClicked: controls.page.openMacroEditor()
            }
        }
    }

    // Without a desktop-wide capture, keys are captured only while this window has the focus.
    Text {
        objectName: "focusNotice"
        x: content.x
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        visible: controls.page.showsFocusNotice
        text: controls.page.lang(57)
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray2
    }
}
