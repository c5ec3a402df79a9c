// The 24-pixel header of the drop-down controls: current text and a drop arrow.
import QtQuick

Rectangle {
    id: dropHeader
    property string textValue
    property bool isDrop: false
    signal clicked

    height: 24
    radius: 2
    color: Theme.colorGray1
    border.color: area.containsMouse ? Theme.colorGray2 : "transparent"

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.verticalCenter: parent.verticalCenter
        text: dropHeader.textValue
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor
        elide: Text.ElideRight
    }
    Image {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        source: dropHeader.isDrop ? Theme.sourceDropBtnU : Theme.sourceDropBtn
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: dropHeader.clicked()
    }
}
