// Gun editor page: the six recoil presets of the gun file and the preset of each of the three
// gun slots. A preset edit is saved to the gun file at once; the slots reach the mouse when the
// page is closed after a change (and on a factory reset), followed by the key matrix.
import QtQuick
import modules.qml

PanelFrame {
    id: gunControl
    objectName: "gunControlMain"
    width: 640
    height: 448
    visible: false
    titleText: Values.langText(gunControlLang, 0)

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endness"]
    // Preset position of gun slots 1, 2 and 3 (mirrored in the global mouse/selectGun).
    property int selectGun1: 0
    property int selectGun2: 1
    property int selectGun3: 2
    property int gunListIndex: 0 // the preset shown
    property bool isChanged: false
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    readonly property var fieldNames: ["name", "triggerKey", "period", "xAdjust", "yAdjust",
        "times"]
    // The red dot's centre travels from dotTop (Y 0) to dotTop + dotTravel (Y 64) in the target.
    readonly property int dotTop: 89
    readonly property int dotTravel: 94
    readonly property int maxAdjust: 64
    property int currentSlot: 0 // the slot shown, 0..2
    // The mask behind the pages, hidden when this page closes.
    required property Item mask
    required property KeyMatrix keyMatrix // its buttons are sent after the slots
    property alias gunModel: gunModel
    // The controls show the preset `index` (its fields, the dot and the rate).
    signal gunLoaded(int index)
    // Asks the controls to give up the keyboard focus and close their menus.
    signal leaveFields

    onGunListIndexChanged: loadGunData(gunListIndex)
    // Opening shows slot 1 and its preset, so a click on a preset assigns it to the slot shown.
    // The controls are built on the first opening, and kept.
    onVisibleChanged: {
        if (!visible)
            return
        body.active = true
        currentSlot = 0
        showGun(selectGun1)
    }

    function slotGun(slot) {
        return slot === 0 ? selectGun1 : slot === 1 ? selectGun2 : selectGun3
    }
    function setSlotGun(slot, index) {
        if (slot === 0)
            selectGun1 = index
        else if (slot === 1)
            selectGun2 = index
        else
            selectGun3 = index
    }
    function field(index, name) {
        return index >= 0 && index < gunModel.count ? String(gunModel.get(index)[name]) : ""
    }
    function intField(index, name) {
        var n = parseInt(field(index, name))
        return isNaN(n) ? 0 : n
    }
    function gunImage(name) {
        return "qrc:/gun/modules/img/skin1/gun/" + name + ".png"
    }
    function dotPosition(y) {
        return dotTravel * y / maxAdjust + dotTop
    }
    // The period written in front of "MS": two digits when the text has more than three
    // characters, else one.
    function periodOfText(text) {
        return text.length > 3 ? text.substring(0, 2) : text.substring(0, 1)
    }

    function init() {
        for (var s = 0; s < 3; ++s)
            slotModel.setProperty(s, "textValue", Values.langText(gunControlLang, 1) + (s + 1))
        for (var i = 0; i < gunModel.count; ++i) {
            // Only a whole entry replaces the built-in preset; a missing file, a short list or
            // text leaves it.
            var entry = ui_View.getGunData(i)
            if (!entry || entry.length < fieldNames.length)
                continue
            for (var k = 0; k < fieldNames.length; ++k)
                gunModel.setProperty(i, fieldNames[k], String(entry[k]))
            // A name without a picture of its own keeps the picture of its position.
            var name = String(entry[0])
            gunModel.setProperty(i, "image", gunImage(builtInNames.indexOf(name) >= 0
                                                      ? name : builtInNames[i]))
        }
        // The bridge gives three positions (the factory choice for a list of another length);
        // a slot whose position names no preset keeps its own number.
        var stored = Values.listSetting(ui_View.getGlobalData("mouse/selectGun"))
        for (s = 0; s < 3; ++s) {
            var n = s < stored.length ? parseInt(stored[s]) : NaN
            setSlotGun(s, n >= 0 && n < gunModel.count ? n : s)
        }
        currentSlot = 0
        showGun(selectGun1)
    }

    function showGun(index) {
        if (gunListIndex === index)
            loadGunData(index)
        else
            gunListIndex = index
    }

    function loadGunData(index) {
        gunLoaded(index)
    }

    function saveData(index, isSend) {
        var entry = []
        for (var k = 0; k < fieldNames.length; ++k)
            entry.push(field(index, fieldNames[k]))
        ui_View.mouseSaveGundata(index, entry)
        isChanged = true
    }

    function setGunField(index, name, value) {
        gunModel.setProperty(index, name, String(value))
        saveData(index, false)
    }

    function storeSlots() {
        ui_View.setGlobalData("mouse/selectGun", [selectGun1, selectGun2, selectGun3])
    }

    function chooseGun(index) {
        setSlotGun(currentSlot, index)
        storeSlots()
        isChanged = true
        showGun(index)
    }

    // Sends gun slot (slot + 1) the times, X and Y of its preset.
    function sendData(slot) {
        var index = slotGun(slot)
        if (typeof ui_View.mouseSendGundata !== "function")
            return
        ui_View.mouseSendGundata(slot + 1, [intField(index, "times"), intField(index, "xAdjust"),
                                            intField(index, "yAdjust")])
    }

    function sendSlots() {
        for (var s = 0; s < 3; ++s)
            sendData(s)
    }

    function closePage() {
        gunControlFocus()
        gunControl.visible = false
        mask.visible = false
        if (!isChanged)
            return
        isChanged = false
        sendSlots()
        var keys = keyMatrix.modKeys
        if (keys && typeof keys.saveData === "function")
            keys.saveData()
    }

    function resetData() {
        selectGun1 = 0
        selectGun2 = 1
        selectGun3 = 2
        storeSlots()
        var factoryY = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            gunModel.setProperty(i, "yAdjust", String(factoryY[i]))
            gunModel.setProperty(i, "period", "9")
        }
        for (i = 0; i < 3; ++i)
            saveData(i, false)
        sendSlots()
        currentSlot = 0
        showGun(0)
    }

    function gunControlFocus() {
        leaveFields()
    }

    onBackgroundPressed: gunControlFocus()
    onCloseClicked: closePage()

    ListModel {
        id: gunModel
        Component.onCompleted: {
            for (var i = 0; i < builtInNames.length; ++i)
                append({ "name": builtInNames[i], "image": gunImage(builtInNames[i]),
                         "triggerKey": "L-Click", "period": "10", "xAdjust": "0",
                         "yAdjust": "10", "times": "0" })
        }
    }
    ListModel {
        id: slotModel
        ListElement { textValue: "Gun1" }
        ListElement { textValue: "Gun2" }
        ListElement { textValue: "Gun3" }
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

    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            id: controls
            // Shows preset `index` in the fields, the dot and the rate.
            function showFields(index) {
                yInput.textValue = gunControl.field(index, "yAdjust")
                var y = Math.max(0, Math.min(gunControl.maxAdjust,
                                             gunControl.intField(index, "yAdjust")))
                dot.y = gunControl.dotPosition(y) - dot.height / 2
                var period = gunControl.intField(index, "period")
                rateSlider.slider.setRatioValue((period - 1) / rateSlider.slider.travel)
                rateSlider.textValue = period + "MS"
                timesInput.textValue = gunControl.field(index, "times")
                if (gunControl.field(index, "times") === "0")
                    endlessBox.isSelect = true
            }
            Component.onCompleted: showFields(gunControl.gunListIndex)
            Connections {
                target: gunControl
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
                    text: Values.langText(gunControl.gunControlLang, 1)
                }
                ListView {
                    id: gunList
                    objectName: "gunList"
                    x: 4
                    y: 36
                    width: parent.width - 8
                    height: parent.height - 40
                    interactive: false
                    model: gunModel
                    currentIndex: gunControl.gunListIndex
                    delegate: Rectangle {
                        id: gunRow
                        required property int index
                        required property string name
                        required property string image
                        width: gunList.width
                        height: 58
                        radius: 2
                        color: index === gunControl.gunListIndex ? Theme.colorOrange
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
                                gunControl.gunControlFocus()
                                gunControl.chooseGun(gunRow.index)
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
                    text: Values.langText(gunControl.gunControlLang, 2)
                }
                DropDownList {
                    id: slotList
                    objectName: "gunSlotList"
                    width: 120
                    mdItems: slotModel
                    currentSelect: gunControl.currentSlot
                    onValueChange: function (index) {
                        gunControl.currentSlot = index
                        currentSelect = Qt.binding(() => gunControl.currentSlot)
                        showGun(slotGun(index))
                    }
                }
            }

            // Cursor adjustment: the target with the draggable red dot, and the X and Y fields.
            Caption {
                x: 280
                y: 56
                text: Values.langText(gunControl.gunControlLang, 3)
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
                    y: gunControl.dotPosition(10) - height / 2
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
                        drag.minimumY: gunControl.dotTop - dot.height / 2
                        drag.maximumY: gunControl.dotTop + gunControl.dotTravel - dot.height / 2
                        drag.threshold: 0
                        onPositionChanged: {
                            var centre = dot.y + dot.height / 2
                            var travelled = (centre - gunControl.dotTop) / gunControl.dotTravel
                            yInput.textValue = String(Math.floor(travelled * gunControl.maxAdjust))
                        }
                        onReleased: gunControl.setGunField(gunControl.gunListIndex, "yAdjust",
                                                           yInput.textValue)
                    }
                }
            }
            Column {
                x: 460
                y: 140
                spacing: 12
                Label { text: Values.langText(gunControl.gunControlLang, 4) }
                RectInput {
                    id: xInput
                    objectName: "gunXInput"
                    enabled: false
                    opacity: 0.5
                    maxValue: gunControl.maxAdjust
                    textValue: gunControl.field(gunControl.gunListIndex, "xAdjust")
                }
                Label { text: Values.langText(gunControl.gunControlLang, 5) }
                RectInput {
                    id: yInput
                    objectName: "gunYInput"
                    maxValue: gunControl.maxAdjust
                    onEndInputSignal: {
                        var y = Math.max(0, Math.min(gunControl.maxAdjust, Values.intSetting(textValue, 0)))
                        textValue = String(y)
                        dot.y = dotPosition(y) - dot.height / 2
                        setGunField(gunListIndex, "yAdjust", y)
                    }
                }
            }

            // Firing: the rate, the shot count and the endless box.
            Caption {
                x: 460
                y: 270
                text: Values.langText(gunControl.gunControlLang, 6)
            }
            Grid {
                x: 460
                y: 300
                columns: 2
                rowSpacing: 12
                columnSpacing: 12
                z: 10
                verticalItemAlignment: Grid.AlignVCenter

                Label { text: Values.langText(gunControl.gunControlLang, 7) }
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
                            gunControl.setGunField(gunControl.gunListIndex, "period",
                                                   gunControl.periodOfText(rateSlider.textValue))
                        }
                    }
                }
                Label { text: Values.langText(gunControl.gunControlLang, 8) }
                RectInput {
                    id: timesInput
                    objectName: "gunTimesInput"
                    maxValue: 255
                    onEndInputSignal: {
                        var times = Math.max(0, Math.min(255, Values.intSetting(textValue, 0)))
                        textValue = String(times)
                        setGunField(gunListIndex, "times", times)
                    }
                }
                Item { width: 1; height: 1 }
                CheckBox {
                    id: endlessBox
                    objectName: "gunEndlessBox"
                    textValue: Values.langText(gunControl.gunControlLang, 9)
                    onBtnClick: {
                        if (isSelect)
                            return // it is being cleared
                        timesInput.textValue = "0"
                        gunControl.setGunField(gunControl.gunListIndex, "times", "0")
                    }
                }
            }
        }
    }
}
