// DPI panel of the main screen: eight vertical stage sliders, the number of enabled stages and
// the reset image. Changes are collected (isSave) and stored and sent by the main window's Save.
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

SectionPanel {
    id: dpiSetting
    titleText: Values.langText(dpiSettingLang, 0)
    height: 236

    property var dpiSettingLang: ["DPI"]
    property int currentDPI: 0 // index of the current stage, from 0
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property bool isSave: false

    // Slider positions: a stage slider reports p from 3 (bottom) to 161 (top).
    readonly property int stageCount: 8
    readonly property int posMin: 3
    readonly property int posMax: 161
    readonly property var builtInValues: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property var positions: [3, 3, 3, 3, 3, 3, 3, 3]

    // The value a slider position shows, rounded down to the DPI step. The tiny allowance keeps
    // a value placed from the profile from losing a step to floating-point error on the way
    // through the position.
    function positionValue(p) {
        var base = dpiBase > 0 ? dpiBase : 1
        var value = (p - posMin) * (maxDPI - minDPI) / (posMax - posMin) + minDPI
        return Math.floor(value / base + 1e-6) * base
    }
    function valuePosition(value) {
        var span = maxDPI - minDPI
        var ratio = span > 0 ? (value - minDPI) / span : 0
        ratio = Math.max(0, Math.min(1, ratio))
        return posMin + ratio * (posMax - posMin)
    }
    function stageValues() {
        var values = new Array()
        for (var i = 0; i < stageCount; ++i)
            values.push(positionValue(positions[i]))
        return values
    }
    function setPosition(i, p) {
        var copy = positions.slice()
        copy[i] = Math.max(posMin, Math.min(posMax, p))
        positions = copy
    }

    // A global setting, undefined when the key is missing (the bridge gives null), so that the
    // value helpers keep the current value.
    function globalValue(key) {
        var value = ui_View.getGlobalData(key)
        return value === null ? undefined : value
    }

    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            var count = Values.intSetting(ui_View.getData("mouse/dpiCount", false), dpiCount)
            dpiCount = count >= 1 && count <= stageCount ? count : dpiCount
            currentDpiCount = Values.intSetting(ui_View.getData("mouse/currentDpiCount", false),
                                    currentDpiCount)
            minDPI = Values.intSetting(dpiSetting.globalValue("mouse/minDPI"), minDPI)
            maxDPI = Values.intSetting(dpiSetting.globalValue("mouse/maxDPI"), maxDPI)
            sensorType = Values.textSetting(dpiSetting.globalValue("mouse/sensorType"), sensorType)
            dpiBase = Values.intSetting(dpiSetting.globalValue("mouse/dpiBase"), dpiBase)
        }
        currentDpiCount = Math.max(1, Math.min(dpiCount, currentDpiCount))

        // Stage by stage: a value that is missing or no number keeps the built-in one.
        var stored = ui_View.getDataList("mouse/dpiValueArray", isRecovery)
        var values = new Array()
        for (var i = 0; i < stageCount; ++i)
            values.push(Values.intSetting(stored && i < stored.length ? stored[i] : undefined,
                              builtInValues[i]))
        dpiValueArray = values

        if (!isRecovery) {
            stageCountModel.clear()
            for (var n = 1; n <= dpiCount; ++n)
                stageCountModel.append({ "textValue": String(n) })
            stageCountList.currentSelect = currentDpiCount - 1
        }
        var placed = new Array()
        for (var s = 0; s < stageCount; ++s)
            placed.push(valuePosition(values[s]))
        positions = placed
        if (isSendData)
            saveData(true)
    }

    function saveData(isSendData) {
        var values = stageValues()
        ui_View.setDataList("mouse/dpiValueArray", values)
        ui_View.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData)
            ui_View.mouseSetDpi(currentDpiCount, sensorType, values)
    }

    function closeMenu() {
        stageCountList.closeMenu()
    }

    // Stage count and reset, right of the caption.
    Row {
        parent: dpiSetting
        anchors.right: parent.right
        anchors.rightMargin: 10
        y: 6
        spacing: 8
        z: 2
        DropDownList {
            id: stageCountList
            objectName: "dpiStageCountList"
            width: 52
            rowHeight: 20
            columns: 2
            mdItems: ListModel { id: stageCountModel }
            onValueChange: function (index) {
                dpiSetting.currentDpiCount = index + 1
                dpiSetting.isSave = true
            }
        }
        ImageButton {
            objectName: "dpiResetBtn"
            normalSource: Theme.sourceRestBtn
            hoverSource: Theme.sourceRestBtnH
            onClicked: {
                dpiSetting.init(false, true)
                dpiSetting.isSave = true
            }
        }
    }

    Row {
        id: sliders
        x: 8
        y: 4
        spacing: 0
        Repeater {
            model: dpiSetting.stageCount
            delegate: Column {
                id: stage
                required property int index
                readonly property bool current: index === dpiSetting.currentDPI
                readonly property real position: dpiSetting.positions[index]
                objectName: "dpiStage" + index
                width: 27
                spacing: 4
                visible: index < dpiSetting.currentDpiCount

                Item {
                    id: track
                    objectName: "dpiSlider" + stage.index
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 18
                    height: dpiSetting.posMax + dpiSetting.posMin // knob centre travels 3..161
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: dpiSetting.posMin
                        width: 6
                        height: dpiSetting.posMax - dpiSetting.posMin
                        radius: 3
                        color: Theme.colorGray1
                        Rectangle {
                            anchors.bottom: parent.bottom
                            width: parent.width
                            height: stage.position - dpiSetting.posMin
                            radius: 3
                            color: stage.current ? Theme.colorOrange : Theme.colorGray2
                        }
                    }
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: track.height - stage.position - height / 2
                        width: 14
                        height: 8
                        radius: 2
                        color: stage.current ? Theme.colorOrange : Theme.colorGray3
                        border.color: Theme.colorGray0
                    }
                    MouseArea {
                        anchors.fill: parent
                        preventStealing: true
                        function follow(mouse) {
                            dpiSetting.setPosition(stage.index, track.height - mouse.y)
                        }
                        onPressed: function (mouse) { follow(mouse) }
                        onPositionChanged: function (mouse) { follow(mouse) }
                        onReleased: dpiSetting.isSave = true
                    }
                }
                Text {
                    objectName: "dpiValue" + stage.index
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: dpiSetting.positionValue(stage.position)
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize - 1 // five digits fit a column
                    color: stage.current ? Theme.fontColor : Theme.colorGray2
                }
            }
        }
    }
}
