// The 24-pixel header of the drop-down controls: current text and a drop arrow.
import QtQuick

Rectangle {
    id: dropHeader
    property string textValue
    property bool isDrop: false
    signal clicked

    height: 24
    radius: 2
    color: mainIten.colorGray1
    border.color: area.containsMouse ? mainIten.colorGray2 : "transparent"

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.verticalCenter: parent.verticalCenter
        text: dropHeader.textValue
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
        color: mainIten.fontColor
        elide: Text.ElideRight
    }
    Image {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        source: dropHeader.isDrop ? mainIten.sourceDropBtnU : mainIten.sourceDropBtn
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: dropHeader.clicked()
    }
}
