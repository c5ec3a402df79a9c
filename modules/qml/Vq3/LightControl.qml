// Lighting panel of the main screen. UNFINISHED: shows the built-in effect and colour blocks and
// carries the entry points the main window uses; editing, reading and sending is built later.
import QtQuick
import "../basic"

SectionPanel {
    id: lightControl
    titleText: mainIten.langText(lightControlLang, 0)
    height: 224

    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color",
        "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping",
        "YO-YO", "Spotlight"]
    property bool isSave: false
    property var colorValue: ["#ff0000", "#ff8000", "#ffff00", "#00ff00", "#00ffff", "#0000ff",
        "#8000ff", "#ff00ff"]

    function init(isSendData, isRecovery) {}
    function saveData(isSendData, isStep) {}
    function lightControlFocus() {}
    function closeMenu() {}

    Column {
        x: 12
        width: parent.width - 24
        spacing: 10

        DropHeader {
            width: parent.width
            textValue: mainIten.langText(lightControl.lightControlLang, 1)
        }
        Text {
            text: mainIten.langText(lightControl.lightControlLang, 6)
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            color: mainIten.colorGray3
        }
        Image {
            width: parent.width
            source: mainIten.sourceColorBar
        }
        Row {
            spacing: 6
            Repeater {
                model: 8
                delegate: Rectangle {
                    required property int index
                    width: 20
                    height: 20
                    radius: 3
                    color: lightControl.colorValue[index]
                    border.color: index === 0 ? mainIten.fontColor : mainIten.colorGray1
                    border.width: index === 0 ? 2 : 1
                }
            }
        }
        Text {
            text: mainIten.langText(lightControl.lightControlLang, 5)
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            color: mainIten.colorGray3
        }
        Image {
            width: parent.width
            source: mainIten.sourceSpeedScale
        }
    }
}
