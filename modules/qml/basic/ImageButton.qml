// An image that switches to its hover image under the pointer and reports clicks.
import QtQuick

Image {
    id: imageButton
    property url normalSource
    property url hoverSource
    property int btnIndex: 0
    readonly property bool hovered: area.containsMouse
    signal clicked(int btnIndex)

    source: hovered ? hoverSource : normalSource

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: imageButton.clicked(imageButton.btnIndex)
    }
}
