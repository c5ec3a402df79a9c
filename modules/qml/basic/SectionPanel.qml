// A fixed panel of the main screen: a caption with a red rule under it, content below.
import QtQuick

Rectangle {
    id: sectionPanel
    property string titleText
    default property alias content: body.data

    width: 232
    radius: 4
    color: Qt.rgba(0, 0, 0, 0.55)
    border.color: Theme.colorGray1

    Text {
        id: caption
        x: 12
        y: 6
        text: sectionPanel.titleText
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
        color: Theme.fontColor
    }
    Rectangle {
        x: 12
        y: 28
        width: 24
        height: 2
        color: Theme.colorOrange
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: 34
    }
}
