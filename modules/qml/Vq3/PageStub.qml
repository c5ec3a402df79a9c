// Frame of a page that is not built yet: a movable panel with its title, a note and a close
// button that hides the page and the main window's mask.
import QtQuick
import "../basic"

PanelFrame {
    id: pageStub
    visible: false
    onCloseClicked: {
        pageStub.visible = false
        mainMask.visible = false
    }

    Text {
        anchors.centerIn: parent
        text: qsTr("This page is not finished yet.")
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMiddleSize
        color: mainIten.colorGray2
    }
}
