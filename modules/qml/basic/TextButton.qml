// A flat button with a caption: its normal face, the highlight colour under the pointer.
import QtQuick

Rectangle {
    id: textButton
    property string textValue
    property color normalColor: mainIten.colorBlue
    property color hoverColor: mainIten.colorOrange
    property int textSize: mainIten.fontNormalSize
    property int textAlign: Text.AlignHCenter
    readonly property bool hovered: area.containsMouse
    signal clicked

    width: 64
    height: 24
    radius: 2
    color: hovered ? hoverColor : normalColor

    Text {
        anchors.fill: parent
        anchors.leftMargin: textButton.textAlign === Text.AlignLeft ? 12 : 0
        text: textButton.textValue
        font.family: mainIten.fontFamily
        font.pixelSize: textButton.textSize
        color: mainIten.fontColor
        horizontalAlignment: textButton.textAlign
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: textButton.clicked()
    }
}
