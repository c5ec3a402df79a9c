// Lighting panel of the main screen: the effect with its speed and brightness, eight colour
// blocks edited on a colour bar or as R, G, B numbers, and the reset image. Changes are
// collected (isSave) and stored and sent by the main window's Save.
pragma ComponentBehavior: Bound
import QtQuick
import modules.qml
import "colourbar.js" as ColourBar

SectionPanel {
    id: lightControl
    titleText: Values.langText(lightControlLang, 0)
    height: 34 + content.height + 12

    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color",
        "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping",
        "YO-YO", "Spotlight"]
    property bool isSave: false

    property int effect: 0
    property int speed: 0
    property int brightness: 4
    readonly property var builtInColours: ["#ff0000", "#00ff00", "#0000ff", "#ffff00",
        "#00ffff", "#ff00ff", "#ffffff", "#ff8000"]
    property var colorValue: builtInColours.slice()
    property int selectedBlock: 0
    property int markerX: 0
    property bool extrasAdded: false
    // Given by the owner: a full-colour mouse (more effects, every colour block) or a simple
    // one, whose colour blocks follow its enabled DPI stages.
    property bool isColorful: false
    property int dpiCount: 4

    readonly property int positions: 5 // slider positions 0..4
    readonly property int baseEffects: 4
    readonly property int extraEffects: 7
    readonly property int firstExtraText: 8 // language index of "Twinkling"
    // Controls each effect uses, and what choosing it resets them to (-1: left alone).
    readonly property var speedEffects: [1, 2, 5, 8, 9, 10]
    readonly property var brightnessEffects: [0, 4, 5, 7, 8, 9, 10]
    readonly property var speedResetEffects: [1, 2, 5, 6, 8, 9, 10]
    readonly property var brightnessResetEffects: [0, 4, 5, 6, 7, 8, 9, 10]

    function showsSpeed(e) { return speedEffects.indexOf(e) >= 0 }
    function showsBrightness(e) { return brightnessEffects.indexOf(e) >= 0 }
    function blockShown(i) {
        return i < 7 && (lightControl.isColorful || dpiCount > i)
    }

    // A slider position from a settings value, or the fallback when it is none.
    function positionOr(value, fallback) {
        var n = parseInt(value)
        return !isNaN(n) && n >= 0 && n < positions ? n : fallback
    }

    function effectName(i) {
        return Values.langText(lightControlLang, i < baseEffects ? i + 1
                                                                   : i - baseEffects + firstExtraText)
    }

    function init(isSendData, isRecovery) {
        // 1. Effect names; the full-colour effects join the list once.
        if (lightControl.isColorful && !extrasAdded) {
            for (var x = 0; x < extraEffects; ++x)
                effectModel.append({ "textValue": "" })
            extrasAdded = true
        }
        for (var e = 0; e < effectModel.count; ++e)
            effectModel.setProperty(e, "textValue", effectName(e))

        // 2. Effect, speed and brightness; a value that is missing or out of range keeps the
        // built-in one.
        var light = ui_View.getDataList("mouse/lightValue", isRecovery) || []
        var chosen = parseInt(light[0])
        effect = !isNaN(chosen) && chosen >= 0 && chosen < effectModel.count ? chosen : 0
        speed = positionOr(light[1], 0)
        brightness = positionOr(light[2], 4)
        effectList.currentSelect = effect
        speedSlider.setIndexValue(speed, false)
        brightnessSlider.setIndexValue(brightness, false)

        // 3. Colours, block by block; a block without three numbers keeps its built-in colour.
        var stored = ui_View.getDataList("mouse/colorValue", isRecovery) || []
        var colours = new Array()
        for (var i = 0; i < 8; ++i) {
            var rgb = [parseInt(stored[3 * i]), parseInt(stored[3 * i + 1]),
                       parseInt(stored[3 * i + 2])]
            colours.push(isNaN(rgb[0]) || isNaN(rgb[1]) || isNaN(rgb[2])
                         ? builtInColours[i] : ColourBar.toText(rgb[0], rgb[1], rgb[2]))
        }
        colorValue = colours
        selectBlock(0)

        if (isSendData)
            saveData(true, 0)
    }

    function colourBytes() {
        var bytes = new Array()
        for (var i = 0; i < 8; ++i)
            bytes = bytes.concat(ColourBar.channels(colorValue[i]))
        return bytes
    }

    function saveData(isSendData, isStep) {
        var withEffect = isStep === 0 || isStep === 1
        var withColours = isStep === 0 || isStep === 2
        var colours = colourBytes()
        if (withEffect)
            ui_View.setDataList("mouse/lightValue", [effect, speed, brightness])
        if (withColours)
            ui_View.setDataList("mouse/colorValue", colours)
        if (!isSendData)
            return
        if (withEffect)
            ui_View.mouseSetRGBEffect(effect, speed, brightness)
        if (withColours)
            ui_View.mouseSetRGBColor(lightControl.isColorful ? 0 : 1, colours)
    }

    function chooseEffect(index) {
        effect = index
        if (speedResetEffects.indexOf(index) >= 0) {
            speed = 0
            speedSlider.setIndexValue(0, false)
        }
        if (brightnessResetEffects.indexOf(index) >= 0 || index === 3) {
            brightness = index === 3 ? 0 : 4
            brightnessSlider.setIndexValue(brightness, false)
        }
        isSave = true
    }

    // Selects a block: the fields show its colour and the marker moves onto it.
    function selectBlock(i) {
        Scene.commitInputs(lightControl) // a value typed for the block chosen before belongs to it
        selectedBlock = i
        var rgb = ColourBar.channels(colorValue[i])
        redField.textValue = rgb[0]
        greenField.textValue = rgb[1]
        blueField.textValue = rgb[2]
        markerX = ColourBar.positionOf(rgb[0], rgb[1], rgb[2], colourBar.width)
    }

    function setSelectedColour(r, g, b) {
        redField.textValue = r
        greenField.textValue = g
        blueField.textValue = b
        var text = ColourBar.toText(r, g, b)
        if (text === colorValue[selectedBlock])
            return
        var copy = colorValue.slice()
        copy[selectedBlock] = text
        colorValue = copy
        isSave = true
    }

    // A colour picked on the bar at x.
    function pickAt(x) {
        markerX = Math.max(0, Math.min(colourBar.width - 1, Math.floor(x)))
        var rgb = ColourBar.colourAt(markerX, colourBar.width)
        setSelectedColour(rgb[0], rgb[1], rgb[2])
    }

    // A colour typed into the fields.
    function typeColour() {
        var channel = function (field) {
            var n = parseInt(field.textValue)
            return isNaN(n) ? 0 : Math.max(0, Math.min(255, n))
        }
        var r = channel(redField), g = channel(greenField), b = channel(blueField)
        setSelectedColour(r, g, b)
        markerX = ColourBar.positionOf(r, g, b, colourBar.width)
    }

    function lightControlFocus() {
        effectList.closeMenu()
    }
    function closeMenu() {
        effectList.closeMenu()
    }

    ImageButton {
        parent: lightControl
        objectName: "lightResetBtn"
        anchors.right: parent.right
        anchors.rightMargin: 10
        y: 6
        normalSource: Theme.sourceRestBtn
        hoverSource: Theme.sourceRestBtnH
        onClicked: {
            lightControl.init(false, true)
            lightControl.isSave = true
        }
    }

    component Caption: Text {
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.colorGray3
    }

    Column {
        id: content
        x: 12
        width: parent.width - 24
        spacing: 6

        DropDownList {
            id: effectList
            objectName: "lightEffectList"
            width: parent.width
            mdItems: ListModel {
                id: effectModel
                ListElement { textValue: "Static" }
                ListElement { textValue: "Breath" }
                ListElement { textValue: "Neon" }
                ListElement { textValue: "OFF" }
            }
            onValueChange: function (index) { lightControl.chooseEffect(index) }
        }

        Caption {
            visible: speedSlider.visible
            text: Values.langText(lightControl.lightControlLang, 5)
        }
        SliderButton {
            id: speedSlider
            objectName: "lightSpeedSlider"
            visible: lightControl.showsSpeed(lightControl.effect)
            width: parent.width
            height: 30
            segment: lightControl.positions - 1
            isScale: true
            scaleSource: Theme.sourceSpeedScale
            onValueChangeDelay: {
                lightControl.speed = segmentValue
                lightControl.isSave = true
            }
        }
        Caption {
            visible: brightnessSlider.visible
            text: Values.langText(lightControl.lightControlLang, 7)
        }
        SliderButton {
            id: brightnessSlider
            objectName: "lightBrightnessSlider"
            visible: lightControl.showsBrightness(lightControl.effect)
            width: parent.width
            height: 30
            segment: lightControl.positions - 1
            isScale: true
            scaleSource: Theme.sourceSpeedScale
            onValueChangeDelay: {
                lightControl.brightness = segmentValue
                lightControl.isSave = true
            }
        }

        Caption {
            text: Values.langText(lightControl.lightControlLang, 6)
        }
        Row {
            spacing: 6
            Repeater {
                model: 8
                delegate: Rectangle {
                    id: block
                    required property int index
                    objectName: "lightBlock" + index
                    visible: lightControl.blockShown(index)
                    width: 22
                    height: 22
                    radius: 3
                    color: lightControl.colorValue[index]
                    border.color: index === lightControl.selectedBlock ? Theme.fontColor
                                                                        : Theme.colorGray1
                    border.width: index === lightControl.selectedBlock ? 2 : 1
                    Text {
                        anchors.centerIn: parent
                        text: block.index + 1
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                        // Dark digits on light colours, light ones on dark colours.
                        color: block.color.hslLightness > 0.6 ? Theme.colorGray0
                                                              : Theme.fontColor
                    }
                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: lightControl.selectBlock(block.index)
                    }
                }
            }
        }
        Item {
            width: parent.width
            height: 20
            Image {
                id: colourBar
                objectName: "lightColourBar"
                anchors.verticalCenter: parent.verticalCenter
                width: 206
                height: 14
                source: Theme.sourceColorBar
                MouseArea {
                    anchors.fill: parent
                    anchors.topMargin: -3
                    anchors.bottomMargin: -3
                    preventStealing: true
                    cursorShape: Qt.PointingHandCursor
                    onPressed: function (mouse) { lightControl.pickAt(mouse.x) }
                    onPositionChanged: function (mouse) { lightControl.pickAt(mouse.x) }
                }
            }
            Rectangle {
                objectName: "lightMarker"
                x: colourBar.x + lightControl.markerX - width / 2
                anchors.verticalCenter: parent.verticalCenter
                width: 5
                height: 20
                radius: 2
                color: "transparent"
                border.color: Theme.fontColor
                border.width: 2
            }
        }
        Row {
            spacing: 6
            Caption { text: "R"; anchors.verticalCenter: parent.verticalCenter }
            RectInput {
                id: redField
                objectName: "lightRed"
                width: 40
                onEndInputSignal: lightControl.typeColour()
            }
            Caption { text: "G"; anchors.verticalCenter: parent.verticalCenter }
            RectInput {
                id: greenField
                objectName: "lightGreen"
                width: 40
                onEndInputSignal: lightControl.typeColour()
            }
            Caption { text: "B"; anchors.verticalCenter: parent.verticalCenter }
            RectInput {
                id: blueField
                objectName: "lightBlue"
                width: 40
                onEndInputSignal: lightControl.typeColour()
            }
        }
    }
}
