// A movable panel with a 30-pixel title bar: pressing its background drags it inside its parent
// (it always stays wholly inside) and reports the press, so the page can close its menus.
import QtQuick

Rectangle {
    id: panelFrame
    property string titleText
    property bool showClose: true
    default property alias content: body.data
    signal closeClicked
    signal backgroundPressed

    radius: 4
    color: Theme.colorGray0
    border.color: Theme.colorGray1

    MouseArea {
        anchors.fill: parent
        drag.target: panelFrame
        drag.minimumX: 0
        drag.minimumY: 0
        drag.maximumX: panelFrame.parent ? panelFrame.parent.width - panelFrame.width : 0
        drag.maximumY: panelFrame.parent ? panelFrame.parent.height - panelFrame.height : 0
        onPressed: panelFrame.backgroundPressed()
    }
    Rectangle {
        id: titleBar
        width: parent.width
        height: 30
        radius: panelFrame.radius
        color: Theme.colorBlack
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 2
            color: Theme.colorOrange
        }
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: panelFrame.titleText
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            color: Theme.fontColor
        }
        ImageButton {
            objectName: "closeBtn"
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            visible: panelFrame.showClose
            normalSource: Theme.sourceCloseBtn
            hoverSource: Theme.sourceCloseBtnH
            onClicked: {
                Scene.commitInputs(panelFrame) // the close handling reads the page's fields
                panelFrame.closeClicked()
            }
        }
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: titleBar.height
    }
}
