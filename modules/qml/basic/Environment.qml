// The window's backdrop: background, title bar and the title logo in the top-left corner.
// The pictures are decoded off the GUI thread: the backdrop stays hidden while the start-up
// picture shows, so the scene is built and drawn without waiting for the largest image.
import QtQuick

Item {
    width: 1024
    height: 640

    Image {
        anchors.fill: parent
        asynchronous: true
        source: Theme.sourceBackground
    }
    Image {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        asynchronous: true
        source: Theme.sourceTitleBar
    }
    Image {
        x: 0
        y: 0
        asynchronous: true
        source: Theme.sourceTitleLogo
    }
}
