// The window's backdrop: background, title bar and the title logo in the top-left corner.
import QtQuick

Item {
    width: 1024
    height: 640

    Image {
        anchors.fill: parent
        source: Theme.sourceBackground
    }
    Image {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        source: Theme.sourceTitleBar
    }
    Image {
        x: 0
        y: 0
        source: Theme.sourceTitleLogo
    }
}
