import QtQuick

// The least a window of the same size and kind can show: a filled rectangle and a text.
Rectangle {
    width: 1024
    height: 640
    color: "#202428"
    Text {
        anchors.centerIn: parent
        text: "reference"
        color: "white"
        font.pixelSize: 32
    }
}
