// A flat button with a caption: its normal face, the highlight colour under the pointer.
import QtQuick

Rectangle {
    id: textButton
    property string textValue
    property color normalColor: Theme.colorBlue
    property color hoverColor: Theme.colorOrange
    property int textSize: Theme.fontNormalSize
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
        font.family: Theme.fontFamily
        font.pixelSize: textButton.textSize
        color: Theme.fontColor
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
