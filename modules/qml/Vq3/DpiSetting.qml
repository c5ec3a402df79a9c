// DPI panel of the main screen. UNFINISHED: shows the built-in stage values with the current
// stage highlighted and carries the entry points the main window uses; editing, reading and
// sending the stages is built later.
import QtQuick
import "../basic"

SectionPanel {
    id: dpiSetting
    titleText: mainIten.langText(dpiSettingLang, 0)
    height: 232

    property var dpiSettingLang: ["DPI"]
    property int currentDPI: 0
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property bool isSave: false

    function init(isSendData, isRecovery) {}
    function saveData(isSendData) {}
    function closeMenu() {}

    Row {
        id: bars
        x: 16
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        spacing: 8
        Repeater {
            model: 8
            delegate: Column {
                id: stage
                required property int index
                readonly property bool current: index === dpiSetting.currentDPI
                readonly property int value: dpiSetting.dpiValueArray[index]
                visible: index < dpiSetting.currentDpiCount
                spacing: 6
                Rectangle {
                    width: 18
                    height: 150
                    radius: 3
                    color: mainIten.colorGray1
                    Rectangle {
                        anchors.bottom: parent.bottom
                        width: parent.width
                        radius: 3
                        height: Math.max(6, parent.height * (stage.value - dpiSetting.minDPI)
                                         / (dpiSetting.maxDPI - dpiSetting.minDPI))
                        color: stage.current ? mainIten.colorOrange : mainIten.colorGray2
                    }
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: stage.value
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize
                    color: stage.current ? mainIten.fontColor : mainIten.colorGray2
                }
            }
        }
    }
}
