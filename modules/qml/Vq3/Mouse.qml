// The device picture. UNFINISHED: shows the front or side view with the selected button
// highlighted; the numbered button labels are built later.
import QtQuick
import "../basic"

Item {
    id: mouse
    property int keyCount: 8
    property int selectKey: -1
    property bool isSide: false
    signal clickBtn(int index)

    width: 1024
    height: 640

    Image {
        id: picture
        anchors.horizontalCenter: parent.horizontalCenter
        y: 72
        source: mouse.isSide ? mainIten.sourceMouseSide : mainIten.sourceMouseFront
    }
    Image {
        anchors.fill: picture
        visible: mouse.selectKey >= 0 && mouse.selectKey < 8
        source: visible ? mainIten[(mouse.isSide ? "sourceMouseSide" : "sourceMouse")
                                   + mouse.selectKey] : ""
    }
    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: picture.bottom
        anchors.topMargin: 12
        spacing: 16
        ImageButton {
            normalSource: mouse.isSide ? mainIten.sourceLightBtn : mainIten.sourceLightBtnS
            hoverSource: mainIten.sourceLightBtnS
            onClicked: mouse.isSide = false
        }
        ImageButton {
            normalSource: mouse.isSide ? mainIten.sourceMouseSidebtnS : mainIten.sourceMouseSidebtnN
            hoverSource: mouse.isSide ? mainIten.sourceMouseSidebtnS : mainIten.sourceMouseSidebtnH
            onClicked: mouse.isSide = true
        }
    }
}
