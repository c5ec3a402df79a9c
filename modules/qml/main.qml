// Placeholder scene: the six root functions the native side calls, and a plain screen that
// shows the connection state. The full main screen replaces it.
import QtQuick

Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property bool isPownOn: false
    property int currentDpiIndex: 0

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int code, int x, int y)

    function initUI() {
        setProtectUI(1000)
        mainIten.visible = true
        isPownOn = true
        currentDpiIndex = ui_View.mouseGetCurrentDPI() - 1
    }
    function run() {
    }
    function setProtectUI(interval) {
        busyText.visible = true
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.start()
    }
    function setCurrentDPI(dpiValue) {
        if (dpiValue != 0)
            currentDpiIndex = parseInt(dpiValue) - 1
    }
    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }
    function detectMouse(isDown, code, x, y) {
        msg_MS(isDown, code, x, y)
    }

    Timer {
        id: tmrProtectUI
        interval: 1000
        repeat: false
        onTriggered: {
            ui_View.setEnabled(true)
            busyText.visible = false
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 12
        color: "#1a1a1a"
        border.color: "#b20808"
        border.width: 2

        MouseArea {
            property point pressPoint
            anchors.fill: parent
            onPressed: function (mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
            onPositionChanged: function (mouse) {
                ui_Ctl.onXChanged(mouse.x - pressPoint.x)
                ui_Ctl.onYChanged(mouse.y - pressPoint.y)
            }
        }
        Text {
            anchors.centerIn: parent
            color: "#ffffff"
            font.pixelSize: 28
            text: "ORBIS MOUSE R207\nDPI stage " + (mainIten.currentDpiIndex + 1)
            horizontalAlignment: Text.AlignHCenter
        }
        Text {
            id: busyText
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 40
            color: "#d1d1d1"
            text: "LOADING ......"
            visible: false
        }
        Row {
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 16
            spacing: 16
            Text { text: "_"; color: "#ffffff"; font.pixelSize: 20
                MouseArea { anchors.fill: parent; onClicked: ui_Ctl.onMinimize() } }
            Text { text: "×"; color: "#ffffff"; font.pixelSize: 20
                MouseArea { anchors.fill: parent; onClicked: ui_Ctl.onClose() } }
        }
    }
}
